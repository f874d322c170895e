// Each command sender: the exact bytes on the wire through the controller
// and directly, how it waits, and what it stores in the model.
#include "support/DeviceRig.h"

#include <QTest>

#include <cstring>
#include <functional>

using namespace tess;
using namespace tess::test;

namespace {

using Call = std::function<void(Commands &)>;
using Store = std::function<void(SettingsModel &)>;

constexpr int kWrittenWithoutWait = -1;

struct Case {
    const char *name;
    Call call;
    QByteArray controllerText;  // inside the PASS frame
    QByteArray directLine;
    int pauseCount;       // after the controller's answer
    int promptWaitTicks;  // direct: the prompt wait, or kWrittenWithoutWait
    Store store;
    bool relayedWhenNotConnected = false;
};

const Store nothing = [](SettingsModel &) {};

QList<Case> cases()
{
    return {
        {"BLKGN", [](Commands &c) { c.BLKGN(2, 3, 200); }, "*6BLKGN 3 200!", "BLKGN 3 200\r", 0, kWrittenWithoutWait,
         [](SettingsModel &m) { m.output(2, 3).BlackLevel = 200; }},
        {"OTPMQX one screen", [](Commands &c) { c.OTPMQX(1, 2, 7, 1, 0); }, "*5OTPMQX 2 7 1 0!", "OTPMQX 2 7 1 0\r",
         0, 80,
         [](SettingsModel &m) {
             m.output(1, 2).TestPattern = 7;
             m.output(1, 2).OutputRaster = 1;
         }},
        {"OTPMQX screen 5 is all four", [](Commands &c) { c.OTPMQX(2, 5, 3, 0, 1); }, "*6OTPMQX 5 3 0 1!",
         "OTPMQX 5 3 0 1\r", 0, 80,
         [](SettingsModel &m) {
             for (int s = 1; s <= 4; ++s) {
                 m.output(2, s).TestPattern = 3;
                 m.output(2, s).TestGrid = 1;
             }
         }},
        {"HALO left", [](Commands &c) { c.HALO(1, 2, 0, 40, -3); }, "*5HALO 2 L 40 -3!", "HALO 2 L 40 -3\r", 0,
         kWrittenWithoutWait,
         [](SettingsModel &m) {
             m.output(1, 2).HaloLeftWidth = 40;
             m.output(1, 2).HaloLeftOffset = -3;
         }},
        {"HALO any other side is right", [](Commands &c) { c.HALO(2, 4, 7, 25, 6); }, "*6HALO 4 R 25 6!",
         "HALO 4 R 25 6\r", 0, kWrittenWithoutWait,
         [](SettingsModel &m) {
             m.output(2, 4).HaloRightWidth = 25;
             m.output(2, 4).HaloRightOffset = 6;
         }},
        {"HALO for unit 3 stores nothing", [](Commands &c) { c.HALO(3, 1, 0, 10, 2); }, "*3HALO 1 L 10 2!",
         "HALO 1 L 10 2\r", 0, kWrittenWithoutWait, nothing},
        {"DDBL", [](Commands &c) { c.DDBL(2, 1); }, "*6DDBL 1!", "DDBL 1\r", 0, 80,
         [](SettingsModel &m) { m.output(2, 1).DataDoubling = 1; }},
        {"DISP", [](Commands &c) { c.DISP(1, 1, 128); }, "*5DISP 1 128!", "DISP 1 128\r", 500, 80,
         [](SettingsModel &m) {
             m.output(1, 1).Justification = 1;
             m.output(1, 1).OverlapWidth = 128;
         }},
        {"EFTB 2.2 is padded to four", [](Commands &c) { c.EFTB(1, 1, 2.2f); }, "*5EFTB 1  2.2!", "EFTB 1  2.2\r", 6,
         80,
         [](SettingsModel &m) {
             m.output(1, 1).BasicFeather = 1;
             m.output(1, 1).BasicGamma = 2.2f;
         }},
        {"EFTB 10.0 fills the field", [](Commands &c) { c.EFTB(2, 0, 10.0f); }, "*6EFTB 0 10.0!", "EFTB 0 10.0\r", 6,
         80, [](SettingsModel &m) { m.output(2, 1).BasicGamma = 10.0f; }},
        {"PEFT stores nothing", [](Commands &c) { c.PEFT(1, 2, 'L', 1, 2.5f, 100, -5); }, "*5PEFT 2 L 1  2.5 100 -5!",
         "PEFT 2 L 1  2.5 100 -5\r", 50, 80, nothing},
        {"FEATHER S-curve", [](Commands &c) { c.FEATHER(1, false); }, "*5FEATHER S!", "FEATHER S\r", 500, 80,
         [](SettingsModel &m) { m.output(1, 1).FeatherCurve = 'S'; }},
        {"FEATHER linear", [](Commands &c) { c.FEATHER(2, true); }, "*6FEATHER L!", "FEATHER L\r", 500, 80,
         [](SettingsModel &m) { m.output(2, 1).FeatherCurve = 'L'; }},
        {"PRJ unit 2 is group 1", [](Commands &c) { c.PRJ(2, 6); }, "*6PRJ 1 6!", "PRJ 1 6\r", 160, 180,
         [](SettingsModel &m) {
             m.output(2, 1).TotalProjectors = 6;
             m.output(2, 1).ProjectorGroup = 1;
         },
         true},
        {"PRJ unit 1 is group 0", [](Commands &c) { c.PRJ(1, 3); }, "*5PRJ 0 3!", "PRJ 0 3\r", 160, 180,
         [](SettingsModel &m) { m.output(1, 1).TotalProjectors = 3; }, true},
        {"ICPHOQX", [](Commands &c) { c.ICPHOQX(1, 3, 17); }, "*5ICPHOQX 3 M 17!", "ICPHOQX 3 M 17\r", 0,
         kWrittenWithoutWait, [](SettingsModel &m) { m.input(1, 3).Phase = 17; }},
        {"IRSPQX H", [](Commands &c) { c.IRSPQX_H(2, 1, 300); }, "*6IRSPQX 1 M H 300!", "IRSPQX 1 M H 300\r", 0,
         kWrittenWithoutWait, [](SettingsModel &m) { m.input(2, 1).HPosition = 300; }},
        {"IRSPQX V", [](Commands &c) { c.IRSPQX_V(1, 4, -12); }, "*5IRSPQX 4 M V -12!", "IRSPQX 4 M V -12\r", 0,
         kWrittenWithoutWait, [](SettingsModel &m) { m.input(1, 4).VPosition = -12; }},
        {"ICNTQX red", [](Commands &c) { c.ICNTQX(1, 2, 1, 55.5f); }, "*5ICNTQX 2 R 55.5!", "ICNTQX 2 R 55.5\r", 0,
         kWrittenWithoutWait, [](SettingsModel &m) { m.input(1, 2).ContrastR = 55.5f; }},
        {"ICNTQX common", [](Commands &c) { c.ICNTQX(2, 1, 0, 100.0f); }, "*6ICNTQX 1 C 100.0!", "ICNTQX 1 C 100.0\r",
         0, kWrittenWithoutWait, [](SettingsModel &m) { m.input(2, 1).ContrastC = 100.0f; }},
        {"IBRTQX blue", [](Commands &c) { c.IBRTQX(2, 4, 3, -2.5f); }, "*6IBRTQX 4 B -2.5!", "IBRTQX 4 B -2.5\r", 0,
         kWrittenWithoutWait, [](SettingsModel &m) { m.input(2, 4).BrightnessB = -2.5f; }},
        {"IBRTQX green", [](Commands &c) { c.IBRTQX(1, 1, 2, 5.0f); }, "*5IBRTQX 1 G  5.0!", "IBRTQX 1 G  5.0\r", 0,
         kWrittenWithoutWait, [](SettingsModel &m) { m.input(1, 1).BrightnessG = 5.0f; }},
        {"ICSAVQX", [](Commands &c) { c.ICSAVQX(1, 2); }, "*5ICSAVQX 2!", "ICSAVQX 2\r", 200, 80, nothing},
        {"MANSEAM",
         [](Commands &c) {
             c.MANSEAM(2, 1, -4, {1, 2, 3, 4, 5, 6, 7, 255});
         },
         "*6MANSEAM 1 -4 1 2 3 4 5 6 7 255!", "MANSEAM 1 -4 1 2 3 4 5 6 7 255\r", 0, 80,
         [](SettingsModel &m) {
             OutputRecord &r = m.output(2, 1);
             r.SeamPrefix = -4;
             for (std::size_t i = 0; i < 7; ++i)
                 r.*SeamGainFields[i] = std::uint8_t(i + 1);
             r.SeamGain8 = 255;
         },
         true},
        {"BRDGSEAM stores in record 1", [](Commands &c) { c.BRDGSEAM(1, 3, 1); }, "*5BRDGSEAM 1!", "BRDGSEAM 1\r", 20,
         120, [](SettingsModel &m) { m.output(1, 1).SeamBridge = 1; }},
        {"BRTHRS", [](Commands &c) { c.BRTHRS(2, 40); }, "*6BRTHRS 40!", "BRTHRS 40\r", 100, 80,
         [](SettingsModel &m) { m.output(2, 1).BridgeThreshold = 40; }, true},
        {"SYSAVE", [](Commands &c) { c.SYSAVE(1); }, "*5SYSAVE!", "SYSAVE\r", 1000, 80, nothing},
        {"RESETQX carries the unit number", [](Commands &c) { c.RESETQX(2, 'F'); }, "*2RESETQX F!", "RESETQX F\r",
         7000, 810, nothing},
    };
}

QByteArray framed(const QByteArray &text)
{
    unsigned sum = 0;
    for (char c : text)
        sum += static_cast<unsigned char>(c);
    return "PASS " + text + QByteArray::number(sum & 0xFF, 16).toUpper().rightJustified(2, '0') + "\r\r";
}

void compareModels(const SettingsModel &actual, const SettingsModel &expected)
{
    for (int unit = 1; unit <= 2; ++unit) {
        for (int r = 0; r < 5; ++r) {
            QVERIFY2(std::memcmp(&actual.input(unit, r == 0 ? 1 : r), &expected.input(unit, r == 0 ? 1 : r),
                                 sizeof(InputRecord))
                         == 0,
                     qPrintable(QStringLiteral("input record %1 of unit %2").arg(r).arg(unit)));
        }
        QVERIFY2(std::memcmp(&actual.outputBlock(unit), &expected.outputBlock(unit), sizeof(UnitOutputBlock)) == 0,
                 qPrintable(QStringLiteral("output block of unit %1").arg(unit)));
    }
}

}  // namespace

