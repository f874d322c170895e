// The Information page against simulated units: the status display, the
// service view, reset and system save, the terminal and the line lights.
#include "app/TInfoForm.h"
#include "app/TTessalineForm.h"
#include "fields/SpinButton.h"
#include "model/SettingsModel.h"
#include "pages/ServiceView.h"
#include "pages/info/InfoPage.h"
#include "pages/info/LineLights.h"
#include "pages/info/TerminalView.h"
#include "pages/source/SeamRemovalPage.h"
#include "support/WindowRig.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

using namespace tess;
using tess::test::WindowRig;

namespace {

// The commands that reached either unit, in the order they arrived.
QList<QPair<int, QByteArray>> commandsInOrder(sim::Simulator &sim)
{
    QList<QPair<int, QByteArray>> out;
    for (const sim::LogEntry &e : sim.log().entries()) {
        if (e.kind == sim::LogEntry::Kind::Command)
            out.append({e.unit, e.bytes});
    }
    return out;
}

void openInfoPage(WindowRig &rig)
{
    rig.form().PhasePageControl->setCurrentWidget(&rig.form().pages().info());
    QCoreApplication::processEvents();
}

QString text(WindowRig &rig, const char *label)
{
    return rig.find<QLabel>(QLatin1String(label))->text();
}

}  // namespace

class InfoPageTest : public QObject {
    Q_OBJECT
private slots:
    void choosingAScreenBeforeAnyReadChangesNothing()
    {
        WindowRig rig;
        rig.show();
        rig.form().settings().output(1, 3).BlackLevel = 42;
        rig.find<QComboBox>(QStringLiteral("ScreenInfoComboBox"))->setCurrentIndex(2);
        QCOMPARE(text(rig, "BlackLvlAdjCompLabel"), QStringLiteral("N/A"));
        QCOMPARE(text(rig, "SyncSelLabel"), QStringLiteral("N/A"));
        QCOMPARE(text(rig, "NumOfQuorexDetectedLabel"), QStringLiteral("0"));
    }

    void afterAReadScreenThreeShowsUnitOnesScreenThree()
    {
        WindowRig rig(sim::Setup::controller({5, 6}));
        sim::Unit &unit1 = rig.sim.unit(1);
        sim::InputSignal video = sim::InputSignal::lockedAt(1024, 768);
        video.inputSync = 2;
        video.termination = 0;
        unit1.setInputSignal(3, video);
        unit1.settings.inputs[2].phase = 13;
        unit1.settings.inputs[2].contrastC = 1005;  // tenths
        unit1.settings.inputs[2].brightnessR = -25;
        unit1.settings.screens[2].blackLevel = 77;
        unit1.settings.screens[2].leftFeather = 1;
        unit1.settings.screens[2].rightGamma = 18;
        unit1.outputs[2] = sim::OutputSignal{2, 2, 1};
        rig.sim.unit(2).settings.screens[2].blackLevel = 99;
        rig.showAndConnect();

        QCOMPARE(text(rig, "NumOfQuorexDetectedLabel"), QStringLiteral("2"));
        QCOMPARE(text(rig, "Version1Label"), QStringLiteral("2.40"));
        auto *list = rig.find<QComboBox>(QStringLiteral("ScreenInfoComboBox"));
        QCOMPARE(list->currentText(), QStringLiteral("Screen 1"));
        list->setCurrentIndex(2);

        const QList<QPair<const char *, QString>> expected{
            {"HActiveLabel", "1024"},       {"VActiveLabel", "768"},     {"VideoLoadedLabel", "True"},
            {"VideoLockedLabel", "True"},   {"PhaseOffsetLabel", "13"},  {"SyncSelLabel", "H/V"},
            {"InTerminationLabel", "HI-Z"}, {"CContrastLabel", "100.5"}, {"RBrightnessLabel", "-2.5"},
            {"HVOutLabel", "1024x768"},     {"OutFRateLabel", "@ 75Hz"}, {"OutSyncLabel", "1"},
            {"BlackLvlAdjCompLabel", "77"}, {"LeftEFTModeLabel", "1"},   {"RightEFTGammaLabel", "1.8"},
            {"ProjectorsLabel", "1-4"},
        };
        for (const auto &[label, value] : expected)
            QCOMPARE(text(rig, label), value);
    }

