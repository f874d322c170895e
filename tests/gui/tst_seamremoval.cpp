// The Seam Removal page and the Display Setup page's seam bridge controls,
// driven as a user drives them against simulated units behind the
// controller.
#include "app/TTessalineForm.h"
#include "fields/SpinButton.h"
#include "model/SettingsModel.h"
#include "pages/ServiceView.h"
#include "pages/display/DisplaySetupPage.h"
#include "pages/source/SeamRemovalPage.h"
#include "support/WindowRig.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

using namespace tess;
using tess::test::WindowRig;

namespace {

QLineEdit *gainEdit(WindowRig &rig, int n)
{
    return rig.find<QLineEdit>(QStringLiteral("SeamGain%1Edit").arg(n));
}

// The model holds gains 10, 20, ... 80 for `channel` and no bridge
// threshold anywhere; the page shows them.
SeamRemovalPage &openSeamRemoval(WindowRig &rig, int channel)
{
    for (int c = 1; c <= 8; ++c)
        rig.form().settings().channelOutput(c).BridgeThreshold = 0;
    OutputRecord &record = rig.form().settings().channelOutput(channel);
    for (int i = 0; i < 8; ++i)
        record.*SeamGainFields[std::size_t(i)] = std::uint8_t(10 * (i + 1));
    SeamRemovalPage &page = rig.form().pages().seamRemoval();
    rig.form().serviceView().setOn(true);
    rig.openPage(&page);
    if (channel != 1)
        rig.clickInto(rig.find<QRadioButton>(QStringLiteral("SeamScreenSelectRadioGroupItem%1").arg(channel)));
    return page;
}

QList<QByteArray> only(const QList<QByteArray> &commands, std::initializer_list<const char *> keywords)
{
    QList<QByteArray> kept;
    for (const QByteArray &command : commands) {
        for (const char *keyword : keywords) {
            if (command.startsWith(keyword))
                kept << command;
        }
    }
    return kept;
}

}  // namespace

class SeamRemovalTest : public QObject {
    Q_OBJECT
private slots:
    void gainChangeSendsAllEightToTheChannel()
    {
        WindowRig rig;
        rig.showAndConnect();
        openSeamRemoval(rig, 6);
        QCOMPARE(gainEdit(rig, 6)->text(), QStringLiteral("60"));
        QVERIFY(rig.takeCommands().isEmpty());
        rig.typeInto(gainEdit(rig, 6), QStringLiteral("140"));  // "Gain +2"
        rig.pressKey(Qt::Key_Return);
        QCOMPARE(rig.takeCommands(2), QList<QByteArray>{"MANSEAM 2 -4 10 20 30 40 50 140 70 80"});
        QVERIFY(rig.takeCommands().isEmpty());
        QCOMPARE(QApplication::focusWidget(), gainEdit(rig, 7));
        QCOMPARE(int(rig.form().settings().channelOutput(6).SeamGain6), 140);
        QCOMPARE(rig.form().settings().channelOutput(6).SeamPrefix, -4);
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    // clang-format off
    void gainOutOfBoundsIsRefusedAndRefilled_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("256") << "256" << "Error! Seam Position value out of bounds! (0 - 255)" << "30";
        QTest::newRow("-1") << "-1" << "Error! Seam Position value out of bounds! (0 - 255)" << "30";
        QTest::newRow("text") << "abc" << "Error! 'abc' is not a valid Seam Gain Value." << "abc";
    }
    // clang-format on

