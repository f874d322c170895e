// The Projector Setup page: one pattern on every screen of every unit at
// once, with the Display Setup page's screen groups following.
#include "app/TTessalineForm.h"
#include "model/SettingsModel.h"
#include "pages/Pages.h"
#include "pages/display/DisplaySetupPage.h"
#include "pages/display/ProjAlignPage.h"
#include "support/WindowRig.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

using namespace tess;
using tess::test::WindowRig;

namespace {

QString name(const char *pattern, int k)
{
    return QString::fromLatin1(pattern).arg(k);
}

QList<QRadioButton *> itemsOf(WindowRig &rig, int group)
{
    return rig.find<QGroupBox>(name("ProjTest%1RadioGroup", group))->findChildren<QRadioButton *>();
}

QRadioButton *item(WindowRig &rig, int group, const QString &caption)
{
    for (QRadioButton *button : itemsOf(rig, group)) {
        if (button->text() == caption)
            return button;
    }
    qFatal("group %d has no item %s", group, qPrintable(caption));
    return nullptr;
}

// The caption of the group's selected item, or "" for none.
QString selection(WindowRig &rig, int group)
{
    for (QRadioButton *button : itemsOf(rig, group)) {
        if (button->isChecked())
            return button->text();
    }
    return {};
}

QCheckBox *rasterBox(WindowRig &rig)
{
    return rig.find<QCheckBox>(QStringLiteral("ProjTest1RasterCheckBox"));
}
QCheckBox *gridBox(WindowRig &rig)
{
    return rig.find<QCheckBox>(QStringLiteral("ProjTest3GridCheckBox"));
}

void openProjectorSetup(WindowRig &rig)
{
    rig.openDisplaySetup();
    rig.openPage(&rig.form().pages().projAlign());
}

}  // namespace

class ProjectorSetupTest : public QObject {
    Q_OBJECT
private slots:
    void pageCaptionsHelpAndStartState()
    {
        WindowRig rig;
        rig.show();
        QCOMPARE(rig.shownText(QStringLiteral("Label25")),
                 QStringLiteral("Note:  Please see projector documentation for correct projector adjustment "
                                "instructions. "));
        const QList<QStringList> items{
            {"Off", "Resolution 1 Pixel ON/ 1 Pixel OFF", "Resolution 2 Pixel ON/ 2 Pixel OFF"},
            {"Off", "Black with Raster Box", "Gray Scale with Raster Box"},
            {"Off", "Image Overlap Alignment with Raster Box"},
            {"Off", "Black", "Gray - 25%", "Gray - 50%", "Gray - 75%", "White", "H Bars"},
        };
        const QStringList boxes{"ProjPhaseGroupBox", "ProjInputSizeGroupBox", "DisplayImageGroupBox",
                                "ProjColorGroupBox"};
        for (int g = 1; g <= 4; ++g) {
            auto *group = rig.find<QGroupBox>(name("ProjTest%1RadioGroup", g));
            QCOMPARE(group->title(), QStringLiteral("Test Patterns"));
            QCOMPARE(group->parent()->objectName(), boxes[g - 1]);
            QCOMPARE(rig.find<QGroupBox>(boxes[g - 1])->title(), QString());
            QStringList captions;
            for (QRadioButton *button : itemsOf(rig, g))
                captions << button->text();
            QCOMPARE(captions, items[g - 1]);
            QCOMPARE(selection(rig, g), QString());
        }
        QCOMPARE(rasterBox(rig)->text(), QStringLiteral("Output Raster Box"));
        QCOMPARE(gridBox(rig)->text(), QStringLiteral("Output Test Grid"));
        QVERIFY(!rasterBox(rig)->isChecked());
        QVERIFY(!gridBox(rig)->isChecked());

        const QList<std::pair<const char *, QStringList>> help{
            {"Panel2",
             {"Projector Phase Adjust:", "- Select one of the available Resolution test patterns.",
              "- For each projector, adjusts input sample clock phase to achieve one-to-one sampling of the test "
              "pattern."}},
            {"Panel1",
             {"Projector Input Size Adjust:", "- Select the Black Test Pattern With Raster Box",
              "- The Raster Box is a one-pixel outline of the of active display raster being input to the "
              "projector.  For each projector, adjust Input Horizontal and Vertical Position until the Raster Box "
              "test pattern is aligned with the projector's output display raster."}},
            {"Panel3",
             {"Display Image Alignment:",
              "Select the Projector Overlap Alignment Test Pattern.  The Overlap Alignment Test pattern displays a "
              "broken vertical line on each side of the image.  The position of the line has been calculated based "
              "on the required amount of image overlap. ",
              "Projectors will be correctly overlapped when the two broken Alignment lines from adjacent projectors "
              "combine to create a single solid vertical line."}},
            {"Panel4",
             {"Projector Color Balance Adjustment:",
              "- Select available test patterns, as required.  For each projector, adjust color balance, as "
              "required, to match all projectors."}},
        };
        for (const auto &[panel, lines] : help) {
            QStringList shown;
            for (QLabel *label : rig.find<QFrame>(QLatin1String(panel))->findChildren<QLabel *>())
                shown << label->text();
            QCOMPARE(shown, lines);
        }
    }

