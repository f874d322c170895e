#include "link/Link.h"

#include "link/LinkHost.h"
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
const QString kErrorCodeStatus = QStringLiteral("Error code returned by Controller detected.... Resending message");
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

// While a colour balance runs, the controller reports the busy unit as not
// responding and the send is repeated every few seconds: these waits are
// asked about far less often than plain failures (about every two minutes).
constexpr int BalanceWaitsBeforeAsking = 20;

}  // namespace

int Link::recordPayloadLength(unsigned char type)
{
    return statusRecordPayloadLength(type);
}

Link::Link(SerialPort &port, Clock &clock, Dialogs &dialogs, ProgramExit &exit, LinkHost &host)
    : port_(port), clock_(clock), dialogs_(dialogs), exit_(exit), host_(host), timer1_(clock.createTimer()),
      line_(port, dialogs, host)
{
    connect(timer1_.get(), &ClockTimer::timeout, this, &Link::Timer1Timer);
    connect(&port_, &SerialPort::dataAvailable, this, &Link::ApdComPort1TriggerAvail);
    connect(&port_, &SerialPort::errorOccurred, this, [this] { line_.markLost(); });
}

Link::~Link() = default;

void Link::formatCommand(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    std::vsnprintf(CommandBuffer, sizeof CommandBuffer, format, args);
    va_end(args);
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
    if (line_.lost())
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
    if (!SendAndWaitPrompt(command()) && (port_.isOpen() || line_.lost()))
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
            if (!line_.askRetryProbe()) {
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
    reply_.start(CommandBuffer, query);
    unitNotResponding_ = false;
    timedOut_ = false;
}

void Link::waitForExchange()
{
    // A port closed meanwhile (disconnecting) or lost (the system closed
    // it) ends the wait at once: no answer can come on it.
    while (AwaitingReply && !ExchangeFailed && port_.isOpen() && !line_.lost())
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

bool Link::SendRelayed(int /*rs485Id*/, int pauseCount)
{
    // A line that failed is opened again before each attempt; while it
    // cannot be, the user is asked, naming the port, whether to keep trying,
    // and a send given up says in the status line that the port is gone.
    if (!port_.isOpen() && !line_.lost())
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
        if (!line_.reopen())
            break;
        startReply(false);
        reply_.setMinLength(int(std::strlen(CommandBuffer)) + 8);
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
        if (!port_.isOpen() && !line_.lost())
            break;  // disconnected meanwhile
        const bool balanceWait = ColorBalanceInProgress && unitNotResponding_;
        const bool ask =
            balanceWait ? ++balanceWaits % BalanceWaitsBeforeAsking == 0 : ++failures % TimeoutsBeforeAsking == 0;
        if (ask && !askKeepTrying(balanceWait ? BalanceWaitsBeforeAsking : TimeoutsBeforeAsking))
            break;
        if (ControllerDebugMode)
            SendAndWaitPrompt(QByteArrayLiteral("debug 0\r"));
        if (ColorBalanceInProgress) {
            host_.setStatusText(kColorBalanceResend);
            clock_.sleepBlocking(5000);
        } else {
            host_.setStatusText(reply_.rejected() ? kGarbledResend : kResending);
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
        host_.setStatusText(line_.lost() ? QStringLiteral("Command not sent: ") + line_.goneText() : kNotSent);
    return sent;
}

bool Link::askKeepTrying()
{
    return askKeepTrying(TimeoutsBeforeAsking);
}

bool Link::askKeepTrying(int times)
{
    return dialogs_.askYesNo(
        QStringLiteral("VKS - Tessaline :No answer"),
        QStringLiteral(
            "Tessaline has not had a good answer from the Quorex(s) %1 times in a row. Do you wish to keep "
            "trying?\nClick Yes to try again. Click No to give up: Tessaline keeps its settings, but "
            "this exchange does not reach the Quorex(s).")
            .arg(times));
}

void Link::AwaitQueryReply()
{
    if (!port_.isOpen() && !line_.lost()) {
        reply_.wipe();
        return;
    }
    noUnitShown_ = false;
    for (int round = 0; round < 2; ++round) {
        startReply(true);
        if (!line_.reopen()) {
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
    reply_.wipe();
    ExchangeFailed = false;
    ControllerError = false;
    reply_.setMinLength(minReplyLength);
    AwaitQueryReply();
}

void Link::ApdComPort1TriggerAvail(int count)
{
    if (!AwaitingReply)
        return;
    const QByteArray arrived = port_.read(qMax(count, 0));
    using Outcome = ReplyCollector::Outcome;
    const Outcome outcome = reply_.add(arrived, ControllerMode, PromptChar);
    if (outcome == Outcome::Pending)
        return;
    AwaitingReply = false;
    switch (outcome) {
    case Outcome::Pending:
    case Outcome::Complete:
        break;
    case Outcome::Overflow:
        // The rest of a runaway reply is dropped; the exchange fails as a
        // garbled reply does.
        port_.flushInput();
        [[fallthrough]];
    case Outcome::Rejected:
        timer1_->stop();
        ExchangeFailed = true;
        break;
    case Outcome::UnknownCommand:
        ControllerError = true;
        ExchangeFailed = true;
        break;
    case Outcome::DebugMode:
        ControllerDebugMode = true;
        ExchangeFailed = true;
        break;
    case Outcome::UnitNotResponding:
        timer1_->stop();
        ExchangeFailed = true;
        unitNotResponding_ = true;
        // Once per send or query, however often it is repeated.
        if (!ColorBalanceInProgress && !noUnitShown_) {
            noUnitShown_ = true;
            dialogs_.showMessage(kNoUnitResponse);
        }
        break;
    case Outcome::ErrorCode:
        host_.setStatusText(kErrorCodeStatus);
        clock_.sleepBlocking(900);
        ControllerError = true;
        ExchangeFailed = true;
        break;
    }
}

void Link::Timer1Timer()
{
    timer1_->stop();
    timedOut_ = true;
    dialogs_.showMessage(kTimeout);
    ExchangeFailed = true;
}

bool Link::timer1Active() const
{
    return timer1_->isActive();
}

void Link::SetDeviceConnected(bool value)
{
    DeviceConnected = value;
    emit deviceConnectedChanged(value);
}

void Link::closePort()
{
    line_.close();
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
    link_.line_.beginSearch();
}

Link::SearchScope::~SearchScope()
{
    link_.line_.endSearch();
}

QString Link::openFailureMessage(int number, const SerialPort::OpenResult &opened)
{
    return PortLine::openFailureMessage(number, opened);
}

bool Link::TryPort(int number)
{
    if (!port_.portExists(number))
        return false;
    port_.setPortNumber(number);
    if (!line_.openForProbe(number))
        return false;
    bool lineError = false;
    const auto watch = connect(&port_, &SerialPort::errorOccurred, this, [&lineError] { lineError = true; });
    bool answered = SendAndWaitPrompt(QByteArrayLiteral("\r"));
    if (!answered && !lineError)
        answered = SendAndWaitPrompt(QByteArrayLiteral("\r"));
    disconnect(watch);
    if (lineError) {
        dialogs_.showMessage(QStringLiteral("Note: COM Port #") + QString::number(number)
                             + QStringLiteral(" is not responding."));
        return false;
    }
    return answered;
}

}  // namespace tess

#include "moc_Link.cpp"
