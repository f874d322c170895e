// The three status queries through the link: their two forms, where the
// record may stand in the reply, what happens without one, and the
// controller's retry rules.
#include "support/LinkTexts.h"
#include "support/DeviceRig.h"
#include "support/RecordEncoder.h"

#include <QTest>

#include <cstring>

using namespace tess;
using namespace tess::test;

namespace {

const QString &kTimeout = TimeoutText;

enum Query { System, Input, Output };

bool run(DeviceRig &rig, int query, int unit, int screen)
{
    switch (query) {
    case System:
        return rig.queries.QuerySystemInfo(unit);
    case Input:
        return rig.queries.QueryInputInfo(unit, screen);
    default:
        return rig.queries.QueryOutputInfo(unit, screen);
    }
}

const std::optional<QByteArray> silence = QByteArray();

// The controller's answer to a line it does not take.
const QByteArray refusal = "?\r\nCTRL: unknown command\r\nLR>";

bool sameOutput(const OutputRecord &a, const OutputRecord &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

class StatusQueriesTest : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void queryFormsAndReplyLengths_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::addColumn<int>("query");
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("screen");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("minReplyLength");
        QTest::newRow("SYINFOQX, controller") << true << int(System) << 2 << 0 << QByteArray("QXQUERY *6SYINFOQX!\r") << 8;
        QTest::newRow("SYINFOQX, direct") << false << int(System) << 1 << 0 << QByteArray("SYINFOQX\r") << 8;
        QTest::newRow("IINFOQX, controller") << true << int(Input) << 1 << 3 << QByteArray("QXQUERY *5IINFOQX 3!\r") << 70;
        QTest::newRow("IINFOQX, direct") << false << int(Input) << 1 << 3 << QByteArray("IINFOQX 3\r") << 70;
        QTest::newRow("OINFOQX, controller") << true << int(Output) << 2 << 4 << QByteArray("QXQUERY *6OINFOQX 4!\r") << 62;
        QTest::newRow("OINFOQX, direct") << false << int(Output) << 1 << 4 << QByteArray("OINFOQX 4\r") << 62;
    }
    // clang-format on
    void queryFormsAndReplyLengths()
    {
        QFETCH(bool, controller);
        QFETCH(int, query);
        QFETCH(int, unit);
        QFETCH(int, screen);
        QFETCH(QByteArray, line);
        QFETCH(int, minReplyLength);
        DeviceRig rig(controller);
        ScriptedUnits::Unit &device = rig.units.units[controller ? unit - 1 : 0];
        device.version = {'Q', 'X', 'V', '2', '.', '1', '0', 'Z'};
        device.inputs[screen].Phase = -44;
        device.outputs[screen].BlackLevel = 99;
        int seenLength = -1;
        rig.units.answer = [&](const QByteArray &) -> std::optional<QByteArray> {
            seenLength = rig.link.minReplyLength();
            return std::nullopt;
        };

        QVERIFY(run(rig, query, unit, screen));

        QCOMPARE(rig.port.written, line);
        QCOMPARE(seenLength, minReplyLength);
        if (query == System)
            QCOMPARE(rig.model.versionText(unit), QStringLiteral("V2.10"));
        else if (query == Input)
            QCOMPARE(rig.model.input(unit, screen).Phase, -44);
        else
            QCOMPARE(int(rig.model.output(unit, screen).BlackLevel), 99);
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void systemRecordKeepsSevenBytesAndAZero()
    {
        DeviceRig rig(false);
        rig.units.units[0].version = {'Q', 'X', 'V', '1', '.', '0', '7', 'Z'};
        QVERIFY(rig.queries.QuerySystemInfo(1));
        const FirmwareVersionBytes &v = rig.model.firmwareVersion(1);
        QCOMPARE(QByteArray(v.data(), 8), QByteArray("QXV1.07\0", 8));
    }

    void recordIsFoundUpToPosition29_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("found");
        QTest::newRow("at 29") << 29 << true;
        QTest::newRow("at 30") << 30 << false;
    }
    void recordIsFoundUpToPosition29()
    {
        QFETCH(int, position);
        QFETCH(bool, found);
        DeviceRig rig(false);
        rig.model.output(1, 1).BlackLevel = 7;
        const OutputRecord before = rig.model.output(1, 1);
        OutputRecord unit;
        unit.BlackLevel = 250;
        rig.units.answer = [&](const QByteArray &line) -> std::optional<QByteArray> {
            // The echo ("OINFOQX 1\r\n") and filler put the header where wanted.
            QByteArray reply = line + "\n";
            reply += QByteArray(position - reply.size(), '.');
            return reply + recordBytes('B', outputPayload(unit, 'B')) + "\r\n#";
        };
        QCOMPARE(rig.queries.QueryOutputInfo(1, 1), found);
        if (found) {
            QCOMPARE(int(rig.model.output(1, 1).BlackLevel), 250);
        } else {
            QVERIFY(sameOutput(rig.model.output(1, 1), before));
            QCOMPARE(rig.window.status, QStringLiteral("Error parsing OINFOQX message...."));
        }
    }

