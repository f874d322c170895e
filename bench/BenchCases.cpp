#include "BenchCases.h"

#include "BenchSupport.h"

#include "app/TTessalineForm.h"
#include "device/CommandTable.h"
#include "device/Commands.h"
#include "fields/SpinButton.h"
#include "link/SerialPort.h"
#include "pages/Pages.h"
#include "pages/ServiceView.h"
#include "pages/display/DisplaySetupPage.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include <cstdio>

namespace tess::bench {
namespace {

constexpr int ControllerBaud = 57600;
constexpr int DirectBaud = 38400;
constexpr int SpinSteps = 100;
constexpr int ProbeWaitMs = 10 * SerialPort::TickMs;  // an unanswered search probe

// Eight projectors on two units, as "Send Current Settings" needs them.
QStringList controllerArguments()
{
    return {QStringLiteral("--mode"),       QStringLiteral("controller"), QStringLiteral("--ids"),
            QStringLiteral("5,6"),          QStringLiteral("--baud"),     QString::number(ControllerBaud),
            QStringLiteral("--port"),       QStringLiteral("COM1"),       QStringLiteral("-c"),
            QStringLiteral("do 1 PRJ 0 8"), QStringLiteral("-c"),         QStringLiteral("do 2 PRJ 1 8")};
}

QStringList directArguments()
{
    return {QStringLiteral("--mode"),    QStringLiteral("direct"), QStringLiteral("--baud"),
            QString::number(DirectBaud), QStringLiteral("--port"), QStringLiteral("COM1")};
}

double nsToMs(qint64 ns)
{
    return double(ns) / 1e6;
}

// Everything sent and everything received, one after the other: through
// the controller the line is half duplex, and a unit answering directly
// starts its echo only when the line's carriage return has arrived.
double lineWireMs(const TimedPort &port)
{
    return wireMs(port.sent() + port.received(), port.bitsPerByte(), port.baudRate());
}

SpinButton *blackSpin(CaseRun &run)
{
    return run.form.findChild<SpinButton *>(QStringLiteral("Black1UpDown"));
}

void openDisplaySetup(CaseRun &run)
{
    run.form.serviceView().setOn(true);
    run.form.PhasePageControl->setCurrentWidget(&run.form.pages().displaySetup());
    QApplication::setActiveWindow(&run.form);
    QCoreApplication::processEvents();
}

// A user's click: it comes through the event loop, after whatever the
// program left pending there.
void clickSpin(SpinButton *spin, bool up)
{
    const QPoint at = spin->halfRect(up ? SpinButton::Half::Up : SpinButton::Half::Down).center();
    QTest::mouseClick(spin, Qt::LeftButton, {}, at);
}

// Times `action` and bounds it by the line: wire time plus the mandated
// pauses of what it sent.
template <typename Action>
Sample timeOnLine(CaseRun &run, Action action)
{
    run.port.log.clear();
    const qint64 start = nowNs();
    action();
    const qint64 end = nowNs();
    Sample s;
    s.ms = nsToMs(end - start);
    if (!run.port.log.isEmpty()) {
        s.leadMs = nsToMs(run.port.log.first().ns - start);
        s.tailMs = nsToMs(end - run.port.log.last().ns);
    }
    s.boundMs = lineWireMs(run.port) + mandatedPausesMs(run.port.written());
    return s;
}

void chooseMenu(CaseRun &run, const char *item)
{
    run.form.menuItem(item)->trigger();
}

std::optional<Sample> oneRelayed(CaseRun &run, int index)
{
    QCoreApplication::processEvents();  // idle before the click, as between a user's clicks
    return timeOnLine(run, [&] { clickSpin(blackSpin(run), index % 2 == 0); });
}

// The black-level sender in a loop, as sending everything runs it: the
// window shows each wait (status line, cursor, pages) but gets no turn of
// the event loop between the commands.
std::optional<Sample> blkgnLoop(CaseRun &run, int)
{
    return timeOnLine(run, [&] {
        for (int i = 0; i < SpinSteps && !interrupted(); ++i)
            run.form.commands().BLKGN(1, 1 + i % 4, i % 256);
    });
}

// Held down until it has stepped 100 times: a step is due every repeat
// interval from the fourth tick on, so the 100th ends no earlier than 103
// intervals plus its own time on the line after the press.
std::optional<Sample> heldSpin(CaseRun &run, int)
{
    SpinButton *spin = blackSpin(run);
    run.form.findChild<QLineEdit *>(QStringLiteral("Black1Edit"))->setText(QStringLiteral("0"));
    run.port.log.clear();
    const QPoint up = spin->halfRect(SpinButton::Half::Up).center();
    const qint64 start = nowNs();
    QTest::mousePress(spin, Qt::LeftButton, {}, up);
    QElapsedTimer guard;
    guard.start();
    while (run.port.written().count("BLKGN") < SpinSteps && !interrupted() && guard.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    Sample s;
    s.ms = nsToMs(run.port.lastReadNs() - start);
    const int steps = int(run.port.written().count("BLKGN"));
    s.boundMs = (3 + steps) * spin->repeatInterval() + lineWireMs(run.port) / std::max(steps, 1);
    QTest::mouseRelease(spin, Qt::LeftButton, {}, up);
    QCoreApplication::processEvents();
    return s;
}

std::optional<Sample> readAll(CaseRun &run, int)
{
    return timeOnLine(run, [&] { chooseMenu(run, "ReadfromQuorexs1"); });
}

std::optional<Sample> fivePrj(CaseRun &run, int)
{
    return timeOnLine(run, [&] {
        for (int i = 0; i < 5; ++i)
            run.form.commands().PRJ(1 + i % 2, 8);
    });
}

// Nothing answers: every probe waits its whole prompt wait.
std::optional<Sample> searchNothing(CaseRun &run, int)
{
    Sample s = timeOnLine(run, [&] { chooseMenu(run, "SearchAll"); });
    int probes = 0;
    for (const TimedPort::Event &event : run.port.log)
        probes += event.out && event.bytes == "\r" ? 1 : 0;
    s.boundMs += probes * ProbeWaitMs;
    return s;
}

std::optional<Sample> sendAll(CaseRun &run, int)
{
    const Sample s = timeOnLine(run, [&] { chooseMenu(run, "SendCurrentSettingstoQuorexs1"); });
    if (run.port.sent() == 0)
        return std::nullopt;
    return s;
}

QList<BenchCase> makeCases()
{
    const auto display = [](CaseRun &run) { openDisplaySetup(run); };
    const auto none = [](CaseRun &) {};
    QStringList silent = controllerArguments();
    silent << QStringLiteral("-c") << QStringLiteral("silence on");
    const QStringList notDetected{QStringLiteral("Quorex(s) not detected.")};
    return {
        {"relayed-1", controllerArguments(), true, false, {}, display, oneRelayed},
        {"spin-held-100", controllerArguments(), true, false, {}, display, heldSpin, 1},
        {"blkgn-loop-100", controllerArguments(), true, true, {}, display, blkgnLoop},
        {"read-two-units", controllerArguments(), true, true, {}, none, readAll},
        {"direct-read-38400", directArguments(), true, true, {}, none, readAll},
        {"prj-5", controllerArguments(), true, false, {}, none, fivePrj},
        {"search-none", silent, false, false, notDetected, none, searchNothing, 1},
        {"send-all-8", controllerArguments(), true, false, {}, none, sendAll, 1},
    };
}

bool expected(const BenchCase &c, const QString &text)
{
    for (const QString &box : c.expectedBoxes) {
        if (text.startsWith(box))
            return true;
    }
    return false;
}

void printRow(const char *name, const QList<Sample> &samples, const QList<double> &turnarounds)
{
    QList<double> times, bounds, ratios, leads, tails;
    for (const Sample &s : samples) {
        times << s.ms;
        bounds << s.boundMs;
        ratios << s.ms / s.boundMs;
        leads << s.leadMs;
        tails << s.tailMs;
    }
    const Spread t = spreadOf(times);
    const Spread b = spreadOf(bounds);
    const Spread r = spreadOf(ratios);
    const QString turn =
        turnarounds.isEmpty() ? QStringLiteral("-") : QString::number(spreadOf(turnarounds).median, 'f', 3);
    std::printf("%-18s %3d %9.2f %9.2f %9.2f %9.2f %9.2f %9.2f %6.3f %6.3f %6.3f %8s\n", name, int(samples.size()),
                t.median, t.q1, t.q3, t.min, t.max, b.median, r.median, r.min, r.max, qPrintable(turn));
    std::printf("  program time before the first byte %.3f ms, after the last %.3f ms (medians)\n",
                spreadOf(leads).median, spreadOf(tails).median);
    if (!turnarounds.isEmpty()) {
        const Spread g = spreadOf(turnarounds);
        std::printf("  turnaround ms (answer to next command, %d): median %.3f, quartiles %.3f-%.3f, max %.3f\n",
                    int(turnarounds.size()), g.median, g.q1, g.q3, g.max);
    }
}

}  // namespace

const QList<BenchCase> &allCases()
{
    static const QList<BenchCase> cases = makeCases();
    return cases;
}

const BenchCase *findCase(const QString &name)
{
    for (const BenchCase &c : allCases()) {
        if (name == QLatin1String(c.name))
            return &c;
    }
    return nullptr;
}

double mandatedPausesMs(const QByteArray &written)
{
    static const command::Description *const table[] = {
        &command::BLKGN,   &command::OTPMQX,  &command::HALO,     &command::QXCTRL,   &command::DDBL,
        &command::DISP,    &command::EFTB,    &command::PEFT,     &command::FEATHER,  &command::PRJ,
        &command::ICPHOQX, &command::IRSPQX,  &command::ICNTQX,   &command::IBRTQX,   &command::ICSAVQX,
        &command::ICRSTQX, &command::MANSEAM, &command::BRDGSEAM, &command::AUTOSEAM, &command::BRTHRS,
        &command::RGBADJ,  &command::SYSAVE,  &command::RESETQX};
    double total = 0;
    for (qsizetype at = written.indexOf("PASS *"); at >= 0; at = written.indexOf("PASS *", at + 1)) {
        qsizetype p = at + 6;
        while (p < written.size() && std::isdigit(static_cast<unsigned char>(written[p])))
            ++p;
        qsizetype end = p;
        while (end < written.size() && std::isupper(static_cast<unsigned char>(written[end])))
            ++end;
        const QByteArray keyword = written.mid(p, end - p);
        for (const command::Description *d : table) {
            if (keyword != d->keyword)
                continue;
            // QXCTRL pauses by its mode: 1 advanced, 0 basic.
            if (d == &command::QXCTRL && written.mid(end, 2) == " 0")
                total += command::QXCTRLBasicPauseCount;
            else if (d != &command::RGBADJ)
                total += d->pauseCount;
        }
    }
    return total;
}

int runCase(const BenchCase &c, CaseRun &run, int samples)
{
    const QString loadBefore = machineLoad();
    c.prepare(run);
    run.sim.control(QStringLiteral("line-stats reset"));
    QList<Sample> taken;
    QList<double> turnarounds;
    const auto stopped = [&] {
        std::fprintf(stderr, "bench_window: %s interrupted after %d samples\n", c.name, int(taken.size()));
        return int(Interrupted);
    };
    const auto boxesBefore = run.dialogs.shown.size();
    for (int i = -c.warmUps; i < samples && !interrupted(); ++i) {
        const std::optional<Sample> s = c.sample(run, i);
        // Whatever the sample saw once interrupted (a simulator ended by
        // the same Ctrl-C) is no finding.
        if (interrupted())
            return stopped();
        if (!s) {
            std::printf("%-18s not built yet\n", c.name);
            return Done;
        }
        for (const QString &box : run.dialogs.shown.mid(boxesBefore)) {
            if (!expected(c, box)) {
                std::fprintf(stderr, "bench_window: %s: a box was shown: %s\n", c.name, qPrintable(box));
                return BoxesShown;
            }
        }
        run.dialogs.shown.resize(boxesBefore);
        if (s->boundMs <= 0) {
            std::fprintf(stderr, "bench_window: %s sent nothing\n", c.name);
            return BoxesShown;
        }
        if (i < 0)
            continue;  // warming up: the line and the simulator settle
        if (s->ms / s->boundMs < 0.98) {
            std::printf("%s: setup broken: faster than the wire (%.3f ms against a bound of %.3f ms)\n", c.name,
                        s->ms, s->boundMs);
            return FasterThanWire;
        }
        taken << *s;
        if (c.turnaroundIsOverhead)
            turnarounds << run.port.turnaroundsMs();
    }
    if (interrupted())
        return stopped();
    printRow(c.name, taken, turnarounds);
    const QString lateness = run.sim.lineStats();
    std::printf("  load before %s, after %s; simulator lateness: %s\n", qPrintable(loadBefore),
                qPrintable(machineLoad()),
                lateness.isEmpty() ? "not reported (this quorex-sim has no line-stats)" : qPrintable(lateness));
    return Done;
}

}  // namespace tess::bench
