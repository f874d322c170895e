// The text commands that switch faults and change the units while the
// simulator runs. sim/README.md lists them for the user.

#include "core/ControlCommands.h"

#include "core/Records.h"
#include "core/Simulator.h"

#include <QStringList>

namespace tess::sim {

namespace {

struct Words {
    QStringList w;
    bool ok = true;
    qsizetype size() const { return w.size(); }
    QString at(qsizetype i) const { return i < w.size() ? w.at(i) : QString(); }
    int number(qsizetype i, int low, int high)
    {
        bool good = false;
        const int v = at(i).toInt(&good);
        if (!good || v < low || v > high)
            ok = false;
        return good ? v : low;
    }
    bool onOff(qsizetype i)
    {
        const QString s = at(i).toLower();
        if (s != QLatin1String("on") && s != QLatin1String("off"))
            ok = false;
        return s == QLatin1String("on");
    }
};

QByteArray unescape(const QString &text)
{
    const QByteArray in = text.toLatin1();
    QByteArray out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in.at(i) != '\\' || i + 1 >= in.size()) {
            out.append(in.at(i));
            continue;
        }
        const char c = in.at(++i);
        if (c == 'r')
            out.append('\r');
        else if (c == 'n')
            out.append('\n');
        else if (c == 'x' && i + 2 < in.size()) {
            out.append(char(in.mid(i + 1, 2).toInt(nullptr, 16)));
            i += 2;
        } else
            out.append(c);
    }
    return out;
}

QString describeUnit(Simulator &sim, int number)
{
    Unit &u = sim.unit(number);
    QStringList lines;
    lines << QStringLiteral("unit %1: id %2, %3, %4, version %5, layouts input %6 output %7")
                 .arg(number)
                 .arg(sim.mode() == Mode::Controller ? QString::number(sim.idOf(number)) : QStringLiteral("-"))
                 .arg(u.present ? QStringLiteral("present") : QStringLiteral("absent"),
                      u.responding ? QStringLiteral("responding") : QStringLiteral("not responding"),
                      QString::fromLatin1(u.version), QChar(u.inputLayout), QChar(u.outputLayout));
    const UnitWideSettings &w = u.settings.wide;
    lines << QStringLiteral(
                 "  wide: advanced %1 group %2 projectors %3 doubling %4 justification %5 "
                 "overlap %6 gamma %7 feather %8 bridge %9 curve %10 threshold %11")
                 .arg(w.advancedMode)
                 .arg(w.projectorGroup)
                 .arg(w.totalProjectors)
                 .arg(w.dataDoubling)
                 .arg(w.justification)
                 .arg(w.overlapWidth)
                 .arg(w.basicGamma / 10.0)
                 .arg(w.basicFeather)
                 .arg(w.seamBridge)
                 .arg(QChar(w.featherCurve))
                 .arg(w.bridgeThreshold);
    for (int i = 0; i < 4; ++i) {
        const InputSignal &sig = u.inputs[i];
        const InputSettings &in = u.settings.inputs[i];
        lines << QStringLiteral(
                     "  input %1: %2 %3x%4 phase %5 h %6 v %7 contrast C %8 R %9 G %10 B %11 "
                     "brightness C %12 R %13 G %14 B %15")
                     .arg(i + 1)
                     .arg(!sig.present ? QStringLiteral("no video")
                          : sig.locked ? QStringLiteral("locked")
                                       : QStringLiteral("unlocked"))
                     .arg(sig.hActive)
                     .arg(sig.vActive)
                     .arg(in.phase)
                     .arg(in.hPosition)
                     .arg(in.vPosition)
                     .arg(in.contrastC / 10.0)
                     .arg(in.contrastR / 10.0)
                     .arg(in.contrastG / 10.0)
                     .arg(in.contrastB / 10.0)
                     .arg(in.brightnessC / 10.0)
                     .arg(in.brightnessR / 10.0)
                     .arg(in.brightnessG / 10.0)
                     .arg(in.brightnessB / 10.0);
    }
    for (int i = 0; i < 4; ++i) {
        const ScreenSettings &s = u.settings.screens[i];
        QStringList gains;
        for (quint8 g : s.seamGains)
            gains << QString::number(g);
        lines << QStringLiteral(
                     "  screen %1: black %2 pattern %3 raster %4 grid %5 halo L %6/%7 R %8/%9 "
                     "feather L %10 %11 %12/%13 R %14 %15 %16/%17 seam %18 [%19]")
                     .arg(i + 1)
                     .arg(s.blackLevel)
                     .arg(s.testPattern)
                     .arg(s.outputRaster)
                     .arg(s.testGrid)
                     .arg(s.haloLeftWidth)
                     .arg(s.haloLeftOffset)
                     .arg(s.haloRightWidth)
                     .arg(s.haloRightOffset)
                     .arg(s.leftFeather)
                     .arg(s.leftGamma / 10.0)
                     .arg(s.gammaLeftWidth)
                     .arg(s.gammaLeftOffset)
                     .arg(s.rightFeather)
                     .arg(s.rightGamma / 10.0)
                     .arg(s.gammaRightWidth)
                     .arg(s.gammaRightOffset)
                     .arg(s.seamPrefix)
                     .arg(gains.join(' '));
    }
    return lines.join('\n');
}

}  // namespace

