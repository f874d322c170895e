// Every command keyword changes the unit so that the following status
// query reports it, in the direct form and relayed through the controller.

#include "sim/RecordDecoder.h"
#include "sim/ReplyRules.h"
#include "sim/Wire.h"

#include <QTest>

using namespace tess;
using namespace tess::sim;
using tess::test::Wire;

namespace {

// Sends one line of a scenario: "@..." is a control command, anything else
// a command in its direct form, sent in the form the mode needs. Returns
// whether the unit acknowledged it as the program expects.
bool play(Wire &wire, const QByteArray &step)
{
    if (step.startsWith('@'))
        return wire.control(QString::fromLatin1(step.mid(1))).ok;
    const QByteArray sent = wire.command(step);
    // Long commands keep the unit busy; give it all the time it needs.
    const QByteArray reply = wire.send(sent, 60000);
    const bool controller = wire.sim.mode() == Mode::Controller;
    const int minLength = controller ? int(sent.size()) - 5 - 2 - 2 + 8 : 0;
    return test::judge(reply, minLength, controller).verdict == test::Verdict::Complete
           && !reply.contains(Unit::InvalidCommand) && !reply.contains(Unit::InvalidParameter);
}

QVariantMap queryFields(Wire &wire, const QByteArray &query)
{
    const QByteArray reply = wire.send(wire.query(query));
    const bool input = query.startsWith("IINFOQX");
    const auto header = test::records::findHeader(reply, input ? "FN" : ">?@B");
    if (!header)
        return {};
    return input ? test::records::decodeInput(reply, *header) : test::records::decodeOutput(reply, *header);
}

}  // namespace