    // clang-format off
    void selectionSendsToEveryScreen_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("pick");   // an item, or "box" for the group's check box
        QTest::addColumn<bool>("boxFirst");  // the check box clicked on before the pick
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QString>("selected");
        QTest::newRow("grey scale with raster") << 2 << "Gray Scale with Raster Box" << false
                                                << QByteArray("OTPMQX 5 4 1 0") << "Gray Scale with Raster Box";
        QTest::newRow("black with raster") << 2 << "Black with Raster Box" << false
                                           << QByteArray("OTPMQX 5 5 1 0") << "Black with Raster Box";
        QTest::newRow("2 pixel, raster box on") << 1 << "Resolution 2 Pixel ON/ 2 Pixel OFF" << true
                                                << QByteArray("OTPMQX 5 3 1 0") << "Resolution 2 Pixel ON/ 2 Pixel OFF";
        QTest::newRow("1 pixel, raster box off") << 1 << "Resolution 1 Pixel ON/ 1 Pixel OFF" << false
                                                 << QByteArray("OTPMQX 5 2 0 0") << "Resolution 1 Pixel ON/ 1 Pixel OFF";
        QTest::newRow("raster box with no selection") << 1 << "box" << false << QByteArray("OTPMQX 5 0 1 0") << "Off";
        QTest::newRow("grid with no selection") << 3 << "box" << false << QByteArray("OTPMQX 5 0 0 1") << "Off";
        QTest::newRow("overlap alignment, grid on")
            << 3 << "Image Overlap Alignment with Raster Box" << true << QByteArray("OTPMQX 5 1 1 1")
            << "Image Overlap Alignment with Raster Box";
        QTest::newRow("H bars") << 4 << "H Bars" << false << QByteArray("OTPMQX 5 4 0 0") << "H Bars";
        QTest::newRow("grey 75") << 4 << "Gray - 75%" << false << QByteArray("OTPMQX 5 8 0 0") << "Gray - 75%";
        QTest::newRow("off") << 4 << "Off" << false << QByteArray("OTPMQX 5 0 0 0") << "Off";
    }
    // clang-format on

    void selectionSendsToEveryScreen()
    {
        QFETCH(int, group);
        QFETCH(QString, pick);
        QFETCH(bool, boxFirst);
        QFETCH(QByteArray, command);
        QFETCH(QString, selected);
        WindowRig rig;
        rig.showAndConnect();
        QCOMPARE(rig.form().state().UnitCount, 2);
        openProjectorSetup(rig);
        QCheckBox *box = group == 1 ? rasterBox(rig) : group == 3 ? gridBox(rig) : nullptr;
        if (boxFirst) {
            rig.clickInto(box);  // over no selection: sends "Off" with the box on
            rig.takeCommands();
        }
        rig.clickInto(pick == QLatin1String("box") ? static_cast<QWidget *>(box) : item(rig, group, pick));

        QCOMPARE(rig.takeCommands(1), QList<QByteArray>{command});
        QCOMPARE(rig.takeCommands(2), QList<QByteArray>{command});
        QCOMPARE(selection(rig, group), selected);
        const QList<QByteArray> fields = command.split(' ');
        const int pattern = fields[2].toInt();
        const bool raster = fields[3] == "1";
        const bool grid = fields[4] == "1";
        for (int k = 1; k <= 8; ++k) {
            const OutputRecord &record = rig.form().settings().projectorOutput(k);
            QCOMPARE(int(record.TestPattern), pattern);
            QCOMPARE(record.OutputRaster != 0, raster);
            QCOMPARE(record.TestGrid != 0, grid);
            QCOMPARE(rig.find<QComboBox>(name("TestPattern%1ComboBox", k))->currentIndex(), pattern);
            QCOMPARE(rig.find<QCheckBox>(name("OutputRaster%1CheckBox", k))->isChecked(), raster);
            QCOMPARE(rig.find<QCheckBox>(name("TestGrid%1CheckBox", k))->isChecked(), grid);
            const auto &held = rig.sim.unit(k <= 4 ? 1 : 2).settings.screens[std::size_t((k - 1) % 4)];
            QCOMPARE(int(held.testPattern), pattern);
        }
        // The Display Setup refill neither sent nor cleared this page.
        QVERIFY(rig.takeCommands().isEmpty());
        QCOMPARE(rig.form().state().HandlerBusy, 0);
        QVERIFY(!rig.form().state().SuppressSend);
    }

    void aPickClearsTheOtherGroupsAndTheirBoxes()
    {
        WindowRig rig;
        rig.showAndConnect();
        openProjectorSetup(rig);
        rig.clickInto(item(rig, 1, QStringLiteral("Resolution 1 Pixel ON/ 1 Pixel OFF")));
        rig.clickInto(rasterBox(rig));
        rig.clickInto(gridBox(rig));  // the third group: clears the first, raster box off
        QCOMPARE(selection(rig, 1), QString());
        QCOMPARE(selection(rig, 3), QStringLiteral("Off"));
        QVERIFY(!rasterBox(rig)->isChecked());
        QVERIFY(gridBox(rig)->isChecked());
        rig.clickInto(item(rig, 2, QStringLiteral("Black with Raster Box")));
        rig.clickInto(item(rig, 4, QStringLiteral("White")));
        for (int g = 1; g <= 3; ++g)
            QCOMPARE(selection(rig, g), QString());
        QCOMPARE(selection(rig, 4), QStringLiteral("White"));
        QVERIFY(!rasterBox(rig)->isChecked());
        QVERIFY(!gridBox(rig)->isChecked());
        QCOMPARE(rig.takeCommands(1).last(), QByteArray("OTPMQX 5 9 0 0"));
    }

    void aDisplaySetupPickClearsThisPage()
    {
        WindowRig rig;
        rig.showAndConnect();
        openProjectorSetup(rig);
        rig.clickInto(gridBox(rig));
        rig.clickInto(item(rig, 3, QStringLiteral("Image Overlap Alignment with Raster Box")));
        rig.takeCommands();
        rig.openPage(&rig.form().pages().displaySetup());
        rig.clickInto(rig.find<QCheckBox>(QStringLiteral("TestGrid2CheckBox")));
        QCOMPARE(rig.takeCommands(1), QList<QByteArray>{"OTPMQX 2 1 1 0"});
        for (int g = 1; g <= 4; ++g)
            QCOMPARE(selection(rig, g), QString());
        QVERIFY(gridBox(rig)->isChecked());  // the boxes keep their state
        QVERIFY(rig.takeCommands().isEmpty());
    }

    void clearKeepsAFillQuiet()
    {
        WindowRig rig;
        rig.show();
        WindowState &state = rig.form().state();
        for (const bool was : {false, true}) {
            state.SuppressSend = was;
            rig.form().pages().projAlign().ClearProjectorTests();
            QCOMPARE(state.SuppressSend, was);
        }
        state.SuppressSend = false;
    }

    void notConnectedStoresAndShowsButSendsNothing_data()
    {
        QTest::addColumn<int>("units");
        QTest::newRow("one unit") << 1;
        QTest::newRow("two units") << 2;
    }

    void notConnectedStoresAndShowsButSendsNothing()
    {
        QFETCH(int, units);
        WindowRig rig;
        rig.show();
        rig.form().state().UnitCount = units;
        openProjectorSetup(rig);
        rig.clickInto(item(rig, 2, QStringLiteral("Gray Scale with Raster Box")));
        QVERIFY(rig.sim.log().received().isEmpty());
        for (int k = 1; k <= 8; ++k) {
            const bool reached = k <= 4 * units;
            QCOMPARE(int(rig.form().settings().projectorOutput(k).TestPattern), reached ? 4 : 0);
            QCOMPARE(rig.find<QComboBox>(name("TestPattern%1ComboBox", k))->currentIndex(), reached ? 4 : -1);
            QCOMPARE(rig.find<QCheckBox>(name("OutputRaster%1CheckBox", k))->isChecked(), reached);
        }
        QCOMPARE(rig.form().state().HandlerBusy, 0);
    }
};

QTEST_MAIN(ProjectorSetupTest)
#include "tst_projectorsetup.moc"
