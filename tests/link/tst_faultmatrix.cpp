// Every fault the simulated line, controller and units can show, against
// every operation of the link: each ends within a stated time, asks the
// user at most once (the answer is always "give up"), stores only what the
// units really hold, and a search afterwards connects at the first try and
// reads good data. Virtual time throughout; the random faults are seeded.
#include "device/StatusQueries.h"
#include "device/StatusRecords.h"
#include "link/DeviceSearch.h"
#include "link/Link.h"
#include "model/SettingsModel.h"
#include "platform/Dialogs.h"
#include "support/FakeDeviceHost.h"
#include "support/FakeWindow.h"
#include "support/LinkTexts.h"
#include "support/RecordedExit.h"
#include "support/SimulatedLine.h"

#include <QTest>

using namespace tess;
using namespace tess::test;

namespace {

// Answers every question with No (Cancel) and counts what was shown.
class GiveUpDialogs final : public Dialogs {
public:
    QStringList messages;
    QStringList questions;

    void showMessage(const QString &text, const QString & = QString()) override { messages << text; }
    bool askOkCancel(const QString &caption, const QString &) override { return ask(caption); }
    bool askYesNo(const QString &caption, const QString &) override { return ask(caption); }
    QString openFileName(const FileRequest &) override { return {}; }
    QString saveFileName(const FileRequest &) override { return {}; }
    void clear()
    {
        messages.clear();
        questions.clear();
    }

private:
    bool ask(const QString &caption)
    {
        questions << caption;
        return false;
    }
};

enum class Op { Search, Count, System, Input, Output, Relayed, Direct };

const char *opName(Op op)
{
    static const char *const names[] = {"search", "count", "SYINFOQX", "IINFOQX", "OINFOQX", "relayed", "direct"};
    return names[int(op)];
}

// Which operations each connection mode has.
QList<Op> opsFor(bool controller)
{
    if (controller)
        return {Op::Search, Op::Count, Op::System, Op::Input, Op::Output, Op::Relayed};
    return {Op::Search, Op::System, Op::Input, Op::Output, Op::Direct};
}

constexpr int Screen = 2;
constexpr int BlackLevelSent = 77;
// The longest any operation may take under any fault, in virtual time:
// three failed attempts of 8 s each plus their pauses, with room to spare.
constexpr qint64 TimeLimitMs = 40000;

// The link and everything above it on a simulated line (RS-485 IDs 5 and 6
// through the controller), connected on COM1.
struct Rig {
    explicit Rig(bool controller) : line(controller ? sim::Setup::controller({5, 6}) : sim::Setup::direct())
    {
        window.controllerBox = controller;
        link.ControllerMode = controller;
        window.baudIndex = controller ? 1 : 0;
        window.ids[0] = 5;
        window.ids[1] = 6;
        link.PromptChar = controller ? '>' : '#';
        line.port.setBaudRate(controller ? 57600 : 38400);
        line.port.setPortNumber(1);
        line.port.open();
        link.SetDeviceConnected(true);
        // Something other than zero in every record, so that a wrong store shows.
        line.sim.unit(1).setInputSignal(Screen, sim::InputSignal::lockedAt(1024, 768));
        line.control(QStringLiteral("output 1 all 2 1 3"));
    }

    SimulatedLine line;
    GiveUpDialogs dialogs;
    RecordedExit exit;
    FakeWindow window;
    Link link{line.port, line.clock, dialogs, exit, window};
    SettingsModel model;
    FakeDeviceHost host;
    StatusQueries queries{link, model, host};
    DeviceSearch search{link, window};
    int count = -1;  // what the count operation reported

