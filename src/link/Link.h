#pragma once

#include "link/PortLine.h"
#include "link/ReplyCollector.h"
#include "link/SerialPort.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <memory>

namespace tess {

class Clock;
class ClockTimer;
class Dialogs;
class LinkHost;
class ProgramExit;
class SerialPort;

// The serial link: frames commands for the connection mode in force, writes
// them, collects the answer through the receive handler while the window
// stays alive, recognises prompts, controller errors and debug mode, and
// repeats or recovers when an answer does not come. The port itself, lost
// and opened again, is kept by its PortLine.
class Link : public QObject {
    Q_OBJECT
public:
    static constexpr int BufferSize = ReplyCollector::BufferSize;
    static constexpr int DefaultPromptWaitTicks = 80;
    static constexpr int ExchangeTimeoutMs = 8000;
    // Time-outs of one relayed send after which the user is asked whether
    // to keep trying.
    static constexpr int TimeoutsBeforeAsking = 3;

    // Payload length of a binary status record by its type byte: the
    // system record (8), the input layouts ('F', 'N') and the output
    // layouts ('>', '?', '@', 'B'); 0 for any other byte.
    static int recordPayloadLength(unsigned char type);

    Link(SerialPort &port, Clock &clock, Dialogs &dialogs, ProgramExit &exit, LinkHost &host);
    ~Link() override;

    SerialPort &port() { return port_; }
    Clock &clock() { return clock_; }
    Dialogs &dialogs() { return dialogs_; }

    char PromptChar = '#';
    int PromptWaitTicks = DefaultPromptWaitTicks;

    bool ExchangeFailed = false;
    bool ControllerError = false;
    bool ControllerDebugMode = false;
    bool ColorBalanceInProgress = false;
    bool DeviceConnected = false;
    // Through the controller (RS-485 frames, '>' prompt) or straight to one
    // unit. The search and the connection-mode box set it.
    bool ControllerMode = false;

    // printf-style formatting into CommandBuffer (always zero-terminated,
    // cut at the buffer's end).
    void formatCommand(const char *format, ...) __attribute__((format(printf, 2, 3)));
    QByteArray command() const { return QByteArray(CommandBuffer); }
    // The checksum ComputeChecksum found for the command.
    quint8 commandChecksum() const { return CommandChecksum; }
    // The shortest reply the exchanges take: a prompt among its first
    // characters does not end it. A relayed send sets its own.
    int minReplyLength() const { return reply_.minLength(); }
    void setMinReplyLength(int length) { reply_.setMinLength(length); }
    // The completed reply text (up to its zero byte).
    QByteArray reply() const { return reply_.text(); }
    // The last exchange's reply as the device layer reads its records: the
    // characters up to and with its prompt (empty when none completed).
    QByteArrayView replyView() const { return reply_.reply(); }
    // How many characters of the reply buffer belong to the last
    // exchange's reply, its prompt included (0 when none completed).
    // Characters that came after the prompt in the same arrival do not: no
    // record is read from them.
    int replyLength() const { return int(reply_.reply().size()); }
    // Every byte of the reply buffer, the reply and whatever lies behind
    // it, and where the receive handler stands in it: for checks that
    // nothing of a refused or forgotten reply stays behind.
    QByteArrayView replyBytes() const { return reply_.bytes(); }
    int replyPosition() const { return reply_.position(); }
    // Whether an exchange is collecting its reply.
    bool awaitingReply() const { return AwaitingReply; }

    bool ComputeChecksum();
    void WriteToPort(const QByteArray &text);
    bool SendAndWaitPrompt(const QByteArray &text);
    void SendDirect();
    void RecoverDirectLink();
    // Returns false only when the user gave the command up.
    bool SendRelayed(int rs485Id, int pauseCount);
    // Asks the query in CommandBuffer and collects its reply (with the
    // port closed nothing is asked and no earlier reply stays readable).
    void AwaitQueryReply();
    // A status query from a clean start: no character of an earlier reply
    // can be taken for this one's, the exchange flags are cleared, and the
    // reply must hold `minReplyLength` characters. The query's text is in
    // CommandBuffer.
    void query(int minReplyLength);
    void ApdComPort1TriggerAvail(int count);
    void Timer1Timer();
    void SetDeviceConnected(bool value);
    // Key filter of the terminal view: true when the key was swallowed.
    bool AdTerminal1KeyPress(char key);
    // Whether an exchange or a prompt wait is waiting for the unit: what
    // arrives meanwhile is its answer, not the terminal view's.
    bool exchangeWaiting() const { return AwaitingReply || promptWaits_ > 0; }

