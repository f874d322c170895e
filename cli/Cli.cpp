#include "cli/Cli.h"

#include "cli/Options.h"
#include "cli/Report.h"
#include "cli/Session.h"
#include "cli/Terminal.h"
#include "device/ModelSendAllSource.h"
#include "device/SendAllWalker.h"
#include "link/DeviceSearch.h"
#include "link/Link.h"
#include "link/PortMap.h"
#include "link/QtSerialPort.h"
#include "model/ConfigurationFile.h"
#include "model/SettingNames.h"
#include "platform/Journal.h"

#include <QDir>
#include <QFileInfo>
#include <memory>

namespace tess::cli {

QString version()
{
    return QStringLiteral(TESSALINE_VERSION);
}

namespace {

const QString UnitsSource = QStringLiteral("units");

// One run of one command.
class Run {
public:
    Run(Environment &env, const Options &options)
        : env_(env), options_(options), terminal_(env.console, options.quiet)
    {
    }

    int start();

private:
    int ports();
    int search();
    int read();
    int send();
    int show();
    int diff();
    int status();

    std::unique_ptr<Session> session()
    {
        return std::make_unique<Session>(env_, options_, terminal_, journal_.get());
    }
    // The exit code of a run whose units could not be found or read.
    int lineEnded(const Session &s) const { return s.interrupted() ? Interrupted : LineFailed; }
    // Reads a configuration file, saying why not.
    bool load(const QString &path, SettingsModel &model);
    // Reads the units into `model`; the exit code when that failed.
    std::optional<int> readUnits(Session &s, bool allowPartial);
    void journalFile(const QString &event, const QString &path, const QString &details = QString());
    QString sendSummary(const SendAllWalker &walker, int stopStep) const;