    // Lets the line fall quiet: a busy unit finishes, and whatever is still
    // on its way (the longest delay is 30 s) arrives and is left unread.
    void drain()
    {
        line.clock.advance(45000);
        for (int i = 0; i < 100; ++i) {
            const std::optional<qint64> due = line.sim.nextDueMs();
            if (!due || !line.port.isOpen())
                return;
            line.clock.advance(int(qMax<qint64>(*due - line.clock.nowMs(), 0)) + 1);
        }
    }
};

QByteArray bytesOf(const auto &record)
{
    return QByteArray(reinterpret_cast<const char *>(&record), sizeof record);
}

// What the model must hold for the record a query reads: `before` with the
// unit's true record decoded into it.
QByteArray truth(Rig &rig, Op op, const SettingsModel &before)
{
    sim::Unit &unit = rig.line.sim.unit(1);
    const auto decode = [](const QByteArray &record) {
        return records::Bytes(reinterpret_cast<const std::uint8_t *>(record.constData()) + 2,
                              size_t(record.size() - 2));
    };
    switch (op) {
    case Op::System: {
        FirmwareVersionBytes version = before.firmwareVersion(1);
        const QByteArray record = unit.systemRecord();
        records::decodeSystemInfo(decode(record), version);
        version[7] = 0;
        return QByteArray(version.data(), int(version.size()));
    }
    case Op::Input: {
        InputRecord r = before.input(1, Screen);
        const QByteArray record = unit.inputRecord(Screen);
        records::decodeInputInfo(std::uint8_t(record.at(1)), decode(record), r);
        return bytesOf(r);
    }
    case Op::Output: {
        OutputRecord r = before.output(1, Screen);
        const QByteArray record = unit.outputRecord(Screen);
        records::decodeOutputInfo(std::uint8_t(record.at(1)), decode(record), r);
        return bytesOf(r);
    }
    default:
        return {};
    }
}

QByteArray held(const SettingsModel &model, Op op)
{
    switch (op) {
    case Op::System: {
        const FirmwareVersionBytes &v = model.firmwareVersion(1);
        return QByteArray(v.data(), int(v.size()));
    }
    case Op::Input:
        return bytesOf(model.input(1, Screen));
    case Op::Output:
        return bytesOf(model.output(1, Screen));
    default:
        return {};
    }
}

// Runs one operation; true when it reports success.
bool run(Rig &rig, Op op)
{
    switch (op) {
    case Op::Search:
        rig.search.SearchAllClick();
        return rig.link.DeviceConnected;
    case Op::Count:
        rig.count = rig.search.CountUnits();
        return rig.count != 0;
    case Op::System:
        return rig.queries.QuerySystemInfo(1);
    case Op::Input:
        return rig.queries.QueryInputInfo(1, Screen);
    case Op::Output:
        return rig.queries.QueryOutputInfo(1, Screen);
    case Op::Relayed:
        rig.link.formatCommand("*5BLKGN %d %d!", Screen, BlackLevelSent);
        rig.link.ComputeChecksum();
        return rig.link.SendRelayed(5, 0);
    case Op::Direct:
        rig.link.formatCommand("BLKGN %d %d\r", Screen, BlackLevelSent);
        rig.link.SendDirect();
        return rig.exit.codes.isEmpty();
    }
    return false;
}

struct Case {
    bool controller;
    Op op;
    QStringList faults;  // control commands given before the operation
};

}  // namespace

Q_DECLARE_METATYPE(Case)

