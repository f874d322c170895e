#pragma once

#include "link/SerialPort.h"

#include <QList>
#include <QSet>
#include <functional>

namespace tess::test {

// A serial port in memory for the link's own tests: the test decides what
// "the device" sends, byte for byte and in which pieces, and sees every byte
// the program wrote. Bytes arrive through the event loop, never inside
// write().
class ScriptedPort final : public SerialPort {
    Q_OBJECT
public:
    ScriptedPort();

    // Which port numbers exist, and what opening each does.
    QSet<int> existing{1, 2};
    QSet<int> permissionDenied;
    QSet<int> failsToOpen;
    qint64 outputCapacity = 4096;

    // Called with every write while open; what it returns is sent back
    // (delivered later through the event loop, in `pieceSize` pieces; 0 =
    // all at once).
    std::function<QByteArray(int port, const QByteArray &written)> respond;
    int pieceSize = 0;

    // Queues bytes as if the device sent them, in pieces of `pieceSize`.
    void deliver(const QByteArray &bytes);
    // Delivers one arrival now (synchronously raises dataAvailable).
    void arriveNow(const QByteArray &bytes);
    // The line fails: raises errorOccurred. With `closes`, the port closes
    // itself as the real one does when its device goes away.
    void failLine(const QString &what = QStringLiteral("device gone"), bool closes = false);

    // Everything written since the last take, per port number.
    QByteArray takeWritten();
    QByteArray written;  // all writes ever, in order
    int opens = 0;

    bool portExists(int number) const override { return existing.contains(number); }
    void setPortNumber(int number) override;
    int portNumber() const override { return number_; }
    QString deviceName() const override { return QStringLiteral("/dev/ttyS%1").arg(number_ - 1); }
    OpenResult open() override;
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    void setBaudRate(int baud) override { baud_ = baud; }
    int baudRate() const override { return baud_; }
    void setParity(Parity parity) override { parity_ = parity; }
    Parity parity() const override { return parity_; }
    void setHardwareFlowControl(bool on) override { flowAtNextOpen_ = on; }
    bool hardwareFlowControl() const override { return flowAtNextOpen_; }
    bool flowControlInForce() const { return flowInForce_; }
    void write(const QByteArray &bytes) override;
    qint64 outputFree() const override { return outputCapacity; }
    void flushInput() override { input_.clear(); }
    qint64 bytesAvailable() const override { return input_.size(); }
    QByteArray read(qint64 n) override;

private:
    void arrive(const QByteArray &bytes);

    int number_ = 0;
    bool open_ = false;
    int baud_ = 38400;
    Parity parity_ = Parity::None;
    bool flowAtNextOpen_ = true;
    bool flowInForce_ = false;
    QByteArray input_;
    int takenUpTo_ = 0;
};

}  // namespace tess::test
