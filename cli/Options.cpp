#include "cli/Options.h"

#include <QCommandLineParser>

namespace tess::cli {
namespace {

const char *const Usage = "Usage: tessaline-cli [options] COMMAND [arguments]\n";

const char *const Overview =
    "Reads, sends, shows and compares the settings of Quorex units, on the same\n"
    "core as Tessaline: the same search, the same status queries, the same\n"
    "configuration files (.qxc) and the same order of commands.\n"
    "\n"
    "Commands:\n"
    "  ports              COM1 and COM2 as the port map names them, and whether\n"
    "                     each can be opened\n"
    "  search             finds the units: directly, then through the controller\n"
    "  read [-o FILE]     reads every unit in use; writes FILE, or shows what it read\n"
    "  send FILE          sends a .qxc to the units, as the window sends it\n"
    "  show FILE|units    every setting in plain text, one \"name = value\" a line\n"
    "  diff A B           only the settings that differ; A and B each a .qxc or units\n"
    "  status             the Information page's status display, for every screen\n"
    "  help [COMMAND]     this text, or one command's\n";

const char *const OptionsText =
    "Options (before or after the command):\n"
    "  --port COM1|COM2   use this port only (default: COM1, then COM2)\n"
    "  --mode direct|controller\n"
    "                     connect in this mode only (default: directly, then\n"
    "                     through the controller)\n"
    "  --yes              answer Yes to the questions the window would ask\n"
    "                     (\"keep trying?\" at most 3 times in a row)\n"
    "  --no               answer No to every question (the default)\n"
    "  --ask              ask on the terminal\n"
    "  -q, --quiet        no progress line and no notes; errors still show\n"
    "  --journal FILE     append a journal of the line, the questions and the\n"
    "                     files to FILE\n"
    "  -o, --output FILE  read: the configuration file to write\n"
    "  --json             show, diff: JSON on standard output\n"
    "  -h, --help         this help, or with a command that command's\n"
    "  --version          the program's version\n";

const char *const ExitCodes =
    "Exit codes:\n"
    "  0    done (diff: A and B are equal)\n"
    "  1    diff: A and B differ\n"
    "  2    a usage error, a file that cannot be read or written, or a value in a\n"
    "       file that stops a send\n"
    "  3    no units found, or the line failed (nothing more was sent, nothing\n"
    "       was written)\n"
    "  130  interrupted (Ctrl+C): what was and was not sent is said\n";

struct CommandHelp {
    const char *name;
    const char *text;
};

const CommandHelp CommandHelps[] = {
    {"ports",
     "Usage: tessaline-cli ports\n"
     "\n"
     "Lists COM1 and COM2 as the port map names them (a link or file COM1, COM2 in\n"
     "~/.config/Tessaline/ports/, else /dev/ttyS0 and /dev/ttyS1), and whether each\n"
     "can be opened, with the messages the window's search gives. Nothing is sent.\n"
     "Exit code 0 when a port can be opened, 3 when none can.\n"},
    {"search",
     "Usage: tessaline-cli search [--port COM1|COM2] [--mode direct|controller]\n"
     "\n"
     "Finds the units as the window's \"Search....\" does: a unit directly on COM1\n"
     "or COM2, then a VKS Controller. Prints the mode, the port and the units with\n"
     "their RS-485 IDs. Asks nothing: when nothing answers, the window's message and\n"
     "exit code 3.\n"},
    {"read",
     "Usage: tessaline-cli read [-o FILE] [--port ...] [--mode ...]\n"
     "\n"
     "Reads every unit in use as \"Read from Quorex(s) ...\" does. With -o, writes\n"
     "FILE exactly as the window's \"Save Configuration to File\" would after the\n"
     "same read (1720 bytes; the old file is replaced only by a complete new one).\n"
     "Without -o, prints what \"show\" prints. FILE is written only when the read\n"
     "was whole: a screen that could not be read (even when --yes went on past it)\n"
     "leaves it untouched, with exit code 3.\n"},
    {"send",
     "Usage: tessaline-cli send FILE [--port ...] [--mode ...]\n"
     "\n"
     "Sends a configuration file to the units with exactly the commands, in the\n"
     "order, that the window's \"Send Current Settings to Quorex(s)\" sends after\n"
     "opening that file: the wall, the input channels with video lock, each unit's\n"
     "screens, data doubling and feathering, the seam gains, each unit's curve,\n"
     "seam bridge and threshold; then the screens are read back. A file the window\n"
     "would refuse is refused with its message (exit code 2); a value the window\n"
     "would stop at stops the send there (exit code 2, what went out stays sent).\n"
     "A file planned for more projectors than the units found can serve is asked\n"
     "about as the window asks (default: No, nothing is sent).\n"},
    {"show",
     "Usage: tessaline-cli show FILE|units [--json]\n"
     "\n"
     "Every setting of a configuration file, or of the units (read as \"read\"\n"
     "reads them), one \"name = value\" line each, grouped: the wall and planning,\n"
     "each unit, each projector's screen (output, test pattern, black level, halo\n"
     "removal, edge feathering), each input channel (status, position, phase,\n"
     "colour balance, seam gains), and last each unit's own settings as its\n"
     "screens 2 to 4 report them. The names are stable; the README lists them.\n"
     "--json prints {\"source\": ..., \"settings\": [{\"name\", \"group\", \"value\",\n"
     "\"raw\"}, ...]}.\n"},
    {"diff",
     "Usage: tessaline-cli diff A B [--json]\n"
     "\n"
     "Compares two sets of settings, each a configuration file or \"units\" (read\n"
     "once). Prints only the settings that differ, one \"name: A \u2192 B\" line each.\n"
     "Exit code 0 when they are equal, 1 when they differ, as diff(1) does.\n"
     "Firmware versions are compared only when both sides are units. --json prints\n"
     "{\"a\": ..., \"b\": ..., \"differences\": [{\"name\", \"a\", \"b\"}, ...]}.\n"},
    {"status",
     "Usage: tessaline-cli status [--port ...] [--mode ...]\n"
     "\n"
     "Reads the units and prints the Information page's status display as text:\n"
     "the units found and their versions, the input and output of every screen of\n"
     "every unit, and the image position offsets of the wall's projectors.\n"},
    {"help", "Usage: tessaline-cli help [COMMAND]\n"},
};

}  // namespace

QString helpText()
{
    return QString::fromUtf8(Usage) + u'\n' + QString::fromUtf8(Overview) + u'\n' + QString::fromUtf8(OptionsText)
           + u'\n' + QString::fromUtf8(ExitCodes);
}

QString commandHelp(const QString &command)
{
    for (const CommandHelp &c : CommandHelps) {
        if (command == QLatin1String(c.name))
            return QString::fromUtf8(c.text) + u'\n' + QString::fromUtf8(OptionsText) + u'\n'
                   + QString::fromUtf8(ExitCodes);
    }
    return QString();
}

std::optional<Options> parseOptions(const QStringList &arguments, QString *error)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("COM"));
    const QCommandLineOption mode(QStringLiteral("mode"), QString(), QStringLiteral("mode"));
    const QCommandLineOption yes(QStringLiteral("yes"));
    const QCommandLineOption no(QStringLiteral("no"));
    const QCommandLineOption ask(QStringLiteral("ask"));
    const QCommandLineOption quiet(QStringList{QStringLiteral("q"), QStringLiteral("quiet")});
    const QCommandLineOption journal(QStringLiteral("journal"), QString(), QStringLiteral("file"));
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")}, QString(),
                                    QStringLiteral("file"));
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({port, mode, yes, no, ask, quiet, journal, output, json, help, version});
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return std::nullopt;
    }

    Options o;
    o.help = parser.isSet(help);
    o.version = parser.isSet(version);
    o.quiet = parser.isSet(quiet);
    o.json = parser.isSet(json);
    o.journal = parser.value(journal);
    o.output = parser.value(output);
    QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty())
        o.command = positional.takeFirst();
    o.arguments = positional;

    if (parser.isSet(port)) {
        const QString name = parser.value(port).toUpper();
        if (name == QLatin1String("COM1") || name == QLatin1String("1"))
            o.port = 1;
        else if (name == QLatin1String("COM2") || name == QLatin1String("2"))
            o.port = 2;
        else {
            *error =
                QStringLiteral("--port: \"%1\" is not a port; the ports are COM1 and COM2").arg(parser.value(port));
            return std::nullopt;
        }
    }
    if (parser.isSet(mode)) {
        const QString name = parser.value(mode).toLower();
        if (name == QLatin1String("direct"))
            o.controller = false;
        else if (name == QLatin1String("controller"))
            o.controller = true;
        else {
            *error = QStringLiteral("--mode: \"%1\" is not a mode; the modes are direct and controller")
                         .arg(parser.value(mode));
            return std::nullopt;
        }
    }
    const int answers = int(parser.isSet(yes)) + int(parser.isSet(no)) + int(parser.isSet(ask));
    if (answers > 1) {
        *error = QStringLiteral("--yes, --no and --ask choose one answer: give one of them");
        return std::nullopt;
    }
    o.answer = parser.isSet(yes)   ? Options::Answer::Yes
               : parser.isSet(no)  ? Options::Answer::No
               : parser.isSet(ask) ? Options::Answer::Ask
                                   : Options::Answer::Default;
    return o;
}

}  // namespace tess::cli
