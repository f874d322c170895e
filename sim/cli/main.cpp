// quorex-sim: simulated Quorex units, directly or behind a VKS Controller,
// served on a pseudo-terminal that the port map names COM1 or COM2.

#include "cli/ControlServer.h"
#include "cli/PortMapEntry.h"
#include "cli/PtyLine.h"
#include "core/ControlCommands.h"
#include "core/Simulator.h"
#include "wall/WallWindow.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <unistd.h>

using namespace tess::sim;

namespace {

int signalPipe[2] = {-1, -1};

extern "C" void onSignal(int number)
{
    const char byte = char(number);
    [[maybe_unused]] const auto ignored = ::write(signalPipe[1], &byte, 1);
}

void say(const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

int fail(const QString &why, int code = 1)
{
    std::fputs(qPrintable(QStringLiteral("quorex-sim: ") + why + QLatin1Char('\n')), stderr);
    return code;
}

const char *const kMoreHelp = R"(
Output on standard output, one line each, in this order:
  pty PATH          the terminal's device (with --print-pty)
  port-map PATH     the port-map entry made for it
  control PATH      the control socket (with --control)
  ready             serving from now on
After "restore" the new terminal is announced with another "pty PATH" line.

The line's own control commands (on the control socket):
  line-stats        bytes each way and how late they crossed against the
                    wire's schedule: "in=N out=N late-median-us=N
                    late-max-us=N baud=N bits=N duplex=full|half"
  line-stats reset  counts from zero

Control commands (with --command at start, or one per line on the control
socket, e.g. quorex-sim --send PATH "drop 2"):
)";

}  // namespace

