// Relayed commands through the controller at 57600 baud against quorex-sim
// on a pseudo-terminal, with the real serial port and the real clock: one
// round trip, then a burst of 100 with pause count 0. Each is measured
// against the time its bytes need on the wire, (bytes sent + bytes
// received) x 10 bits / baud, plus the simulator's reply delay for every
// exchange. The target is a ratio of at most 1.10.
//
//   bench_link [--sim PATH] [--delay-ms N] [--burst N]
#include "BenchSupport.h"
#include "link/Link.h"
#include "platform/Clock.h"
#include "platform/ProgramExit.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QTemporaryDir>

using namespace tess;

namespace {

constexpr int kBaud = 57600;

struct Measured {
    double ms = 0;
    double boundMs = 0;
};

}  // namespace

int main(int argc, char **argv)
{
    QTemporaryDir config;
    if (!config.isValid())
        return 2;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());

    QCoreApplication app(argc, argv);
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Times relayed commands through the controller."));
    options.addHelpOption();
    const bench::SimulatorOptions simOptions;
    simOptions.addTo(options);
    const QCommandLineOption burstOption(QStringLiteral("burst"), QStringLiteral("Commands in the burst (100)."),
                                         QStringLiteral("n"), QStringLiteral("100"));
    options.addOption(burstOption);
    options.process(app);
    const int delayMs = options.value(simOptions.delayMs).toInt();
    const int burst = qMax(1, options.value(burstOption).toInt());

    QProcess sim;
    const QString args = QStringLiteral("--mode controller --ids 5,6 --baud 57600 --port COM1 -c \"delay %1\"")
                             .arg(delayMs);
    if (!bench::startSimulator(sim, bench::simulatorPath(options.value(simOptions.path)), args)) {
        std::fprintf(stderr, "bench_link: the simulator did not come up\n");
        bench::stopSimulator(sim);
        return 2;
    }

    bench::CountingPort port;
    bench::QuietLinkHost window;
    bench::StderrDialogs dialogs;
    Link link(port, Clock::system(), dialogs, ProgramExit::system(), window);
    link.PromptChar = '>';
    link.ControllerMode = true;
    if (!port.openCom1(kBaud)) {
        std::fprintf(stderr, "bench_link: cannot open COM1\n");
        bench::stopSimulator(sim);
        return 2;
    }
    link.SetDeviceConnected(true);

    // Sends `count` black-level commands, stepping the level, and times them.
    const auto run = [&](int count) {
        port.sent = port.received = 0;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < count; ++i) {
            link.formatCommand("*%dBLKGN %d %d!", 5, 1 + i % 4, i % 256);
            link.ComputeChecksum();
            link.SendRelayed(5, 0);
        }
        Measured m;
        m.ms = double(timer.nsecsElapsed()) / 1e6;
        m.boundMs = double(port.sent + port.received) * 10.0 * 1000.0 / kBaud + double(count * delayMs);
        return m;
    };

    run(3);  // warm up: the line and the simulator settle
    const Measured one = run(1);
    const Measured many = run(burst);
    std::printf("%-22s %10s %10s %7s\n", "", "time ms", "bound ms", "ratio");
    std::printf("%-22s %10.2f %10.2f %7.3f\n", "one relayed command", one.ms, one.boundMs, one.ms / one.boundMs);
    std::printf("%-22s %10.2f %10.2f %7.3f\n", qPrintable(QStringLiteral("burst of %1").arg(burst)), many.ms,
                many.boundMs, many.ms / many.boundMs);
    std::printf("target: ratio at most 1.10\n");

    port.close();
    bench::stopSimulator(sim);
    return dialogs.shown > 0 ? 1 : 0;
}
