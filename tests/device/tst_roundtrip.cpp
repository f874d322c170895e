// Against the simulated units: what the senders send, a complete read
// brings back into the model exactly; the colour balance waits for the
// busy unit and reads its result.
#include "device/Commands.h"
#include "device/StatusQueries.h"
#include "link/Link.h"
#include "model/SettingsModel.h"
#include "support/FakeDeviceHost.h"
#include "support/FakeWindow.h"
#include "support/RecordedExit.h"
#include "support/ScriptedDialogs.h"
#include "support/SimulatedLine.h"

#include <QTest>

#include <functional>

using namespace tess;
using namespace tess::test;

namespace {

// The device layer on a link to the simulator (RS-485 IDs 5 and 6 through
// the controller), connected on COM1, in virtual time.
struct SimDeviceRig {
    explicit SimDeviceRig(bool controller) : line(controller ? sim::Setup::controller({5, 6}) : sim::Setup::direct())
    {
        window.controllerBox = controller;
        link.ControllerMode = controller;
        link.PromptChar = controller ? '>' : '#';
        line.port.setPortNumber(1);
        line.port.open();
        link.SetDeviceConnected(true);
    }

    SimulatedLine line;
    ScriptedDialogs dialogs;
    RecordedExit exit;
    FakeWindow window;
    Link link{line.port, line.clock, dialogs, exit, window};
    SettingsModel model;
    FakeDeviceHost host;
    StatusQueries queries{link, model, host};
    Commands commands{link, model, host.state, host, queries, host.refills};
};

// Every setting a sender can change, for unit u.
void sendEverything(Commands &c, int u)
{
    c.PRJ(u, 8);
    c.DISP(u, 1, 200 + u);
    c.DDBL(u, 0);
    c.EFTB(u, 1, 2.7f);
    c.FEATHER(u, true);
    c.BRDGSEAM(u, 2, 1);
    c.BRTHRS(u, 70 + u);
    for (int s = 1; s <= 4; ++s) {
        c.BLKGN(u, s, 10 * s + u);
        c.OTPMQX(u, s, s + 4, s % 2, 1);
        c.HALO(u, s, 0, 20 + s, -s);
        c.HALO(u, s, 1, 30 + s, s);
        c.PEFT(u, s, 'L', 1, 1.5f + float(s), 40 + s, 2);
        c.PEFT(u, s, 'R', 0, 3.2f, 50 + s, -3);
        c.MANSEAM(u, s, -4, {s, 100, 120, 127, 129, 140, 200, 250 + u});
        c.ICPHOQX(u, s, s + 3);
        c.IRSPQX_H(u, s, 180 + s);
        c.IRSPQX_V(u, s, 30 - s);
        for (int colour = 0; colour < 4; ++colour) {
            c.ICNTQX(u, s, colour, 90.5f + float(colour + s));
            c.IBRTQX(u, s, colour, -1.5f - float(colour));
        }
    }
    c.QXCTRL(u, 1);
}

using OutField = std::function<double(const OutputRecord &)>;
using InField = std::function<double(const InputRecord &)>;

#define OUT(field)                                                    \
    {                                                                 \
#field, [](const OutputRecord &r) { return double(r.field); } \
    }
#define IN(field)                                                    \
    {                                                                \
#field, [](const InputRecord &r) { return double(r.field); } \
    }

const QList<std::pair<const char *, OutField>> kScreenFields{
    OUT(BlackLevel), OUT(TestPattern), OUT(OutputRaster), OUT(TestGrid),  OUT(SeamPrefix),
    OUT(SeamGain1),  OUT(SeamGain2),   OUT(SeamGain3),    OUT(SeamGain4), OUT(SeamGain5),
    OUT(SeamGain6),  OUT(SeamGain7),   OUT(SeamGain8),
};
const QList<std::pair<const char *, OutField>> kUnitWideFields{
    OUT(TotalProjectors), OUT(ProjectorGroup), OUT(Justification), OUT(OverlapWidth), OUT(DataDoubling),
    OUT(BasicFeather),    OUT(BasicGamma),     OUT(FeatherCurve),  OUT(SeamBridge),   OUT(AdvancedMode),
};
const QList<std::pair<const char *, OutField>> kHaloFields{OUT(HaloLeftWidth), OUT(HaloLeftOffset),
                                                           OUT(HaloRightWidth), OUT(HaloRightOffset)};
const QList<std::pair<const char *, InField>> kInputFields{
    IN(Phase),       IN(HPosition), IN(VPosition),   IN(ContrastC), IN(BrightnessC), IN(ContrastR),
    IN(BrightnessR), IN(ContrastG), IN(BrightnessG), IN(ContrastB), IN(BrightnessB),
};

#undef OUT
#undef IN

}  // namespace