    void gainOutOfBoundsIsRefusedAndRefilled()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, shown);
        WindowRig rig;
        rig.showAndConnect();
        openSeamRemoval(rig, 3);
        rig.typeInto(gainEdit(rig, 3), typed);
        rig.pressKey(Qt::Key_Tab);
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{message});
        QCOMPARE(gainEdit(rig, 3)->text(), shown);
        QCOMPARE(QApplication::focusWidget(), gainEdit(rig, 3));
        QVERIFY(rig.takeCommands().isEmpty());
    }

    void spinBesideAFieldStillHoldingABadValueSendsNothing()
    {
        WindowRig rig;
        rig.showAndConnect();
        openSeamRemoval(rig, 1);
        rig.typeInto(gainEdit(rig, 2), QStringLiteral("999"));  // focus stays in it
        rig.clickSpin(rig.find<SpinButton>(QStringLiteral("SeamGain1UpDown")), true);
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{"Error! Seam Position value out of bounds! (0 - 255)"});
        QVERIFY(rig.takeCommands().isEmpty());
        QCOMPARE(rig.form().state().HandlerBusy, 0);
    }

    void resetSeamGainAsksFirst()
    {
        WindowRig rig;
        rig.showAndConnect();
        openSeamRemoval(rig, 3);
        auto *reset = rig.find<QPushButton>(QStringLiteral("ResetSeamGainButton"));
        rig.h.dialogs.answer(false);
        rig.clickInto(reset);
        const auto asked = rig.h.dialogs.takeQuestions();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].caption, QStringLiteral("Tessaline - Reset Seam Gain Verification"));
        QVERIFY(rig.takeCommands().isEmpty());
        QCOMPARE(gainEdit(rig, 8)->text(), QStringLiteral("80"));

        rig.h.dialogs.answer(true);
        rig.clickInto(reset);
        rig.h.dialogs.takeQuestions();
        QCOMPARE(rig.takeCommands(1), QList<QByteArray>{"MANSEAM 3 -4 128 128 128 128 128 128 128 128"});
        for (int n = 1; n <= 8; ++n)
            QCOMPARE(gainEdit(rig, n)->text(), QStringLiteral("128"));
        QCOMPARE(rig.form().state().HandlerBusy, 0);
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void autoSeamGainForAllChannelsReadsEachScreenBack()
    {
        WindowRig rig(sim::Setup::controller({5}));
        rig.showAndConnect();
        openSeamRemoval(rig, 2);
        rig.clickInto(rig.find<QPushButton>(QStringLiteral("SeamAutoAllConfigButton")));
        const QList<QByteArray> expected{"AUTOSEAM 1", "OINFOQX 1", "AUTOSEAM 2", "OINFOQX 2",
                                         "AUTOSEAM 3", "OINFOQX 3", "AUTOSEAM 4", "OINFOQX 4"};
        QCOMPARE(only(rig.takeCommands(1), {"AUTOSEAM", "OINFOQX"}), expected);
        // Channel 2 shows the gains the unit found: 128 + 2 x step.
        QCOMPARE(gainEdit(rig, 1)->text(), QStringLiteral("116"));
        QCOMPARE(gainEdit(rig, 8)->text(), QStringLiteral("140"));
        QCOMPARE(rig.form().state().HandlerBusy, 0);
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void bridgeBoxesActAsOne_data()
    {
        QTest::addColumn<bool>("onDisplaySetup");
        QTest::newRow("ticked on the Seam Removal page") << false;
        QTest::newRow("ticked on the Display Setup page") << true;
    }

    void bridgeBoxesActAsOne()
    {
        QFETCH(bool, onDisplaySetup);
        WindowRig rig;
        rig.showAndConnect();
        openSeamRemoval(rig, 1);
        auto *seamBox = rig.find<QCheckBox>(QStringLiteral("SeamBridgeAllConfigCheckBox"));
        auto *displayBox = rig.find<QCheckBox>(QStringLiteral("DisplaySetupSeamBridgeAllConfigCheckBox"));
        if (onDisplaySetup)
            rig.openDisplaySetup();
        rig.clickInto(onDisplaySetup ? displayBox : seamBox);
        QCOMPARE(rig.takeCommands(1), QList<QByteArray>{"BRDGSEAM 1"});
        QCOMPARE(rig.takeCommands(2), QList<QByteArray>{"BRDGSEAM 1"});
        QVERIFY(seamBox->isChecked());
        QVERIFY(displayBox->isChecked());
        QVERIFY(rig.find<QCheckBox>(QStringLiteral("SeamBridgeSingleConfigCheckBox"))->isChecked());
        QCOMPARE(int(rig.form().settings().output(2, 1).SeamBridge), 1);
        QCOMPARE(rig.form().state().HandlerBusy, 0);
    }

    void channelChangeToTheOtherUnitsBridgeStateSendsNothing()
    {
        WindowRig rig;
        rig.showAndConnect();
        openSeamRemoval(rig, 1);
        rig.form().settings().output(2, 1).SeamBridge = 1;
        rig.form().settings().channelOutput(5).BridgeThreshold = 33;
        auto *seamBox = rig.find<QCheckBox>(QStringLiteral("SeamBridgeAllConfigCheckBox"));
        QVERIFY(!seamBox->isChecked());
        rig.clickInto(rig.find<QRadioButton>(QStringLiteral("SeamScreenSelectRadioGroupItem5")));
        QVERIFY(seamBox->isChecked());
        QCOMPARE(rig.find<QLineEdit>(QStringLiteral("BridgeThresholdEdit"))->text(), QStringLiteral("33"));
        // Back to unit 1: the box follows, the threshold of 0 leaves the field.
        rig.clickInto(rig.find<QRadioButton>(QStringLiteral("SeamScreenSelectRadioGroupItem2")));
        QVERIFY(!seamBox->isChecked());
        QCOMPARE(rig.find<QLineEdit>(QStringLiteral("BridgeThresholdEdit"))->text(), QStringLiteral("33"));
        QVERIFY(rig.takeCommands().isEmpty());
        QCOMPARE(int(rig.form().settings().output(1, 1).SeamBridge), 0);
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void displaySetupRefillShowsUnitOnesBridge()
    {
        WindowRig rig;
        rig.showAndConnect();
        auto *box = rig.find<QCheckBox>(QStringLiteral("DisplaySetupSeamBridgeAllConfigCheckBox"));
        auto *threshold = rig.find<QLineEdit>(QStringLiteral("DisplaySetupBridgeThresholdEdit"));
        OutputRecord &unit1 = rig.form().settings().output(1, 1);
        rig.form().settings().output(2, 1).SeamBridge = 0;
        unit1.SeamBridge = 1;
        unit1.BridgeThreshold = 40;
        const auto refill = [&] {
            const SuppressSendScope quiet(rig.form().state());
            rig.form().pages().displaySetup().SyncDisplaySetup();
        };
        refill();
        QVERIFY(box->isChecked());
        QCOMPARE(threshold->text(), QStringLiteral("40"));
        // A stored 0 leaves the field as it was.
        unit1.SeamBridge = 0;
        unit1.BridgeThreshold = 0;
        refill();
        QVERIFY(!box->isChecked());
        QCOMPARE(threshold->text(), QStringLiteral("40"));
        QVERIFY(rig.takeCommands().isEmpty());
    }

    // clang-format off
    void bridgeThresholdOnEitherPage_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("sent");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty sends nothing") << "BridgeThresholdEdit" << "" << false << QString();
        QTest::newRow("empty mirror sends nothing") << "DisplaySetupBridgeThresholdEdit" << "" << false << QString();
        QTest::newRow("200 here") << "BridgeThresholdEdit" << "200" << true << QString();
        QTest::newRow("200 on Display Setup") << "DisplaySetupBridgeThresholdEdit" << "200" << true << QString();
        QTest::newRow("256 on Display Setup") << "DisplaySetupBridgeThresholdEdit" << "256" << false
                                              << "Error! Bridge Threshold value out of bounds! (0 - 255)";
        QTest::newRow("text here") << "BridgeThresholdEdit" << "x1" << false
                                   << "Error! 'x1' is not a valid Bridge Threshold value.";
    }
    // clang-format on

    void bridgeThresholdOnEitherPage()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(bool, sent);
        QFETCH(QString, message);
        WindowRig rig;
        rig.showAndConnect();
        openSeamRemoval(rig, 1);
        const bool mirror = field.startsWith(QLatin1String("DisplaySetup"));
        if (mirror)
            rig.openDisplaySetup();
        auto *edit = rig.find<QLineEdit>(field);
        rig.typeInto(edit, typed);
        rig.pressKey(Qt::Key_Tab);
        if (sent) {
            QCOMPARE(rig.takeCommands(1), QList<QByteArray>{"BRTHRS 200"});
            QCOMPARE(rig.takeCommands(2), QList<QByteArray>{"BRTHRS 200"});
            QCOMPARE(rig.find<QLineEdit>(QStringLiteral("BridgeThresholdEdit"))->text(), typed);
            QCOMPARE(rig.find<QLineEdit>(QStringLiteral("DisplaySetupBridgeThresholdEdit"))->text(), typed);
        } else {
            QVERIFY(rig.takeCommands().isEmpty());
        }
        QCOMPARE(rig.h.dialogs.takeMessages(), message.isEmpty() ? QStringList{} : QStringList{message});
        if (!message.isEmpty()) {
            QCOMPARE(QApplication::focusWidget(), edit);
            QCOMPARE(edit->text(), typed);
        }
    }

    void thresholdSpinFromEmptyStepsFromSixteen()
    {
        WindowRig rig;
        rig.showAndConnect();
        openSeamRemoval(rig, 1);
        rig.find<QLineEdit>(QStringLiteral("BridgeThresholdEdit"))->clear();
        rig.clickSpin(rig.find<SpinButton>(QStringLiteral("BridgeThresholdUpDown")), true);
        QCOMPARE(rig.find<QLineEdit>(QStringLiteral("BridgeThresholdEdit"))->text(), QStringLiteral("17"));
        QCOMPARE(rig.takeCommands(1), QList<QByteArray>{"BRTHRS 17"});
        rig.openDisplaySetup();
        auto *mirror = rig.find<QLineEdit>(QStringLiteral("DisplaySetupBridgeThresholdEdit"));
        QCOMPARE(mirror->text(), QStringLiteral("17"));
        mirror->clear();
        rig.clickSpin(rig.find<SpinButton>(QStringLiteral("DisplaySetupBridgeThresholdUpDown")), false);
        QCOMPARE(mirror->text(), QStringLiteral("15"));
        QCOMPARE(rig.takeCommands(1), QList<QByteArray>{"BRTHRS 15"});
    }
};

QTEST_MAIN(SeamRemovalTest)
#include "tst_seamremoval.moc"
