#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <string_view>

namespace tess {

// One exchange's reply as its characters arrive, in whatever pieces: stores
// them in the 250-character reply buffer and tells when the reply is
// complete (its prompt after the line end, past the shortest reply taken;
// for a status query, its own record whole), when the controller answered
// with one of its error texts, and when it is garbled. Knows no port: the
// link hands it what the line delivered and acts on the outcome.
class ReplyCollector {
public:
    static constexpr int BufferSize = 250;

    enum class Outcome {
        Pending,            // not complete yet: more characters are needed
        Complete,           // the prompt ended a reply the exchange takes
        Rejected,           // a record cut short or padded: nothing kept
        Overflow,           // more than the buffer holds: nothing kept
        UnknownCommand,     // the controller did not understand the line
        DebugMode,          // the controller answered from its debug mode
        UnitNotResponding,  // the controller's code for a silent unit
        ErrorCode,          // any other code of the controller's
    };

    // Starts a reply in a cleared buffer. `command` is the line asked
    // (zero-terminated, read again while the reply is judged, so it must
    // outlive the exchange); a query's reply must carry its own record,
    // whole, and may not be the late answer to another line.
    void start(const char *command, bool query);
    // Stores what fits of `arrived` (one place stays for the zero byte) and
    // examines the reply so far. `controller`: the reply ends in "LR" and
    // the prompt, and the controller's error texts count; otherwise in a
    // line end and the prompt. An ending outcome leaves the collector ready
    // for the next start.
    Outcome add(const QByteArray &arrived, bool controller, char prompt);
    // Clears every byte of the buffer, nothing else.
    void wipe();

    // The shortest reply taken: a prompt among its first characters does
    // not end it.
    int minLength() const { return minLength_; }
    void setMinLength(int length) { minLength_ = length; }

    // The completed reply up to and with its prompt (empty when none
    // completed). Characters after the prompt in the same arrival are not
    // part of it.
    QByteArrayView reply() const { return QByteArrayView(buffer_, length_); }
    // The text up to the zero byte that a completed reply ends with (it
    // lands on the last character of the arrival that completed it).
    QByteArray text() const;
    // Every byte of the buffer, the reply and whatever lies behind it.
    QByteArrayView bytes() const { return QByteArrayView(buffer_, BufferSize); }
    // Where the examination stands.
    int position() const { return position_; }
    // The type byte of the status record in the completed reply; 0 when
    // none.
    char recordType() const;
    // Whether the reply was refused as garbled, and whether for running
    // past the buffer's end.
    bool rejected() const { return rejected_; }
    bool overflowed() const { return overflow_; }

private:
    enum class Verdict { Good, Foreign, Inconsistent };

    Outcome examine(bool controller, char prompt);
    Verdict judge(int prompt) const;
    void dropThrough(int prompt);
    Outcome refuse(Outcome why);
    Outcome finish(Outcome outcome);

    char buffer_[BufferSize] = {};
    int minLength_ = 0;
    int position_ = 0;      // the next character to examine
    int fill_ = 0;          // characters of this reply stored so far
    int length_ = 0;        // up to and with the prompt of a completed reply
    int recordStart_ = -1;  // where the record's header stands, if any
    int recordEnd_ = 0;     // end of a binary record's payload, if any
    const char *command_ = "";
    bool query_ = false;
    std::string_view recordTypes_;  // the headers the running query accepts
    bool overflow_ = false;
    bool rejected_ = false;
};

}  // namespace tess