int main(int argc, char *argv[])
{
    const auto application = wall::makeApplication(argc, argv);  // widgets only for --wall
    QCoreApplication &app = *application;
    QCoreApplication::setApplicationName(QStringLiteral("quorex-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated Quorex edge-blending processors: one unit answering directly, or a VKS Controller with up "
        "to two units behind it, served on a pseudo-terminal and entered in Tessaline's port map as COM1 or "
        "COM2. See sim/README.md for the behaviour of the units and every control command."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help."));
    const QCommandLineOption mode(QStringLiteral("mode"),
                                  QStringLiteral("direct (one unit, prompt #) or controller "
                                                 "(prompt after LR). Default: direct."),
                                  QStringLiteral("MODE"), QStringLiteral("direct"));
    const QCommandLineOption ids(QStringLiteral("ids"),
                                 QStringLiteral("Controller mode: RS-485 IDs of the units, "
                                                "comma-separated, at most two; \"none\" for no unit. Default: 1,2."),
                                 QStringLiteral("LIST"), QStringLiteral("1,2"));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("COM1 or COM2 (or 1, 2): the port-map entry "
                                                 "to make. Default: COM1."),
                                  QStringLiteral("PORT"), QStringLiteral("COM1"));
    const QCommandLineOption noPortMap(QStringLiteral("no-port-map"), QStringLiteral("Makes no port-map entry."));
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("Puts the entry in place of the user's own "
                                                  "one, which is set aside and put back when the simulator ends."));
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  QStringLiteral("The rate the device listens and sends at. "
                                                 "Default: 38400 direct, 57600 controller."),
                                  QStringLiteral("N"));
    const QCommandLineOption noPacing(QStringLiteral("no-pacing"),
                                      QStringLiteral("Passes bytes on at once both "
                                                     "ways instead of one byte-time a byte at the baud rate."));
    const QCommandLineOption duplex(
        QStringLiteral("duplex"),
        QStringLiteral("full (RS-232: a wire each way) or half "
                       "(RS-485: one wire, replies after the command). Default: full direct, half "
                       "controller."),
        QStringLiteral("MODE"));
    const QCommandLineOption ignoreLine(
        QStringLiteral("ignore-line-settings"),
        QStringLiteral("Answers whatever baud "
                       "rate the program sets (by default another rate is heard as noise, as on a "
                       "real line; parity never reaches a pseudo-terminal, see sim/README.md)."));
    const QCommandLineOption printPty(QStringLiteral("print-pty"), QStringLiteral("Prints the terminal's device."));
    const QCommandLineOption log(QStringLiteral("log"),
                                 QStringLiteral("Logs every line received and every reply sent "
                                                "to FILE (- for standard error), starting the file afresh."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption appendLog(QStringLiteral("append-log"),
                                       QStringLiteral("With --log: adds to the end of "
                                                      "FILE instead of starting it afresh."));
    const QCommandLineOption control(QStringLiteral("control"),
                                     QStringLiteral("Takes control commands on a local "
                                                    "socket at PATH."),
                                     QStringLiteral("PATH"));
    const QCommandLineOption command({QStringLiteral("c"), QStringLiteral("command")},
                                     QStringLiteral("Runs a control "
                                                    "command at start (repeatable), e.g. -c \"layout 1 output @\"."),
                                     QStringLiteral("TEXT"));
    const QCommandLineOption send(
        QStringLiteral("send"),
        QStringLiteral("Sends the control command given as the "
                       "remaining arguments to the simulator listening on PATH, prints its answer and "
                       "ends."),
        QStringLiteral("PATH"));
    const QCommandLineOption wallWindow(
        QStringLiteral("wall"), QStringLiteral("Shows the virtual wall: what the "
                                               "units would put on the screen, and the luminance across it."));
    const QCommandLineOption png(QStringLiteral("png"),
                                 QStringLiteral("Writes the virtual wall to FILE (no display "
                                                "needed) once the --command options have run, and ends."),
                                 QStringLiteral("FILE"));
    parser.addOptions({help, mode, ids, port, noPortMap, force, baud, noPacing, duplex, ignoreLine, printPty, log,
                       appendLog, control, command, send, wallWindow, png});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("With --send: the control command."));
    if (!parser.parse(app.arguments()))
        return fail(parser.errorText(), 2);
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText() + QString::fromLatin1(kMoreHelp) + ControlCommands::helpText()
                              + QLatin1Char('\n')),
                   stdout);
        return 0;
    }
    if (parser.isSet(send))
        return ControlServer::send(parser.value(send), parser.positionalArguments().join(QLatin1Char(' ')));

    // --- the devices
    Setup setup = Setup::direct();
    if (parser.value(mode) == QLatin1String("controller")) {
        setup = Setup::controller({});
        if (parser.value(ids) != QLatin1String("none")) {
            for (const QString &id : parser.value(ids).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                bool ok = false;
                setup.ids.append(id.trimmed().toInt(&ok));
                if (!ok || setup.ids.constLast() < 0)
                    return fail(QStringLiteral("--ids: \"%1\" is not an RS-485 ID").arg(id), 2);
            }
        }
        if (setup.ids.size() > 2)
            return fail(QStringLiteral("--ids: at most two units"), 2);
    } else if (parser.value(mode) != QLatin1String("direct")) {
        return fail(QStringLiteral("--mode: direct or controller"), 2);
    }
    QString portName = parser.value(port).toUpper();
    if (portName == QLatin1String("1") || portName == QLatin1String("2"))
        portName.prepend(QLatin1String("COM"));
    if (portName != QLatin1String("COM1") && portName != QLatin1String("COM2"))
        return fail(QStringLiteral("--port: COM1 or COM2"), 2);

    Simulator sim(setup);
    if (parser.isSet(baud)) {
        bool ok = false;
        sim.listensWith.baud = parser.value(baud).toInt(&ok);
        if (!ok || sim.listensWith.baud <= 0)
            return fail(QStringLiteral("--baud: a rate such as 38400"), 2);
    }
    sim.checkLineSettings = !parser.isSet(ignoreLine);
    bool halfDuplex = setup.mode == Mode::Controller;
    if (parser.isSet(duplex)) {
        if (parser.value(duplex) != QLatin1String("full") && parser.value(duplex) != QLatin1String("half"))
            return fail(QStringLiteral("--duplex: full or half"), 2);
        halfDuplex = parser.value(duplex) == QLatin1String("half");
    }

    QElapsedTimer clock;
    clock.start();
    QFile logFile;
    if (parser.isSet(log)) {
        const bool toStderr = parser.value(log) == QLatin1String("-");
        const bool opened =
            toStderr ? logFile.open(stderr, QIODevice::WriteOnly)
                     : (logFile.setFileName(parser.value(log)),
                        logFile.open(QIODevice::WriteOnly | QIODevice::Text
                                     | (parser.isSet(appendLog) ? QIODevice::Append : QIODevice::Truncate)));
        if (!opened)
            return fail(QStringLiteral("--log: cannot write %1").arg(parser.value(log)));
        sim.log().listener = [&logFile](const LogEntry &entry) {
            logFile.write(Log::format(entry).toUtf8() + '\n');
            logFile.flush();
        };
    }
    for (const QString &text : parser.values(command)) {
        const ControlResult result = sim.control(text, 0);
        if (!result.ok)
            return fail(QStringLiteral("--command: ") + result.message, 2);
    }
    if (parser.isSet(png)) {
        if (!parser.isSet(wallWindow))
            return fail(QStringLiteral("--png: only with --wall"), 2);
        QString why;
        return wall::writePng(sim, parser.value(png), &why) ? 0 : fail(why);
    }

    // --- until SIGINT or SIGTERM, watched from before anything is made that
    // has to be cleaned up (the entry, the socket)
    if (::pipe(signalPipe) != 0)
        return fail(QStringLiteral("cannot watch for signals"));
    QSocketNotifier signalWatch(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalWatch, &QSocketNotifier::activated, &app, [&app] {
        char number = 0;
        if (::read(signalPipe[0], &number, 1) == 1)
            std::fprintf(stderr, "quorex-sim: ended by SIG%s\n", sigabbrev_np(number) ? sigabbrev_np(number) : "?");
        app.quit();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (int s : {SIGINT, SIGTERM, SIGHUP})
        sigaction(s, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    // --- the line
    PtyLine line(sim, clock);
    line.setPacingBaud(parser.isSet(noPacing) ? 0 : sim.listensWith.baud);
    line.setHalfDuplex(halfDuplex);
    QString error;
    if (!line.open(&error))
        return fail(QStringLiteral("no pseudo-terminal: ") + error);
    if (parser.isSet(printPty))
        say(QStringLiteral("pty ") + line.devicePath());

    PortMapEntry entry;
    if (!parser.isSet(noPortMap)) {
        QString note;
        if (!entry.create(portName.right(1).toInt(), line.devicePath(), parser.isSet(force), &error, &note))
            return fail(error);
        if (!note.isEmpty())
            std::fputs(qPrintable(QStringLiteral("quorex-sim: ") + note + QLatin1Char('\n')), stderr);
        say(QStringLiteral("port-map ") + entry.path());
    }

    ControlServer server([&](const QString &text, QString *message) {
        if (const std::optional<ControlResult> own = line.control(text)) {
            *message = own->message;
            return own->ok;
        }
        const ControlResult result = sim.control(text, clock.elapsed());
        *message = result.message;
        if (result.action == ControlResult::Action::Vanish) {
            line.close();
        } else if (result.action == ControlResult::Action::Restore && !line.isOpen()) {
            QString why;
            if (!line.open(&why)) {
                *message = QStringLiteral("no pseudo-terminal: ") + why;
                return false;
            }
            if (!parser.isSet(noPortMap) && !entry.retarget(line.devicePath(), &why)) {
                *message = why;
                return false;
            }
            say(QStringLiteral("pty ") + line.devicePath());
        }
        line.pump();
        return result.ok;
    });
    if (parser.isSet(control)) {
        if (!server.listen(parser.value(control), &error))
            return fail(error);
        say(QStringLiteral("control ") + parser.value(control));
    }

    std::unique_ptr<wall::WallWindow> wallView;
    if (parser.isSet(wallWindow)) {
        wallView = std::make_unique<wall::WallWindow>(sim);
        wallView->show();
    }
    say(QStringLiteral("ready"));
    line.pump();
    const int code = app.exec();
    server.close();
    entry.remove();
    line.close();
    return code;
}
