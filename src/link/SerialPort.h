#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <optional>

namespace tess {

class Clock;

// The serial port as the program uses it: one port object whose number is
// 1 (COM1) or 2 (COM2). The real one runs on QSerialPort; the tests use the
// simulator's in-process port.
class SerialPort : public QObject {
    Q_OBJECT
public:
    enum class Parity { None, Odd, Even, Mark, Space };

    struct OpenResult {
        enum class Kind { Opened, PermissionDenied, Failed };
        Kind kind = Kind::Failed;
        QString detail;  // the system's own words, for the user
        bool ok() const { return kind == Kind::Opened; }
    };

    using QObject::QObject;

    // Whether the system has port n (also when another program holds it).
    virtual bool portExists(int number) const = 0;
    // Why port n, which the user has set up, cannot be used (a port-map
    // entry naming a device that is not there); empty when nothing is wrong.
    // Such a port does not exist for the search.
    virtual QString portProblem(int number) const
    {
        Q_UNUSED(number);
        return {};
    }
    // The device the port opened last, as the system names it, for
    // messages about the port; empty when unknown.
    virtual QString deviceName() const { return {}; }
    // 1 or 2. An open port is closed and reopened on the new number.
    virtual void setPortNumber(int number) = 0;
    virtual int portNumber() const = 0;

    virtual OpenResult open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Take effect at once on an open port.
    virtual void setBaudRate(int baud) = 0;
    virtual int baudRate() const = 0;
    virtual void setParity(Parity parity) = 0;
    virtual Parity parity() const = 0;
    // RTS used / CTS required, or none. Applies when the port is next opened.
    virtual void setHardwareFlowControl(bool on) = 0;
    virtual bool hardwareFlowControl() const = 0;

    // Non-blocking: the bytes go into the output buffer.
    virtual void write(const QByteArray &bytes) = 0;
    // Characters that still fit into the output buffer.
    virtual qint64 outputFree() const = 0;
    // Discards everything received and not yet read.
    virtual void flushInput() = 0;
    virtual qint64 bytesAvailable() const = 0;
    // Reads up to n characters that have arrived.
    virtual QByteArray read(qint64 n) = 0;

    // The modem status lines the device reports (carrier detect, clear to
    // send), read now. Empty when the port is closed or its device has no
    // such lines (a pseudo-terminal, some USB adapters); asking then is
    // cheap, fails nothing and reports nothing.
    struct ModemLines {
        bool dcd = false;
        bool cts = false;
    };
    virtual std::optional<ModemLines> modemLines() { return std::nullopt; }

    // Waits until `text` has arrived, at most `ticks` ticks of 55 ms,
    // processing events meanwhile. Case-sensitive. The characters read while
    // waiting are consumed. Stops early (returning false) when the port
    // raises an error.
    bool waitForString(Clock &clock, const QByteArray &text, int ticks);

    static constexpr int TickMs = 55;

signals:
    // Raised from the event loop whenever characters have arrived; the
    // count is how many are waiting. Characters not read stay buffered.
    void dataAvailable(int count);
    // Characters went out on the line (for the line lights).
    void bytesSent(qint64 count);
    // The line failed (device vanished, I/O error).
    void errorOccurred(const QString &what);
};

}  // namespace tess
