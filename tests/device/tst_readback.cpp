// The senders that read the unit back and refill a page: QXCTRL, ICRSTQX,
// AUTOSEAM, and the automatic colour balance RGBADJ.
#include "support/DeviceRig.h"

#include <QTest>

using namespace tess;
using namespace tess::test;

namespace {

QStringList outputReads(bool controller, int unitId, QList<int> screens)
{
    QStringList lines;
    for (int s : screens)
        lines << (controller ? QStringLiteral("QXQUERY *%1OINFOQX %2!\r").arg(unitId).arg(s)
                             : QStringLiteral("OINFOQX %1\r").arg(s));
    return lines;
}

QStringList inputReads(bool controller, int unitId)
{
    QStringList lines;
    for (int s = 1; s <= 4; ++s)
        lines << (controller ? QStringLiteral("QXQUERY *%1IINFOQX %2!\r").arg(unitId).arg(s)
                             : QStringLiteral("IINFOQX %1\r").arg(s));
    return lines;
}

const QString kNoInput =
    QStringLiteral("Error! Quorex detect no input on input channel 1. Auto Color Balance aborted.");

}  // namespace

class ReadBackTest : public QObject {
    Q_OBJECT
private slots:
    void qxctrlReadsTheFourScreensAndRefillsTheDisplayPage_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<int>("pauseCount");
        QTest::newRow("controller, advanced") << true << true << 1 << QStringList{"*5QXCTRL 1!"} << 1550;
        QTest::newRow("controller, basic") << true << true << 0 << QStringList{"*5QXCTRL 0!"} << 350;
        QTest::newRow("controller, unknown mode: not sent") << true << true << 2 << QStringList() << 0;
        QTest::newRow("controller, not connected") << true << false << 1 << QStringList() << 0;
        QTest::newRow("direct") << false << true << 1 << QStringList{"QXCTRL 1\r"} << 0;
        QTest::newRow("direct, not connected") << false << false << 1 << QStringList() << 0;
    }
    void qxctrlReadsTheFourScreensAndRefillsTheDisplayPage()
    {
        QFETCH(bool, controller);
        QFETCH(bool, connected);
        QFETCH(int, mode);
        QFETCH(QStringList, command);
        QFETCH(int, pauseCount);
        DeviceRig rig(controller, connected);
        for (int s = 1; s <= 4; ++s)
            rig.units.units[0].outputs[s].BlackLevel = std::uint8_t(10 + s);
        int ticksAtCommand = 0;
        bool busyThroughout = true;
        rig.units.answer = [&](const QByteArray &line) -> std::optional<QByteArray> {
            if (line.startsWith("QXCTRL"))
                ticksAtCommand = rig.link.PromptWaitTicks;
            busyThroughout = busyThroughout && rig.window.busyCursor;
            return std::nullopt;
        };

        rig.commands.QXCTRL(1, mode);

        QCOMPARE(rig.journal,
                 command + outputReads(controller, 5, {1, 2, 3, 4}) + QStringList{"SyncDisplaySetup (quiet)"});
        QCOMPARE(rig.clock.countPauses(1), pauseCount);
        if (!controller && connected)
            QCOMPARE(ticksAtCommand, 630);
        for (int s = 1; s <= 4; ++s)
            QCOMPARE(int(rig.model.output(1, s).BlackLevel), 10 + s);
        QVERIFY(busyThroughout);
        QVERIFY(!rig.window.busyCursor);
        QVERIFY(!rig.host.state.SuppressSend);
        QCOMPARE(rig.link.PromptWaitTicks, 80);
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void qxctrlStoresTheModeEvenWhenTheReadsFail()
    {
        DeviceRig rig(false, false);
        rig.port.close();
        rig.commands.QXCTRL(2, 1);
        QCOMPARE(int(rig.model.output(2, 1).AdvancedMode), 1);
        QCOMPARE(rig.journal, QStringList{"SyncDisplaySetup (quiet)"});
        QCOMPARE(rig.window.status, QStringLiteral("Error parsing OINFOQX message...."));
    }

    void icrstqxReadsTheFourChannelsAfterASend_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<QStringList>("expected");
        const QStringList refill{"SyncSourceSetup (quiet)"};
        QTest::newRow("controller") << true << true << QStringList{"*6ICRSTQX 2!"} + inputReads(true, 6) + refill;
        QTest::newRow("controller, not connected: sent all the same")
            << true << false << QStringList{"*6ICRSTQX 2!"} + inputReads(true, 6) + refill;
        QTest::newRow("direct") << false << true << QStringList{"ICRSTQX 2\r"} + inputReads(false, 6) + refill;
        QTest::newRow("direct, not connected: nothing at all") << false << false << QStringList();
    }
    void icrstqxReadsTheFourChannelsAfterASend()
    {
        QFETCH(bool, controller);
        QFETCH(bool, connected);
        QFETCH(QStringList, expected);
        DeviceRig rig(controller, connected);
        // Directly the one unit on the line answers whatever unit is meant.
        rig.units.units[controller ? 1 : 0].inputs[3].Phase = 31;
        rig.commands.ICRSTQX(2, 2);
        QCOMPARE(rig.journal, expected);
        if (!expected.isEmpty()) {
            QCOMPARE(rig.model.input(2, 3).Phase, 31);
            QCOMPARE(rig.clock.countPauses(1), controller ? 200 : 0);
        }
    }

    // clang-format off
    void autoseamReadsTheScreenBackAndRefillsTheSeamPage_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<int>("failingReads");
        QTest::addColumn<QStringList>("expected");
        const QStringList refill{"SyncSeamRemoval (quiet)"};
        QTest::newRow("controller") << true << true << 0
                                    << QStringList{"*5AUTOSEAM 3!"} + outputReads(true, 5, {3}) + refill;
        QTest::newRow("controller, a failed read is read once more")
            << true << true << 1 << QStringList{"*5AUTOSEAM 3!"} + outputReads(true, 5, {3, 3}) + refill;
        QTest::newRow("controller, only once more")
            << true << true << 5 << QStringList{"*5AUTOSEAM 3!"} + outputReads(true, 5, {3, 3}) + refill;
        QTest::newRow("direct: one read") << false << true << 1
                                          << QStringList{"AUTOSEAM 3\r"} + outputReads(false, 5, {3}) + refill;
        QTest::newRow("controller, not connected") << true << false << 0 << refill;
        QTest::newRow("direct, not connected") << false << false << 0 << refill;
    }
    // clang-format on
    void autoseamReadsTheScreenBackAndRefillsTheSeamPage()
    {
        QFETCH(bool, controller);
        QFETCH(bool, connected);
        QFETCH(int, failingReads);
        QFETCH(QStringList, expected);
        DeviceRig rig(controller, connected);
        int ticksAtCommand = 0;
        rig.units.answer = [&](const QByteArray &line) -> std::optional<QByteArray> {
            if (line.startsWith("AUTOSEAM"))
                ticksAtCommand = rig.link.PromptWaitTicks;
            if (line.contains("OINFOQX") && failingReads > 0) {
                --failingReads;
                // An answer without a record.
                return line + "\n" + QByteArray(70, 'x') + (controller ? "\r\nLR>" : "\r\n#");
            }
            return std::nullopt;
        };
        rig.commands.AUTOSEAM(1, 3);
        QCOMPARE(rig.journal, expected);
        if (!controller && connected)
            QCOMPARE(ticksAtCommand, 120);
        if (controller && connected)
            QCOMPARE(rig.clock.countPauses(1), 100);
    }

    void colourBalanceWithoutVideoStopsWithTheMessage()
    {
        DeviceRig rig(true);
        rig.units.units[0].inputs[1].VideoLoaded = 0;
        rig.commands.RGBADJ(1);
        QCOMPARE(rig.journal, inputReads(true, 5) + QStringList{"SyncSourceSetup (quiet)"});
        QCOMPARE(rig.dialogs.takeMessages(), QStringList{kNoInput});
        QVERIFY(!rig.window.busyCursor);
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void colourBalanceThroughTheControllerWaitsForTheBusyUnit()
    {
        DeviceRig rig(true);
        rig.units.units[1].inputs[1].VideoLoaded = 1;
        rig.model.output(2, 1).TotalProjectors = 4;
        int notDone = 2;
        QList<bool> flagAtLine;
        rig.units.answer = [&](const QByteArray &line) -> std::optional<QByteArray> {
            flagAtLine << rig.link.ColorBalanceInProgress;
            // The unit is busy balancing: the controller says it does not
            // respond, twice, before the empty command gets its answer.
            if (line == "*6 !" && notDone-- > 0)
                return QByteArray("\r\n!ERR 4\r\nLR>");
            return std::nullopt;
        };

        rig.commands.RGBADJ(2);

        const QStringList exchanges{"SyncSourceSetup (quiet)", "*6RGBADJ!", "*6 !", "*6 !", "*6 !"};
        QCOMPARE(rig.journal,
                 inputReads(true, 6) + exchanges + inputReads(true, 6) + QStringList{"SyncColourBalance (quiet)"});
        QCOMPARE(flagAtLine.mid(4, 4), (QList<bool>{false, true, true, true}));
        QCOMPARE(rig.clock.countPauses(1), 4 * 5300);
        QCOMPARE(rig.clock.countPauses(5000), 2);
        QVERIFY(rig.window.statusHistory.contains(
            QStringLiteral("Automatic Color Balance in progress. Please wait....")));
        QCOMPARE(rig.window.status, QString());
        QVERIFY(!rig.link.ColorBalanceInProgress);
        QVERIFY(!rig.window.busyCursor);
        VERIFY_DIALOGS_TAKEN(rig.dialogs);  // no "does not respond" message while balancing
    }

    void colourBalanceDirectWaitsLongForThePrompt()
    {
        DeviceRig rig(false);
        rig.units.units[0].inputs[1].VideoLoaded = 1;
        int ticks = 0;
        QString status;
        rig.units.answer = [&](const QByteArray &line) -> std::optional<QByteArray> {
            if (line == "RGBADJ\r\r") {
                ticks = rig.link.PromptWaitTicks;
                status = rig.window.statusHistory.value(rig.window.statusHistory.size() - 2);
            }
            return std::nullopt;
        };
        rig.commands.RGBADJ(1);
        const QStringList exchange{"SyncSourceSetup (quiet)", "RGBADJ\r\r"};
        QCOMPARE(rig.journal,
                 inputReads(false, 5) + exchange + inputReads(false, 5) + QStringList{"SyncColourBalance (quiet)"});
        QCOMPARE(ticks, 37810);
        QCOMPARE(status, QStringLiteral("Automatic Color Balance in progress. Please wait...."));
        QCOMPARE(rig.link.PromptWaitTicks, 80);
        QVERIFY(!rig.window.busyCursor);
    }

    void colourBalanceGivenUpDoesNotWaitForTheUnit()
    {
        DeviceRig rig(true);
        rig.units.units[0].inputs[1].VideoLoaded = 1;
        rig.units.answer = [&](const QByteArray &line) -> std::optional<QByteArray> {
            return line == "*5RGBADJ!" ? std::optional<QByteArray>(QByteArray()) : std::nullopt;
        };
        rig.dialogs.answer(false);  // after three time-outs: give up
        rig.commands.RGBADJ(1);
        QVERIFY(!rig.units.lines.contains("*5 !"));
        QCOMPARE(rig.units.lines.count("*5RGBADJ!"), 3);
        QCOMPARE(rig.dialogs.takeMessages().size(), 3);
        QCOMPARE(rig.dialogs.takeQuestions().size(), 1);
        QVERIFY(!rig.link.ColorBalanceInProgress);
        QVERIFY(!rig.window.busyCursor);
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }
};

QTEST_GUILESS_MAIN(ReadBackTest)
#include "tst_readback.moc"