ControlResult ControlCommands::run(Simulator &sim, const QString &text, qint64 now)
{
    Words a{text.split(' ', Qt::SkipEmptyParts)};
    if (a.size() == 0)
        return {false, QStringLiteral("empty command")};
    const QString verb = a.at(0).toLower();
    Faults &f = sim.faults_;
    const auto fail = [&](const QString &why) { return ControlResult{false, verb + QStringLiteral(": ") + why}; };
    const auto done = [&](const QString &what = QString()) {
        if (!a.ok)
            return fail(QStringLiteral("bad arguments (see help)"));
        return ControlResult{true, what.isEmpty() ? QStringLiteral("ok") : what};
    };
    // Unit numbers are 1 or 2, as far as the simulator has them.
    const auto unitAt = [&](qsizetype i) -> Unit * {
        const int n = a.number(i, 1, sim.unitCount());
        return a.ok ? &sim.unit(n) : nullptr;
    };

    if (verb == QLatin1String("help"))
        return {true, helpText()};
    if (verb == QLatin1String("reset-faults")) {
        f = Faults{};
        sim.debug_ = false;
        for (auto &u : sim.units_) {
            u->responding = true;
            u->present = true;
        }
        return done();
    }
    if (verb == QLatin1String("silence")) {
        f.silent = a.onOff(1);
        if (f.silent && a.ok)
            sim.discardPendingOutput();
        return done();
    }
    if (verb == QLatin1String("drop")) {
        f.dropReplies = a.number(1, 0, 1000000);
        return done();
    }
    if (verb == QLatin1String("delay")) {
        f.delayMs = a.number(1, 0, 3600000);
        return done();
    }
    if (verb == QLatin1String("split")) {
        if (a.at(1).toLower() == QLatin1String("off")) {
            f.split = Faults::Split::Whole;
            f.splitGapMs = 0;
        } else if (a.at(1).toLower() == QLatin1String("random")) {
            const int seed = a.number(2, 0, 2147483647);
            f.splitSize = a.size() > 3 ? a.number(3, 1, 65536) : 16;
            f.splitGapMs = a.size() > 4 ? a.number(4, 0, 60000) : 0;
            f.split = Faults::Split::Random;
            sim.splitRandom_.reseed(quint64(seed));
        } else {
            f.splitSize = a.number(1, 1, 65536);
            f.splitGapMs = a.size() > 2 ? a.number(2, 0, 60000) : 0;
            f.split = Faults::Split::Fixed;
        }
        return done();
    }
    if (verb == QLatin1String("noise")) {
        f.noiseBytes = a.at(1).toLower() == QLatin1String("off") ? 0 : a.number(1, 0, 65536);
        return done();
    }
    if (verb == QLatin1String("garbage")) {
        const int count = a.number(1, 1, 1 << 20);
        const int seed = a.size() > 2 ? a.number(2, 0, 2147483647) : 1;
        if (a.ok)
            sim.sendRaw(sim.garbage(count, quint64(seed)), now);
        return done();
    }
    if (verb == QLatin1String("send")) {
        const QString rest = text.section(' ', 1, -1, QString::SectionSkipEmpty);
        if (rest.isEmpty())
            return fail(QStringLiteral("nothing to send"));
        sim.sendRaw(unescape(rest), now);
        return done();
    }
    if (verb == QLatin1String("lose")) {
        f.loseByteAt = a.at(1).toLower() == QLatin1String("off") ? -1 : a.number(1, 0, 65536);
        return done();
    }
    if (verb == QLatin1String("insert")) {
        if (a.at(1).toLower() == QLatin1String("off")) {
            f.insertAt = -1;
            f.insertBytes = 0;
        } else {
            f.insertAt = a.number(1, 0, 65536);
            f.insertBytes = a.size() > 2 ? a.number(2, 1, 65536) : 1;
        }
        return done();
    }
    if (verb == QLatin1String("truncate")) {
        f.truncatePayload = a.at(1).toLower() == QLatin1String("off") ? -1 : a.number(1, 0, 255);
        return done();
    }
    if (verb == QLatin1String("error")) {
        if (a.at(1).toLower() == QLatin1String("off")) {
            f.forcedErrorCount = 0;
            return done();
        }
        f.forcedErrorCode = a.number(1, 0, 9);
        if (a.at(2).toLower() == QLatin1String("always"))
            f.forcedErrorCount = -1;
        else
            f.forcedErrorCount = a.size() > 2 ? a.number(2, 1, 1000000) : 1;
        return done();
    }
    if (verb == QLatin1String("unrecognised") || verb == QLatin1String("unrecognized")) {
        f.unrecognisedCount = a.size() > 1 ? a.number(1, 0, 1000000) : 1;
        return done();
    }
    if (verb == QLatin1String("no-response")) {
        f.noResponseMs = a.number(1, 0, 600000);
        return done();
    }
    if (verb == QLatin1String("debug")) {
        // "stuck": on, and "debug 0" on the line no longer switches it off.
        f.debugStuck = a.at(1).toLower() == QLatin1String("stuck");
        sim.debug_ = f.debugStuck || a.onOff(1);
        return done();
    }
    if (verb == QLatin1String("count-separator")) {
        const QString separator = a.at(1).toLower();
        if (separator == QLatin1String("tab"))
            f.countSeparator = '\t';
        else if (separator == QLatin1String("space"))
            f.countSeparator = ' ';
        else
            a.ok = false;
        return done();
    }
    if (verb == QLatin1String("echo")) {
        f.echo = a.onOff(1);
        return done();
    }
    if (verb == QLatin1String("processing")) {
        const QByteArray keyword = a.at(1).toUpper().toLatin1();
        const int ms = a.number(2, 0, 3600000);
        if (keyword.isEmpty())
            a.ok = false;
        if (a.ok) {
            for (auto &u : sim.units_)
                u->processingMs[keyword] = ms;
        }
        return done();
    }
    if (verb == QLatin1String("vanish"))
        return {true, QStringLiteral("ok"), ControlResult::Action::Vanish};
    if (verb == QLatin1String("restore"))
        return {true, QStringLiteral("ok"), ControlResult::Action::Restore};

    // Commands about one unit: "<verb> <unit> ...".
    static const QStringList unitVerbs{QStringLiteral("unit"),   QStringLiteral("busy"),    QStringLiteral("reboot"),
                                       QStringLiteral("layout"), QStringLiteral("version"), QStringLiteral("video"),
                                       QStringLiteral("output"), QStringLiteral("state"),   QStringLiteral("do")};
    if (!unitVerbs.contains(verb))
        return fail(QStringLiteral("unknown command (try help)"));
    Unit *u = unitAt(1);
    if (!u)
        return fail(QStringLiteral("no such unit (1 to %1)").arg(sim.unitCount()));
    if (verb == QLatin1String("unit")) {
        const QString what = a.at(2).toLower();
        if (what == QLatin1String("present"))
            u->present = true;
        else if (what == QLatin1String("absent"))
            u->present = false;
        else if (what == QLatin1String("responding"))
            u->responding = a.onOff(3);
        else
            a.ok = false;
        return done();
    }
    if (verb == QLatin1String("do")) {
        // A device command carried out as if it came on the line, unanswered:
        // sets the units up for a picture or a lesson without the program.
        const QByteArray line = text.section(' ', 2, -1, QString::SectionSkipEmpty).toLatin1();
        if (line.isEmpty())
            return fail(QStringLiteral("no device command"));
        const Unit::Answer answer = u->handle(line);
        if (!answer.known || answer.body == Unit::InvalidParameter)
            return fail(QString::fromLatin1(answer.body));
        if (answer.busyMs > 0)
            u->busyUntil = now + answer.busyMs;
        return done(answer.record ? QStringLiteral("ok (a query: its record is not shown)") : QString());
    }
    if (verb == QLatin1String("busy")) {
        const int ms = a.number(2, 0, 3600000);
        if (a.ok)
            u->busyUntil = now + ms;
        return done();
    }
    if (verb == QLatin1String("reboot")) {
        u->reboot();
        return done();
    }
    if (verb == QLatin1String("layout")) {
        const QString which = a.at(2).toLower();
        const QByteArray type = a.at(3).toLatin1();
        if (type.size() != 1)
            a.ok = false;
        else if (which == QLatin1String("input") && Records::isInputLayout(type.at(0)))
            u->inputLayout = type.at(0);
        else if (which == QLatin1String("output") && Records::isOutputLayout(type.at(0)))
            u->outputLayout = type.at(0);
        else
            a.ok = false;
        return done();
    }
    if (verb == QLatin1String("version")) {
        const QByteArray version = a.at(2).toLatin1();
        if (version.isEmpty() || version.size() > 5)
            return fail(QStringLiteral("the version text has 1 to 5 characters"));
        u->version = version;
        return done();
    }
    if (verb == QLatin1String("video")) {
        const int input = a.number(2, 1, 4);
        const QString what = a.at(3).toLower();
        InputSignal signal;
        if (what == QLatin1String("off")) {
            signal = InputSignal::none();
        } else if (what == QLatin1String("unlocked")) {
            signal = u->inputs[input - 1];
            signal.present = true;
            signal.locked = false;
        } else {
            signal = InputSignal::lockedAt(a.number(3, 1, 8192), a.number(4, 1, 8192));
        }
        if (a.ok)
            u->setInputSignal(input, signal);
        return done();
    }
    if (verb == QLatin1String("output")) {
        const bool all = a.at(2).toLower() == QLatin1String("all");
        const int screen = all ? 0 : a.number(2, 1, 4);
        const int format = a.number(3, 0, 255);
        const int rate = a.size() > 4 ? a.number(4, 0, 255) : -1;
        const int sync = a.size() > 5 ? a.number(5, 0, 255) : -1;
        for (int i = 1; a.ok && i <= 4; ++i) {
            if (!all && i != screen)
                continue;
            OutputSignal &o = u->outputs[i - 1];
            o.format = quint8(format);
            if (rate >= 0)
                o.frameRate = quint8(rate);
            if (sync >= 0)
                o.sync = quint8(sync);
        }
        return done();
    }
    return {true, describeUnit(sim, a.number(1, 1, sim.unitCount()))};  // state
}

QString ControlCommands::helpText()
{
    return QStringLiteral(
        "faults:  silence on|off; drop N; delay MS; split off | split K [GAP_MS] | split random SEED [MAX "
        "[GAP_MS]];\n"
        "         noise N|off; garbage N [SEED]; send TEXT (\\r \\n \\xNN escapes); truncate N|off;\n"
        "         lose POS|off; insert POS [N]|off;\n"
        "         error CODE [COUNT|always] | error off; unrecognised [N]; no-response MS; debug on|off|stuck;\n"
        "         count-separator tab|space;\n"
        "         echo on|off; vanish; restore; reset-faults\n"
        "units:   unit U present|absent | unit U responding on|off; busy U MS; processing KEYWORD MS;\n"
        "         reboot U; layout U input F|N; layout U output >|?|@|B; version U TEXT;\n"
        "         video U INPUT off|unlocked|WIDTH HEIGHT; output U SCREEN|all FORMAT [RATE [SYNC]]; state U;\n"
        "         do U COMMAND (the unit carries out a device command, e.g. do 1 PRJ 0 3)");
}

ControlResult Simulator::control(const QString &command, qint64 nowMs)
{
    return ControlCommands::run(*this, command, nowMs);
}

}  // namespace tess::sim
