// Every status query, in both connection modes and every reply layout,
// returns a record that an independent decoder reads back as the unit's
// state, with exactly the payload length its type byte announces.

#include "sim/RecordDecoder.h"
#include "sim/ReplyRules.h"
#include "sim/Wire.h"

#include <QTest>

using namespace tess;
using namespace tess::sim;
using tess::test::Wire;

namespace {

// A unit whose every field holds a value of its own, with negative
// numbers, values above 16 bits and 16-bit flags whose high byte is set,
// so a field read from the wrong place or in the wrong byte order shows.
void makeDistinctive(Unit &u)
{
    InputSignal in = InputSignal::lockedAt(1024, 768);
    in.inputSync = 2;
    in.termination = 0;
    in.reserved8 = 7;
    in.reserved9 = 9;
    in.hPositionMax = 318;
    in.vPositionMax = 37;
    u.setInputSignal(2, in);
    InputSettings &s = u.settings.inputs[1];
    s = {-7, 301, 33, 1005, 995, -25, 12, -250, 250, 3, -3};

    u.outputs[2] = {2, 2, 5};
    ScreenSettings &sc = u.settings.screens[2];
    sc.blackLevel = 201;
    sc.testPattern = 9;
    sc.outputRaster = 1;
    sc.testGrid = 1;
    sc.leftGamma = 18;
    sc.leftFeather = 1;
    sc.rightGamma = -31;
    sc.rightFeather = 0x0100;
    sc.haloLeftWidth = 40;
    sc.haloLeftOffset = -6;
    sc.haloRightWidth = 44;
    sc.haloRightOffset = 7;
    sc.gammaLeftWidth = 120;
    sc.gammaLeftOffset = -2;
    sc.gammaRightWidth = 130;
    sc.gammaRightOffset = 3;
    sc.seamPrefix = -4;
    sc.seamGains = {0, 17, 34, 128, 129, 200, 254, 255};

    UnitWideSettings &w = u.settings.wide;
    w = {1, 1, 7, 0, 1, 70000, -15, 0x0102, 1, 'L', 201};
    u.version = "3.1b";
}

QVariantMap expectedInput(const Unit &u, int n)
{
    const InputSignal &g = u.inputs[n - 1];
    const InputSettings &s = u.settings.inputs[n - 1];
    return {{"VideoLoaded", g.present ? 1 : 0},
            {"VideoLocked", g.locked ? 1 : 0},
            {"Phase", s.phase},
            {"Reserved8", g.reserved8},
            {"Reserved9", g.reserved9},
            {"HTotal", g.hTotal},
            {"HPositionRef", g.hPositionRef},
            {"HPosition", s.hPosition},
            {"VPositionRef", g.vPositionRef},
            {"VPosition", s.vPosition},
            {"HActive", g.hActive},
            {"VActive", g.vActive},
            {"InputSync", g.inputSync},
            {"Termination", g.termination},
            {"ContrastC", s.contrastC / 10.0},
            {"BrightnessC", s.brightnessC / 10.0},
            {"ContrastR", s.contrastR / 10.0},
            {"BrightnessR", s.brightnessR / 10.0},
            {"ContrastG", s.contrastG / 10.0},
            {"BrightnessG", s.brightnessG / 10.0},
            {"ContrastB", s.contrastB / 10.0},
            {"BrightnessB", s.brightnessB / 10.0},
            // The short layout carries no limits: the program then takes -1.
            {"HPositionMax", u.inputLayout == 'N' ? g.hPositionMax : -1},
            {"VPositionMax", u.inputLayout == 'N' ? g.vPositionMax : -1}};
}

QVariantMap expectedOutput(const Unit &u, int n)
{
    const OutputSignal &o = u.outputs[n - 1];
    const ScreenSettings &s = u.settings.screens[n - 1];
    const UnitWideSettings &w = u.settings.wide;
    QVariantMap m{{"OutputFormat", o.format},
                  {"FrameRate", o.frameRate},
                  {"OutputSync", o.sync},
                  {"AdvancedMode", w.advancedMode},
                  {"ProjectorGroup", w.projectorGroup},
                  {"TotalProjectors", w.totalProjectors},
                  {"DataDoubling", w.dataDoubling},
                  {"Justification", w.justification},
                  {"OverlapWidth", w.overlapWidth},
                  {"BasicGamma", w.basicGamma / 10.0},
                  {"BasicFeather", w.basicFeather},
                  {"LeftGamma", s.leftGamma / 10.0},
                  {"LeftFeather", s.leftFeather},
                  {"RightGamma", s.rightGamma / 10.0},
                  {"RightFeather", s.rightFeather},
                  {"HaloLeftWidth", s.haloLeftWidth},
                  {"HaloLeftOffset", s.haloLeftOffset},
                  {"HaloRightWidth", s.haloRightWidth},
                  {"HaloRightOffset", s.haloRightOffset},
                  {"GammaLeftWidth", s.gammaLeftWidth},
                  {"GammaLeftOffset", s.gammaLeftOffset},
                  {"GammaRightWidth", s.gammaRightWidth},
                  {"GammaRightOffset", s.gammaRightOffset},
                  {"BlackLevel", s.blackLevel},
                  {"TestPattern", s.testPattern},
                  {"OutputRaster", s.outputRaster},
                  {"TestGrid", s.testGrid},
                  {"SeamPrefix", s.seamPrefix},
                  {"SeamBridge", w.seamBridge},
                  {"FeatherCurve", w.featherCurve},
                  {"BridgeThreshold", w.bridgeThreshold}};
    for (int i = 0; i < 8; ++i)
        m[QStringLiteral("SeamGain%1").arg(i + 1)] = s.seamGains[i];
    return m;
}

void compareFields(const QVariantMap &decoded, const QVariantMap &expected)
{
    QVERIFY(!decoded.isEmpty());
    for (auto it = decoded.cbegin(); it != decoded.cend(); ++it) {
        QVERIFY2(expected.contains(it.key()), qPrintable(it.key()));
        const double got = it.value().toDouble();
        const double want = expected.value(it.key()).toDouble();
        QVERIFY2(qAbs(got - want) < 1e-9,
                 qPrintable(QStringLiteral("%1: got %2, want %3").arg(it.key()).arg(got).arg(want)));
    }
}

}  // namespace

