#include "BenchSupport.h"

#include "link/PortMap.h"

#include <QCoreApplication>
#include <QFile>

#include <csignal>

namespace tess::bench {
namespace {

volatile std::sig_atomic_t interruptSignal = 0;

extern "C" void onInterrupt(int signal)
{
    interruptSignal = signal;
}

}  // namespace

qint64 nowNs()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock.nsecsElapsed();
}

TimedPort::TimedPort()
{
    connect(&port_, &SerialPort::dataAvailable, this, &SerialPort::dataAvailable);
    connect(&port_, &SerialPort::errorOccurred, this, &SerialPort::errorOccurred);
    connect(&port_, &SerialPort::bytesSent, this, &SerialPort::bytesSent);
}

void TimedPort::write(const QByteArray &bytes)
{
    if (port_.isOpen())
        log.append({nowNs(), true, bytes});
    port_.write(bytes);
}

void TimedPort::flushInput()
{
    // What is thrown away crossed the wire all the same.
    if (port_.bytesAvailable() > 0)
        log.append({nowNs(), false, port_.read(port_.bytesAvailable())});
    port_.flushInput();
}

QByteArray TimedPort::read(qint64 n)
{
    const QByteArray bytes = port_.read(n);
    if (!bytes.isEmpty())
        log.append({nowNs(), false, bytes});
    return bytes;
}

qint64 TimedPort::sent() const
{
    qint64 total = 0;
    for (const Event &event : log)
        total += event.out ? event.bytes.size() : 0;
    return total;
}

qint64 TimedPort::received() const
{
    qint64 total = 0;
    for (const Event &event : log)
        total += event.out ? 0 : event.bytes.size();
    return total;
}

QByteArray TimedPort::written() const
{
    QByteArray all;
    for (const Event &event : log) {
        if (event.out)
            all += event.bytes;
    }
    return all;
}

qint64 TimedPort::lastReadNs() const
{
    for (auto event = log.crbegin(); event != log.crend(); ++event) {
        if (!event->out)
            return event->ns;
    }
    return 0;
}

QList<double> TimedPort::turnaroundsMs() const
{
    QList<double> gaps;
    const Event *lastRead = nullptr;
    for (const Event &event : log) {
        if (!event.out) {
            lastRead = &event;
        } else if (lastRead) {
            gaps << double(event.ns - lastRead->ns) / 1e6;
            lastRead = nullptr;
        }
    }
    return gaps;
}

bool BenchDialogs::askYesNo(const QString &, const QString &text)
{
    shown << text;
    for (const QString &yes : std::as_const(yesTo)) {
        if (text.startsWith(yes))
            return true;
    }
    return false;
}

bool SimProcess::start(const QStringList &arguments, int port, QString *error)
{
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(path_, arguments + QStringList{QStringLiteral("--control"), socket_});
    if (!process_.waitForStarted(5000)) {
        *error = QStringLiteral("cannot start the simulator %1: %2").arg(path_, process_.errorString());
        return false;
    }
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 10000 && process_.state() != QProcess::NotRunning && !interrupted()) {
        while (process_.canReadLine()) {
            if (process_.readLine().trimmed() != "ready")
                continue;
            if (PortMap::hasEntry(port))
                return true;
            *error = QStringLiteral("the simulator is ready but made no COM%1 entry in %2")
                         .arg(port)
                         .arg(PortMap::directory());
            return false;
        }
        process_.waitForReadyRead(50);
    }
    if (interrupted())
        *error = QStringLiteral("interrupted while the simulator started");
    else if (process_.state() == QProcess::NotRunning)
        *error = QStringLiteral("the simulator %1 ended at start (exit code %2)").arg(path_).arg(process_.exitCode());
    else
        *error = QStringLiteral("the simulator %1 did not say \"ready\" within 10 s").arg(path_);
    return false;
}

QString SimProcess::send(const QString &command, bool *ok) const
{
    QProcess sender;
    sender.setProcessChannelMode(QProcess::MergedChannels);
    sender.start(path_, {QStringLiteral("--send"), socket_, command});
    const bool finished = sender.waitForFinished(5000);
    const QString answer = QString::fromLocal8Bit(sender.readAll()).trimmed();
    *ok = finished && sender.exitStatus() == QProcess::NormalExit && sender.exitCode() == 0;
    return answer;
}

QString SimProcess::lineStats() const
{
    bool ok = false;
    QString answer = send(QStringLiteral("line-stats"), &ok);
    if (!ok)
        return {};
    if (answer.endsWith(QLatin1String("ok")))
        answer.chop(2);
    return answer.trimmed().replace(QLatin1Char('\n'), QLatin1String("; "));
}

bool SimProcess::control(const QString &command) const
{
    bool ok = false;
    send(command, &ok);
    return ok;
}

void SimProcess::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    // SIGTERM: the simulator removes its port-map entry itself.
    process_.terminate();
    if (!process_.waitForFinished(3000))
        process_.kill();
    process_.waitForFinished(1000);
}

QString simulatorPath(const QString &given)
{
    if (!given.isEmpty())
        return given;
    return qEnvironmentVariable("QUOREX_SIM",
                                QCoreApplication::applicationDirPath() + QStringLiteral("/../sim/quorex-sim"));
}

void catchInterrupts()
{
    struct sigaction action = {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

bool interrupted()
{
    return interruptSignal != 0;
}

QString machineLoad()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    const QList<QByteArray> fields = file.readLine().split(' ');
    return QString::fromLatin1(fields.mid(0, 3).join(' '));
}

Spread spreadOf(QList<double> values)
{
    Spread s;
    if (values.isEmpty())
        return s;
    std::sort(values.begin(), values.end());
    const auto at = [&values](double fraction) {
        const double index = fraction * double(values.size() - 1);
        const auto low = qsizetype(index);
        const qsizetype high = std::min(low + 1, values.size() - 1);
        return values[low] + (values[high] - values[low]) * (index - double(low));
    };
    s.min = values.first();
    s.max = values.last();
    s.median = at(0.5);
    s.q1 = at(0.25);
    s.q3 = at(0.75);
    return s;
}

}  // namespace tess::bench
