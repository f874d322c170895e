// The Planning page as a user meets it: the wall calculator, its pictures,
// the content text and the overlap field it shares with the Display Setup
// page, against simulated units behind the controller.
#include "app/TTessalineForm.h"
#include "fields/SpinButton.h"
#include "model/PlanningPreferences.h"
#include "pages/display/DisplaySetupPage.h"
#include "pages/planning/PlanningPage.h"
#include "pages/source/SourceSetupPage.h"
#include "support/FormHarness.h"
#include "support/WindowRig.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace tess;
using tess::test::FormHarness;
using tess::test::WindowRig;

namespace {

QString text(WindowRig &rig, const char *name)
{
    return rig.shownText(QLatin1String(name));
}

void pick(WindowRig &rig, const char *list, const QString &item)
{
    auto *combo = rig.find<QComboBox>(QLatin1String(list));
    const int index = combo->findText(item);
    QVERIFY2(index >= 0, qPrintable(item));
    combo->setCurrentIndex(index);
    emit combo->activated(index);  // as the user's choice arrives
    QCoreApplication::processEvents();
}

// Types the sizes, chooses the resolution and clicks Calculate.
void calculateWall(WindowRig &rig, const QString &horizontal, const QString &vertical,
                   const QString &resolution = QStringLiteral("1280x1024"))
{
    rig.find<QComboBox>(QStringLiteral("ProjectorResComboBox"))->setCurrentText(resolution);
    rig.form().pages().planning().ProjectorResComboBoxChange();
    rig.typeInto(rig.find<QLineEdit>(QStringLiteral("HorizontalOutEdit")), horizontal);
    rig.typeInto(rig.find<QLineEdit>(QStringLiteral("VerticalOutEdit")), vertical);
    rig.clickInto(rig.find<QPushButton>(QStringLiteral("CalcOutButton")));
}

QImage picture(WindowRig &rig, const char *name)
{
    return rig.find<QLabel>(QLatin1String(name))->pixmap().toImage();
}

bool blackBetween(const QImage &image, int x, int fromY, int toY)
{
    for (int y = fromY; y < toY; ++y) {
        if (image.pixelColor(x, y) == QColor(Qt::black))
            return true;
    }
    return false;
}

// What the Planning page shows of the wall.
struct WallShown {
    QString imageH;
    QString aspect;
    QString horizontal;
    QString content;
    QImage strip;
    QImage placement;
};

WallShown wallShown(WindowRig &rig)
{
    return {text(rig, "ImageSizeHLabel"),      text(rig, "OutAspectRatioLabel"), text(rig, "HorizontalOutEdit"),
            text(rig, "ImageContentInfoMemo"), picture(rig, "ProjectorImage"),   picture(rig, "ProjPlaceImage")};
}

void compareWalls(const WallShown &shown, const WallShown &expected)
{
    QCOMPARE(shown.imageH, expected.imageH);
    QCOMPARE(shown.aspect, expected.aspect);
    QCOMPARE(shown.horizontal, expected.horizontal);
    QCOMPARE(shown.content, expected.content);
    QCOMPARE(shown.strip, expected.strip);
    QCOMPARE(shown.placement, expected.placement);
}

// The columns of the placement picture's dashed markers.
QList<int> markerColumns(const QImage &placement)
{
    QList<int> columns;
    for (int x = 0; x < placement.width(); ++x) {
        if (blackBetween(placement, x, 30, 100))
            columns << x;
    }
    return columns;
}

}  // namespace

class PlanningTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QCoreApplication::processEvents(); }

    void captionsAndInstructions()
    {
        WindowRig rig;
        rig.show();
        auto *list = rig.find<QListWidget>(QStringLiteral("ListBox1"));
        QCOMPARE(list->count(), 8);
        QCOMPARE(list->item(0)->text(),
                 QStringLiteral("- If Quorex(s) are connected to the PC/laptop, click on the \"Serial Port->Search "
                                "for Quorex(s)->Search\" menu and establish connection to the Quorex(s)."));
        QCOMPARE(list->item(2)->text(), QString());
        QCOMPARE(list->item(5)->text(),
                 QStringLiteral("When done, click the \"Calculate\" button. Tessaline will calculate the output "
                                "aspect ratio, number of projectors, projector overlap, and input image size "
                                "requirements."));
        QCOMPARE(list->item(7)->text(),
                 QString(12, u' ')
                     + QStringLiteral("If number of projectors exceed 4, a second Quorex unit is required."));
        QCOMPARE(rig.find<QGroupBox>(QStringLiteral("PlanCalcGroupBox"))->title(),
                 QStringLiteral("Calculate Aspect Ratio, Number of Screens, Data Overlap, and Input Image Size"));
        const QColor colours[] = {{255, 255, 0}, {255, 0, 0},   {0, 0, 255},   {0, 255, 0},
                                  {255, 0, 255}, {0, 255, 255}, {128, 0, 128}, {0, 128, 128}};
        for (int k = 1; k <= 8; ++k) {
            auto *legend = rig.find<QLabel>(QStringLiteral("Screen%1Label").arg(k));
            QCOMPARE(legend->text(), QStringLiteral("Projector %1").arg(k));
            QCOMPARE(legend->palette().color(QPalette::Window), colours[k - 1]);
        }
        QCOMPARE(rig.find<SpinButton>(QStringLiteral("OWidthPlanningUpDown"))->repeatInterval(), 1000);
        QCOMPARE(rig.find<SpinButton>(QStringLiteral("OWidthUpDown"))->repeatInterval(), 1000);
    }

    // The first show calculates the default wall without sending.
    void defaultWall()
    {
        WindowRig rig;
        rig.show();
        QCOMPARE(text(rig, "OutAspectRatioLabel"), QStringLiteral("3"));
        QCOMPARE(text(rig, "ProjectedWidthLabel"), QStringLiteral("30"));
        QCOMPARE(text(rig, "LensThrowLabel"), QStringLiteral("N/A"));
        QCOMPARE(text(rig, "ImageSizeHLabel"), QStringLiteral("3072"));
        QCOMPARE(text(rig, "ImageSizeVLabel"), QStringLiteral("1024"));
        QCOMPARE(text(rig, "NumOfScreenComboBox"), QStringLiteral("3 Projectors"));
        QCOMPARE(text(rig, "ImageAlignComboBox"), QStringLiteral("Centered"));
        QCOMPARE(text(rig, "OWidthPlanningEdit"), QStringLiteral("384"));
        QCOMPARE(text(rig, "OWidthEdit"), QStringLiteral("384"));
        QCOMPARE(rig.form().planning().MaxOverlapWidth, 640);
        QCOMPARE(text(rig, "NumOfQuorexLabel"), QStringLiteral("1"));
        QCOMPARE(rig.form().statusText(), QStringLiteral("NOTE: Current settings require 1 Quorex."));
        QVERIFY(rig.find<QComboBox>(QStringLiteral("NumOfScreenComboBox"))->isEnabled());
        QVERIFY(rig.find<QWidget>(QStringLiteral("ScreenPageControl"))->isEnabled());

        using Span = std::pair<qint64, qint64>;
        const auto &offsets = rig.form().pages().planning().imagePositionOffsets();
        QCOMPARE(offsets[0], std::optional<Span>(Span{384, 1664}));
        QCOMPARE(offsets[1], std::optional<Span>(Span{1280, 2560}));
        QCOMPARE(offsets[2], std::optional<Span>(Span{2176, 3456}));
        for (int k = 3; k < 8; ++k)
            QVERIFY(!offsets[std::size_t(k)]);

        QCOMPARE(text(rig, "ImageContentInfoMemo"),
                 QStringLiteral(" - Single Graphic Source:    3 : 1 Aspect Ratio Image Required\n")
                     + QString(38, u' ') + QStringLiteral("(Center or Left Justified)\n")
                     + QStringLiteral(" - 3 Head Graphic Source (1280 x 1024 resolution): 3072 x 1024 Image Size "
                                      "Required\n")
                     + QString(38, u' ') + QStringLiteral("(Center or Left Justified)\n"));

        // The strip: three outlines in the legend's colours, the lower
        // number on top where they cross; the rest lets the page through.
        const QImage strip = picture(rig, "ProjectorImage");
        QCOMPARE(strip.size(), QSize(905, 110));
        QCOMPARE(strip.pixelColor(5, 50), QColor(255, 255, 0));
        QCOMPARE(strip.pixelColor(82, 50), QColor(255, 0, 0));
        QCOMPARE(strip.pixelColor(159, 50), QColor(0, 0, 255));
        QCOMPARE(strip.pixelColor(268, 50), QColor(0, 0, 255));
        QCOMPARE(strip.pixelColor(100, 5), QColor(255, 255, 0));  // box 1 over box 2
        QCOMPARE(strip.pixelColor(50, 50).alpha(), 0);
        QCOMPARE(strip.pixelColor(300, 50).alpha(), 0);

        // The placement picture: dashed markers at columns 99, 238, 377.
        const QImage placement = picture(rig, "ProjPlaceImage");
        QCOMPARE(placement.size(), QSize(477, 128));
        QCOMPARE(placement.pixelColor(200, 20), QColor(Qt::black));  // the ruler
        for (int column : {99, 238, 377}) {
            QVERIFY2(blackBetween(placement, column, 30, 100), qPrintable(QString::number(column)));
            QVERIFY(!blackBetween(placement, column + 1, 30, 100));
        }
        QCOMPARE(placement.pixelColor(300, 60), QColor(192, 192, 192));
        QVERIFY(rig.takeCommands().isEmpty());
    }

    // Walls the Calculate button works out, each from the default start.
    // clang-format off
    void calculate_data()
    {
        QTest::addColumn<QString>("horizontal");
        QTest::addColumn<QString>("vertical");
        QTest::addColumn<QString>("resolution");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("overlap");
        QTest::addColumn<QString>("imageH");
        QTest::addColumn<QString>("imageV");
        QTest::addColumn<QString>("aspect");
        QTest::addColumn<QString>("horizontalAfter");

        QTest::newRow("25 x 10: overlap raised to 64")
            << "25" << "10" << "1280x1024" << "2 Projectors" << "64" << "2496" << "1024" << "2.44" << "24.375";
        QTest::newRow("15 x 10: overlap cut to 640")
            << "15" << "10" << "1280x1024" << "2 Projectors" << "640" << "1920" << "1024" << "1.88" << "18.75";
        QTest::newRow("24 x 10: offsets make the image whole")
            << "24" << "10" << "1280x1024" << "2 Projectors" << "103" << "2457" << "1024" << "2.4" << "24";
        QTest::newRow("40 x 10 at 800x600")
            << "40" << "10" << "800x600" << "3 Projectors" << "64" << "2272" << "600" << "3.79" << "37.867";
        QTest::newRow("10 x 10: one projector, overlap 0")
            << "10" << "10" << "1280x1024" << "1 Projector" << "0" << "1280" << "1024" << "1" << "10";
        QTest::newRow("scientific notation: a tiny screen")
            << "1e-6" << "10" << "1280x1024" << "1 Projector" << "0" << "1280" << "1024" << "1E-07"
            << "1e-6";
    }
    // clang-format on
    void calculate()
    {
        WindowRig rig;
        rig.show();
        QFETCH(QString, horizontal);
        QFETCH(QString, vertical);
        QFETCH(QString, resolution);
        calculateWall(rig, horizontal, vertical, resolution);
        QVERIFY(rig.h.dialogs.takeMessages().isEmpty());
        QTEST(text(rig, "NumOfScreenComboBox"), "count");
        QTEST(text(rig, "OWidthEdit"), "overlap");
        QTEST(text(rig, "OWidthPlanningEdit"), "overlap");
        QTEST(text(rig, "ImageSizeHLabel"), "imageH");
        QTEST(text(rig, "ImageSizeVLabel"), "imageV");
        QTEST(text(rig, "OutAspectRatioLabel"), "aspect");
        QTEST(text(rig, "HorizontalOutEdit"), "horizontalAfter");
        QVERIFY(rig.find<QPushButton>(QStringLiteral("CalcOutButton"))->isEnabled());
    }

    // clang-format off
    void badSizesAreRefused_data()
    {
        QTest::addColumn<QString>("horizontal");
        QTest::addColumn<QString>("vertical");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");

        QTest::newRow("empty") << "" << "10" << "Error! '' is not a valid Horizontal Output Screen Size value."
                               << "HorizontalOutEdit";
        QTest::newRow("not a number") << "abc" << "10"
                                      << "Error! 'abc' is not a valid Horizontal Output Screen Size value."
                                      << "HorizontalOutEdit";
        QTest::newRow("zero") << "0" << "10" << "Error! Horizontal Output Screen Size value must be greater than 0."
                              << "HorizontalOutEdit";
        QTest::newRow("negative vertical") << "30" << "-5"
                                           << "Error! Vertical Output Screen Size value must be greater than 0."
                                           << "VerticalOutEdit";
        QTest::newRow("huge: more than 8 projectors")
            << "1e300" << "10"
            << "Error! Minimum # of screen calculated is greater than 8. Please enter valid Horizontal/Vertical "
               "Output Size and Projector Resolution."
            << "HorizontalOutEdit";
        QTest::newRow("a ratio past any number")
            << "1e300" << "1e-300"
            << "Error! Minimum # of screen calculated is greater than 8. Please enter valid Horizontal/Vertical "
               "Output Size and Projector Resolution."
            << "HorizontalOutEdit";
    }
    // clang-format on
    void badSizesAreRefused()
    {
        WindowRig rig;
        rig.show();
        QFETCH(QString, horizontal);
        QFETCH(QString, vertical);
        rig.find<QLineEdit>(QStringLiteral("HorizontalOutEdit"))->setText(horizontal);
        rig.find<QLineEdit>(QStringLiteral("VerticalOutEdit"))->setText(vertical);
        rig.clickInto(rig.find<QPushButton>(QStringLiteral("CalcOutButton")));
        QTEST(rig.h.dialogs.takeMessages().join(u'|'), "message");
        QFETCH(QString, focus);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(text(rig, "NumOfScreenComboBox"), QStringLiteral("3 Projectors"));
        QVERIFY(rig.find<QPushButton>(QStringLiteral("CalcOutButton"))->isEnabled());
        // Whatever was refused, no label shows a broken number.
        for (const char *label : {"OutAspectRatioLabel", "ImageSizeHLabel", "ProjectedWidthLabel", "LensThrowLabel"})
            QVERIFY(!text(rig, label).contains(QLatin1String("INF")) && !text(rig, label).contains("NAN"));

        // The pictures still draw with the refused size in the state.
        pick(rig, "NumOfScreenComboBox", QStringLiteral("2 Projectors"));
        QCOMPARE(picture(rig, "ProjPlaceImage").size(), QSize(477, 128));
    }

    void moreThanEightProjectors()
    {
        WindowRig rig;
        rig.show();
        calculateWall(rig, "10", "10");  // one projector
        QCOMPARE(text(rig, "NumOfScreenComboBox"), QStringLiteral("1 Projector"));
        calculateWall(rig, "110", "10", "800x600");
        QCOMPARE(rig.h.dialogs.takeMessages(),
                 QStringList{"Error! Minimum # of screen calculated is greater than 8. Please enter valid "
                             "Horizontal/Vertical Output Size and Projector Resolution."});
        QCOMPARE(text(rig, "NumOfScreenComboBox"), QStringLiteral("1 Projector"));
        QCOMPARE(text(rig, "NumOfQuorexLabel"), QStringLiteral("1"));

        // Eight with "Centered": refused, and the count the planning asked
        // for (9) is not in the list: the count in force comes back.
        pick(rig, "NumOfScreenComboBox", QStringLiteral("8 Projectors"));
        QCOMPARE(rig.h.dialogs.takeMessages(),
                 QStringList{"Error! Maximum number of projectors for center justified image is 7"});
        QCOMPARE(text(rig, "NumOfScreenComboBox"), QStringLiteral("1 Projector"));
    }

    void eightProjectorsCentred()
    {
        WindowRig rig;
        rig.show();
        calculateWall(rig, "100", "10", "800x600");
        QCOMPARE(rig.h.dialogs.takeMessages(),
                 QStringList{"Error! Maximum number of projectors for center justified image is 7"});
        QCOMPARE(text(rig, "NumOfScreenComboBox"), QStringLiteral("8 Projectors"));
        QCOMPARE(text(rig, "NumOfQuorexLabel"), QStringLiteral("2"));
        QCOMPARE(text(rig, "OWidthEdit"), QStringLiteral("64"));
        QVERIFY(text(rig, "ImageContentInfoMemo").contains(QLatin1String(" - 8 Head Graphic Source")));

        // Choosing "Centered" for eight projectors goes back to left.
        pick(rig, "ImageAlignComboBox", QStringLiteral("Left Justified"));
        pick(rig, "ImageAlignComboBox", QStringLiteral("Centered"));
        QCOMPARE(rig.h.dialogs.takeMessages(),
                 QStringList{"Error! Maximum number of projectors for center justified image is 7"});
        QCOMPARE(text(rig, "ImageAlignComboBox"), QStringLiteral("Left Justified"));
    }

    void manualCountUpdatesTheUnitsNote()
    {
        WindowRig rig;
        rig.show();
        pick(rig, "NumOfScreenComboBox", QStringLiteral("5 Projectors"));
        QCOMPARE(text(rig, "NumOfQuorexLabel"), QStringLiteral("2"));
        QCOMPARE(rig.form().statusText(), QStringLiteral("NOTE: Current settings require 2 Quorexs."));
        QVERIFY(!rig.find<QGroupBox>(QStringLiteral("DataDoubleGroupBox"))->isHidden());
        pick(rig, "NumOfScreenComboBox", QStringLiteral("1 Projector"));
        QCOMPARE(text(rig, "NumOfQuorexLabel"), QStringLiteral("1"));
        QCOMPARE(rig.form().statusText(), QStringLiteral("NOTE: Current settings require 1 Quorex."));
        QVERIFY(rig.find<QGroupBox>(QStringLiteral("DataDoubleGroupBox"))->isHidden());
        QCOMPARE(text(rig, "OWidthEdit"), QStringLiteral("0"));
    }

    void theWallReachesTheOtherPages()
    {
        // The channel pages offer the wall's channels, the first chosen, and
        // the Information page shows where each projector's image starts and
        // ends in the input (left justified, 1280 wide, overlap 384).
        WindowRig rig;
        rig.show();
        pick(rig, "ImageAlignComboBox", QStringLiteral("Left Justified"));
        pick(rig, "NumOfScreenComboBox", QStringLiteral("5 Projectors"));
        for (const char *group : {"SourceScreenSelectRadioGroup", "SeamScreenSelectRadioGroup"}) {
            auto *channels = rig.find<QWidget>(QLatin1String(group));
            QStringList offered;
            for (QRadioButton *item : channels->findChildren<QRadioButton *>()) {
                if (item->isVisibleTo(channels))
                    offered << item->text();
            }
            QCOMPARE(offered, (QStringList{"1", "2", "3", "4", "5"}));
        }
        QCOMPARE(rig.form().pages().sourceSetup().selectedChannel(), 1);
        const QString overlap = text(rig, "OWidthEdit");
        const int step = 1280 - overlap.toInt();
        QCOMPARE(text(rig, "Screen1HLabel"), QStringLiteral("0"));
        QCOMPARE(text(rig, "Screen1VLabel"), QStringLiteral("1280"));
        QCOMPARE(text(rig, "Screen5HLabel"), QString::number(4 * step));
        QCOMPARE(text(rig, "Screen5VLabel"), QString::number(4 * step + 1280));
        QCOMPARE(text(rig, "Screen6HLabel"), QStringLiteral("N/A"));
        QCOMPARE(text(rig, "Screen8VLabel"), QStringLiteral("N/A"));
    }

    // clang-format off
    void lensThrow_data()
    {
        QTest::addColumn<QString>("magnification");
        QTest::addColumn<QString>("throwText");
        QTest::addColumn<QString>("message");
        QTest::newRow("1.5") << "1.5" << "45" << "";
        QTest::newRow("0") << "0" << "N/A" << "";
        QTest::newRow("negative") << "-1" << "N/A" << "Error! Lens Magnification value must be greater than 0.";
        QTest::newRow("not a number") << "x" << "N/A" << "Error! 'x' is not a valid Lens Magnification value.";
    }
    // clang-format on
    void lensThrow()
    {
        WindowRig rig;
        rig.show();
        QFETCH(QString, magnification);
        rig.typeInto(rig.find<QLineEdit>(QStringLiteral("LensMagEdit")), magnification);
        rig.pressKey(Qt::Key_Return);
        QTEST(text(rig, "LensThrowLabel"), "throwText");
        QTEST(rig.h.dialogs.takeMessages().join(u'|'), "message");
        QFETCH(QString, message);
        QCOMPARE(QApplication::focusWidget()->objectName(),
                 message.isEmpty() ? QStringLiteral("HorizontalOutEdit") : QStringLiteral("LensMagEdit"));
    }

    void overlapEnteredOnThePlanningPage()
    {
        WindowRig rig;
        rig.show();
        rig.typeInto(rig.find<QLineEdit>(QStringLiteral("OWidthPlanningEdit")), QStringLiteral("100"));
        rig.pressKey(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("HorizontalOutEdit"));
        QCOMPARE(text(rig, "OWidthEdit"), QStringLiteral("100"));
        QCOMPARE(text(rig, "ImageSizeHLabel"), QStringLiteral("3640"));
        QCOMPARE(text(rig, "OutAspectRatioLabel"), QStringLiteral("3.55"));
        QCOMPARE(text(rig, "HorizontalOutEdit"), QStringLiteral("35.547"));
        // The strip follows: box 2 moves by 100 x 110 / 1280, truncated.
        QCOMPARE(rig.form().state().ProjectorBoxRects[1].Left, 115 - 8);

        // Out of bounds: the Display Setup field goes back to the stored
        // width, the Planning field keeps the typed text and the focus.
        rig.typeInto(rig.find<QLineEdit>(QStringLiteral("OWidthPlanningEdit")), QStringLiteral("641"));
        rig.pressKey(Qt::Key_Return);
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{"Error! Overlap Width value out of bounds!"});
        QCOMPARE(text(rig, "OWidthPlanningEdit"), QStringLiteral("641"));
        QCOMPARE(text(rig, "OWidthEdit"), QString::number(rig.form().settings().output(1, 1).OverlapWidth));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("OWidthPlanningEdit"));
        QVERIFY(rig.takeCommands().isEmpty());
    }

    void overlapSpinStepsBothFields()
    {
        WindowRig rig;
        rig.show();
        rig.clickSpin(rig.find<SpinButton>(QStringLiteral("OWidthPlanningUpDown")), true);
        QCOMPARE(text(rig, "OWidthEdit"), QStringLiteral("385"));
        QCOMPARE(text(rig, "OWidthPlanningEdit"), QStringLiteral("385"));
        QCOMPARE(text(rig, "ImageSizeHLabel"), QString::number(3 * 1280 - 2 * 385));
    }

    // After an overlap entry or an alignment change, the content text and
    // the pictures show the wall in force: the one "Input Image Size
    // Required" shows, and the one the same settings show when they are
    // saved and opened again.
    // clang-format off
    void oneWallAfterAnOverlapChange_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("imageH");
        QTest::newRow("typed, Enter") << "enter" << "6680";
        QTest::newRow("typed, Tab") << "tab" << "6680";
        QTest::newRow("spin down") << "spin" << "6555";
        QTest::newRow("typed on Display Setup") << "display" << "6680";
        QTest::newRow("typed, then the alignment") << "alignment" << "6680";
    }
    // clang-format on
    void oneWallAfterAnOverlapChange()
    {
        QFETCH(QString, how);
        WindowRig rig;
        rig.showAndConnect();
        rig.h.dialogs.takeMessages();
        rig.openPage(&rig.form().pages().planning());
        calculateWall(rig, "64", "10");
        // The wait window of the read took the activation: the window gets
        // it back.
        QApplication::setActiveWindow(&rig.form());
        QVERIFY(QTest::qWaitForWindowActive(&rig.form()));
        rig.h.dialogs.takeMessages();
        QCOMPARE(text(rig, "NumOfScreenComboBox"), QStringLiteral("6 Projectors"));
        QCOMPARE(text(rig, "OWidthPlanningEdit"), QStringLiteral("226"));

        auto *field = rig.find<QLineEdit>(QStringLiteral("OWidthPlanningEdit"));
        if (how == QLatin1String("spin")) {
            rig.clickSpin(rig.find<SpinButton>(QStringLiteral("OWidthPlanningUpDown")), false);
        } else if (how == QLatin1String("display")) {
            rig.openDisplaySetup(6, false);
            rig.typeInto(rig.find<QLineEdit>(QStringLiteral("OWidthEdit")), QStringLiteral("200"));
            rig.pressKey(Qt::Key_Return);
            rig.openPage(&rig.form().pages().planning());
        } else {
            rig.typeInto(field, QStringLiteral("200"));
            rig.pressKey(how == QLatin1String("tab") ? Qt::Key_Tab : Qt::Key_Return);
        }
        if (how == QLatin1String("alignment"))
            pick(rig, "ImageAlignComboBox", QStringLiteral("Left Justified"));
        QVERIFY(rig.h.dialogs.takeMessages().isEmpty());
        QTEST(text(rig, "ImageSizeHLabel"), "imageH");

        const WallShown shown = wallShown(rig);
        // The content text asks for the image shown beside it.
        QVERIFY2(shown.content.contains(QStringLiteral("%1 x 1024 Image Size Required").arg(shown.imageH)),
                 qPrintable(shown.content));
        QVERIFY2(shown.content.contains(QStringLiteral("%1 : 1 Aspect Ratio").arg(shown.aspect)),
                 qPrintable(shown.content));
        if (how != QLatin1String("spin")) {
            // Overlap 200: the centres stand 1080 input pixels apart in an
            // image 6680 wide, not the 1054 of the calculated overlap.
            QCOMPARE(shown.aspect, QStringLiteral("6.52"));
            QCOMPARE(markerColumns(shown.placement), (QList<int>{45, 122, 199, 277, 354, 431}));
        }

        // Saved and opened again, the page shows the very same wall.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("wall.qxc"));
        rig.h.dialogs.chooseFile(path);
        rig.chooseMenu("SaveConfigurationtoFile1");
        rig.h.dialogs.takeMessages();
        rig.h.dialogs.chooseFile(path);
        rig.chooseMenu("OpenConfigurationFile1");
        QCOMPARE(rig.h.dialogs.takeMessages(),
                 QStringList{"File open successful. Tessaline updated with settings from file."});
        QCOMPARE(text(rig, "OWidthPlanningEdit"), field->text());
        compareWalls(wallShown(rig), shown);
    }

    // A resolution the screen cannot take is refused, and the image size
    // is left as the aspect ratio gave it. The next alignment change works
    // the image out from the projectors again: the content text and the
    // pictures follow it.
    void alignmentChangeAfterARefusedResolution()
    {
        WindowRig rig;
        rig.show();
        calculateWall(rig, "105", "10", "1024x768");
        rig.h.dialogs.takeMessages();
        pick(rig, "ImageAlignComboBox", QStringLiteral("Left Justified"));
        pick(rig, "NumOfScreenComboBox", QStringLiteral("8 Projectors"));
        pick(rig, "ProjectorResComboBox", QStringLiteral("1280x1024"));
        QCOMPARE(rig.h.dialogs.takeMessages(),
                 QStringList{"Error! Minimum # of screen calculated is greater than 8. Please enter valid "
                             "Horizontal/Vertical Output Size and Projector Resolution."});
        const QImage strip = picture(rig, "ProjectorImage");

        pick(rig, "ImageAlignComboBox", QStringLiteral("Centered"));
        QCOMPARE(rig.h.dialogs.takeMessages(),
                 QStringList{"Error! Maximum number of projectors for center justified image is 7"});
        const QString imageH = text(rig, "ImageSizeHLabel");
        QCOMPARE(imageH, QString::number(8 * 1280 - 7 * 64));
        QVERIFY2(text(rig, "ImageContentInfoMemo")
                     .contains(QStringLiteral("(1280 x 1024 resolution): %1 x 1024").arg(imageH)),
                 qPrintable(text(rig, "ImageContentInfoMemo")));
        // The strip now draws projectors of 1280 pixels: box 2 is shifted by
        // 64 x 110 / 1280 (5 strip pixels), not by 64 x 110 / 1024 (6).
        QCOMPARE(rig.form().state().ProjectorBoxRects[1].Left, 115 - 5);
        QVERIFY(picture(rig, "ProjectorImage") != strip);
    }

    // Every text of the placement picture lies inside it: the screen width
    // at the right end of the ruler moves left rather than being cut.
    void placementTextsStayInside()
    {
        WindowRig rig;
        rig.show();
        const auto rightEdgeClear = [&] {
            const QImage placement = picture(rig, "ProjPlaceImage");
            for (int x = placement.width() - 3; x < placement.width(); ++x) {
                for (int y = 0; y < placement.height(); ++y) {
                    if (placement.pixelColor(x, y) != QColor(192, 192, 192))
                        return false;
                }
            }
            return true;
        };
        QVERIFY(rightEdgeClear());
        calculateWall(rig, "65.234", "10");
        QCOMPARE(text(rig, "HorizontalOutEdit"), QStringLiteral("65.234"));
        QVERIFY(rightEdgeClear());
    }

    // An overlap field without a whole number stops the offsets and the
    // pictures with the generic conversion message; nothing else changes.
    void overlapWithoutAWholeNumber()
    {
        WindowRig rig;
        rig.show();
        rig.form().pages().displaySetup().setOverlapWidthText(QStringLiteral("6.5"));
        const QString memo = text(rig, "ImageContentInfoMemo");
        pick(rig, "ImageAlignComboBox", QStringLiteral("Left Justified"));
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{"'6.5' is not a valid integer value"});
        QCOMPARE(text(rig, "ImageSizeHLabel"), QStringLiteral("3072"));
        QCOMPARE(rig.form().pages().planning().imagePositionOffsets()[0]->first, 384);

        QCOMPARE(text(rig, "ImageContentInfoMemo"), memo);

        // A count change writes a computed overlap into both fields first.
        pick(rig, "NumOfScreenComboBox", QStringLiteral("4 Projectors"));
        QVERIFY(rig.h.dialogs.takeMessages().isEmpty());
        QCOMPARE(text(rig, "OWidthEdit"), text(rig, "OWidthPlanningEdit"));
        QVERIFY(text(rig, "ImageContentInfoMemo").contains(QLatin1String(" - 4 Head Graphic Source")));
    }

    // While connected, the count and the alignment go to both units.
    void countAndAlignmentAreSent()
    {
        WindowRig rig;
        rig.showAndConnect();
        rig.h.dialogs.takeMessages();
        rig.form().PhasePageControl->setCurrentWidget(&rig.form().pages().planning());
        rig.takeCommands();
        pick(rig, "NumOfScreenComboBox", QStringLiteral("6 Projectors"));
        QCOMPARE(text(rig, "NumOfScreenComboBox"), QStringLiteral("6 Projectors"));
        // The units hold "Centered" (as the first show planned it).
        const QByteArray centred = "DISP 1 " + text(rig, "OWidthEdit").toLatin1();
        for (int unit : {1, 2}) {
            const QList<QByteArray> sent = rig.takeCommands(unit);
            QCOMPARE(sent.size(), 2);
            QVERIFY2(sent[0].startsWith("PRJ ") && sent[0].endsWith(" 6"), sent[0].constData());
            QCOMPARE(sent[1], centred);  // the alignment follows the count
        }

        pick(rig, "ImageAlignComboBox", QStringLiteral("Left Justified"));
        const QByteArray left = "DISP 0 " + text(rig, "OWidthEdit").toLatin1();
        QCOMPARE(rig.takeCommands(1), QList<QByteArray>{left});
        QCOMPARE(rig.takeCommands(2), QList<QByteArray>{left});
    }

    // What the page writes at exit, the next start accepts.
    void preferencesRoundTrip_data()
    {
        QTest::addColumn<QString>("horizontal");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("default wall") << "30" << QByteArray("30.000000 10.000000 384 2 1 2");
        QTest::newRow("one projector: the overlap field's default")
            << "10" << QByteArray("10.000000 10.000000 64 0 1 2");
    }
    void preferencesRoundTrip()
    {
        QFETCH(QString, horizontal);
        {
            FormHarness first;
            first.showAnsweringNo();
            auto *edit = first.find<QLineEdit>("HorizontalOutEdit");
            edit->setText(horizontal);
            first.form->pages().planning().CalcOutButtonClick();
            first.form->FormClose();
            QFile file(first.preferencesFile());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QTEST(file.readAll(), "written");
            QFETCH(QByteArray, written);
            FormHarness second(written);
            QVERIFY(second.form->state().PreferencesLoaded);
            second.showAnsweringNo();
            QCOMPARE(second.find<QLineEdit>("HorizontalOutEdit")->text(), horizontal);
        }
    }
};

QTEST_MAIN(PlanningTest)
#include "tst_planning.moc"
