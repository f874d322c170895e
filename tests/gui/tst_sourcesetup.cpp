// The Source Setup page: channel choice, input alignment and colour balance
// with the automatic balance, driven as a user drives them against two
// simulated units behind the controller.
#include "app/TInfoForm.h"
#include "app/TTessalineForm.h"
#include "fields/SpinButton.h"
#include "model/SettingsModel.h"
#include "pages/source/SeamRemovalPage.h"
#include "pages/source/SourceSetupPage.h"
#include "support/WindowRig.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace tess;
using tess::test::WindowRig;

namespace {

// A locked channel whose H position may move 72 to 328 (limit 400), V
// position 14 to 46, with a colour balance of its own.
InputRecord &lockChannel(WindowRig &rig, int channel)
{
    InputRecord &r = rig.lockChannel(channel);
    r.Phase = 3;
    r.ContrastC = 101.5f;
    r.BrightnessC = 99;
    r.ContrastR = -2.5f;
    r.BrightnessB = 12;
    return r;
}

SourceSetupPage &openSourceSetup(WindowRig &rig, int channel)
{
    SourceSetupPage &page = rig.form().pages().sourceSetup();
    rig.openPage(&page);
    if (channel != 1)
        rig.clickInto(rig.find<QRadioButton>(QStringLiteral("SourceScreenSelectRadioGroupItem%1").arg(channel)));
    return page;
}

QList<QByteArray> only(const QList<QByteArray> &commands, const char *keyword)
{
    QList<QByteArray> kept;
    for (const QByteArray &command : commands) {
        if (command.startsWith(keyword))
            kept << command;
    }
    return kept;
}

}  // namespace