class RoundTripTest : public QObject {
    Q_OBJECT
private slots:
    void readingBackGivesExactlyWhatWasSent_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::newRow("two units through the controller, layouts B and @") << true;
        QTest::newRow("one unit directly") << false;
    }
    void readingBackGivesExactlyWhatWasSent()
    {
        QFETCH(bool, controller);
        SimDeviceRig rig(controller);
        const int units = controller ? 2 : 1;
        if (controller)
            rig.line.sim.unit(2).outputLayout = '@';  // an older unit: halo group, no threshold

        for (int u = 1; u <= units; ++u)
            sendEverything(rig.commands, u);
        const SettingsModel sent = rig.model;

        rig.model = SettingsModel();
        for (int u = 1; u <= units; ++u)
            QCOMPARE(rig.queries.ReadAllStatus(u), 1);

        for (int u = 1; u <= units; ++u) {
            const bool current = u == 1;  // unit 1 answers in layout 'B'
            for (int s = 1; s <= 4; ++s) {
                const OutputRecord &got = rig.model.output(u, s);
                const OutputRecord &want = sent.output(u, s);
                for (const auto &[name, field] : kScreenFields)
                    QVERIFY2(field(got) == field(want),
                             qPrintable(QStringLiteral("%1 of %2/%3").arg(name).arg(u).arg(s)));
                if (!current) {
                    for (const auto &[name, field] : kHaloFields)
                        QVERIFY2(field(got) == field(want),
                                 qPrintable(QStringLiteral("%1 of %2/%3").arg(name).arg(u).arg(s)));
                }
                // The advanced feathering sent with PEFT (the model keeps no
                // copy of it when sending).
                QCOMPARE(got.LeftFeather, std::int16_t(1));
                QCOMPARE(got.LeftGamma, 1.5f + float(s));
                QCOMPARE(got.RightFeather, std::int16_t(0));
                QCOMPARE(got.RightGamma, 3.2f);
                QCOMPARE(got.GammaLeftWidth, current ? 40 + s : 0);
                QCOMPARE(got.GammaRightOffset, current ? -3 : 0);

                const InputRecord &in = rig.model.input(u, s);
                for (const auto &[name, field] : kInputFields)
                    QVERIFY2(field(in) == field(sent.input(u, s)),
                             qPrintable(QStringLiteral("%1 of %2/%3").arg(name).arg(u).arg(s)));
            }
            for (const auto &[name, field] : kUnitWideFields)
                QVERIFY2(field(rig.model.output(u, 1)) == field(sent.output(u, 1)),
                         qPrintable(QStringLiteral("%1 of unit %2").arg(name).arg(u)));
            QCOMPARE(int(rig.model.output(u, 1).BridgeThreshold), current ? 70 + u : 0);
        }
        QVERIFY(rig.host.settingsRead);
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void colourBalanceThroughTheControllerWaitsForTheUnitAndReadsItsResult()
    {
        SimDeviceRig rig(true);
        rig.line.sim.unit(1).processingMs["RGBADJ"] = 20000;
        rig.model.output(1, 1).TotalProjectors = 2;
        const qint64 start = rig.line.clock.nowMs();

        rig.commands.RGBADJ(1);

        // The unit was busy for 20 s: the link asked again every 5 s + 0.9 s.
        QVERIFY(rig.line.clock.nowMs() - start >= 20000);
        QVERIFY(rig.line.clock.countPauses(5000) >= 3);
        QCOMPARE(rig.line.clock.countPauses(1), 2 * 5300);
        const InputRecord &in = rig.model.input(1, 1);
        QCOMPARE(in.ContrastR, 2.5f);
        QCOMPARE(in.BrightnessR, -1.0f);
        QCOMPARE(in.ContrastB, 0.5f);
        QVERIFY(!rig.link.ColorBalanceInProgress);
        QCOMPARE(rig.link.PromptWaitTicks, 80);
        VERIFY_DIALOGS_TAKEN(rig.dialogs);  // waiting for a balancing unit is silent
    }
};

QTEST_GUILESS_MAIN(RoundTripTest)
#include "tst_roundtrip.moc"
