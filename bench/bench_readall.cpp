// A complete status read of two units through the controller at 57600 baud,
// against quorex-sim on a pseudo-terminal, with the real serial port and the
// real clock. Each run is measured against the time its bytes need on the
// wire: (bytes sent + bytes received) x 10 bits / baud, plus the simulator's
// reply delay for every exchange. The target is a ratio of at most 1.10.
//
//   bench_readall [--sim PATH] [--delay-ms N] [--runs N] [--sim-args "ARGS"]
//
// The simulator is started with a private XDG_CONFIG_HOME, so its COM1
// entry goes into a temporary port map that only this run reads.
#include "BenchSupport.h"
#include "device/DeviceHost.h"
#include "device/StatusQueries.h"
#include "link/Link.h"
#include "link/LinkHost.h"
#include "link/PortMap.h"
#include "link/QtSerialPort.h"
#include "model/SettingsModel.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/ProgramExit.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>

using namespace tess;
using tess::bench::CountingPort;
using tess::bench::StderrDialogs;

namespace {

constexpr int kBaud = 57600;
constexpr int kExchangesPerUnit = 9;  // SYINFOQX, four IINFOQX, four OINFOQX

class BenchWindow final : public bench::QuietLinkHost, public DeviceHost {
public:
    int unitId(int unit) const override { return unit == 1 ? 5 : 6; }
    void setStatusText(const QString &text) override { QuietLinkHost::setStatusText(text); }
    void setBusyCursor(bool busy) override { QuietLinkHost::setBusyCursor(busy); }
    int selectedSourceChannel() const override { return 1; }
    void setInfoText(const QString &) override {}
    void setInfoProgressText(const QString &) override {}
    void showInfoForm() override {}
    void hideInfoForm() override {}
    void setVersion1Text(const QString &) override {}
    void setUnitsDetected(int) override {}
    void setOutputFormatSize(int, int) override {}
    void setSettingsReadFromUnits(bool) override {}
};

}  // namespace

int main(int argc, char **argv)
{
    // The simulator and this program share a port map of their own.
    QTemporaryDir config;
    if (!config.isValid()) {
        std::fprintf(stderr, "bench_readall: no temporary folder\n");
        return 2;
    }
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());

    QCoreApplication app(argc, argv);
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Times a complete read of two units through the controller."));
    options.addHelpOption();
    const bench::SimulatorOptions simOptions;
    simOptions.addTo(options);
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Runs (default 5)."),
                                        QStringLiteral("n"), QStringLiteral("5"));
    const QCommandLineOption argsOption(
        QStringLiteral("sim-args"),
        QStringLiteral("The simulator's arguments, replacing the default (%DELAY% stands for --delay-ms)."),
        QStringLiteral("args"),
        QStringLiteral("--mode controller --ids 5,6 --baud 57600 --port COM1 -c \"delay %DELAY%\""));
    options.addOptions({runsOption, argsOption});
    options.process(app);

    const QString simPath = bench::simulatorPath(options.value(simOptions.path));
    const int delayMs = options.value(simOptions.delayMs).toInt();
    const int runs = std::max(1, options.value(runsOption).toInt());
    QString simArgs = options.value(argsOption);
    simArgs.replace(QStringLiteral("%DELAY%"), QString::number(delayMs));

    QProcess sim;
    if (!bench::startSimulator(sim, simPath, simArgs)) {
        std::fprintf(stderr, "bench_readall: %s %s did not come up with a COM1 entry in %s\n", qPrintable(simPath),
                     qPrintable(simArgs), qPrintable(PortMap::directory()));
        sim.kill();
        sim.waitForFinished(2000);
        return 2;
    }

    CountingPort port;
    BenchWindow window;
    StderrDialogs dialogs;
    Link link(port, Clock::system(), dialogs, ProgramExit::system(), window);
    SettingsModel model;
    StatusQueries queries(link, model, window);
    link.PromptChar = '>';
    link.ControllerMode = true;
    if (!port.openCom1(kBaud)) {
        std::fprintf(stderr, "bench_readall: cannot open %s\n", qPrintable(PortMap::devicePath(1)));
        bench::stopSimulator(sim);
        return 2;
    }
    link.SetDeviceConnected(true);

    std::printf("%-5s %10s %10s %7s %9s %9s\n", "run", "time ms", "bound ms", "ratio", "sent", "received");
    QList<double> ratios;
    bool failed = false;
    for (int run = 1; run <= runs; ++run) {
        port.sent = port.received = 0;
        QElapsedTimer timer;
        timer.start();
        const int first = queries.ReadAllStatus(1);
        const int second = queries.ReadAllStatus(2);
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        const double bound = double(port.sent + port.received) * 10.0 * 1000.0 / kBaud
                             + double(2 * kExchangesPerUnit * delayMs);
        const double ratio = ms / bound;
        std::printf("%-5d %10.1f %10.1f %7.3f %9lld %9lld\n", run, ms, bound, ratio, port.sent, port.received);
        if (first != 1 || second != 1 || dialogs.shown > 0) {
            std::fprintf(stderr, "bench_readall: the read failed (%d, %d)\n", first, second);
            failed = true;
            break;
        }
        ratios << ratio;
        QThread::msleep(100);
    }
    if (!ratios.isEmpty()) {
        std::sort(ratios.begin(), ratios.end());
        std::printf("median ratio %.3f (target at most 1.10)\n", ratios[ratios.size() / 2]);
    }

    port.close();
    bench::stopSimulator(sim);
    return failed ? 1 : 0;
}