class RecordsTest : public QObject {
    Q_OBJECT
private slots:
    void queryReturnsTheUnitsState_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<char>("layout");
        QTest::addColumn<int>("minReplyLength");
        for (bool controller : {false, true}) {
            const char *mode = controller ? "controller" : "direct";
            QTest::addRow("%s system", mode) << controller << QByteArray("SYINFOQX") << char(8) << 8;
            for (char layout : {'F', 'N'})
                QTest::addRow("%s input %c", mode, layout) << controller << QByteArray("IINFOQX 2") << layout << 70;
            for (char layout : {'>', '?', '@', 'B'})
                QTest::addRow("%s output %c", mode, layout) << controller << QByteArray("OINFOQX 3") << layout << 62;
        }
    }
    void queryReturnsTheUnitsState()
    {
        QFETCH(bool, controller);
        QFETCH(QByteArray, query);
        QFETCH(char, layout);
        QFETCH(int, minReplyLength);

        // Through the controller the second unit (RS-485 ID 12) answers, so
        // a record from the wrong unit shows as defaults.
        Wire wire(controller ? Setup::controller({7, 12}) : Setup::direct());
        const int number = controller ? 2 : 1;
        Unit &u = wire.sim.unit(number);
        makeDistinctive(u);
        if (layout == 'F' || layout == 'N')
            u.inputLayout = layout;
        else if (layout != 8)
            u.outputLayout = layout;

        const QByteArray reply = wire.send(wire.query(query, number));
        const QByteArray types =
            layout == 8 ? QByteArray(1, char(8)) : QByteArray(layout == 'F' || layout == 'N' ? "FN" : ">?@B");
        const auto header = test::records::findHeader(reply, types);
        QVERIFY2(header, qPrintable(sim::Log::escape(reply)));
        QCOMPARE(reply.at(*header + 1), layout);

        // Exactly the payload the type byte announces, then the prompt.
        const QByteArray after = reply.mid(*header + 2 + quint8(layout));
        QCOMPARE(after, controller ? QByteArray("\r\nCTRLR>") : QByteArray("\r\n#"));
        const test::Judged judged = test::judge(reply, minReplyLength, controller);
        QCOMPARE(judged.verdict, test::Verdict::Complete);
        QCOMPARE(judged.at, int(reply.size()) - 1);

        if (layout == 8) {
            const QByteArray payload = reply.mid(*header + 2, 8);
            QCOMPARE(payload.mid(2, 4), QByteArray("3.1b"));
        } else if (layout == 'F' || layout == 'N') {
            compareFields(test::records::decodeInput(reply, *header), expectedInput(u, 2));
        } else {
            compareFields(test::records::decodeOutput(reply, *header), expectedOutput(u, 3));
        }
    }

    void defaultUnitShowsVideoOnInputOneAndTheLargeOutputFormat()
    {
        Wire wire;
        const QByteArray in1 = wire.send("IINFOQX 1\r");
        const QVariantMap input = test::records::decodeInput(in1, *test::records::findHeader(in1, "FN"));
        QCOMPARE(input["VideoLoaded"].toInt(), 1);
        QCOMPARE(input["VideoLocked"].toInt(), 1);
        QCOMPARE(input["HActive"].toInt(), 1280);
        QCOMPARE(input["VActive"].toInt(), 1024);
        QCOMPARE(input["ContrastC"].toDouble(), 100.0);
        const QByteArray in2 = wire.send("IINFOQX 2\r");
        QCOMPARE(test::records::decodeInput(in2, *test::records::findHeader(in2, "FN"))["VideoLoaded"].toInt(), 0);
        const QByteArray out = wire.send("OINFOQX 1\r");
        QCOMPARE(test::records::decodeOutput(out, *test::records::findHeader(out, "B"))["OutputFormat"].toInt(), 3);
    }

    void theRecordStandsWithinTheFirstThirtyCharactersForLongIds()
    {
        // The controller echoes the query line first; with a three-digit ID
        // the record must still start where the program looks for it.
        Wire wire(Setup::controller({255}));
        const QByteArray reply = wire.send(wire.query("OINFOQX 4"));
        const auto header = test::records::findHeader(reply, "B");
        QVERIFY(header);
        QVERIFY(*header <= 29);
    }
};

QTEST_GUILESS_MAIN(RecordsTest)
#include "tst_records.moc"
