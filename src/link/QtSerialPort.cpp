#include "link/QtSerialPort.h"

#include "link/PortMap.h"

#include <QFileInfo>

namespace tess {
namespace {

QSerialPort::Parity toQt(SerialPort::Parity parity)
{
    switch (parity) {
    case SerialPort::Parity::Odd:
        return QSerialPort::OddParity;
    case SerialPort::Parity::Even:
        return QSerialPort::EvenParity;
    case SerialPort::Parity::Mark:
        return QSerialPort::MarkParity;
    case SerialPort::Parity::Space:
        return QSerialPort::SpaceParity;
    case SerialPort::Parity::None:
        break;
    }
    return QSerialPort::NoParity;
}

}  // namespace

QtSerialPort::QtSerialPort(QObject *parent) : SerialPort(parent)
{
    connect(&port_, &QSerialPort::readyRead, this, [this] { Q_EMIT dataAvailable(int(port_.bytesAvailable())); });
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
    connect(&port_, &QSerialPort::bytesWritten, this, &SerialPort::bytesSent);
}

QtSerialPort::~QtSerialPort()
{
    port_.close();
}

bool QtSerialPort::portExists(int number) const
{
    const PortMap::Lookup found = PortMap::lookup(number);
    return found.problem.isEmpty() && QFileInfo::exists(found.device);
}

QString QtSerialPort::portProblem(int number) const
{
    return PortMap::lookup(number).problem;
}

void QtSerialPort::setPortNumber(int number)
{
    if (number == number_)
        return;
    const bool wasOpen = port_.isOpen();
    if (wasOpen)
        port_.close();
    number_ = number;
    if (wasOpen)
        open();
}

SerialPort::OpenResult QtSerialPort::open()
{
    OpenResult result;
    if (port_.isOpen())
        port_.close();
    const QString device = PortMap::devicePath(number_);
    result.detail = device;
    port_.setPortName(device);
    port_.setBaudRate(baud_);
    port_.setDataBits(QSerialPort::Data8);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setParity(toQt(parity_));
    port_.setFlowControl(hardwareFlow_ ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl);
    noModemLines_ = false;
    if (port_.open(QIODevice::ReadWrite)) {
        result.kind = OpenResult::Kind::Opened;
        // Named while it is there: a message about a port that went away
        // says which device it was.
        const QString real = QFileInfo(device).canonicalFilePath();
        openedDevice_ = real.isEmpty() ? device : real;
        port_.clear(QSerialPort::AllDirections);
        return result;
    }
    result.kind =
        port_.error() == QSerialPort::PermissionError ? OpenResult::Kind::PermissionDenied : OpenResult::Kind::Failed;
    port_.clearError();
    return result;
}

void QtSerialPort::close()
{
    if (port_.isOpen())
        port_.close();
}

void QtSerialPort::setBaudRate(int baud)
{
    baud_ = baud;
    if (port_.isOpen())
        port_.setBaudRate(baud);
}

void QtSerialPort::setParity(Parity parity)
{
    parity_ = parity;
    if (port_.isOpen())
        port_.setParity(toQt(parity));
}

void QtSerialPort::write(const QByteArray &bytes)
{
    if (!port_.isOpen())
        return;
    port_.write(bytes);
    // Out to the device now, not when the event loop next looks at the
    // port: repaints queued meanwhile would otherwise go first.
    port_.flush();
}

qint64 QtSerialPort::outputFree() const
{
    return port_.isOpen() ? OutputBufferSize - port_.bytesToWrite() : 0;
}

void QtSerialPort::flushInput()
{
    if (!port_.isOpen())
        return;
    port_.clear(QSerialPort::Input);
    port_.readAll();
}

std::optional<SerialPort::ModemLines> QtSerialPort::modemLines()
{
    if (!port_.isOpen() || noModemLines_)
        return std::nullopt;
    // A device without modem lines refuses the query with an error; that
    // says nothing about the line itself, and is not asked again until the
    // port is next opened.
    askingModemLines_ = true;
    const QSerialPort::PinoutSignals lines = port_.pinoutSignals();
    askingModemLines_ = false;
    if (port_.error() != QSerialPort::NoError) {
        port_.clearError();
        noModemLines_ = true;
        return std::nullopt;
    }
    return ModemLines{lines.testFlag(QSerialPort::DataCarrierDetectSignal),
                      lines.testFlag(QSerialPort::ClearToSendSignal)};
}

void QtSerialPort::onError(QSerialPort::SerialPortError error)
{
    if (askingModemLines_)
        return;  // handled by modemLines()
    switch (error) {
    case QSerialPort::NoError:
    case QSerialPort::OpenError:
    case QSerialPort::PermissionError:
    case QSerialPort::DeviceNotFoundError:
        return;  // reported by open()
    case QSerialPort::ResourceError: {
        // The device went away (an adapter pulled out, the other end gone).
        const QString what = port_.errorString();
        port_.clearError();
        port_.close();
        Q_EMIT errorOccurred(what);
        return;
    }
    default: {
        const QString what = port_.errorString();
        port_.clearError();
        Q_EMIT errorOccurred(what);
        return;
    }
    }
}

}  // namespace tess

#include "moc_QtSerialPort.cpp"
