// The Display Setup page's test patterns and black levels, driven as a user
// drives them, against two simulated units behind the controller.
#include "app/TTessalineForm.h"
#include "fields/SpinButton.h"
#include "model/SettingsModel.h"
#include "pages/ServiceView.h"
#include "pages/display/DisplaySetupPage.h"
#include "support/WindowRig.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>

using namespace tess;
using tess::test::WindowRig;

namespace {

QString name(const char *pattern, int k)
{
    return QString::fromLatin1(pattern).arg(k);
}

}  // namespace

class DisplaySetupTest : public QObject {
    Q_OBJECT
private slots:
    void pageLayoutCaptionsAndStartState()
    {
        WindowRig rig;
        rig.show();
        auto *tabs = rig.find<QTabWidget>(QStringLiteral("ScreenPageControl"));
        QVERIFY(tabs->isEnabled());  // the first show's calculation enables them
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Screens 1-4 Controls"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Screen 5-8 Controls"));
        QCOMPARE(tabs->widget(0)->objectName(), QStringLiteral("Screen14TabSheet"));
        QCOMPARE(tabs->widget(1)->objectName(), QStringLiteral("Screen58TabSheet"));

        const QStringList patterns{"Off",
                                   "Alignment Position",
                                   "1 Pixel On / 1 Pixel Off",
                                   "2 Pixel On / 2 Pixel Off",
                                   "Horizontal Bars",
                                   "Black",
                                   "Grey - 25%",
                                   "Grey - 50%",
                                   "Grey - 75%",
                                   "White",
                                   "Horizontal Ramp"};
        for (int k = 1; k <= 8; ++k) {
            QCOMPARE(rig.find<QGroupBox>(name("Screen%1GroupBox", k))->title(), name("Screen %1 Controls", k));
            QCOMPARE(rig.find<QLabel>(name("TestPatternLabel%1", k))->text(), QStringLiteral("Test Pattern"));
            auto *list = rig.find<QComboBox>(name("TestPattern%1ComboBox", k));
            QStringList items;
            for (int i = 0; i < list->count(); ++i)
                items << list->itemText(i);
            QCOMPARE(items, patterns);
            QCOMPARE(list->currentIndex(), -1);
            QCOMPARE(list->maxVisibleItems(), 11);
            QCOMPARE(rig.find<QCheckBox>(name("TestGrid%1CheckBox", k))->text(), QStringLiteral("Test Grid"));
            QVERIFY(!rig.find<QCheckBox>(name("TestGrid%1CheckBox", k))->isChecked());
            QCOMPARE(rig.find<QCheckBox>(name("OutputRaster%1CheckBox", k))->text(),
                     QStringLiteral("Output Raster Box"));
            QVERIFY(!rig.find<QCheckBox>(name("OutputRaster%1CheckBox", k))->isChecked());
            QCOMPARE(rig.find<QLabel>(name("BlackLabel%1", k))->text(), QStringLiteral("Black Level "));
            auto *black = rig.find<QLineEdit>(name("Black%1Edit", k));
            QCOMPARE(black->text(), QStringLiteral("0"));
            // Locked until the service view.
            QVERIFY(!black->isEnabled());
            QVERIFY(!rig.find<SpinButton>(name("Black%1UpDown", k))->isEnabled());
            QVERIFY(!rig.find<QLabel>(name("BlackLabel%1", k))->isEnabled());
            QCOMPARE(rig.find<SpinButton>(name("Black%1UpDown", k))->repeatInterval(), k <= 3 ? 105 : 250);
        }
        const QStringList help{
            "OUTPUT RASTER BOX:  Displays a 1- pixel outline of the of active display. ",
            "TEST GRID:  Provides a Grid of 1-pixel lines. Grid is displayed in combination with selected Test "
            "Pattern or Live video and Raster Box, if enabled.  \n\n",
            "BLACK LEVEL: Adjusts  brightness of non-overlapped image area to \ncompensate for excess light in "
            "overlapped image area due to light leakage from the two overlapping projectors.",
            "EDGE FEATHERING BASIC MODE: In this mode, all Edge Feathered regions are enabled and set to a single "
            "common Gamma value as a group.",
            "EDGE FEATHERING ADVANCED MODE:  Selecting this mode allows the user to independently enable and set "
            "Edge Feathering Gamma for each edge of each screen. ",
            "DATA DOUBLING OVERLAP WIDTH:  Adjusts the width of the projector overlap area. The Overlap Width is "
            "used to control the amount of data doubling required and the width of the associated edge "
            "feathering."};
        auto *panel = rig.find<QWidget>(QStringLiteral("DisplaySetupPanel"));
        rig.openPage(panel->parentWidget());
        QStringList shown;
        for (QLabel *label : panel->findChildren<QLabel *>()) {
            if (label->isHidden())  // the halo removal help never shows
                continue;
            shown << label->text();
            // Every note whole: as tall as its text needs, inside the panel.
            QVERIFY2(label->height() >= label->heightForWidth(label->width()), qPrintable(label->text()));
            QVERIFY2(panel->contentsRect().contains(label->geometry()), qPrintable(label->text()));
        }
        QCOMPARE(shown, help);
        QVERIFY(panel->parentWidget()->rect().contains(panel->geometry()));
    }

    void screenGroupsFollowTheProjectorCount_data()
    {
        QTest::addColumn<int>("projectors");
        QTest::newRow("1") << 1;
        QTest::newRow("4") << 4;
        QTest::newRow("5") << 5;
        QTest::newRow("8") << 8;
    }

    void screenGroupsFollowTheProjectorCount()
    {
        QFETCH(int, projectors);
        WindowRig rig;
        rig.show();
        rig.openDisplaySetup(projectors);
        auto *tabs = rig.find<QTabWidget>(QStringLiteral("ScreenPageControl"));
        QVERIFY(tabs->isEnabled());
        QCOMPARE(tabs->isTabVisible(1), projectors >= 5);
        for (int k = 1; k <= 8; ++k)
            QCOMPARE(rig.find<QGroupBox>(name("Screen%1GroupBox", k))->isVisibleTo(tabs->widget((k - 1) / 4)),
                     k <= projectors);
    }

    void serviceViewUnlocksTheBlackLevels()
    {
        WindowRig rig;
        rig.show();
        rig.openDisplaySetup(8, true);
        QVERIFY(rig.find<QLineEdit>(QStringLiteral("Black7Edit"))->isEnabled());
        QVERIFY(rig.find<SpinButton>(QStringLiteral("Black7UpDown"))->isEnabled());
        rig.form().serviceView().setOn(false);
        QVERIFY(!rig.find<QLineEdit>(QStringLiteral("Black7Edit"))->isEnabled());
        QVERIFY(!rig.find<SpinButton>(QStringLiteral("Black7UpDown"))->isEnabled());
        QVERIFY(!rig.find<QLabel>(QStringLiteral("BlackLabel7"))->isEnabled());
    }

    // clang-format off
    void testPatternControlsSendTheGroupsWholeState_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("unit");
        QTest::addColumn<QByteArray>("command");
        QTest::newRow("grid on screen 6 goes to unit 2 screen 2")
            << 6 << "grid" << 2 << QByteArray("OTPMQX 2 7 1 1");
        QTest::newRow("Horizontal Ramp is pattern 10") << 3 << "ramp" << 1 << QByteArray("OTPMQX 3 10 1 0");
        QTest::newRow("Off keeps grid and raster") << 8 << "off" << 2 << QByteArray("OTPMQX 4 0 1 0");
        QTest::newRow("raster click on screen 1") << 1 << "raster" << 1 << QByteArray("OTPMQX 1 7 0 0");
    }
    // clang-format on

    void testPatternControlsSendTheGroupsWholeState()
    {
        QFETCH(int, screen);
        QFETCH(QString, action);
        QFETCH(int, unit);
        QFETCH(QByteArray, command);
        WindowRig rig;
        rig.showAndConnect();
        rig.openDisplaySetup();
        // The group shows "Grey - 50%" with the raster box on, as read back.
        const int u = screen <= 4 ? 1 : 2;
        const int s = (screen - 1) % 4 + 1;
        sim::ScreenSettings &held = rig.sim.unit(u).settings.screens[std::size_t(s - 1)];
        held.testPattern = 7;
        held.outputRaster = 1;
        held.testGrid = 0;
        {
            OutputRecord &record = rig.form().settings().projectorOutput(screen);
            record.TestPattern = 7;
            record.OutputRaster = 1;
            record.TestGrid = 0;
            const SuppressSendScope quiet(rig.form().state());
            rig.form().pages().displaySetup().SyncTestPattern(screen);
        }
        QVERIFY(rig.takeCommands().isEmpty());
        auto *tabs = rig.find<QTabWidget>(QStringLiteral("ScreenPageControl"));
        tabs->setCurrentIndex(screen <= 4 ? 0 : 1);

        auto *list = rig.find<QComboBox>(name("TestPattern%1ComboBox", screen));
        if (action == QLatin1String("grid")) {
            rig.clickInto(rig.find<QCheckBox>(name("TestGrid%1CheckBox", screen)));
        } else if (action == QLatin1String("raster")) {
            rig.clickInto(rig.find<QCheckBox>(name("OutputRaster%1CheckBox", screen)));
        } else {
            // Picked from the opened list.
            list->showPopup();
            QAbstractItemView *view = list->view();
            view->setCurrentIndex(view->model()->index(action == QLatin1String("ramp") ? 10 : 0, 0));
            QTest::keyClick(view, Qt::Key_Return);
            QCoreApplication::processEvents();
        }
        QCOMPARE(rig.takeCommands(unit), QList<QByteArray>{command});
        QVERIFY(rig.takeCommands().isEmpty());
        // The sender stored what it sent.
        const QList<QByteArray> fields = command.split(' ');
        const OutputRecord &record = rig.form().settings().projectorOutput(screen);
        QCOMPARE(int(record.TestPattern), fields[2].toInt());
        QCOMPARE(int(record.OutputRaster), fields[3].toInt());
        QCOMPARE(int(record.TestGrid), fields[4].toInt());
        QCOMPARE(int(rig.sim.unit(unit).settings.screens[std::size_t(s - 1)].testPattern), fields[2].toInt());
        QCOMPARE(rig.form().state().HandlerBusy, 0);
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void testPatternWhileNotConnectedChangesOnlyTheScreen()
    {
        WindowRig rig;
        rig.show();
        rig.openDisplaySetup();
        rig.clickInto(rig.find<QCheckBox>(QStringLiteral("TestGrid2CheckBox")));
        QVERIFY(rig.find<QCheckBox>(QStringLiteral("TestGrid2CheckBox"))->isChecked());
        QCOMPARE(int(rig.form().settings().projectorOutput(2).TestGrid), 0);
        QVERIFY(rig.sim.log().received().isEmpty());
        QCOMPARE(rig.form().state().HandlerBusy, 0);
    }

    void fillFromTheModelSendsNothingAndStaysQuiet()
    {
        WindowRig rig;
        rig.showAndConnect();
        rig.openDisplaySetup();
        SettingsModel &model = rig.form().settings();
        for (int k = 1; k <= 8; ++k) {
            model.projectorOutput(k).TestPattern = std::uint8_t(k);
            model.projectorOutput(k).TestGrid = k % 2;
            model.projectorOutput(k).OutputRaster = (k + 1) % 2;
            model.projectorOutput(k).BlackLevel = std::uint8_t(20 * k);
        }
        model.projectorOutput(8).TestPattern = 200;  // past the list
        const QByteArray before(reinterpret_cast<const char *>(&model.outputBlock(2)), sizeof(UnitOutputBlock));
        rig.form().state().SuppressSend = true;
        rig.form().refills().run(Refill::DisplaySetup);
        QVERIFY(rig.form().state().SuppressSend);  // the rest of a fill stays quiet
        rig.form().state().SuppressSend = false;

        QVERIFY(rig.takeCommands().isEmpty());
        for (int k = 1; k <= 7; ++k) {
            QCOMPARE(rig.find<QComboBox>(name("TestPattern%1ComboBox", k))->currentIndex(), k);
            QCOMPARE(rig.find<QCheckBox>(name("TestGrid%1CheckBox", k))->isChecked(), k % 2 == 1);
            QCOMPARE(rig.find<QCheckBox>(name("OutputRaster%1CheckBox", k))->isChecked(), k % 2 == 0);
            QCOMPARE(rig.find<QLineEdit>(name("Black%1Edit", k))->text(), QString::number(20 * k));
        }
        QCOMPARE(rig.find<QComboBox>(QStringLiteral("TestPattern8ComboBox"))->currentIndex(), -1);
        // Nothing stored either.
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&model.outputBlock(2)), sizeof(UnitOutputBlock)), before);
    }

    void gridClickBeforeAnyPatternGoesOnOverOff()
    {
        WindowRig rig;
        rig.showAndConnect();
        rig.openDisplaySetup();
        auto *list = rig.find<QComboBox>(QStringLiteral("TestPattern4ComboBox"));
        {
            const SuppressSendScope quiet(rig.form().state());
            list->setCurrentIndex(-1);
        }
        rig.clickInto(rig.find<QCheckBox>(QStringLiteral("TestGrid4CheckBox")));
        QCOMPARE(rig.takeCommands(1), QList<QByteArray>{"OTPMQX 4 0 0 1"});
        QCOMPARE(list->currentIndex(), 0);
    }

    // A click on a box while a field holds a new value: the press takes
    // the focus, the field's check sends its value first, and the click
    // still lands once that exchange is over.
    void clickAfterAFieldsExchangeStillTakes()
    {
        WindowRig rig;
        rig.showAndConnect();
        rig.openDisplaySetup();
        rig.typeInto(rig.find<QLineEdit>(QStringLiteral("Black2Edit")), QStringLiteral("40"));
        rig.takeCommands();
        auto *grid = rig.find<QCheckBox>(QStringLiteral("TestGrid2CheckBox"));
        rig.clickInto(grid);
        QVERIFY(grid->isChecked());
        const QList<QByteArray> sent = rig.takeCommands(1);
        QCOMPARE(sent.size(), 2);
        QCOMPARE(sent.at(0), QByteArray("BLKGN 2 40"));
        QVERIFY2(sent.at(1).startsWith("OTPMQX 2 ") && sent.at(1).endsWith(" 1"), sent.at(1).constData());
        QVERIFY(rig.find<QWidget>(QStringLiteral("PhasePageControl"))->isEnabled());
    }
};

QTEST_MAIN(DisplaySetupTest)
#include "tst_displaysetup.moc"
