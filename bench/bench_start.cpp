// One start-search-read-close run of the real main window (offscreen)
// against a quorex-sim that already serves COM1 in the port map of
// XDG_CONFIG_HOME (bench/start sets both up). Prints one line:
//
//   shown_ms SHOWN  run_ms TOTAL  peak_kib VMHWM
//
// SHOWN is the time from BENCH_T0_NS (CLOCK_REALTIME nanoseconds taken
// just before this program was started; without it the process's start)
// to the main window's first paint; TOTAL the same to the end of the run;
// VMHWM the process's peak resident memory.
#include "BenchSupport.h"

#include "app/Startup.h"
#include "platform/Clock.h"
#include "platform/ProgramExit.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <unistd.h>

using namespace tess;
using namespace tess::bench;

namespace {

qint64 realtimeNs()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// When the process started, from /proc (in clock ticks since boot).
qint64 processStartNs()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly))
        return realtimeNs();
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double startSeconds = fields.value(19).toDouble() / double(sysconf(_SC_CLK_TCK));
    const double upSeconds = uptime.readAll().split(' ').value(0).toDouble();
    return realtimeNs() - qint64((upSeconds - startSeconds) * 1e9);
}

qint64 peakKib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Notes the time of the window's first paint.
class FirstPaint final : public QObject {
public:
    qint64 ns = 0;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && ns == 0)
            ns = realtimeNs();
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char **argv)
{
    const qint64 t0 = qEnvironmentVariableIsSet("BENCH_T0_NS") ? qEnvironmentVariable("BENCH_T0_NS").toLongLong()
                                                               : processStartNs();
    catchInterrupts();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (!home.isValid()) {
        std::fprintf(stderr, "bench_start: no temporary folder\n");
        return SetupFailed;
    }
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tessaline"));

    BenchDialogs dialogs;
    dialogs.yesTo << QStringLiteral("Tessaline requires connection") << QStringLiteral("Are you sure");
    TimedPort port;
    const StartupServices services{dialogs, Clock::system(), ProgramExit::system(), home.path(), &port, home.path()};
    StartedProgram program = startTessaline(services);
    if (!program.form) {
        std::fprintf(stderr, "bench_start: the window was not built\n");
        return SetupFailed;
    }
    FirstPaint paint;
    program.form->installEventFilter(&paint);
    program.form->show();
    while (paint.ns == 0 && !interrupted())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // The queued first-show work: the search question, answered Yes, the
    // search and the read of the units.
    QCoreApplication::processEvents();
    const bool connected = program.form->deviceConnected();
    program.form->close();
    QCoreApplication::processEvents();
    const qint64 end = realtimeNs();
    if (interrupted()) {
        std::fprintf(stderr, "bench_start: interrupted\n");
        return Interrupted;
    }
    if (!connected) {
        std::fprintf(stderr, "bench_start: the window found no units: %s\n",
                     qPrintable(dialogs.shown.join(QLatin1String(" | "))));
        return SetupFailed;
    }
    std::printf("shown_ms %.1f run_ms %.1f peak_kib %lld\n", double(paint.ns - t0) / 1e6, double(end - t0) / 1e6,
                peakKib());
    return Done;
}