class FaultMatrixTest : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void everyFaultEveryOperation_data()
    {
        QTest::addColumn<Case>("c");
        const auto add = [](bool controller, Op op, const QStringList &faults) {
            const QString name = QStringLiteral("%1 %2: %3")
                                     .arg(controller ? QStringLiteral("controller") : QStringLiteral("direct"),
                                          QLatin1String(opName(op)), faults.join(QStringLiteral(", ")));
            QTest::newRow(qPrintable(name)) << Case{controller, op, faults};
        };
        // Faults every operation meets.
        const QList<QStringList> common{
            {},
            {"silence on"},
            {"drop 1"},
            {"drop 100"},
            {"delay 8500"},
            {"delay 30000"},
            {"noise 5"},
            {"noise 60"},
            {"noise 300"},
            {"split 1"},
            {"split 3 20"},
            {"unit 1 absent"},
            {"unit 1 responding off"},
            {"busy 1 20000"},
            {"vanish"},
            {"vanish", "restore"},
        };
        // A unit that does not echo works all the same.
        const QList<QStringList> directOnly{{"echo off"}};
        const QList<QStringList> controllerOnly{
            {"error 1"}, {"error 1 always"}, {"error 2"}, {"error 2 always"}, {"error 3 always"},
            {"error 4"}, {"error 4 always"}, {"unrecognised 1"}, {"unrecognised 1000000"},
            {"debug on"}, {"debug stuck"}, {"count-separator tab"},
        };
        for (const bool controller : {false, true}) {
            for (const Op op : opsFor(controller)) {
                for (const QStringList &faults : common)
                    add(controller, op, faults);
                // Noise of every length up to the 30 characters in which the
                // count is looked for.
                for (int n = 1; op == Op::Count && n <= 30; ++n)
                    add(controller, op, {QStringLiteral("noise %1").arg(n)});
                for (int seed = 1; seed <= 6; ++seed)
                    add(controller, op, {QStringLiteral("split random %1 12").arg(seed)});
                for (const QStringList &faults : controller ? controllerOnly : directOnly)
                    add(controller, op, faults);
            }
        }
        // Faults at every position or length of a status reply: the longest
        // reply is an echo of about 25 characters, an 80-byte record, the
        // line end and the controller's prompt.
        for (const bool controller : {false, true}) {
            for (const Op op : {Op::System, Op::Input, Op::Output}) {
                const int payload = op == Op::System ? 8 : op == Op::Input ? 78 : 66;
                for (int n = 0; n < payload; ++n)
                    add(controller, op, {QStringLiteral("truncate %1").arg(n)});
                const int reply = payload + 40;
                for (int at = 0; at < reply; ++at) {
                    add(controller, op, {QStringLiteral("lose %1").arg(at)});
                    add(controller, op, {QStringLiteral("insert %1 2").arg(at)});
                }
                for (int piece = 1; piece <= reply; ++piece)
                    add(controller, op, {QStringLiteral("split %1").arg(piece)});
            }
        }
    }
    // clang-format on

    void everyFaultEveryOperation()
    {
        QFETCH(Case, c);
        Rig rig(c.controller);
        for (const QString &fault : std::as_const(c.faults))
            QVERIFY2(rig.line.control(fault).ok, qPrintable(fault));

        SettingsModel before = rig.model;
        const qint64 start = rig.line.clock.nowMs();
        const bool ok = run(rig, c.op);
        const qint64 took = rig.line.clock.nowMs() - start;

        QVERIFY2(took <= TimeLimitMs, qPrintable(QStringLiteral("took %1 ms").arg(took)));
        QVERIFY2(rig.dialogs.questions.size() <= 1, qPrintable(rig.dialogs.questions.join(u'|')));
        QVERIFY(rig.dialogs.messages.count(NoUnitResponseText) <= 1);
        QVERIFY2(rig.dialogs.messages.size() <= 4, qPrintable(rig.dialogs.messages.join(u'|')));
        // Noise longer than the reply buffer ahead of every reply: each reply
        // is garbled, and the unit is never said to be silent.
        const bool overrun = c.faults.size() == 1 && c.faults.front().startsWith(QLatin1String("noise "))
                             && c.faults.front().section(u' ', 1).toInt() >= Link::BufferSize;
        if (overrun)
            QVERIFY2(!rig.dialogs.messages.contains(TimeoutText), qPrintable(rig.dialogs.messages.join(u'|')));

        // The model holds the unit's true record after a good read, and
        // what it held before after a failed one.
        if (c.op == Op::System || c.op == Op::Input || c.op == Op::Output)
            QCOMPARE(held(rig.model, c.op), ok ? truth(rig, c.op, before) : held(before, c.op));
        // A count reported good is the true one, with the true IDs.
        if (c.op == Op::Count && ok) {
            QList<int> present;
            for (int unit = 1; unit <= rig.line.sim.unitCount(); ++unit) {
                if (rig.line.sim.unit(unit).present)
                    present << rig.line.sim.idOf(unit);
            }
            QCOMPARE(rig.count, present.size());
            QCOMPARE(QList<int>(rig.window.ids, rig.window.ids + present.size()), present);
        }
        // A command reported sent did reach the unit.
        if ((c.op == Op::Relayed || c.op == Op::Direct) && ok)
            QCOMPARE(int(rig.line.sim.unit(1).settings.screens[Screen - 1].blackLevel), BlackLevelSent);
        // Without a fault every operation succeeds, and so it does when the
        // reply comes in pieces, without an echo, with tabs between the
        // count's numbers, or behind a little noise (the count excepted:
        // noise there is refused; and much noise pushes a record past the
        // 30 characters in which it is looked for).
        const QString kind = c.faults.value(0).section(u' ', 0, 0);
        const bool littleNoise = kind == QLatin1String("noise") && c.faults.front().section(u' ', 1).toInt() <= 5;
        if (kind.isEmpty() || kind == QLatin1String("split") || kind == QLatin1String("echo")
            || kind == QLatin1String("count-separator") || (littleNoise && c.op != Op::Count))
            QVERIFY(ok);

        // Afterwards, once the faults are gone and the line is quiet, one
        // search connects and the next read is right.
        QVERIFY(rig.line.control(QStringLiteral("reset-faults")).ok);
        QVERIFY(rig.line.control(QStringLiteral("restore")).ok);
        rig.drain();
        rig.dialogs.clear();
        rig.search.SearchAllClick();
        QVERIFY2(rig.link.DeviceConnected, qPrintable(rig.dialogs.messages.join(u'|')));
        QCOMPARE(rig.dialogs.messages, QStringList());
        QCOMPARE(rig.dialogs.questions, QStringList());
        before = rig.model;
        QVERIFY(rig.queries.QueryInputInfo(1, Screen));
        QCOMPARE(held(rig.model, Op::Input), truth(rig, Op::Input, before));
    }

    // Disconnecting while the units are read ends the read at once, without
    // a time-out or a question for each screen left.
    void disconnectingDuringAReadEndsItAtOnce()
    {
        for (const bool controller : {false, true}) {
            Rig rig(controller);
            QVERIFY(rig.line.control(QStringLiteral("delay 50")).ok);
            // Replies take 50 ms: the system record and input screen 1 are
            // in when "Disconnect Serial Communication" is chosen.
            const auto disconnect = rig.line.clock.createTimer();
            QObject::connect(disconnect.get(), &ClockTimer::timeout, [&] {
                disconnect->stop();
                rig.search.DisconnectSerialCo1Click();
            });
            disconnect->start(120);
            QCOMPARE(rig.queries.ReadAllStatus(1), -3);
            QVERIFY(rig.line.clock.nowMs() < 1000);
            QCOMPARE(rig.dialogs.messages, QStringList());
            QCOMPARE(rig.dialogs.questions, QStringList());
            QVERIFY(!rig.host.infoShown);
        }
    }

    // A reply that comes after its query timed out is not the next query's
    // answer: screen 2 never gets screen 1's record.
    void lateReplyIsNotTakenByTheNextQuery_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::addColumn<QString>("fault");
        QTest::newRow("direct, delayed") << false << QStringLiteral("delay 8500");
        QTest::newRow("controller, delayed") << true << QStringLiteral("delay 8500");
        QTest::newRow("direct, busy unit") << false << QStringLiteral("busy 1 9000");
    }
    void lateReplyIsNotTakenByTheNextQuery()
    {
        QFETCH(bool, controller);
        QFETCH(QString, fault);
        Rig rig(controller);
        rig.line.sim.unit(1).setInputSignal(1, sim::InputSignal::lockedAt(640, 480));
        QVERIFY(rig.line.control(fault).ok);
        QVERIFY(!rig.queries.QueryInputInfo(1, 1));
        QCOMPARE(rig.dialogs.messages, QStringList{TimeoutText});
        QVERIFY(rig.line.control(QStringLiteral("reset-faults")).ok);

        const SettingsModel before = rig.model;
        QVERIFY(rig.queries.QueryInputInfo(1, Screen));
        QCOMPARE(held(rig.model, Op::Input), truth(rig, Op::Input, before));
        QCOMPARE(rig.model.input(1, Screen).HActive, 1024);
        QCOMPARE(bytesOf(rig.model.input(1, 1)), bytesOf(before.input(1, 1)));
    }
};

QTEST_GUILESS_MAIN(FaultMatrixTest)
#include "tst_faultmatrix.moc"