class CommandsTest : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void commandChangesWhatTheQueryReports_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::addColumn<QByteArrayList>("steps");
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<QVariantMap>("expected");

        struct Row {
            const char *name;
            QByteArrayList steps;
            const char *query;
            QVariantMap expected;
        };
        const QList<Row> rows{
            {"BLKGN", {"BLKGN 2 77"}, "OINFOQX 2", {{"BlackLevel", 77}}},
            {"OTPMQX one screen", {"OTPMQX 3 7 1 1"}, "OINFOQX 3", {{"TestPattern", 7}, {"OutputRaster", 1}, {"TestGrid", 1}}},
            {"OTPMQX all screens", {"OTPMQX 5 4 1 0"}, "OINFOQX 4", {{"TestPattern", 4}, {"OutputRaster", 1}, {"TestGrid", 0}}},
            {"HALO left", {"@layout 1 output @", "HALO 2 L 12 -3"}, "OINFOQX 2", {{"HaloLeftWidth", 12}, {"HaloLeftOffset", -3}}},
            {"HALO right", {"@layout 1 output >", "HALO 4 R 20 4"}, "OINFOQX 4", {{"HaloRightWidth", 20}, {"HaloRightOffset", 4}}},
            {"QXCTRL", {"QXCTRL 1"}, "OINFOQX 3", {{"AdvancedMode", 1}}},
            {"DDBL", {"DDBL 0"}, "OINFOQX 1", {{"DataDoubling", 0}}},
            {"DISP", {"DISP 1 320"}, "OINFOQX 1", {{"Justification", 1}, {"OverlapWidth", 320}}},
            {"EFTB padded gamma", {"EFTB 1  2.6"}, "OINFOQX 1", {{"BasicFeather", 1}, {"BasicGamma", 2.6}}},
            {"EFTB wide gamma", {"EFTB 0 10.0"}, "OINFOQX 1", {{"BasicFeather", 0}, {"BasicGamma", 10.0}}},
            {"PEFT left", {"PEFT 2 L 1  1.8 100 -5"}, "OINFOQX 2",
             {{"LeftFeather", 1}, {"LeftGamma", 1.8}, {"GammaLeftWidth", 100}, {"GammaLeftOffset", -5}}},
            {"PEFT right", {"PEFT 3 R 1  2.4 90 7"}, "OINFOQX 3",
             {{"RightFeather", 1}, {"RightGamma", 2.4}, {"GammaRightWidth", 90}, {"GammaRightOffset", 7}}},
            {"FEATHER", {"FEATHER L"}, "OINFOQX 1", {{"FeatherCurve", int('L')}}},
            {"PRJ", {"PRJ 1 6"}, "OINFOQX 1", {{"ProjectorGroup", 1}, {"TotalProjectors", 6}}},
            {"ICPHOQX", {"ICPHOQX 2 M -7"}, "IINFOQX 2", {{"Phase", -7}}},
            {"IRSPQX H", {"IRSPQX 1 M H 380"}, "IINFOQX 1", {{"HPosition", 380}}},
            {"IRSPQX V", {"IRSPQX 1 M V 45"}, "IINFOQX 1", {{"VPosition", 45}}},
            {"ICNTQX C", {"ICNTQX 1 C 100.5"}, "IINFOQX 1", {{"ContrastC", 100.5}}},
            {"ICNTQX R", {"ICNTQX 3 R -2.5"}, "IINFOQX 3", {{"ContrastR", -2.5}}},
            {"IBRTQX G", {"IBRTQX 4 G  1.5"}, "IINFOQX 4", {{"BrightnessG", 1.5}}},
            {"IBRTQX B", {"IBRTQX 1 B -12.0"}, "IINFOQX 1", {{"BrightnessB", -12.0}}},
            {"ICRSTQX", {"ICPHOQX 1 M 5", "IRSPQX 1 M H 400", "ICRSTQX 1"}, "IINFOQX 1",
             {{"Phase", 0}, {"HPosition", 360}}},
            {"ICSAVQX", {"ICPHOQX 1 M 5", "ICSAVQX 1", "ICPHOQX 1 M 9", "@reboot 1"}, "IINFOQX 1", {{"Phase", 5}}},
            {"MANSEAM", {"MANSEAM 2 -4 1 2 3 4 250 6 7 8"}, "OINFOQX 2",
             {{"SeamPrefix", -4}, {"SeamGain1", 1}, {"SeamGain5", 250}, {"SeamGain8", 8}}},
            {"BRDGSEAM", {"BRDGSEAM 1"}, "OINFOQX 1", {{"SeamBridge", 1}}},
            {"AUTOSEAM", {"AUTOSEAM 3"}, "OINFOQX 3",
             {{"SeamGain1", 110}, {"SeamGain4", 125}, {"SeamGain5", 131}, {"SeamGain8", 146}}},
            {"BRTHRS", {"BRTHRS 77"}, "OINFOQX 1", {{"BridgeThreshold", 77}}},
            {"RGBADJ", {"RGBADJ"}, "IINFOQX 1",
             {{"ContrastR", 2.5}, {"BrightnessR", -1.0}, {"ContrastG", -1.5}, {"BrightnessG", 0.5},
              {"ContrastB", 0.5}, {"BrightnessB", 1.5}, {"ContrastC", 100.0}}},
            {"SYSAVE", {"BLKGN 1 9", "SYSAVE", "BLKGN 1 50", "@reboot 1"}, "OINFOQX 1", {{"BlackLevel", 9}}},
            {"reboot without save", {"BLKGN 1 50", "@reboot 1"}, "OINFOQX 1", {{"BlackLevel", 0}}},
            {"RESETQX", {"BLKGN 1 9", "DDBL 0", "RESETQX F"}, "OINFOQX 1", {{"BlackLevel", 0}, {"DataDoubling", 1}}},
        };
        for (bool controller : {false, true}) {
            for (const Row &row : rows)
                QTest::addRow("%s %s", controller ? "controller" : "direct", row.name)
                    << controller << row.steps << QByteArray(row.query) << row.expected;
        }
    }
    // clang-format on
    void commandChangesWhatTheQueryReports()
    {
        QFETCH(bool, controller);
        QFETCH(QByteArrayList, steps);
        QFETCH(QByteArray, query);
        QFETCH(QVariantMap, expected);

        Wire wire(controller ? Setup::controller({3}) : Setup::direct());
        for (const QByteArray &step : steps)
            QVERIFY2(play(wire, step), step.constData());
        const QVariantMap got = queryFields(wire, query);
        QVERIFY(!got.isEmpty());
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(got.value(it.key()).toDouble(), it.value().toDouble());
    }

    // clang-format off
    void badCommandsChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("unknown keyword") << QByteArray("BLKGNX 1 5") << QByteArray(Unit::InvalidCommand);
        QTest::newRow("screen 0") << QByteArray("BLKGN 0 5") << QByteArray(Unit::InvalidParameter);
        QTest::newRow("screen 5 outside OTPMQX") << QByteArray("BLKGN 5 5") << QByteArray(Unit::InvalidParameter);
        QTest::newRow("level above a byte") << QByteArray("BLKGN 1 256") << QByteArray(Unit::InvalidParameter);
        QTest::newRow("missing argument") << QByteArray("MANSEAM 1 -4 1 2 3 4 5 6 7") << QByteArray(Unit::InvalidParameter);
        QTest::newRow("extra argument") << QByteArray("DDBL 1 1") << QByteArray(Unit::InvalidParameter);
        QTest::newRow("bad side") << QByteArray("HALO 1 X 1 1") << QByteArray(Unit::InvalidParameter);
        QTest::newRow("reset letter") << QByteArray("RESETQX Q") << QByteArray(Unit::InvalidParameter);
    }
    // clang-format on
    void badCommandsChangeNothing()
    {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, answer);
        Wire wire;
        wire.control("echo off");
        const UnitSettings before = wire.sim.unit(1).settings;
        QCOMPARE(wire.send(line + "\r"), answer + "\r\n#");
        QVERIFY(wire.sim.unit(1).settings == before);
    }

    void keywordsAreTakenInAnyCase()
    {
        Wire wire;
        wire.send("blkgn 1 33\r");
        QCOMPARE(wire.sim.unit(1).settings.screens[0].blackLevel, quint8(33));
    }

    void resetKeepsVideoAndTheSavedSettings()
    {
        Wire wire;
        Unit &u = wire.sim.unit(1);
        wire.send("BLKGN 1 9\r");
        wire.send("SYSAVE\r");
        wire.send("RESETQX F\r");
        QCOMPARE(u.settings.screens[0].blackLevel, quint8(0));
        QVERIFY(u.inputs[0].locked);
        u.reboot();
        QCOMPARE(u.settings.screens[0].blackLevel, quint8(9));
    }

    void backspaceErasesLikeTheTerminalSendsIt()
    {
        // The terminal view sends backspace, space, backspace for one erase.
        Wire wire;
        wire.control("echo off");
        wire.send("BLKGN 1 45\b \b7\r");
        QCOMPARE(wire.sim.unit(1).settings.screens[0].blackLevel, quint8(47));
    }
};

QTEST_GUILESS_MAIN(CommandsTest)
#include "tst_commands.moc"