Q_DECLARE_METATYPE(Call)
Q_DECLARE_METATYPE(Store)

class CommandsTest : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void senderStoresThenSendsTheModesForm_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::addColumn<Call>("call");
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<int>("pauseCount");
        QTest::addColumn<int>("promptWaitTicks");
        QTest::addColumn<Store>("store");
        for (const Case &c : cases()) {
            QTest::addRow("%s, controller", c.name) << true << c.call << framed(c.controllerText) << c.pauseCount
                                                    << 0 << c.store;
            QTest::addRow("%s, direct", c.name) << false << c.call << c.directLine << 0 << c.promptWaitTicks
                                                << c.store;
        }
    }
    // clang-format on
    void senderStoresThenSendsTheModesForm()
    {
        QFETCH(bool, controller);
        QFETCH(Call, call);
        QFETCH(QByteArray, wire);
        QFETCH(int, pauseCount);
        QFETCH(int, promptWaitTicks);
        QFETCH(Store, store);
        DeviceRig rig(controller);
        int ticksSeen = 0;
        bool waitedForPrompt = false;
        rig.units.answer = [&](const QByteArray &) -> std::optional<QByteArray> {
            ticksSeen = rig.link.PromptWaitTicks;
            waitedForPrompt = rig.window.status == QStringLiteral("Sending command....");
            return std::nullopt;
        };

        call(rig.commands);

        QCOMPARE(rig.port.written, wire);
        if (controller) {
            QCOMPARE(rig.clock.countPauses(1), pauseCount);
        } else {
            QCOMPARE(waitedForPrompt, promptWaitTicks != kWrittenWithoutWait);
            if (waitedForPrompt)
                QCOMPARE(ticksSeen, promptWaitTicks);
        }
        SettingsModel expected;
        store(expected);
        compareModels(rig.model, expected);
        QCOMPARE(rig.link.PromptWaitTicks, 80);
        QVERIFY(!rig.link.ColorBalanceInProgress);
        QVERIFY(rig.journal.size() == 1);  // one line, no page refilled
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    // clang-format off
    void notConnectedStoresAndSendsOnlyWhatTheControllerTakesAnyway_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::addColumn<Call>("call");
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<Store>("store");
        for (const Case &c : cases()) {
            QTest::addRow("%s, controller", c.name)
                << true << c.call << (c.relayedWhenNotConnected ? framed(c.controllerText) : QByteArray())
                << c.store;
            QTest::addRow("%s, direct", c.name) << false << c.call << QByteArray() << c.store;
        }
    }
    // clang-format on
    void notConnectedStoresAndSendsOnlyWhatTheControllerTakesAnyway()
    {
        QFETCH(bool, controller);
        QFETCH(Call, call);
        QFETCH(QByteArray, wire);
        QFETCH(Store, store);
        DeviceRig rig(controller, false);
        call(rig.commands);
        QCOMPARE(rig.port.written, wire);
        SettingsModel expected;
        store(expected);
        compareModels(rig.model, expected);
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void closedPortSendsNothingEvenForTheControllersExceptions()
    {
        DeviceRig rig(true, false);
        rig.port.close();
        rig.commands.PRJ(2, 5);
        rig.commands.MANSEAM(1, 1, -4, {});
        rig.commands.BRTHRS(1, 9);
        QVERIFY(rig.port.written.isEmpty());
        QCOMPARE(int(rig.model.output(2, 1).TotalProjectors), 5);
        QCOMPARE(int(rig.model.output(1, 1).BridgeThreshold), 9);
    }

    void idIsReadFromTheWindowAtEachSend()
    {
        DeviceRig rig(true);
        rig.commands.DDBL(1, 0);
        rig.host.unitIds.setId(1, 17);
        rig.commands.DDBL(1, 1);
        QCOMPARE(rig.units.lines, (QList<QByteArray>{"*5DDBL 0!", "*17DDBL 1!"}));
    }

    void unknownColourStoresAndSendsNothing()
    {
        DeviceRig rig(false);
        QTest::ignoreMessage(QtWarningMsg, "tess: colour 4 is not one of 0 to 3; nothing stored or sent");
        rig.commands.ICNTQX(1, 1, 4, 50.0f);
        QVERIFY(rig.port.written.isEmpty());
        compareModels(rig.model, SettingsModel());
    }
};

QTEST_GUILESS_MAIN(CommandsTest)
#include "tst_commands.moc"
