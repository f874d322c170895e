// tessaline-cli read against quorex-sim on a pseudo-terminal, through the
// real serial port: two units behind the controller, paced as a real line
// both ways, read into a configuration file over many samples. Each sample
// is set against the honest bound of what crossed the line: every byte
// written and read, one after the other (the controller's line is half
// duplex), times bits per byte over the baud rate, plus the pauses the
// program must make. The command runs in-process, as `main()` runs it,
// from its search on the one port and mode given to the file written.
//
//   bench_cli [--samples N] [--sim PATH]
//
// Prints one row of figures (the columns of bench/run) and lines of detail,
// each beginning with two spaces. Exit codes: BenchSupport.h.
#include "BenchCases.h"
#include "BenchSupport.h"

#include "cli/Cli.h"
#include "cli/Console.h"
#include "model/ConfigurationFile.h"
#include "platform/Clock.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

using namespace tess;
using namespace tess::bench;

namespace {

constexpr int ControllerBaud = 57600;

int fail(int code, const QString &why)
{
    std::fprintf(stderr, "bench_cli: %s\n", qPrintable(why));
    return code;
}

double nsToMs(qint64 ns)
{
    return double(ns) / 1e6;
}

}  // namespace

int main(int argc, char **argv)
{
    catchInterrupts();
    // The simulator and the command share a port map of their own, removed
    // with this folder whatever happens.
    QTemporaryDir home;
    if (!home.isValid())
        return fail(SetupFailed, QStringLiteral("no temporary folder: %1").arg(home.errorString()));
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tessaline"));
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Times tessaline-cli read of two units behind the controller."));
    options.addHelpOption();
    const QCommandLineOption samplesOption(QStringLiteral("samples"), QStringLiteral("Samples (at least 20)."),
                                           QStringLiteral("n"), QStringLiteral("20"));
    const QCommandLineOption simOption(QStringLiteral("sim"), QStringLiteral("quorex-sim to start."),
                                       QStringLiteral("path"));
    options.addOptions({samplesOption, simOption});
    options.process(app);
    const int samples = std::max(20, options.value(samplesOption).toInt());

    SimProcess sim(simulatorPath(options.value(simOption)), home.filePath(QStringLiteral("sim.sock")));
    QString error;
    const QStringList simArguments{
        QStringLiteral("--mode"),       QStringLiteral("controller"), QStringLiteral("--ids"),
        QStringLiteral("5,6"),          QStringLiteral("--baud"),     QString::number(ControllerBaud),
        QStringLiteral("--port"),       QStringLiteral("COM1"),       QStringLiteral("-c"),
        QStringLiteral("do 1 PRJ 0 8"), QStringLiteral("-c"),         QStringLiteral("do 2 PRJ 1 8")};
    if (!sim.start(simArguments, 1, &error))
        return fail(interrupted() ? Interrupted : SetupFailed, error);

    TimedPort port;
    QByteArray said;
    cli::Environment env{{[](const QByteArray &) {}, [&said](const QByteArray &bytes) { said += bytes; },
                          [] { return std::optional<QByteArray>(); }, false, false},
                         Clock::system(),
                         &port,
                         nullptr};
    const QString file = home.filePath(QStringLiteral("wall.qxc"));
    const QStringList arguments{QStringLiteral("tessaline-cli"),
                                QStringLiteral("read"),
                                QStringLiteral("-o"),
                                file,
                                QStringLiteral("--port"),
                                QStringLiteral("COM1"),
                                QStringLiteral("--mode"),
                                QStringLiteral("controller"),
                                QStringLiteral("--quiet")};

    const QString loadBefore = machineLoad();
    sim.control(QStringLiteral("line-stats reset"));
    QList<double> times, bounds, ratios, leads, tails, turnarounds;
    constexpr int WarmUps = 2;
    for (int i = 0; i < WarmUps + samples && !interrupted(); ++i) {
        QFile::remove(file);
        said.clear();
        port.log.clear();
        const qint64 start = nowNs();
        const int code = cli::run(arguments, env);
        const qint64 end = nowNs();
        if (code != cli::Done || QFileInfo(file).size() != ConfigurationFileSize)
            return fail(code == cli::Interrupted ? Interrupted : BoxesShown,
                        QStringLiteral("the read failed (exit %1): %2").arg(code).arg(QString::fromUtf8(said)));
        if (i < WarmUps)
            continue;
        const double ms = nsToMs(end - start);
        const double bound = wireMs(port.sent() + port.received(), port.bitsPerByte(), port.baudRate())
                             + mandatedPausesMs(port.written());
        times << ms;
        bounds << bound;
        ratios << ms / bound;
        turnarounds << port.turnaroundsMs();
        if (!port.log.isEmpty()) {
            leads << nsToMs(port.log.first().ns - start);
            tails << nsToMs(end - port.log.last().ns);
        }
        if (ms / bound < 0.98) {
            return fail(FasterThanWire, QStringLiteral("setup broken: faster than the wire (%1 ms, bound %2 ms)")
                                            .arg(ms, 0, 'f', 2)
                                            .arg(bound, 0, 'f', 2));
        }
    }
    if (interrupted())
        return fail(Interrupted, QStringLiteral("interrupted"));

    const Spread t = spreadOf(times);
    const Spread b = spreadOf(bounds);
    const Spread r = spreadOf(ratios);
    std::printf("%-18s %3d %9.2f %9.2f %9.2f %9.2f %9.2f %9.2f %6.3f %6.3f %6.3f %8.3f\n", "cli-read-two-units",
                int(times.size()), t.median, t.q1, t.q3, t.min, t.max, b.median, r.median, r.min, r.max,
                spreadOf(turnarounds).median);
    std::printf("  program time before the first byte %.3f ms, after the last %.3f ms (medians)\n",
                spreadOf(leads).median, spreadOf(tails).median);
    std::printf("  load before %s, after %s; simulator %s\n", qPrintable(loadBefore), qPrintable(machineLoad()),
                qPrintable(sim.lineStats()));
    sim.stop();
    return Done;
}