    Environment &env_;
    const Options &options_;
    Terminal terminal_;
    std::unique_ptr<Journal> journal_;
};

int Run::start()
{
    const QString &c = options_.command;
    // What each command takes after it.
    const struct {
        const char *name;
        int arguments;
        int (Run::*run)();
    } commands[] = {
        {"ports", 0, &Run::ports}, {"search", 0, &Run::search}, {"read", 0, &Run::read},     {"send", 1, &Run::send},
        {"show", 1, &Run::show},   {"diff", 2, &Run::diff},     {"status", 0, &Run::status},
    };
    for (const auto &command : commands) {
        if (c != QLatin1String(command.name))
            continue;
        if (options_.arguments.size() != command.arguments) {
            terminal_.say(QStringLiteral("%1 takes %2; see 'tessaline-cli help %1'")
                              .arg(c)
                              .arg(command.arguments == 0   ? QStringLiteral("no arguments")
                                   : command.arguments == 1 ? QStringLiteral("one argument")
                                                            : QStringLiteral("two arguments")));
            return UsageOrFile;
        }
        if (!options_.output.isEmpty() && c != QLatin1String("read")) {
            terminal_.say(QStringLiteral("-o is for read only"));
            return UsageOrFile;
        }
        if (!options_.journal.isEmpty()) {
            journal_ = std::make_unique<Journal>(options_.journal, env_.clock,
                                                 [this](const QString &text) { terminal_.say(text); });
            journal_->writeStart(
                QStringLiteral("tessaline-cli"), version(),
                QStringLiteral("command=%1 port=%2 mode=%3")
                    .arg(c)
                    .arg(options_.port ? QStringLiteral("COM%1").arg(*options_.port) : QStringLiteral("search"))
                    .arg(options_.controller
                             ? (*options_.controller ? QStringLiteral("controller") : QStringLiteral("direct"))
                             : QStringLiteral("search")));
        }
        const int code = (this->*command.run)();
        if (journal_)
            journal_->write(QStringLiteral("end"), QStringLiteral("exit=%1").arg(code));
        return code;
    }
    terminal_.say(QStringLiteral("\"%1\" is not a command; see 'tessaline-cli --help'").arg(c));
    return UsageOrFile;
}

void Run::journalFile(const QString &event, const QString &path, const QString &details)
{
    if (journal_)
        journal_->write(
            event, Journal::quote(QDir::toNativeSeparators(path)) + (details.isEmpty() ? QString() : u' ' + details));
}

bool Run::load(const QString &path, SettingsModel &model)
{
    const ConfigurationFileResult result = ReadConfigurationFile(model, path);
    if (result == ConfigurationFileResult::Done) {
        journalFile(QStringLiteral("file-opened"), path);
        return true;
    }
    // The window's own message, with the file named and what is wrong.
    const QFileInfo info(path);
    QString why;
    if (!info.exists())
        why = QStringLiteral("there is no such file");
    else if (info.isDir())
        why = QStringLiteral("it is a folder");
    else if (result == ConfigurationFileResult::BadSize)
        why = QStringLiteral("%1 bytes; a configuration file has %2").arg(info.size()).arg(ConfigurationFileSize);
    else if (!info.isFile())
        why = QStringLiteral("it is not a plain file");
    else
        why = QStringLiteral("it cannot be read");
    terminal_.say(QStringLiteral("%1: %2 (%3)").arg(path, configurationFileMessage(result), why));
    journalFile(QStringLiteral("file-refused"), path, Journal::quote(configurationFileMessage(result)));
    return false;
}

std::optional<int> Run::readUnits(Session &s, bool allowPartial)
{
    if (!s.findUnits())
        return lineEnded(s);
    const Session::ReadResult read = s.read();
    if (s.interrupted()) {
        terminal_.say(QStringLiteral("interrupted: the read was not finished"));
        return Interrupted;
    }
    if (read == Session::ReadResult::Failed)
        return LineFailed;
    if (read == Session::ReadResult::NotWhole && !allowPartial) {
        terminal_.say(
            QStringLiteral("the read was not whole: screens that could not be read hold what they held "
                           "before"));
        return LineFailed;
    }
    return std::nullopt;
}

int Run::ports()
{
    std::unique_ptr<SerialPort> own;
    SerialPort *port = env_.port;
    if (!port) {
        own = std::make_unique<QtSerialPort>();
        port = own.get();
    }
    bool usable = false;
    QString out;
    for (int number : {1, 2}) {
        QString where;
        if (env_.port) {
            where = QStringLiteral("(simulated)");
        } else {
            const PortMap::Lookup found = PortMap::lookup(number);
            where = found.hasEntry ? QStringLiteral("%1 (port map: %2)").arg(found.device, PortMap::entryPath(number))
                                   : QStringLiteral("%1 (no port-map entry)").arg(found.device);
        }
        QString state;
        const QString problem = port->portProblem(number);
        if (!problem.isEmpty()) {
            state = problem;
        } else if (!port->portExists(number)) {
            state = QStringLiteral("does not exist");
        } else {
            port->setPortNumber(number);
            const SerialPort::OpenResult opened = port->open();
            if (opened.ok()) {
                state = QStringLiteral("can be opened");
                usable = true;
                port->close();
            } else {
                state = Link::openFailureMessage(number, opened);
            }
        }
        out += QStringLiteral("COM%1  %2\n      %3\n").arg(number).arg(where, state);
    }
    terminal_.out(out);
    return usable ? Done : LineFailed;
}

int Run::search()
{
    const auto s = session();
    if (!s->findUnits())
        return lineEnded(*s);
    const bool controller = s->link().ControllerMode;
    if (controller && !s->countUnits())
        return lineEnded(*s);
    QString out = QStringLiteral("port: %1\nmode: %2\nunits: %3\n")
                      .arg(s->connectionText().section(u',', 0, 0))
                      .arg(controller ? QStringLiteral("controller") : QStringLiteral("direct"))
                      .arg(controller ? s->state().UnitCount : 1);
    if (controller) {
        for (int unit = 1; unit <= std::min(s->state().UnitCount, 2); ++unit)
            out += QStringLiteral("unit%1.id: %2\n").arg(unit).arg(s->host().unitId(unit));
    }
    terminal_.out(out);
    return Done;
}

int Run::read()
{
    const QString &path = options_.output;
    if (!path.isEmpty()) {
        // Found wanting before the units are read, not after.
        const QFileInfo info(path);
        if (info.isDir()) {
            terminal_.say(QStringLiteral("%1 is a folder; -o names the configuration file to write").arg(path));
            return UsageOrFile;
        }
        if (!info.absoluteDir().exists()) {
            terminal_.say(QStringLiteral("%1: the folder %2 does not exist").arg(path, info.absolutePath()));
            return UsageOrFile;
        }
    }
    const auto s = session();
    if (const std::optional<int> failed = readUnits(*s, false)) {
        if (!path.isEmpty())
            terminal_.say(QStringLiteral("nothing was written to %1").arg(path));
        return *failed;
    }
    if (path.isEmpty()) {
        const QList<settingnames::Setting> settings = settingnames::describe(s->model(), true);
        terminal_.out(options_.json ? QString::fromUtf8(showJson(UnitsSource, settings)) : showText(settings));
        return Done;
    }
    const ConfigurationFileResult saved = WriteConfigurationFile(s->model(), path);
    if (saved != ConfigurationFileResult::Done) {
        terminal_.say(path + QStringLiteral(": ") + configurationFileMessage(saved));
        journalFile(QStringLiteral("file-not-saved"), path);
        return UsageOrFile;
    }
    journalFile(QStringLiteral("file-saved"), path, QStringLiteral("bytes=%1").arg(ConfigurationFileSize));
    terminal_.note(QStringLiteral("read %1 %2 into %3")
                       .arg(s->state().UnitCount == 2 ? 2 : 1)
                       .arg(s->state().UnitCount == 2 ? QStringLiteral("units") : QStringLiteral("unit"))
                       .arg(path));
    return Done;
}

QString Run::sendSummary(const SendAllWalker &walker, int stopStep) const
{
    const QList<SendAllWalker::Step> &steps = walker.steps();
    const auto named = [&steps](int i) {
        return QStringLiteral("unit %1, %2").arg(steps.at(i).unit).arg(steps.at(i).what);
    };
    int lastSent = -1;
    for (int i = 0; i < stopStep && i < steps.size(); ++i) {
        if (steps.at(i).exchanges > 0)
            lastSent = i;
    }
    QString text = QStringLiteral("Sent: %1 of %2 exchanges").arg(walker.exchangesDone()).arg(walker.exchangeCount());
    text += lastSent >= 0 ? QStringLiteral(" (the last: %1).").arg(named(lastSent)) : QStringLiteral(".");
    if (stopStep < steps.size()) {
        text += QStringLiteral("\nNot sent: %1 exchanges, from %2 on.")
                    .arg(walker.exchangeCount() - walker.exchangesDone())
                    .arg(named(stopStep));
    }
    return text;
}

int Run::send()
{
    const QString path = options_.arguments.at(0);
    SettingsModel file;
    if (!load(path, file))
        return UsageOrFile;
    const auto s = session();
    if (!s->findUnits() || !s->countUnits()) {
        terminal_.say(QStringLiteral("nothing was sent"));
        return lineEnded(*s);
    }
    // The file's wall against the units found, as opening the file in the
    // window checks it: directly, a wall of more than four projectors is
    // asked about (No disconnects).
    const int total = file.output(1, 1).TotalProjectors;
    s->host().projectors = total;
    s->host().projectorSelection = total >= 1 && total <= 8 ? total - 1 : -1;
    s->search().CheckUnitsForProjectorCount(s->host().projectors, s->host().projectorSelection);
    if (s->interrupted() || !s->link().DeviceConnected) {
        terminal_.say(QStringLiteral("nothing was sent"));
        return lineEnded(*s);
    }

    s->model() = file;
    ModelSendAllSource source(s->model());
    SendAllWalker walker(s->commands(), s->model(), s->boxes(), source, s->state().UnitCount);
    const int exchanges = walker.exchangeCount();
    int stopStep = int(walker.steps().size());
    const SendAllWalker::Outcome outcome = walker.run([&](int step) {
        if (s->interrupted() || s->lineFailed()) {
            stopStep = step;
            return false;
        }
        const SendAllWalker::Step &now = walker.steps().at(step);
        s->showProgress(walker.exchangesDone(), exchanges, now.unit, now.what);
        return true;
    });
    terminal_.endProgress();

    if (outcome == SendAllWalker::Outcome::InvalidValue) {
        s->boxes().showMessage(SendAllWalker::InvalidValueMessage);
        terminal_.say(path + QStringLiteral(": a value that holds no number stopped the send.\n")
                      + sendSummary(walker, walker.stepsDone()));
        return UsageOrFile;
    }
    if (outcome == SendAllWalker::Outcome::Stopped || s->lineFailed()) {
        const bool interrupted = s->interrupted();
        if (outcome != SendAllWalker::Outcome::Stopped)
            stopStep = int(walker.steps().size());
        terminal_.say((interrupted ? QStringLiteral("interrupted.\n")
                                   : QStringLiteral("the line failed: nothing more was sent.\n"))
                      + sendSummary(walker, stopStep));
        return interrupted ? Interrupted : LineFailed;
    }
    terminal_.note(QStringLiteral("sent %1 to %2 (%3 exchanges)")
                       .arg(path)
                       .arg(s->state().UnitCount > 1 ? QStringLiteral("2 units") : QStringLiteral("1 unit"))
                       .arg(walker.exchangesDone()));
    return Done;
}

int Run::show()
{
    const QString &what = options_.arguments.at(0);
    SettingsModel model;
    std::unique_ptr<Session> s;
    int code = Done;
    if (what == UnitsSource) {
        s = session();
        if (const std::optional<int> failed = readUnits(*s, true))
            return *failed;
        model = s->model();
    } else if (!load(what, model)) {
        return UsageOrFile;
    }
    const QList<settingnames::Setting> settings = settingnames::describe(model, what == UnitsSource);
    terminal_.out(options_.json ? QString::fromUtf8(showJson(what, settings)) : showText(settings));
    if (s && s->lineFailed()) {
        terminal_.say(QStringLiteral("not every screen could be read: those hold zeros"));
        code = LineFailed;
    }
    return code;
}

int Run::diff()
{
    const QString &a = options_.arguments.at(0);
    const QString &b = options_.arguments.at(1);
    std::unique_ptr<Session> s;
    SettingsModel models[2];
    const QString sides[2] = {a, b};
    for (int i = 0; i < 2; ++i) {
        if (sides[i] != UnitsSource) {
            if (!load(sides[i], models[i]))
                return UsageOrFile;
            continue;
        }
        if (!s) {
            s = session();
            if (const std::optional<int> failed = readUnits(*s, false))
                return *failed;
        }
        models[i] = s->model();
    }
    const bool versions = a == UnitsSource && b == UnitsSource;
    const QList<Difference> found =
        differences(settingnames::describe(models[0], versions), settingnames::describe(models[1], versions));
    const int other = unnamedBytesDiffering(models[0], models[1]);
    terminal_.out(options_.json ? QString::fromUtf8(diffJson(a, b, found, other)) : diffText(found, other));
    return found.isEmpty() && other == 0 ? Done : Differences;
}

int Run::status()
{
    const auto s = session();
    if (const std::optional<int> failed = readUnits(*s, true))
        return *failed;
    StatusFacts facts;
    facts.unitCount = s->state().UnitCount;
    facts.controller = s->link().ControllerMode;
    facts.ids[0] = s->host().unitId(1);
    facts.ids[1] = s->host().unitId(2);
    facts.outputFormatWidth = s->host().formatWidth;
    terminal_.out(statusText(s->model(), facts));
    return Done;
}

}  // namespace

int run(const QStringList &arguments, Environment &env)
{
    QString error;
    const std::optional<Options> options = parseOptions(arguments, &error);
    Terminal terminal(env.console, false);
    if (!options) {
        terminal.say(error + QStringLiteral("\nSee 'tessaline-cli --help'."));
        return UsageOrFile;
    }
    if (options->version) {
        terminal.out(QStringLiteral("tessaline-cli %1\n").arg(version()));
        return Done;
    }
    if (options->help || options->command == QLatin1String("help") || options->command.isEmpty()) {
        const QString topic =
            options->command == QLatin1String("help") ? options->arguments.value(0) : options->command;
        if (!options->help && options->command.isEmpty()) {
            terminal.say(QStringLiteral("a command is missing\nSee 'tessaline-cli --help'."));
            return UsageOrFile;
        }
        const QString text = topic.isEmpty() ? helpText() : commandHelp(topic);
        if (text.isEmpty()) {
            terminal.say(QStringLiteral("\"%1\" is not a command; see 'tessaline-cli --help'").arg(topic));
            return UsageOrFile;
        }
        terminal.out(text);
        return Done;
    }
    Run run(env, *options);
    return run.start();
}

}  // namespace tess::cli
