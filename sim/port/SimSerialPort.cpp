#include "port/SimSerialPort.h"

#include "platform/Clock.h"

#include <QMetaObject>

namespace tess::sim {

namespace {

tess::sim::Parity toSim(SerialPort::Parity p)
{
    switch (p) {
    case SerialPort::Parity::Odd:
        return tess::sim::Parity::Odd;
    case SerialPort::Parity::Even:
        return tess::sim::Parity::Even;
    case SerialPort::Parity::Mark:
        return tess::sim::Parity::Mark;
    case SerialPort::Parity::Space:
        return tess::sim::Parity::Space;
    case SerialPort::Parity::None:
        break;
    }
    return tess::sim::Parity::None;
}

QString parityName(SerialPort::Parity p)
{
    static const char *const names[] = {"none", "odd", "even", "mark", "space"};
    return QString::fromLatin1(names[int(p)]);
}

}  // namespace

SimSerialPort::SimSerialPort(Clock &clock, Simulator &simulator, QObject *parent)
    : SerialPort(parent), clock_(clock), simulator_(simulator), timer_(clock.createTimer())
{
    silent_.faults().silent = true;
    silent_.onOutput = [this] { scheduleDelivery(); };
    simulator_.onOutput = [this] { scheduleDelivery(); };
    sims_.insert(1, &simulator_);
    connect(timer_.get(), &ClockTimer::timeout, this, &SimSerialPort::deliver);
}

SimSerialPort::~SimSerialPort()
{
    simulator_.onOutput = nullptr;
    for (Simulator *sim : std::as_const(sims_))
        sim->onOutput = nullptr;
}

void SimSerialPort::setExistingPorts(const QList<int> &numbers)
{
    existing_ = QSet<int>(numbers.cbegin(), numbers.cend());
}

void SimSerialPort::attach(int number, Simulator *simulator)
{
    if (Simulator *previous = sims_.value(number); previous && previous != &simulator_)
        previous->onOutput = nullptr;
    if (simulator) {
        sims_.insert(number, simulator);
        simulator->onOutput = [this] { scheduleDelivery(); };
    } else {
        sims_.remove(number);
    }
}

void SimSerialPort::setAnsweringPort(int number)
{
    for (auto it = sims_.begin(); it != sims_.end();) {
        if (it.value() == &simulator_)
            it = sims_.erase(it);
        else
            ++it;
    }
    sims_.insert(number, &simulator_);
}

void SimSerialPort::setOpenFailure(int number, OpenFailure failure)
{
    failures_.insert(number, failure);
}

Simulator *SimSerialPort::current() const
{
    return sims_.value(number_, const_cast<Simulator *>(&silent_));
}

bool SimSerialPort::portExists(int number) const
{
    return existing_.contains(number) && !vanished_.contains(number);
}

void SimSerialPort::setPortNumber(int number)
{
    if (number == number_)
        return;
    const bool wasOpen = open_;
    if (wasOpen)
        close();
    number_ = number;
    if (wasOpen)
        open();
}

SerialPort::OpenResult SimSerialPort::open()
{
    using Kind = OpenResult::Kind;
    if (open_)
        return {Kind::Opened, {}};
    if (!portExists(number_))
        return {Kind::Failed, QStringLiteral("No such file or directory")};
    switch (failures_.value(number_, OpenFailure::None)) {
    case OpenFailure::PermissionDenied:
        return {Kind::PermissionDenied, QStringLiteral("Permission denied")};
    case OpenFailure::Busy:
        return {Kind::Failed, QStringLiteral("Device or resource busy")};
    case OpenFailure::None:
        break;
    }
    open_ = true;
    ++opens_;
    flowAtOpen_ = flow_;
    input_.clear();
    outBuffer_.clear();
    events_ << QStringLiteral("open %1").arg(number_);
    scheduleDelivery();
    return {Kind::Opened, {}};
}

void SimSerialPort::close()
{
    if (!open_)
        return;
    open_ = false;
    timer_->stop();
    // What the device sends while nobody listens is lost.
    current()->discardPendingOutput();
    input_.clear();
    outBuffer_.clear();
    events_ << QStringLiteral("close");
}

void SimSerialPort::setBaudRate(int baud)
{
    baud_ = baud;
    events_ << QStringLiteral("baud %1").arg(baud);
}

void SimSerialPort::setParity(Parity parity)
{
    parity_ = parity;
    events_ << QStringLiteral("parity ") + parityName(parity);
}

void SimSerialPort::setHardwareFlowControl(bool on)
{
    flow_ = on;
    events_ << (on ? QStringLiteral("flow on") : QStringLiteral("flow off"));
}

void SimSerialPort::setOutputStalled(bool stalled)
{
    stalled_ = stalled;
    if (!stalled_ && !outBuffer_.isEmpty()) {
        const QByteArray waiting = outBuffer_;
        outBuffer_.clear();
        send(waiting);
    }
}

void SimSerialPort::write(const QByteArray &bytes)
{
    if (!open_ || vanished_.contains(number_) || bytes.isEmpty())
        return;
    if (stalled_) {
        // The buffer takes what fits; a driver would refuse the rest.
        const QByteArray taken = bytes.left(outputFree());
        written_ += taken;
        outBuffer_ += taken;
        return;
    }
    written_ += bytes;
    send(bytes);
    emit bytesSent(bytes.size());
}

void SimSerialPort::send(const QByteArray &bytes)
{
    current()->receive(bytes, clock_.nowMs(), LineSettings{baud_, toSim(parity_)});
}

QByteArray SimSerialPort::read(qint64 n)
{
    const QByteArray out = input_.left(n);
    input_.remove(0, out.size());
    return out;
}

void SimSerialPort::vanish()
{
    vanished_.insert(number_);
    timer_->stop();
    current()->discardPendingOutput();
    QMetaObject::invokeMethod(
        this, [this] { emit errorOccurred(QStringLiteral("The device has vanished (Input/output error)")); },
        Qt::QueuedConnection);
}

void SimSerialPort::restore()
{
    vanished_.clear();
}

void SimSerialPort::inject(const QByteArray &bytes)
{
    current()->sendRaw(bytes, clock_.nowMs());
}

ControlResult SimSerialPort::control(const QString &command)
{
    const ControlResult result = simulator_.control(command, clock_.nowMs());
    if (result.action == ControlResult::Action::Vanish)
        vanish();
    else if (result.action == ControlResult::Action::Restore)
        restore();
    scheduleDelivery();
    return result;
}

void SimSerialPort::scheduleDelivery()
{
    if (!open_ || vanished_.contains(number_) || deliveryQueued_)
        return;
    const std::optional<qint64> due = current()->nextDueMs();
    if (!due) {
        timer_->stop();
        return;
    }
    const qint64 wait = *due - clock_.nowMs();
    if (wait > 0) {
        timer_->start(int(qMin<qint64>(wait, 1 << 30)));
        return;
    }
    // Never inside write(): the piece arrives from the event loop.
    timer_->stop();
    deliveryQueued_ = true;
    QMetaObject::invokeMethod(this, &SimSerialPort::deliver, Qt::QueuedConnection);
}

void SimSerialPort::deliver()
{
    deliveryQueued_ = false;
    timer_->stop();
    // Every piece that is due is its own arrival; the handler may close the
    // port or write meanwhile.
    while (open_ && !vanished_.contains(number_)) {
        const std::optional<QByteArray> piece = current()->takeNext(clock_.nowMs());
        if (!piece)
            break;
        input_ += *piece;
        emit dataAvailable(int(input_.size()));
    }
    scheduleDelivery();
}

}  // namespace tess::sim

#include "moc_SimSerialPort.cpp"
