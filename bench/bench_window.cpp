// The real main window, offscreen, against quorex-sim on a pseudo-terminal:
// one case a run, timed over many samples, each sample measured against the
// least time the line allows (the honest bound):
//
//   bytes that must cross before the reply can start + reply bytes,
//   x bits per byte / baud, + the pauses the program must make.
//
// Through the controller the line is half duplex, so everything written and
// everything read crosses one after the other; directly (full duplex) a
// unit's echo starts only once the line's carriage return has arrived, so
// the same holds for the exchanges timed here.
//
//   bench_window --case NAME [--samples N] [--sim PATH]
//   bench_window --list
//
// Prints one row of figures (see bench/run for the header) and lines of
// detail, each beginning with two spaces. Exit codes: BenchSupport.h.
#include "BenchCases.h"
#include "BenchSupport.h"

#include "app/Startup.h"
#include "link/PortMap.h"
#include "platform/Clock.h"
#include "platform/ProgramExit.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace tess;
using namespace tess::bench;

namespace {

int fail(int code, const QString &why)
{
    std::fprintf(stderr, "bench_window: %s\n", qPrintable(why));
    return code;
}

}  // namespace

int main(int argc, char **argv)
{
    catchInterrupts();
    // The simulator and the window share a port map, preferences and lock
    // of their own, removed with this folder whatever happens.
    QTemporaryDir home;
    if (!home.isValid())
        return fail(SetupFailed, QStringLiteral("no temporary folder: %1").arg(home.errorString()));
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    QDir().mkpath(home.filePath(QStringLiteral("runtime")));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", home.filePath(QStringLiteral("runtime")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tessaline"));
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Times one case through the real main window."));
    options.addHelpOption();
    const QCommandLineOption caseOption(QStringLiteral("case"), QStringLiteral("The case to run."),
                                        QStringLiteral("name"));
    const QCommandLineOption samplesOption(QStringLiteral("samples"), QStringLiteral("Samples (at least 20)."),
                                           QStringLiteral("n"), QStringLiteral("20"));
    const QCommandLineOption simOption(QStringLiteral("sim"), QStringLiteral("quorex-sim to start."),
                                       QStringLiteral("path"));
    const QCommandLineOption listOption(QStringLiteral("list"), QStringLiteral("Lists the cases."));
    options.addOptions({caseOption, samplesOption, simOption, listOption});
    options.process(app);

    if (options.isSet(listOption)) {
        for (const BenchCase &c : allCases())
            std::printf("%s\n", c.name);
        return Done;
    }
    const BenchCase *chosen = findCase(options.value(caseOption));
    if (!chosen)
        return fail(SetupFailed, QStringLiteral("no case \"%1\" (--list names them)").arg(options.value(caseOption)));
    const int samples = std::max(20, options.value(samplesOption).toInt());

    SimProcess sim(simulatorPath(options.value(simOption)), home.filePath(QStringLiteral("sim.sock")));
    QString error;
    if (!sim.start(chosen->simArguments, 1, &error))
        return fail(interrupted() ? Interrupted : SetupFailed, error);

    BenchDialogs dialogs;
    if (chosen->connect)
        dialogs.yesTo << QStringLiteral("Tessaline requires connection");
    TimedPort port;
    const StartupServices services{dialogs, Clock::system(), ProgramExit::system(), home.path(), &port, home.path()};
    StartedProgram program = startTessaline(services);
    if (!program.form)
        return fail(SetupFailed,
                    QStringLiteral("the window was not built: %1").arg(dialogs.shown.join(QLatin1String(" | "))));
    TTessalineForm &form = *program.form;
    form.show();
    // The first show offers the search; it runs (and reads the units) here.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    if (chosen->connect && !form.deviceConnected()) {
        return fail(SetupFailed, QStringLiteral("the window found no units on COM1 (%1): %2")
                                     .arg(PortMap::devicePath(1), dialogs.shown.join(QLatin1String(" | "))));
    }
    if (interrupted())
        return fail(Interrupted, QStringLiteral("interrupted"));

    CaseRun run{form, port, dialogs, sim};
    const int code = runCase(*chosen, run, samples);
    form.hide();
    program.form.reset();
    sim.stop();
    return code;
}
