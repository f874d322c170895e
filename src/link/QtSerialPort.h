#pragma once

#include "link/SerialPort.h"

#include <QSerialPort>

namespace tess {

// The real serial port: QSerialPort on the device the port map names.
class QtSerialPort final : public SerialPort {
    Q_OBJECT
public:
    // Characters the output buffer takes before writes are refused.
    static constexpr qint64 OutputBufferSize = 4096;

    explicit QtSerialPort(QObject *parent = nullptr);
    ~QtSerialPort() override;

    bool portExists(int number) const override;
    QString portProblem(int number) const override;
    void setPortNumber(int number) override;
    int portNumber() const override { return number_; }
    QString deviceName() const override { return openedDevice_; }
    OpenResult open() override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }
    void setBaudRate(int baud) override;
    int baudRate() const override { return baud_; }
    void setParity(Parity parity) override;
    Parity parity() const override { return parity_; }
    void setHardwareFlowControl(bool on) override { hardwareFlow_ = on; }
    bool hardwareFlowControl() const override { return hardwareFlow_; }
    void write(const QByteArray &bytes) override;
    qint64 outputFree() const override;
    void flushInput() override;
    qint64 bytesAvailable() const override { return port_.bytesAvailable(); }
    QByteArray read(qint64 n) override { return port_.read(n); }
    std::optional<ModemLines> modemLines() override;

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    int number_ = 0;
    QString openedDevice_;  // the device behind the port-map entry, links followed
    int baud_ = 38400;
    Parity parity_ = Parity::None;
    bool hardwareFlow_ = true;
    // The device refused to report its modem lines since it was opened.
    bool noModemLines_ = false;
    // A modem-line query runs: its refusal is no line failure.
    bool askingModemLines_ = false;
};

}  // namespace tess