    // clang-format off
    void replyWithoutRecordLeavesTheModelAndSaysSo_data()
    {
        QTest::addColumn<int>("query");
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("status");
        QTest::newRow("SYINFOQX") << int(System) << QByteArray(10, 'x') << "Error parsing SYINFOQX message....";
        QTest::newRow("IINFOQX") << int(Input) << QByteArray(80, 'x') << "Error parsing IINFOQX message....";
        QTest::newRow("OINFOQX") << int(Output) << QByteArray(70, 'x') << "Error parsing OINFOQX message....";
        QTest::newRow("OINFOQX type A") << int(Output) << recordBytes('A', QByteArray(65, '\0'))
                                        << "Error parsing OINFOQX message....";
        QTest::newRow("IINFOQX with an output record") << int(Input) << recordBytes('B', QByteArray(70, '\0'))
                                                       << "Error parsing IINFOQX message....";
        // A record that arrives after the prompt, in the same piece, is no
        // part of the reply.
        QTest::newRow("SYINFOQX record after the prompt")
            << int(System) << QByteArray("ok\r\nLR>") + recordBytes(8, QByteArray("QX2.40\0\0", 8))
            << "Error parsing SYINFOQX message....";
    }
    // clang-format on
    void replyWithoutRecordLeavesTheModelAndSaysSo()
    {
        QFETCH(int, query);
        QFETCH(QByteArray, record);
        QFETCH(QString, status);
        DeviceRig rig(true);
        rig.model.setFirmwareVersion(1, {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'});
        rig.model.input(1, 2).Phase = 12;
        rig.model.output(1, 2).BlackLevel = 34;
        const SettingsModel before = rig.model;
        rig.units.answer = [&](const QByteArray &line) -> std::optional<QByteArray> {
            return line + "\n" + record + "\r\nLR>";
        };
        QVERIFY(!run(rig, query, 1, 2));
        QCOMPARE(rig.window.status, status);
        QCOMPARE(rig.clock.countPauses(100), 1);
        QVERIFY(std::memcmp(&rig.model.inputBlock(1), &before.inputBlock(1), sizeof(UnitInputBlock)) == 0);
        QVERIFY(std::memcmp(&rig.model.outputBlock(1), &before.outputBlock(1), sizeof(UnitOutputBlock)) == 0);
        QCOMPARE(rig.model.firmwareVersion(1), before.firmwareVersion(1));
        QCOMPARE(rig.units.lines.size(), 1);
    }

    void olderLayoutsLeaveTheReplysLineEndOutOfTheModel_data()
    {
        QTest::addColumn<char>("layout");
        QTest::addColumn<int>("seamBridge");
        QTest::addColumn<int>("featherCurve");
        QTest::newRow("> sends neither") << '>' << 0 << int('S');
        QTest::newRow("? sends the seam bridge") << '?' << 1 << int('S');
        QTest::newRow("@ sends both") << '@' << 1 << int('L');
    }
    void olderLayoutsLeaveTheReplysLineEndOutOfTheModel()
    {
        QFETCH(char, layout);
        QFETCH(int, seamBridge);
        QFETCH(int, featherCurve);
        DeviceRig rig(false);
        OutputRecord &held = rig.model.output(1, 1);
        held.SeamBridge = 0;
        held.FeatherCurve = 'S';
        held.BridgeThreshold = 60;
        held.GammaLeftWidth = 123;
        OutputRecord &unit = rig.units.units[0].outputs[1];
        unit.SeamBridge = 1;
        unit.FeatherCurve = 'L';
        unit.HaloLeftWidth = 45;
        rig.units.units[0].outputLayout = layout;

        QVERIFY(rig.queries.QueryOutputInfo(1, 1));

        const OutputRecord &r = rig.model.output(1, 1);
        QCOMPARE(int(r.SeamBridge), seamBridge);
        QCOMPARE(int(r.FeatherCurve), featherCurve);
        QCOMPARE(int(r.BridgeThreshold), 0);
        QCOMPARE(r.HaloLeftWidth, 45);
        QCOMPARE(r.GammaLeftWidth, 123);
    }

    void refusedQueryIsAskedAgainThroughTheController()
    {
        DeviceRig rig(true);
        rig.units.units[0].inputs[1].Phase = 5;
        int refusals = 2;
        rig.units.answer = [&](const QByteArray &) -> std::optional<QByteArray> {
            if (refusals-- > 0)
                return refusal;
            return std::nullopt;
        };
        QVERIFY(rig.queries.QueryInputInfo(1, 1));
        QCOMPARE(rig.units.lines.size(), 3);
        QCOMPARE(rig.model.input(1, 1).Phase, 5);
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void refusalsWithoutEndAreGivenUpByTheUser()
    {
        DeviceRig rig(true);
        rig.units.answer = [&](const QByteArray &) -> std::optional<QByteArray> { return refusal; };
        rig.dialogs.answer(false);  // after the third refusal: stop
        QVERIFY(!rig.queries.QueryInputInfo(1, 1));
        QCOMPARE(rig.units.lines.size(), 3);
        const auto questions = rig.dialogs.takeQuestions();
        QCOMPARE(questions.size(), 1);
        QCOMPARE(questions[0].caption, QStringLiteral("VKS - Tessaline :No answer"));
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void timeoutFailsTheQuery_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::addColumn<int>("query");
        QTest::newRow("SYINFOQX, controller") << true << int(System);
        QTest::newRow("IINFOQX, controller") << true << int(Input);
        QTest::newRow("OINFOQX, direct") << false << int(Output);
    }
    void timeoutFailsTheQuery()
    {
        QFETCH(bool, controller);
        QFETCH(int, query);
        DeviceRig rig(controller);
        rig.units.answer = [&](const QByteArray &) { return silence; };
        QVERIFY(!run(rig, query, 1, 1));
        QCOMPARE(rig.units.lines.size(), 1);
        QCOMPARE(rig.dialogs.takeMessages(), QStringList{kTimeout});
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void outputQueryThroughTheControllerRepeatsWhileNothingArrives()
    {
        DeviceRig rig(true);
        rig.units.units[0].outputs[2].BlackLevel = 77;
        int silent = 2;
        rig.units.answer = [&](const QByteArray &) { return silent-- > 0 ? silence : std::nullopt; };
        QVERIFY(rig.queries.QueryOutputInfo(1, 2));
        QCOMPARE(rig.units.lines.size(), 3);
        QCOMPARE(rig.dialogs.takeMessages(), QStringList(2, kTimeout));
        QCOMPARE(int(rig.model.output(1, 2).BlackLevel), 77);
        VERIFY_DIALOGS_TAKEN(rig.dialogs);  // two time-outs: nobody asked
    }

    void silentControllerAsksAfterEveryThirdTimeout()
    {
        DeviceRig rig(true);
        const OutputRecord before = rig.model.output(1, 2);
        rig.units.answer = [&](const QByteArray &) { return silence; };
        rig.dialogs.answer(true);   // after three: keep trying
        rig.dialogs.answer(false);  // after six: give up
        QVERIFY(!rig.queries.QueryOutputInfo(1, 2));
        QCOMPARE(rig.units.lines.size(), 6);
        QCOMPARE(rig.dialogs.takeMessages(), QStringList(6, kTimeout));
        QCOMPARE(rig.dialogs.takeQuestions().size(), 2);
        QVERIFY(sameOutput(rig.model.output(1, 2), before));
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void closedPortNeverDecodesAnEarlierReply_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::newRow("controller") << true;
        QTest::newRow("direct") << false;
    }
    void closedPortNeverDecodesAnEarlierReply()
    {
        QFETCH(bool, controller);
        DeviceRig rig(controller);
        rig.units.units[0].outputs[1].BlackLevel = 111;
        QVERIFY(rig.queries.QueryOutputInfo(1, 1));  // its record stays in the reply buffer
        rig.port.close();
        const OutputRecord before = rig.model.output(1, 2);
        QVERIFY(!rig.queries.QueryOutputInfo(1, 2));
        QVERIFY(sameOutput(rig.model.output(1, 2), before));
        QCOMPARE(rig.window.status, QStringLiteral("Error parsing OINFOQX message...."));
        QCOMPARE(rig.units.lines.size(), 1);
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }
};

QTEST_GUILESS_MAIN(StatusQueriesTest)
#include "tst_statusqueries.moc"