    void valuesOutsideTheTablesLeaveTheirLabels_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("field");  // which record field gets the bad value
        QTest::addColumn<int>("bad");
        QTest::newRow("InputSync 7") << "SyncSelLabel" << 0 << 7;
        QTest::newRow("OutputFormat 255") << "HVOutLabel" << 1 << 255;
        QTest::newRow("FrameRate 3") << "OutFRateLabel" << 2 << 3;
        QTest::newRow("AdvancedMode 2") << "BlendLevelLabel" << 3 << 2;
        QTest::newRow("ProjectorGroup 200") << "ProjectorsLabel" << 4 << 200;
        QTest::newRow("Justification 2") << "JustificationLabel" << 5 << 2;
    }

    void valuesOutsideTheTablesLeaveTheirLabels()
    {
        QFETCH(QString, label);
        QFETCH(int, field);
        QFETCH(int, bad);
        WindowRig rig;
        rig.show();
        rig.form().state().SettingsReadFromUnits = true;
        SettingsModel &model = rig.form().settings();
        InputRecord &in = model.input(1, 1);
        OutputRecord &out = model.output(1, 1);
        in.InputSync = 1;
        out.OutputFormat = 0;
        out.FrameRate = 0;
        out.AdvancedMode = 1;
        out.ProjectorGroup = 1;
        out.Justification = 1;
        in.VideoLoaded = 2;  // only 1 is "True"
        rig.form().pages().info().ScreenInfoComboBoxChange();
        const QString before = rig.find<QLabel>(label)->text();
        QVERIFY(before != QStringLiteral("N/A"));
        QCOMPARE(text(rig, "VideoLoadedLabel"), QStringLiteral("False"));

        const auto value = std::uint8_t(bad);
        std::uint8_t *fields[] = {&in.InputSync,     &out.OutputFormat,   &out.FrameRate,
                                  &out.AdvancedMode, &out.ProjectorGroup, &out.Justification};
        *fields[field] = value;
        rig.form().pages().info().ScreenInfoComboBoxChange();
        QCOMPARE(rig.find<QLabel>(label)->text(), before);
    }

    void hiddenLabelSwitchesTheServiceViewOnAndOff()
    {
        WindowRig rig;
        rig.showAndConnect();
        rig.openDisplaySetup(8, false);  // a wall whose screen controls are in use
        openInfoPage(rig);
        auto *hidden = rig.find<QLabel>(QStringLiteral("HiddenLabel"));
        InfoPage &page = rig.form().pages().info();
        QVERIFY(hidden->isVisible());
        QVERIFY(hidden->text().isEmpty());
        QCOMPARE(hidden->geometry().bottomRight(), QPoint(page.width() - 3, page.height() - 3));
        QTabWidget *tabs = rig.form().PhasePageControl;
        const int seamTab = tabs->indexOf(&rig.form().pages().seamRemoval());
        const auto check = [&](bool on) {
            QCOMPARE(rig.form().serviceView().isOn(), on);
            QCOMPARE(rig.find<QGroupBox>(QStringLiteral("InfoGroupBox"))->isVisible(), on);
            QCOMPARE(rig.find<QGroupBox>(QStringLiteral("ScreenInfoGroupBox"))->isVisible(), on);
            QCOMPARE(tabs->isTabVisible(seamTab), on);
            for (int k : {1, 8}) {
                QCOMPARE(rig.find<QLineEdit>(QStringLiteral("Black%1Edit").arg(k))->isEnabled(), on);
                QCOMPARE(rig.find<SpinButton>(QStringLiteral("Black%1UpDown").arg(k))->isEnabled(), on);
            }
        };
        check(false);
        QTest::mouseDClick(hidden, Qt::LeftButton);
        check(true);
        QTest::mouseDClick(hidden, Qt::LeftButton);
        check(false);
        QVERIFY(rig.takeCommands().isEmpty());
    }

    void resetAsksOnceAndResetsBothUnitsInOrder()
    {
        WindowRig rig(sim::Setup::controller({1, 2}));
        rig.showAndConnect();
        openInfoPage(rig);
        auto *reset = rig.find<QPushButton>(QStringLiteral("ResetButton"));
        QCOMPARE(reset->text(), QStringLiteral("Reset Quorex(s)"));
        QVERIFY(reset->isEnabled());
        const qsizetype before = commandsInOrder(rig.sim).size();
        rig.h.dialogs.answer(true);
        bool menusLocked = false;
        rig.h.dialogs.whileNextBoxOpen([&] {
            menusLocked = !rig.form().menuItem("File1")->isEnabled() && !rig.form().menuItem("Search1")->isEnabled();
        });
        rig.h.clock.clearPauses();
        reset->click();
        QVERIFY(menusLocked);
        QCOMPARE(rig.form().infoForm().InfoLabel->text(),
                 QStringLiteral("Quorex reset in progress. Please wait...."));
        QVERIFY(!rig.form().infoForm().isVisible());

        const auto questions = rig.h.dialogs.takeQuestions();
        QCOMPARE(questions.size(), 1);
        QCOMPARE(questions[0].caption, QStringLiteral("Tessaline - Factory Reset Verification"));
        QCOMPARE(questions[0].text, QStringLiteral("Resetting the Quorex(s) will reset settings to default values. "
                                                   "Are you sure you want to reset the Quorex(s)?"));
        const QList<QPair<int, QByteArray>> expected{{1, "RESETQX F"}, {2, "RESETQX F"}};
        QCOMPARE(commandsInOrder(rig.sim).mid(before), expected);
        // Through the controller each reset is followed by 7000 pauses of 1 ms.
        QCOMPARE(rig.h.clock.countPauses(1), 2 * 7000);
        QVERIFY(rig.form().menuItem("File1")->isEnabled());
        QVERIFY(rig.form().menuItem("Search1")->isEnabled());
        QCOMPARE(rig.form().state().HandlerBusy, 0);

        // No: nothing is sent.
        rig.h.dialogs.answer(false);
        QCoreApplication::processEvents();  // the user's click comes through the event loop
        reset->click();
        QCOMPARE(rig.h.dialogs.takeQuestions().size(), 1);
        QCOMPARE(commandsInOrder(rig.sim).mid(before).size(), 2);
    }

    void systemSaveSavesEveryUnitWithoutAsking_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Information page") << QStringLiteral("SystemSaveButton");
        QTest::newRow("Display Setup page") << QStringLiteral("DisplaySetupSystemSaveButton");
    }

    void systemSaveSavesEveryUnitWithoutAsking()
    {
        QFETCH(QString, button);
        WindowRig rig(sim::Setup::controller({5, 6}));
        rig.showAndConnect();
        if (button == QLatin1String("SystemSaveButton"))
            openInfoPage(rig);
        else
            rig.openDisplaySetup();
        auto *save = rig.find<QPushButton>(button);
        QCOMPARE(save->text(), QStringLiteral("System Save Quorex(s)"));
        rig.sim.unit(2).settings.screens[0].blackLevel = 12;
        save->click();
        QCOMPARE(rig.takeCommands(1), QList<QByteArray>{"SYSAVE"});
        QCOMPARE(rig.takeCommands(2), QList<QByteArray>{"SYSAVE"});
        QCOMPARE(rig.sim.unit(2).saved.screens[0].blackLevel, 12);
        QVERIFY(rig.h.dialogs.takeQuestions().isEmpty());

        // While the program sets controls itself nothing goes out.
        rig.form().state().SuppressSend = true;
        rig.form().pages().info().SystemSaveButtonClick();
        rig.form().pages().info().ResetButtonClick();
        rig.form().state().SuppressSend = false;
        QVERIFY(rig.takeCommands().isEmpty());
    }

    void resetAndSaveDoNothingWhileNotConnected()
    {
        WindowRig rig;
        rig.show();
        openInfoPage(rig);
        // Not connected: the page keeps its buttons locked, and the handlers
        // ask nothing (an unscripted question would fail the test).
        QVERIFY(!rig.find<QPushButton>(QStringLiteral("ResetButton"))->isEnabled());
        rig.form().pages().info().ResetButtonClick();
        rig.form().pages().info().SystemSaveButtonClick();
        QVERIFY(rig.form().menuItem("File1")->isEnabled());
        QVERIFY(rig.takeCommands().isEmpty());
    }

    void terminalShowsUnsolicitedCharactersAndSendsTypedOnes()
    {
        WindowRig rig(sim::Setup::direct());
        rig.showAndConnect();
        openInfoPage(rig);
        auto *terminal = rig.find<TerminalView>(QStringLiteral("AdTerminal1"));
        QVERIFY(terminal->hasFocus());
        QCOMPARE(terminal->size(), QSize(561, 313));
        QCOMPARE(terminal->grab().toImage().pixelColor(1, 1), QColor(Qt::black));

        rig.port->inject("Quorex ready\r\n");
        QTRY_COMPARE(terminal->screen().row(0).trimmed(), QStringLiteral("Quorex ready"));

        rig.port->clearWritten();
        QTest::keyClicks(terminal, "ab");
        QTest::keyClick(terminal, Qt::Key_Backspace);
        QTest::keyClick(terminal, Qt::Key_Return);
        QCOMPARE(rig.port->written(), QByteArray("ab\b \b\r"));

        // A command waiting for its prompt keeps what arrives: the terminal
        // does not take the unit's answer away from it (no recovery box).
        rig.form().pages().info().SystemSaveButtonClick();
        QCOMPARE(rig.takeCommands(1).constLast(), QByteArray("SYSAVE"));
    }

    void aFloodIntoTheTerminalStaysOneScreen()
    {
        WindowRig rig(sim::Setup::direct());
        rig.showAndConnect();
        openInfoPage(rig);
        auto *terminal = rig.find<TerminalView>(QStringLiteral("AdTerminal1"));
        const int rows = terminal->screen().rows();
        QByteArray flood(2'000'000, 'x');
        flood.append("\r\nend");
        rig.port->inject(flood);
        QTRY_COMPARE(terminal->screen().row(rows - 1).trimmed(), QStringLiteral("end"));
        QCOMPARE(terminal->screen().rows(), rows);
        QCOMPARE(rig.port->bytesAvailable(), 0);
    }

    void lineLightsFollowThePortWhileConnected()
    {
        WindowRig rig(sim::Setup::direct());
        rig.show();
        const auto lit = [&](const char *name) { return rig.find<StatusLight>(QLatin1String(name))->isLit(); };
        const QStringList captions{"TXD", "RXD", "DCD", "CTS"};
        auto *group = rig.find<QGroupBox>(QStringLiteral("RS232GroupBox"));
        int found = 0;
        for (QLabel *label : group->findChildren<QLabel *>())
            found += captions.contains(label->text());
        QCOMPARE(found, 4);

        rig.port->setModemLines(SerialPort::ModemLines{true, false});
        rig.h.clock.advance(LineLights::IntervalMs * 3);
        QVERIFY(!lit("ApdStatusLight2"));  // not connected: not even looked at

        rig.h.dialogs.answer(true);
        rig.chooseMenu("SearchAll");
        QVERIFY(rig.form().deviceConnected());
        rig.h.clock.advance(LineLights::IntervalMs);
        QVERIFY(lit("ApdStatusLight2"));   // DCD
        QVERIFY(!lit("ApdStatusLight1"));  // CTS

        rig.port->write("x");
        rig.h.clock.advance(LineLights::IntervalMs);
        QVERIFY(lit("ApdStatusLight4"));  // TXD
        rig.h.clock.advance(LineLights::IntervalMs);
        QVERIFY(!lit("ApdStatusLight4"));
        rig.port->inject("y");
        QCoreApplication::processEvents();
        rig.h.clock.advance(LineLights::IntervalMs);
        QVERIFY(lit("ApdStatusLight3"));  // RXD

        // A device without modem lines: DCD and CTS go dark, nothing fails.
        rig.port->setModemLines(std::nullopt);
        rig.h.clock.advance(LineLights::IntervalMs);
        QVERIFY(!lit("ApdStatusLight2"));
        QVERIFY(rig.h.dialogs.takeMessages().isEmpty());

        rig.port->setModemLines(SerialPort::ModemLines{true, true});
        rig.chooseMenu("DisconnectSerialCo1");
        rig.h.clock.advance(LineLights::IntervalMs * 3);
        for (const char *name : {"ApdStatusLight1", "ApdStatusLight2", "ApdStatusLight3", "ApdStatusLight4"})
            QVERIFY(!lit(name));
    }
};

QTEST_MAIN(InfoPageTest)
#include "tst_infopage.moc"