    // Probes port n (1 or 2): open it, send a carriage return, wait for
    // the prompt, once more on failure.
    bool TryPort(int number);
    // What the search says when port n cannot be opened.
    static QString openFailureMessage(int number, const SerialPort::OpenResult &opened);
    // While one lives, a port whose opening is refused for want of
    // permission is reported once, however often the search probes it.
    class SearchScope {
    public:
        explicit SearchScope(Link &link);
        ~SearchScope();
        SearchScope(const SearchScope &) = delete;
        SearchScope &operator=(const SearchScope &) = delete;

    private:
        Link &link_;
    };
    // Closes the port on purpose (disconnecting, a search that found
    // nothing): no line is lost.
    void closePort();
    // Whether the port reported a failure (the device went away, the
    // adapter was pulled) since it was last opened.
    bool lineLost() const { return line_.lost(); }

    // Asks whether to keep trying after repeated failures of one exchange
    // (time-outs, refusals). True = keep trying.
    bool askKeepTrying();

    // How an exchange or a prompt wait ended, for a record of the line.
    enum class Ending {
        Reply,              // the prompt ended a complete reply
        Prompt,             // a prompt wait found its prompt
        NoPrompt,           // a prompt wait ran out
        TimedOut,           // no complete reply within the exchange's time
        NotUnderstood,      // the controller did not understand the line
        ErrorCode,          // the controller answered with an error code
        DebugMode,          // the controller answered from its debug mode
        UnitNotResponding,  // the controller's code for a silent unit
        Rejected,           // a record cut short or padded
        Overflow,           // more than a reply can hold
        LineClosed,         // the port was closed or lost meanwhile
    };
    // The ending of the last exchange, read from its flags and reply.
    Ending lastEnding() const;
    // The type byte of the status record in the last reply; 0 when none.
    char lastRecordType() const;

    bool timer1Active() const;
    // Whether the last exchange ended by its time-out.
    bool lastExchangeTimedOut() const { return timedOut_; }
    // Whether the last exchange's reply was refused as garbled (a record
    // cut short or padded, or more than the reply buffer holds): the
    // exchange failed and the reply was cleared.
    bool lastReplyRejected() const { return reply_.rejected(); }

signals:
    // Every write to the line, as written (one frame may take several).
    void written(const QByteArray &bytes);
    // An exchange through the receive handler or a prompt wait ended.
    void exchangeEnded(tess::Link::Ending ending);
    // SetDeviceConnected: a unit or the controller is reached, or no longer.
    void deviceConnectedChanged(bool connected);

private:
    // `query`: a status or count query, whose reply must be its own.
    void startReply(bool query);
    bool askKeepTrying(int times);
    void waitForExchange();

    // Where every command and query is formatted; zero-terminated.
    char CommandBuffer[BufferSize] = {};
    quint8 CommandChecksum = 0;
    // The reply of the last exchange, zero-terminated when complete.
    ReplyCollector reply_;
    bool AwaitingReply = false;

    SerialPort &port_;
    Clock &clock_;
    Dialogs &dialogs_;
    ProgramExit &exit_;
    LinkHost &host_;
    std::unique_ptr<ClockTimer> timer1_;
    PortLine line_;

    bool unitNotResponding_ = false;  // the controller's code 4 ended the attempt
    bool noUnitShown_ = false;        // its message was shown in this send or query
    bool timedOut_ = false;
    int promptWaits_ = 0;  // prompt waits running (nested through events)
};

}  // namespace tess