class SourceSetupTest : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void positionAndPhaseFieldsCheckTheirBoundsAndSendToTheChannel_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("hPositionMax");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("command");  // empty: refused
        QTest::addColumn<QString>("message");
        const QString noMessage;
        QTest::newRow("H 72 low end") << 1 << "HPositionEdit" << 400 << "72" << QByteArray("IRSPQX 1 M H 72") << noMessage;
        QTest::newRow("H 328 high end") << 1 << "HPositionEdit" << 400 << "328" << QByteArray("IRSPQX 1 M H 328")
                                        << noMessage;
        QTest::newRow("H 71 names the range") << 1 << "HPositionEdit" << 400 << "71" << QByteArray()
                                              << "Error! H Position value out of bounds! (72 - 328)";
        QTest::newRow("H limit from the totals: 318 -> high 317")
            << 1 << "HPositionEdit" << -1 << "318" << QByteArray()
            << "Error! H Position value out of bounds! (72 - 317)";
        QTest::newRow("H 317 under the totals' limit")
            << 1 << "HPositionEdit" << -1 << "317" << QByteArray("IRSPQX 1 M H 317") << noMessage;
        QTest::newRow("V out of bounds has no range") << 1 << "VPositionEdit" << 400 << "47" << QByteArray()
                                                      << "Error! V Position value out of bounds! ";
        QTest::newRow("V 46 accepted") << 1 << "VPositionEdit" << 400 << "46" << QByteArray("IRSPQX 1 M V 46")
                                       << noMessage;
        QTest::newRow("phase -16") << 1 << "PhaseEdit" << 400 << "-16" << QByteArray("ICPHOQX 1 M -16") << noMessage;
        QTest::newRow("phase 15") << 1 << "PhaseEdit" << 400 << "15" << QByteArray("ICPHOQX 1 M 15") << noMessage;
        QTest::newRow("phase 16") << 1 << "PhaseEdit" << 400 << "16" << QByteArray()
                                  << "Error! Phase Offset value out of bounds! (-16 - +15)";
        QTest::newRow("channel 6 is unit 2 input 2")
            << 6 << "PhaseEdit" << 400 << "-3" << QByteArray("ICPHOQX 2 M -3") << noMessage;
        QTest::newRow("not a number") << 1 << "HPositionEdit" << 400 << "7x" << QByteArray()
                                      << "Error! '7x' is not a valid H Position Value.";
    }
    // clang-format on

    void positionAndPhaseFieldsCheckTheirBoundsAndSendToTheChannel()
    {
        QFETCH(int, channel);
        QFETCH(QString, field);
        QFETCH(int, hPositionMax);
        QFETCH(QString, typed);
        QFETCH(QByteArray, command);
        QFETCH(QString, message);
        WindowRig rig;
        rig.showAndConnect();
        InputRecord &record = lockChannel(rig, channel);
        record.HPositionMax = hPositionMax;
        openSourceSetup(rig, channel);
        QVERIFY(rig.takeCommands().isEmpty());  // choosing a channel sends nothing

        auto *edit = rig.find<QLineEdit>(field);
        rig.typeInto(edit, typed);
        rig.pressKey(Qt::Key_Tab);
        const int unit = channel <= 4 ? 1 : 2;
        if (command.isEmpty()) {
            QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{message});
            QVERIFY(rig.takeCommands().isEmpty());
            QCOMPARE(QApplication::focusWidget(), edit);
            if (!message.contains(QLatin1String("not a valid"))) {
                // Refilled from the model, which kept its value.
                const QString held = field == QLatin1String("HPositionEdit")   ? QStringLiteral("210")
                                     : field == QLatin1String("VPositionEdit") ? QStringLiteral("31")
                                                                               : QStringLiteral("3");
                QCOMPARE(edit->text(), held);
            }
        } else {
            QCOMPARE(rig.takeCommands(unit), QList<QByteArray>{command});
            QVERIFY(rig.takeCommands().isEmpty());
            QCOMPARE(edit->text(), typed);
        }
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void channelGroupsOfferAsManyChannelsAsProjectors_data()
    {
        QTest::addColumn<int>("projectors");
        QTest::newRow("1") << 1;
        QTest::newRow("5") << 5;
        QTest::newRow("8") << 8;
    }

    void channelGroupsOfferAsManyChannelsAsProjectors()
    {
        QFETCH(int, projectors);
        WindowRig rig;
        rig.showAndConnect();
        lockChannel(rig, 1);
        SourceSetupPage &page = openSourceSetup(rig, 3);
        page.setChannelCount(projectors);
        rig.form().pages().seamRemoval().setChannelCount(projectors);
        for (const char *group : {"SourceScreenSelectRadioGroup", "SeamScreenSelectRadioGroup"}) {
            auto *box = rig.find<QGroupBox>(QLatin1String(group));
            for (int c = 1; c <= 8; ++c) {
                auto *item = rig.find<QRadioButton>(QStringLiteral("%1Item%2").arg(QLatin1String(group)).arg(c));
                QCOMPARE(item->isVisibleTo(box), c <= projectors);
                QCOMPARE(item->isChecked(), c == 1);
            }
        }
        // Channel 1 is selected as a click selects it: the page shows it.
        QCOMPARE(page.selectedChannel(), 1);
        QCOMPARE(rig.form().pages().seamRemoval().selectedChannel(), 1);
        QCOMPARE(rig.find<QLineEdit>(QStringLiteral("HPositionEdit"))->text(), QStringLiteral("210"));
        QVERIFY(rig.takeCommands().isEmpty());
    }

    void absurdTotalsRefuseEveryPositionWithoutSending()
    {
        WindowRig rig;
        rig.showAndConnect();
        InputRecord &record = lockChannel(rig, 2);
        record.HPositionMax = -1;
        record.HTotal = 100;  // smaller than the active width
        record.HActive = 5000;
        record.HPositionRef = 2147483600;  // near the top of the 32-bit range
        SourceSetupPage &page = openSourceSetup(rig, 2);
        QVERIFY(page.positionBounds().HPositionHigh < page.positionBounds().HPositionLow);
        rig.typeInto(rig.find<QLineEdit>(QStringLiteral("HPositionEdit")), QStringLiteral("2147483600"));
        rig.pressKey(Qt::Key_Tab);
        QCOMPARE(rig.h.dialogs.takeMessages(),
                 QStringList{"Error! H Position value out of bounds! (2147483472 - -4903)"});
        QVERIFY(rig.takeCommands().isEmpty());
    }

    void channelWithoutLockShowsNotAvailableAndLocksTheControls()
    {
        WindowRig rig;
        rig.showAndConnect();
        lockChannel(rig, 1);
        InputRecord &unlocked = rig.form().settings().channelInput(7);
        unlocked.VideoLoaded = 1;
        unlocked.VideoLocked = 0;
        unlocked.Phase = -5;
        SourceSetupPage &page = openSourceSetup(rig, 7);
        QCOMPARE(page.selectedChannel(), 7);
        QCOMPARE(rig.form().statusText(),
                 QStringLiteral("NOTE: No video lock on this channel. Cannot adjust controls."));
        QCOMPARE(rig.find<QLabel>(QStringLiteral("SourceVideoLoadedLabel"))->text(), QStringLiteral("True"));
        QCOMPARE(rig.find<QLabel>(QStringLiteral("SourceVideoLockedLabel"))->text(), QStringLiteral("False"));
        for (const char *name : {"HPositionEdit", "VPositionEdit", "HTotalEdit", "LeftOContrastEdit",
                                 "LeftOBrightnessEdit", "LeftRContrastEdit", "LeftBBrightnessEdit"}) {
            auto *edit = rig.find<QLineEdit>(QLatin1String(name));
            QCOMPARE(edit->text(), QStringLiteral("N/A"));
            QVERIFY2(!edit->isEnabled(), name);
        }
        QVERIFY(!rig.find<SpinButton>(QStringLiteral("HPositionUpDown"))->isEnabled());
        QVERIFY(!rig.find<QPushButton>(QStringLiteral("AutoColorBalanceButton"))->isEnabled());
        QVERIFY(!rig.find<QGroupBox>(QStringLiteral("LeftSideGroupBox"))->isEnabled());
        // The phase stays open and shows the channel's value.
        QCOMPARE(rig.find<QLineEdit>(QStringLiteral("PhaseEdit"))->text(), QStringLiteral("-5"));
        QVERIFY(rig.find<QLineEdit>(QStringLiteral("PhaseEdit"))->isEnabled());
        rig.clickSpin(rig.find<SpinButton>(QStringLiteral("HPositionUpDown")), true);
        QCOMPARE(rig.find<QLineEdit>(QStringLiteral("HPositionEdit"))->text(), QStringLiteral("N/A"));

        // A locked channel opens them again, with its values.
        rig.clickInto(rig.find<QRadioButton>(QStringLiteral("SourceScreenSelectRadioGroupItem1")));
        QCOMPARE(rig.form().statusText(), QString());
        QCOMPARE(rig.find<QLineEdit>(QStringLiteral("HPositionEdit"))->text(), QStringLiteral("210"));
        QCOMPARE(rig.find<QLineEdit>(QStringLiteral("HTotalEdit"))->text(), QStringLiteral("1344"));
        QCOMPARE(rig.find<QLineEdit>(QStringLiteral("LeftOContrastEdit"))->text(), QStringLiteral("101.5"));
        QCOMPARE(rig.find<QLineEdit>(QStringLiteral("LeftRContrastEdit"))->text(), QStringLiteral("-2.5"));
        QVERIFY(rig.find<QLineEdit>(QStringLiteral("HPositionEdit"))->isEnabled());
        QVERIFY(rig.find<QPushButton>(QStringLiteral("AutoColorBalanceButton"))->isEnabled());
        QVERIFY(rig.takeCommands().isEmpty());
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void saveAllSavesEveryInputOfTheUnitsInUse_data()
    {
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<int>("unit2Saves");
        QTest::newRow("one unit") << QList<int>{5} << 0;
        QTest::newRow("two units") << QList<int>{5, 6} << 4;
    }

    void saveAllSavesEveryInputOfTheUnitsInUse()
    {
        QFETCH(QList<int>, ids);
        QFETCH(int, unit2Saves);
        WindowRig rig(sim::Setup::controller(ids));
        rig.showAndConnect();
        openSourceSetup(rig, 1);
        rig.clickInto(rig.find<QPushButton>(QStringLiteral("SaveAllConfigButton")));
        const QList<QByteArray> four{"ICSAVQX 1", "ICSAVQX 2", "ICSAVQX 3", "ICSAVQX 4"};
        QCOMPARE(rig.takeCommands(1), four);
        if (unit2Saves)
            QCOMPARE(rig.takeCommands(2), four);
        QCOMPARE(rig.form().state().HandlerBusy, 0);

        // One channel: its own input only.
        rig.clickInto(rig.find<QPushButton>(QStringLiteral("SaveConfigButton")));
        QCOMPARE(rig.takeCommands(), QList<QByteArray>{"ICSAVQX 1"});
    }

    void resetConfigAsksFirst()
    {
        WindowRig rig;
        rig.showAndConnect();
        lockChannel(rig, 6);
        openSourceSetup(rig, 6);
        auto *reset = rig.find<QPushButton>(QStringLiteral("AutoConfigButton"));

        rig.h.dialogs.answer(false);
        rig.clickInto(reset);
        const auto question = rig.h.dialogs.takeQuestions();
        QCOMPARE(question.size(), 1);
        QCOMPARE(question[0].caption, QStringLiteral("Tessaline - Input Config Reset Verification"));
        QVERIFY(rig.takeCommands().isEmpty());
        QCOMPARE(rig.find<QLineEdit>(QStringLiteral("HPositionEdit"))->text(), QStringLiteral("210"));

        // Yes: the unit resets the input and the page shows what it reads back.
        rig.h.dialogs.answer(true);
        rig.clickInto(reset);
        rig.h.dialogs.takeQuestions();
        const QList<QByteArray> sent = rig.takeCommands(2);
        QVERIFY(!sent.isEmpty());
        QCOMPARE(sent.first(), QByteArray("ICRSTQX 2"));
        QCOMPARE(only(sent, "IINFOQX").size(), 4);
        // The simulated input 2 has no video: the read-back says so.
        QCOMPARE(rig.find<QLineEdit>(QStringLiteral("HPositionEdit"))->text(), QStringLiteral("N/A"));
        QCOMPARE(rig.form().state().HandlerBusy, 0);
    }

    void overallFieldAtStartIsRefusedAndRefilled()
    {
        WindowRig rig;
        rig.show();
        SourceSetupPage &page = rig.form().pages().sourceSetup();
        QCOMPARE(rig.find<QLineEdit>(QStringLiteral("LeftOContrastEdit"))->text(), QStringLiteral("0"));
        page.ColourEditExit(SourceSetupPage::OverallContrast);
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{"Error! Value out of bounds! (75 - 125)"});
        // Refilled from the model: channel 1 has no lock yet.
        QCOMPARE(rig.find<QLineEdit>(QStringLiteral("LeftOContrastEdit"))->text(), QStringLiteral("N/A"));
        QVERIFY(rig.sim.log().received().isEmpty());
    }

    // clang-format off
    void colourFieldsSendOneDecimalAndKeepTheTypedText_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("command");
        QTest::newRow("overall contrast 100.26") << 1 << "LeftOContrastEdit" << "100.26"
                                                 << QByteArray("ICNTQX 1 C 100.3");
        QTest::newRow("green brightness on channel 8") << 8 << "LeftGBrightnessEdit" << "-25"
                                                       << QByteArray("IBRTQX 4 G -25.0");
        QTest::newRow("red contrast pads to four") << 2 << "LeftRContrastEdit" << "2.2" << QByteArray("ICNTQX 2 R  2.2");
    }
    // clang-format on

    void colourFieldsSendOneDecimalAndKeepTheTypedText()
    {
        QFETCH(int, channel);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QByteArray, command);
        WindowRig rig;
        rig.showAndConnect();
        lockChannel(rig, channel);
        openSourceSetup(rig, channel);
        auto *edit = rig.find<QLineEdit>(field);
        rig.typeInto(edit, typed);
        rig.pressKey(Qt::Key_Return);  // Enter moves down the rows
        QCOMPARE(rig.takeCommands(channel <= 4 ? 1 : 2), QList<QByteArray>{command});
        QCOMPARE(edit->text(), typed);
        QVERIFY(QApplication::focusWidget() != edit);
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void colourSpinStepsToTheBoundAndStops()
    {
        WindowRig rig;
        rig.showAndConnect();
        lockChannel(rig, 1).ContrastC = 124.9f;
        openSourceSetup(rig, 1);
        auto *edit = rig.find<QLineEdit>(QStringLiteral("LeftOContrastEdit"));
        QCOMPARE(edit->text(), QStringLiteral("124.9"));
        auto *spin = rig.find<SpinButton>(QStringLiteral("LeftOContrastUpDown"));
        rig.clickSpin(spin, true);
        QCOMPARE(edit->text(), QStringLiteral("125.0"));
        QCOMPARE(rig.takeCommands(1), QList<QByteArray>{"ICNTQX 1 C 125.0"});
        rig.clickSpin(spin, true);
        QCOMPARE(edit->text(), QStringLiteral("125.0"));
        QVERIFY(rig.takeCommands().isEmpty());
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void autoColourBalanceCancelledSendsNothing_data()
    {
        QTest::addColumn<bool>("firstOk");
        QTest::newRow("cancel at the first question") << false;
        QTest::newRow("cancel at the second question") << true;
    }

    void autoColourBalanceCancelledSendsNothing()
    {
        QFETCH(bool, firstOk);
        WindowRig rig;
        rig.showAndConnect();
        lockChannel(rig, 1);
        openSourceSetup(rig, 1);
        rig.h.dialogs.answer(firstOk);
        if (firstOk)
            rig.h.dialogs.answer(false);
        rig.clickInto(rig.find<QPushButton>(QStringLiteral("AutoColorBalanceButton")));
        QCOMPARE(rig.h.dialogs.takeQuestions().size(), firstOk ? 2 : 1);
        QVERIFY(rig.takeCommands().isEmpty());
        QVERIFY(!rig.form().infoForm().isVisible());
        QCOMPARE(rig.form().state().HandlerBusy, 0);
    }

    void autoColourBalanceRunsTheUnitsOneAfterTheOther()
    {
        WindowRig rig;
        // Both units see video on their first input.
        for (int u = 1; u <= 2; ++u)
            rig.sim.unit(u).setInputSignal(1, sim::InputSignal::lockedAt(1280, 1024));
        rig.showAndConnect();
        QCOMPARE(rig.form().state().UnitCount, 2);
        openSourceSetup(rig, 1);
        QVERIFY(rig.find<QPushButton>(QStringLiteral("AutoColorBalanceButton"))->isEnabled());

        bool waitWindowShown = false;
        QList<qint64> started;
        rig.sim.log().listener = [&](const sim::LogEntry &entry) {
            if (entry.kind == sim::LogEntry::Kind::Command && entry.bytes.startsWith("RGBADJ")) {
                started << entry.ms;
                waitWindowShown = rig.form().infoForm().isVisible();
            }
        };
        rig.h.dialogs.answer(true);
        rig.h.dialogs.answer(true);
        rig.clickInto(rig.find<QPushButton>(QStringLiteral("AutoColorBalanceButton")));
        rig.sim.log().listener = nullptr;
        QCOMPARE(rig.h.dialogs.takeQuestions().size(), 2);
        QVERIFY(waitWindowShown);
        QCOMPARE(rig.form().infoForm().InfoLabel->text(),
                 QStringLiteral("Auto Color Balance in progress. Please wait...."));
        QVERIFY(!rig.form().infoForm().isVisible());

        const QList<QByteArray> unit1 = rig.takeCommands(1);
        const QList<QByteArray> unit2 = rig.takeCommands(2);
        QCOMPARE(only(unit1, "RGBADJ").size(), 1);
        QCOMPARE(only(unit2, "RGBADJ").size(), 1);
        // Unit 2 starts after unit 1's balance (20 s on the unit) is over.
        QCOMPARE(started.size(), 2);
        QVERIFY2(started[1] - started[0] >= 20000, qPrintable(QString::number(started[1] - started[0])));
        // The page shows the balance the unit found.
        QCOMPARE(rig.find<QLineEdit>(QStringLiteral("LeftRContrastEdit"))->text(), QStringLiteral("2.5"));
        QCOMPARE(rig.form().state().HandlerBusy, 0);
        QVERIFY(rig.find<QPushButton>(QStringLiteral("AutoColorBalanceButton"))->isEnabled());
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    // After the balance the page shows the channel it showed before,
    // refilled from what the units hold now.
    void autoColourBalanceRefillsTheChannelShown()
    {
        WindowRig rig;
        for (int u = 1; u <= 2; ++u) {
            rig.sim.unit(u).settings.wide.totalProjectors = 6;
            rig.sim.unit(u).setInputSignal(1, sim::InputSignal::lockedAt(1280, 1024));
        }
        rig.sim.unit(2).setInputSignal(2, sim::InputSignal::lockedAt(1280, 1024));
        rig.sim.unit(2).settings.inputs[1].contrastC = 1105;
        rig.showAndConnect();
        rig.h.dialogs.takeMessages();  // the planning follows the units' six projectors
        openSourceSetup(rig, 6);
        QCOMPARE(rig.find<QLineEdit>(QStringLiteral("LeftOContrastEdit"))->text(), QStringLiteral("110.5"));
        QCOMPARE(rig.find<QLineEdit>(QStringLiteral("LeftRContrastEdit"))->text(), QStringLiteral("0"));
        rig.h.dialogs.answer(true);
        rig.h.dialogs.answer(true);
        rig.clickInto(rig.find<QPushButton>(QStringLiteral("AutoColorBalanceButton")));
        QCOMPARE(rig.h.dialogs.takeQuestions().size(), 2);
        QCOMPARE(rig.form().pages().sourceSetup().selectedChannel(), 6);
        QCOMPARE(rig.find<QLineEdit>(QStringLiteral("LeftOContrastEdit"))->text(), QStringLiteral("110.5"));
        QCOMPARE(rig.find<QLineEdit>(QStringLiteral("LeftRContrastEdit"))->text(), QStringLiteral("2.5"));
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void lineVanishingDuringTheBalanceCanBeGivenUp()
    {
        WindowRig rig(sim::Setup::controller({5}));
        rig.sim.unit(1).setInputSignal(1, sim::InputSignal::lockedAt(1280, 1024));
        rig.showAndConnect();
        openSourceSetup(rig, 1);
        rig.sim.log().listener = [&](const sim::LogEntry &entry) {
            if (entry.kind == sim::LogEntry::Kind::Command && entry.bytes.startsWith("RGBADJ"))
                QMetaObject::invokeMethod(
                    rig.port.get(), [&] { rig.port->vanish(); }, Qt::QueuedConnection);
        };
        rig.h.dialogs.answer(true);
        rig.h.dialogs.answer(true);
        rig.h.dialogs.answer(false);  // the port is gone: give it up
        rig.clickInto(rig.find<QPushButton>(QStringLiteral("AutoColorBalanceButton")));
        rig.sim.log().listener = nullptr;
        // The user is asked once whether to keep trying the port that went
        // away; given up, the balance ends and the window takes input.
        const auto questions = rig.h.dialogs.takeQuestions();
        QCOMPARE(questions.size(), 3);
        QCOMPARE(questions[2].caption, QStringLiteral("COM Port error"));
        QVERIFY2(questions[2].text.contains(QLatin1String("COM Port #1 is gone")), qPrintable(questions[2].text));
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList());
        QVERIFY(!rig.form().infoForm().isVisible());
        QCOMPARE(rig.form().state().HandlerBusy, 0);
        QVERIFY(rig.form().PhasePageControl->isEnabled());
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void windowCanBeClosedDuringTheBalance()
    {
        WindowRig rig;
        for (int u = 1; u <= 2; ++u)
            rig.sim.unit(u).setInputSignal(1, sim::InputSignal::lockedAt(1280, 1024));
        rig.showAndConnect();
        openSourceSetup(rig, 1);
        bool closed = false;
        QObject::connect(&rig.form(), &TTessalineForm::closed, [&] { closed = true; });
        rig.sim.log().listener = [&](const sim::LogEntry &entry) {
            if (entry.kind == sim::LogEntry::Kind::Command && entry.bytes.startsWith("RGBADJ"))
                QMetaObject::invokeMethod(
                    &rig.form(), [&] { rig.form().close(); }, Qt::QueuedConnection);
        };
        rig.h.dialogs.answer(true);
        rig.h.dialogs.answer(true);
        rig.h.dialogs.answer(true);  // "Are you sure you want to exit this application?"
        rig.clickInto(rig.find<QPushButton>(QStringLiteral("AutoColorBalanceButton")));
        rig.sim.log().listener = nullptr;
        const auto asked = rig.h.dialogs.takeQuestions();
        QCOMPARE(asked.size(), 3);
        QCOMPARE(asked[2].caption, QStringLiteral("VKS - Tessaline :Confirm Exit"));
        QVERIFY(closed);
        // The balance ends with the port: unit 2 is not started.
        QCOMPARE(only(rig.takeCommands(1), "RGBADJ").size(), 1);
        QVERIFY(only(rig.takeCommands(2), "RGBADJ").isEmpty());
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
        QVERIFY(!rig.form().infoForm().isVisible());
        QCOMPARE(rig.form().state().HandlerBusy, 0);
    }
};

QTEST_MAIN(SourceSetupTest)
#include "tst_sourcesetup.moc"
