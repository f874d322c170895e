#pragma once

#include "core/Simulator.h"
#include "link/SerialPort.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <memory>

namespace tess {
class Clock;
class ClockTimer;
}  // namespace tess

namespace tess::sim {

// A serial port inside the test process, wired to a simulator. What the
// simulator sends arrives through the event loop, one piece per
// dataAvailable, when the clock says it is due (so reply delays run in
// virtual time). The test decides which ports exist, which one the
// simulator answers on, whether opening fails, how much the output buffer
// takes, and when the line vanishes.
class SimSerialPort final : public SerialPort {
    Q_OBJECT
public:
    // The simulator answers on port 1 until told otherwise.
    SimSerialPort(Clock &clock, Simulator &simulator, QObject *parent = nullptr);
    ~SimSerialPort() override;

    // --- the machine, as the test sets it up
    void setExistingPorts(const QList<int> &numbers);  // default: 1 and 2
    // Which simulator answers on port `number`; nullptr: the port stays
    // silent (it hears nothing, but inject() still works).
    void attach(int number, Simulator *simulator);
    // Moves the simulator given at construction to `number`.
    void setAnsweringPort(int number);
    enum class OpenFailure { None, PermissionDenied, Busy };
    void setOpenFailure(int number, OpenFailure failure);
    void setOutputCapacity(qint64 bytes) { capacity_ = bytes; }
    // While stalled (the device holds CTS low) written bytes stay in the
    // output buffer; afterwards they go out.
    void setOutputStalled(bool stalled);
    // The device disappears: errorOccurred, and the port no longer exists
    // until restore().
    void vanish();
    void restore();
    // Bytes that arrive as if the device had sent them (the simulator's
    // piece and delay faults apply).
    void inject(const QByteArray &bytes);
    // The modem lines the device reports; empty: it has none (the default,
    // as on a pseudo-terminal).
    void setModemLines(std::optional<ModemLines> lines) { modemLines_ = lines; }
    // A control command for the simulator given at construction; "vanish"
    // and "restore" act on the port's current number.
    ControlResult control(const QString &command);

    // --- what the program did
    QByteArray written() const { return written_; }
    void clearWritten() { written_.clear(); }
    int openCount() const { return opens_; }
    // The flow control in force since the last open.
    bool flowControlAtOpen() const { return flowAtOpen_; }
    // "open 1", "close", "baud 57600", "parity odd", "flow on", in order.
    const QStringList &events() const { return events_; }
    Simulator *simulatorOn(int number) const { return sims_.value(number); }

    // --- SerialPort
    bool portExists(int number) const override;
    void setPortNumber(int number) override;
    int portNumber() const override { return number_; }
    OpenResult open() override;
    void close() override;
    bool isOpen() const override { return open_; }
    void setBaudRate(int baud) override;
    int baudRate() const override { return baud_; }
    void setParity(Parity parity) override;
    Parity parity() const override { return parity_; }
    void setHardwareFlowControl(bool on) override;
    bool hardwareFlowControl() const override { return flow_; }
    void write(const QByteArray &bytes) override;
    qint64 outputFree() const override { return qMax<qint64>(0, capacity_ - outBuffer_.size()); }
    void flushInput() override { input_.clear(); }
    qint64 bytesAvailable() const override { return input_.size(); }
    QByteArray read(qint64 n) override;
    std::optional<ModemLines> modemLines() override { return open_ ? modemLines_ : std::nullopt; }

private:
    Simulator *current() const;
    void send(const QByteArray &bytes);
    void scheduleDelivery();
    void deliver();

    Clock &clock_;
    Simulator &simulator_;
    Simulator silent_;  // stands on every port without a simulator of its own
    std::unique_ptr<ClockTimer> timer_;
    QHash<int, Simulator *> sims_;
    QSet<int> existing_{1, 2};
    QSet<int> vanished_;
    QHash<int, OpenFailure> failures_;
    int number_ = 0;
    bool open_ = false;
    int baud_ = 38400;
    Parity parity_ = Parity::None;
    bool flow_ = true;
    bool flowAtOpen_ = true;
    int opens_ = 0;
    qint64 capacity_ = 4096;
    bool stalled_ = false;
    bool deliveryQueued_ = false;
    QByteArray outBuffer_;
    QByteArray input_;
    QByteArray written_;
    QStringList events_;
    std::optional<ModemLines> modemLines_;
};

}  // namespace tess::sim
