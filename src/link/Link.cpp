#include "link/Link.h"

#include "link/LinkHost.h"
#include "link/QueryReply.h"
#include "link/SerialPort.h"
#include "model/RecordTypes.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/ProgramExit.h"

#include <QMetaMethod>

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace tess {
namespace {

const QString kSending = QStringLiteral("Sending command....");
const QString kResending = QStringLiteral("Resending message....");
const QString kColorBalanceResend =
    QStringLiteral("Detect Quorex not done with Color Balance. Resending message....");
const QString kErrorCodeStatus =
    QStringLiteral("Error code returned by Controller detected.... Resending message");
const QString kGarbledResend = QStringLiteral("Garbled reply detected.... Resending message");
const QString kNoUnitResponse = QStringLiteral(
    "Error! Controller did not get response from Quorex(s). Please check connections and Quorex(s) Serial Mode "
    "settings.");
const QString kTimeout = QStringLiteral(
    "Error! Timeout occured. Unable to communicate with Quorex. Please verify that Serial Port is connected to "
    "Quorex.");
const QString kOutputOverflow =
    QStringLiteral("Error! RS-232 communication port output buffer overflow. Please resend command.");
const QString kNotSent = QStringLiteral("Command not sent: no answer from the Controller.");
const QString kComPortErrorCaption = QStringLiteral("COM Port error");
const QString kComPortError = QStringLiteral(
    "Error! COM Port communication with Quorex has failed. Please check the RS-232 cable. Click OK to retry. Click "
    "Cancel to exit application.");

// While a colour balance runs, the controller reports the busy unit as not
// responding and the send is repeated every few seconds: these waits are
// asked about far less often than plain failures (about every two minutes).
constexpr int BalanceWaitsBeforeAsking = 20;

// The controller's texts that end a reply, in the order they are checked.
enum class Pattern { None, NeedMore, UnknownCommand, DebugMode, UnitNotResponding, ErrorCode };

// Compares `text` at `at`, but only with characters that have arrived.
// NeedMore when what has arrived agrees so far but the rest is missing.
Pattern compareAt(const char *buffer, int at, int fill, const char *text, Pattern onMatch)
{
    const int length = int(std::strlen(text));
    for (int i = 0; i < length; ++i) {
        if (at + i >= fill)
            return Pattern::NeedMore;
        if (buffer[at + i] != text[i])
            return Pattern::None;
    }
    return onMatch;
}

Pattern controllerPattern(const char *c, int p, int fill)
{
    bool needMore = false;
    for (const auto &[text, kind] : {std::pair{"?\r\nCTR", Pattern::UnknownCommand},
                                     std::pair{"?\r\nDEB", Pattern::DebugMode}}) {
        const Pattern found = compareAt(c, p, fill, text, kind);
        if (found == Pattern::NeedMore)
            needMore = true;
        else if (found != Pattern::None)
            return needMore ? Pattern::NeedMore : found;
    }
    const Pattern err = compareAt(c, p, fill, "!ERR", Pattern::ErrorCode);
    if (err == Pattern::NeedMore)
        return Pattern::NeedMore;
    if (err == Pattern::ErrorCode) {
        // The code stands five characters after the exclamation mark.
        if (p + 5 >= fill)
            return Pattern::NeedMore;
        return c[p + 5] == '4' ? Pattern::UnitNotResponding : Pattern::ErrorCode;
    }
    return needMore ? Pattern::NeedMore : Pattern::None;
}

}  // namespace

int Link::recordPayloadLength(unsigned char type)
{
    return statusRecordPayloadLength(type);
}

Link::Link(SerialPort &port, Clock &clock, Dialogs &dialogs, ProgramExit &exit, LinkHost &host)
    : port_(port), clock_(clock), dialogs_(dialogs), exit_(exit), host_(host), timer1_(clock.createTimer())
{
    connect(timer1_.get(), &ClockTimer::timeout, this, &Link::Timer1Timer);
    connect(&port_, &SerialPort::dataAvailable, this, &Link::ApdComPort1TriggerAvail);
    connect(&port_, &SerialPort::errorOccurred, this, [this] { lineLost_ = true; });
}

Link::~Link() = default;

void Link::formatCommand(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    std::vsnprintf(CommandBuffer, sizeof CommandBuffer, format, args);
    va_end(args);
}

QByteArray Link::reply() const
{
    return QByteArray(ReplyBuffer, int(strnlen(ReplyBuffer, sizeof ReplyBuffer)));
}

bool Link::ComputeChecksum()
{
    unsigned sum = 0;
    for (const char *c = CommandBuffer; *c && c < CommandBuffer + BufferSize; ++c)
        sum += static_cast<unsigned char>(*c);
    CommandChecksum = static_cast<quint8>(sum & 0xFF);
    return true;
}

void Link::WriteToPort(const QByteArray &text)
{
    if (!port_.isOpen())
        return;
    if (text.size() < port_.outputFree()) {
        port_.write(text);
        emit written(text);
    } else {
        dialogs_.showMessage(kOutputOverflow);
    }
}

bool Link::SendAndWaitPrompt(const QByteArray &text)
{
    // A line that failed cannot carry the prompt: the caller recovers it
    // instead of taking silence for success.
    if (lineLost_)
        return false;
    if (!port_.isOpen())
        return true;
    const int busy = host_.handlerBusy();
    host_.setHandlerBusy(1);
    port_.flushInput();
    host_.setStatusText(kSending);
    WriteToPort(text);
    host_.setPagesEnabled(false);
    ++promptWaits_;
    const bool found = port_.waitForString(clock_, QByteArray(1, PromptChar), PromptWaitTicks);
    --promptWaits_;
    emit exchangeEnded(found ? Ending::Prompt : Ending::NoPrompt);
    host_.setStatusText(QString());
    host_.setPagesEnabled(true);
    host_.setHandlerBusy(busy);
    return found;
}

void Link::SendDirect()
{
    const bool setCursor = !host_.busyCursorShown();
    if (setCursor)
        host_.setBusyCursor(true);
    // A port closed on purpose meanwhile (disconnecting) is not recovered.
    if (!SendAndWaitPrompt(command()) && (port_.isOpen() || lineLost_))
        RecoverDirectLink();
    if (setCursor)
        host_.setBusyCursor(false);
}

void Link::RecoverDirectLink()
{
    int failedResends = 0;
    for (;;) {
        PromptWaitTicks = 10;
        while (!TryPort(port_.portNumber())) {
            // A port that went away is named, so that the user looks at the
            // cable and the adapter rather than at the unit.
            const bool gone = lineLost_ || !port_.portExists(port_.portNumber());
            if (gone)
                host_.setStatusText(portGoneText());
            if (!dialogs_.askOkCancel(kComPortErrorCaption,
                                      gone ? kComPortError + QStringLiteral("\n\n") + portGoneText() : kComPortError)) {
                PromptWaitTicks = DefaultPromptWaitTicks;
                exit_.exitNow(-1);
                return;  // only reached where ending the program is recorded (tests)
            }
        }
        PromptWaitTicks = DefaultPromptWaitTicks;
        if (SendAndWaitPrompt(command()))
            return;
        // The unit answers its probe but not this command: after every few
        // resends the user decides, as for a relayed send.
        if (++failedResends % TimeoutsBeforeAsking == 0 && !askKeepTrying())
            return;
    }
}

void Link::startReply(bool query)
{
    ExchangeFailed = false;
    ControllerError = false;
    ControllerDebugMode = false;
    // Every exchange collects its reply from the start of a cleared buffer,
    // so a reply lost earlier can neither push this one out of place nor
    // leave bytes behind it that a parser would take for a record.
    std::memset(ReplyBuffer, 0, sizeof ReplyBuffer);
    ReplyPosition = 0;
    replyFill_ = 0;
    replyLength_ = 0;
    recordStart_ = -1;
    recordEnd_ = 0;
    query_ = query;
    recordTypes_ = query ? queryreply::recordTypes(CommandBuffer) : std::string_view();
    replyOverflow_ = false;
    replyRejected_ = false;
    unitNotResponding_ = false;
    timedOut_ = false;
}

void Link::waitForExchange()
{
    // A port closed meanwhile (disconnecting) or lost (the system closed
    // it) ends the wait at once: no answer can come on it.
    while (AwaitingReply && !ExchangeFailed && port_.isOpen() && !lineLost_)
        clock_.waitForEvents(50);
    timer1_->stop();
    // An exchange that ended without its answer stops collecting: what the
    // unit says later belongs to whoever listens next (a probe, a prompt
    // wait) or is flushed by the next exchange.
    if (AwaitingReply) {
        AwaitingReply = false;
        ExchangeFailed = true;
    }
    if (isSignalConnected(QMetaMethod::fromSignal(&Link::exchangeEnded)))
        emit exchangeEnded(lastEnding());
}

QString Link::portGoneText() const
{
    const QString device = port_.deviceName();
    return QStringLiteral("COM Port #%1%2 is gone: the system closed it (cable or adapter unplugged?).")
        .arg(port_.portNumber())
        .arg(device.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(device));
}

bool Link::reopenLostLine()
{
    if (!lineLost_)
        return true;
    for (;;) {
        port_.close();
        if (port_.portExists(port_.portNumber()) && port_.open().ok()) {
            lineLost_ = false;
            lineGivenUp_ = false;
            return true;
        }
        // Once the user has given the port up, the exchanges that follow
        // end at once, until it is opened again (a search, a send that
        // finds it back).
        if (lineGivenUp_)
            return false;
        if (!dialogs_.askYesNo(
                kComPortErrorCaption,
                QStringLiteral("Error! %1 It cannot be opened again. Please check the RS-232 connection.\nClick Yes "
                               "to try again. Click No to give up: Tessaline keeps its settings, but this exchange "
                               "does not reach the Quorex(s); once the port is back, go to 'Serial Port->Search "
                               "for Quorex(s)->Search'.")
                    .arg(portGoneText()))) {
            lineGivenUp_ = true;
            return false;
        }
    }
}

bool Link::SendRelayed(int /*rs485Id*/, int pauseCount)
{
    // A line that failed is opened again before each attempt; while it
    // cannot be, the user is asked, naming the port, whether to keep trying,
    // and a send given up says in the status line that the port is gone.
    if (!port_.isOpen() && !lineLost_)
        return false;
    const bool setCursor = !host_.busyCursorShown();

    const QByteArray checksum = QByteArray::number(CommandChecksum, 16).toUpper().rightJustified(2, '0');
    // Every failure counts towards the question, refusals as well as
    // silence; the busy unit of a colour balance much more slowly.
    int failures = 0;
    int balanceWaits = 0;
    bool sent = false;
    noUnitShown_ = false;
    for (;;) {
        if (!reopenLostLine())
            break;
        startReply(false);
        MinReplyLength = int(std::strlen(CommandBuffer)) + 8;
        port_.flushInput();
        WriteToPort(QByteArrayLiteral("PASS "));
        WriteToPort(command());
        WriteToPort(checksum);
        // The window shows the exchange while its first bytes are on the
        // wire: nothing it does holds them back (none of it is painted
        // before the event loop runs anyway).
        if (setCursor)
            host_.setBusyCursor(true);
        host_.setStatusText(kSending);
        host_.setPagesEnabled(false);
        timer1_->start(ExchangeTimeoutMs);
        AwaitingReply = true;
        WriteToPort(QByteArrayLiteral("\r\r"));
        waitForExchange();
        if (!ExchangeFailed) {
            sent = true;
            break;
        }
        if (!port_.isOpen() && !lineLost_)
            break;  // disconnected meanwhile
        const bool balanceWait = ColorBalanceInProgress && unitNotResponding_;
        const bool ask = balanceWait ? ++balanceWaits % BalanceWaitsBeforeAsking == 0
                                     : ++failures % TimeoutsBeforeAsking == 0;
        if (ask && !askKeepTrying(balanceWait ? BalanceWaitsBeforeAsking : TimeoutsBeforeAsking))
            break;
        if (ControllerDebugMode)
            SendAndWaitPrompt(QByteArrayLiteral("debug 0\r"));
        if (ColorBalanceInProgress) {
            host_.setStatusText(kColorBalanceResend);
            clock_.sleepBlocking(5000);
        } else {
            host_.setStatusText(replyRejected_ ? kGarbledResend : kResending);
        }
        clock_.sleepBlocking(900);
        clock_.processPendingEvents();
    }

    if (sent) {
        // Each pause ends 1 ms after the one before was due, not 1 ms after
        // the events between them were done: n pauses take n ms.
        const qint64 start = clock_.nowNs();
        for (int i = 1; i <= pauseCount; ++i) {
            clock_.sleepBlockingUntilNs(start + qint64(i) * 1000000);
            clock_.processPendingEvents();
        }
    }
    host_.setPagesEnabled(true);
    if (setCursor)
        host_.setBusyCursor(false);
    if (sent)
        host_.setStatusText(QString());
    else
        host_.setStatusText(lineLost_ ? QStringLiteral("Command not sent: ") + portGoneText() : kNotSent);
    return sent;
}

bool Link::askKeepTrying() { return askKeepTrying(TimeoutsBeforeAsking); }

bool Link::askKeepTrying(int times)
{
    return dialogs_.askYesNo(
        QStringLiteral("VKS - Tessaline :No answer"),
        QStringLiteral("Tessaline has not had a good answer from the Quorex(s) %1 times in a row. Do you wish to keep "
                       "trying?\nClick Yes to try again. Click No to give up: Tessaline keeps its settings, but "
                       "this exchange does not reach the Quorex(s).")
            .arg(times));
}

void Link::AwaitQueryReply()
{
    if (!port_.isOpen() && !lineLost_) {
        ReplyBuffer[0] = 0;
        return;
    }
    noUnitShown_ = false;
    for (int round = 0; round < 2; ++round) {
        startReply(true);
        if (!reopenLostLine()) {
            ExchangeFailed = true;
            return;
        }
        AwaitingReply = true;
        port_.flushInput();
        timer1_->start(ExchangeTimeoutMs);
        WriteToPort(command());
        waitForExchange();
        if (!ControllerDebugMode)
            return;
        if (round == 0) {
            SendAndWaitPrompt(QByteArrayLiteral("debug 0\r"));
            clock_.sleepBlocking(1000);
        }
    }
}

void Link::query(int minReplyLength)
{
    std::memset(ReplyBuffer, 0, sizeof ReplyBuffer);
    ExchangeFailed = false;
    ControllerError = false;
    MinReplyLength = minReplyLength;
    AwaitQueryReply();
}

void Link::ApdComPort1TriggerAvail(int count)
{
    if (!AwaitingReply)
        return;
    const QByteArray arrived = port_.read(qMax(count, 0));
    if (replyOverflow_)
        return;  // the rest of an over-long reply is dropped
    // One place is kept for the terminating zero byte.
    const int room = BufferSize - 1 - replyFill_;
    const int stored = int(qMin<qsizetype>(arrived.size(), room));
    std::memcpy(ReplyBuffer + replyFill_, arrived.constData(), size_t(stored));
    replyFill_ += stored;
    examineReply();
    if (AwaitingReply && (stored < arrived.size() || replyFill_ >= BufferSize - 1))
        replyOverflowed();
}

void Link::examineReply()
{
    const bool controller = ControllerMode;
    char *c = ReplyBuffer;
    while (ReplyPosition < replyFill_) {
        const int p = ReplyPosition;
        if (p < recordEnd_) {
            ++ReplyPosition;  // payload of a binary record: never a prompt or error text
            continue;
        }
        if (!recordTypes_.empty() && recordStart_ < 0 && c[p] == 1 && p < 30) {
            if (p + 1 >= replyFill_)
                return;  // wait for the type byte
            // Only a header of the query asked starts a record; its stated
            // length is skipped, so no payload byte passes for a prompt.
            const char type = c[p + 1];
            if (recordTypes_.find(type) != std::string_view::npos) {
                recordStart_ = p;
                recordEnd_ = p + 2 + recordPayloadLength(static_cast<unsigned char>(type));
                ReplyPosition = p + 2;
                continue;
            }
        }
        if (c[p] == PromptChar && p >= MinReplyLength) {
            const bool ends = p >= 2 && (controller ? (c[p - 2] == 'L' && c[p - 1] == 'R')
                                                    : (c[p - 2] == 13 && c[p - 1] == 10));
            if (ends) {
                switch (judgeReply(p)) {
                case Verdict::Foreign:
                    dropThrough(p);
                    continue;
                case Verdict::Inconsistent:
                    rejectReply();
                    return;
                case Verdict::Good:
                    break;
                }
                // The zero byte lands on the last character of this arrival.
                c[replyFill_ - 1] = 0;
                replyLength_ = p + 1;
                endReply();
                return;
            }
            ++ReplyPosition;
            continue;
        }
        if (controller) {
            switch (controllerPattern(c, p, replyFill_)) {
            case Pattern::NeedMore:
                return;
            case Pattern::UnknownCommand:
                ControllerError = true;
                ExchangeFailed = true;
                endReply();
                return;
            case Pattern::DebugMode:
                ControllerDebugMode = true;
                ExchangeFailed = true;
                endReply();
                return;
            case Pattern::UnitNotResponding:
                timer1_->stop();
                ExchangeFailed = true;
                unitNotResponding_ = true;
                endReply();
                // Once per send or query, however often it is repeated.
                if (!ColorBalanceInProgress && !noUnitShown_) {
                    noUnitShown_ = true;
                    dialogs_.showMessage(kNoUnitResponse);
                }
                return;
            case Pattern::ErrorCode:
                host_.setStatusText(kErrorCodeStatus);
                endReply();
                clock_.sleepBlocking(900);
                ControllerError = true;
                ExchangeFailed = true;
                return;
            case Pattern::None:
                break;
            }
        }
        ++ReplyPosition;
    }
}

Link::Verdict Link::judgeReply(int prompt) const
{
    if (!query_)
        return Verdict::Good;  // a relayed send: the prompt is all it needs
    const char *c = ReplyBuffer;
    const int echoEnd = recordStart_ >= 0 ? recordStart_ : prompt;
    if (queryreply::echoesAnotherLine(std::string_view(c, size_t(echoEnd)), queryreply::echoOf(CommandBuffer)))
        return Verdict::Foreign;
    if (recordStart_ < 0)
        return Verdict::Good;  // no record: the query finds none and says so
    // The record's stated length must end exactly where the line end and
    // the prompt begin; anything else is a record cut short or padded.
    const int end = recordEnd_;
    if (end + 2 > prompt || c[end] != '\r' || c[end + 1] != '\n')
        return Verdict::Inconsistent;
    for (int i = end + 2; i < prompt; ++i) {
        if (c[i] == '\r' || c[i] == '\n')
            return Verdict::Inconsistent;
    }
    return Verdict::Good;
}

void Link::dropThrough(int prompt)
{
    // Another line's late answer: forget it, and go on with what came
    // after it in this arrival.
    const int rest = replyFill_ - (prompt + 1);
    std::memmove(ReplyBuffer, ReplyBuffer + prompt + 1, size_t(rest));
    // Nothing of the forgotten answer stays behind what is kept.
    std::memset(ReplyBuffer + rest, 0, size_t(replyFill_ - rest));
    replyFill_ = rest;
    ReplyPosition = 0;
    recordStart_ = -1;
    recordEnd_ = 0;
}

void Link::rejectReply()
{
    // Nothing of an inconsistent reply may be read as a record.
    timer1_->stop();
    std::memset(ReplyBuffer, 0, sizeof ReplyBuffer);
    replyRejected_ = true;
    ExchangeFailed = true;
    endReply();
}

void Link::endReply()
{
    ReplyPosition = 0;
    replyFill_ = 0;
    recordStart_ = -1;
    recordEnd_ = 0;
    AwaitingReply = false;
}

void Link::replyOverflowed()
{
    // More than the buffer holds is no answer of a unit's (line noise, a
    // runaway device): the reply is garbled, not late. Nothing of it is
    // kept, the rest is dropped, and the exchange fails as a garbled reply
    // does.
    replyOverflow_ = true;
    port_.flushInput();
    rejectReply();
}

void Link::Timer1Timer()
{
    timer1_->stop();
    timedOut_ = true;
    dialogs_.showMessage(kTimeout);
    ExchangeFailed = true;
}

bool Link::timer1Active() const { return timer1_->isActive(); }

void Link::SetDeviceConnected(bool value)
{
    DeviceConnected = value;
    emit deviceConnectedChanged(value);
}

void Link::closePort()
{
    port_.close();
    lineLost_ = false;
    lineGivenUp_ = false;
}

bool Link::AdTerminal1KeyPress(char key)
{
    if (key != 8 || !port_.isOpen())
        return false;
    port_.write(QByteArray("\b \b", 3));
    return true;
}

Link::SearchScope::SearchScope(Link &link) : link_(link)
{
    if (link_.searchScopes_++ == 0)
        link_.permissionReported_.clear();
}

Link::SearchScope::~SearchScope()
{
    --link_.searchScopes_;
}

QString Link::openFailureMessage(int number, const SerialPort::OpenResult &opened)
{
    const QString prefix = QStringLiteral("Note: COM Port #") + QString::number(number);
    if (opened.kind != SerialPort::OpenResult::Kind::PermissionDenied)
        return prefix + QStringLiteral(" is not responding/being used by another application.");
    return prefix
           + QStringLiteral(" cannot be opened: permission to open %1 was denied. Add your user to the 'dialout' "
                            "group (sudo usermod -aG dialout $USER), then log out and in again.")
                 .arg(opened.detail.isEmpty() ? QStringLiteral("the device") : opened.detail);
}

bool Link::TryPort(int number)
{
    if (!port_.portExists(number))
        return false;
    port_.setPortNumber(number);
    const QString prefix = QStringLiteral("Note: COM Port #") + QString::number(number);
    if (!port_.isOpen() || lineLost_) {
        // A port whose line failed is opened afresh.
        port_.close();
        const SerialPort::OpenResult opened = port_.open();
        if (!opened.ok()) {
            if (opened.kind != SerialPort::OpenResult::Kind::PermissionDenied) {
                dialogs_.showMessage(openFailureMessage(number, opened));
            } else if (searchScopes_ == 0 || !permissionReported_.contains(number)) {
                // Not another application: this user may not open the device.
                if (searchScopes_ > 0)
                    permissionReported_.insert(number);
                dialogs_.showMessage(openFailureMessage(number, opened));
            }
            return false;
        }
        lineLost_ = false;
        lineGivenUp_ = false;
    }
    bool lineError = false;
    const auto watch = connect(&port_, &SerialPort::errorOccurred, this, [&lineError] { lineError = true; });
    bool answered = SendAndWaitPrompt(QByteArrayLiteral("\r"));
    if (!answered && !lineError)
        answered = SendAndWaitPrompt(QByteArrayLiteral("\r"));
    disconnect(watch);
    if (lineError) {
        dialogs_.showMessage(prefix + QStringLiteral(" is not responding."));
        return false;
    }
    return answered;
}

}  // namespace tess
