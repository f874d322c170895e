// The overlap width and data doubling that the Display Setup page and the
// Planning page share, and the planning as the units report it, against two
// simulated units behind the controller.
#include "app/TTessalineForm.h"
#include "pages/display/DisplaySetupPage.h"
#include "pages/planning/PlanningPage.h"
#include "support/WindowRig.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

using namespace tess;
using tess::test::WindowRig;

namespace {

QString text(WindowRig &rig, const char *name)
{
    return rig.shownText(QLatin1String(name));
}

// Calculate while connected: the units are read again, and the wait
// window of that read takes the activation. A window manager gives it back
// to the window when the wait window goes; offscreen, the rig does.
void calculateConnected(WindowRig &rig)
{
    rig.form().pages().planning().CalcOutButtonClick();
    rig.activate();
}

// The window connected, the default wall calculated again with the units'
// input width known, and the Display Setup page in front.
void connectAndCalculate(WindowRig &rig)
{
    for (int unit : {1, 2}) {
        rig.sim.unit(unit).settings.wide.totalProjectors = 3;
        rig.sim.unit(unit).settings.wide.justification = 1;  // "Centered"
    }
    rig.showAndConnect();
    rig.h.dialogs.takeMessages();
    rig.find<QLineEdit>(QStringLiteral("HorizontalOutEdit"))->setText(QStringLiteral("30"));
    rig.find<QLineEdit>(QStringLiteral("VerticalOutEdit"))->setText(QStringLiteral("10"));
    calculateConnected(rig);
    rig.h.dialogs.takeMessages();
    rig.openDisplaySetup(8, false);
    rig.takeCommands();
}

}  // namespace

class DataDoublingTest : public QObject {
    Q_OBJECT
private slots:
    void enableBoxSendsToBothUnits()
    {
        WindowRig rig;
        connectAndCalculate(rig);
        auto *box = rig.find<QCheckBox>(QStringLiteral("EnDataDoubleCheckBox"));
        QCOMPARE(box->text(), QStringLiteral("Enable"));
        const bool was = box->isChecked();
        rig.clickInto(box);
        const QByteArray sent = was ? "DDBL 0" : "DDBL 1";
        QCOMPARE(rig.takeCommands(1), QList<QByteArray>{sent});
        QCOMPARE(rig.takeCommands(2), QList<QByteArray>{sent});
        QCOMPARE(rig.sim.unit(2).settings.wide.dataDoubling, quint8(was ? 0 : 1));
    }

    void overlapWidthBounds()
    {
        WindowRig rig;
        connectAndCalculate(rig);
        const int max = rig.form().planning().MaxOverlapWidth;
        QVERIFY(max > 64);
        auto *edit = rig.find<QLineEdit>(QStringLiteral("OWidthEdit"));

        // The largest width is taken, sent with the alignment and mirrored.
        rig.typeInto(edit, QString::number(max));
        rig.pressKey(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("TestPattern1ComboBox"));
        const QByteArray disp = "DISP 1 " + QByteArray::number(max);  // "Centered"
        QCOMPARE(rig.takeCommands(1), QList<QByteArray>{disp});
        QCOMPARE(rig.takeCommands(2), QList<QByteArray>{disp});
        QCOMPARE(text(rig, "OWidthPlanningEdit"), QString::number(max));
        QCOMPARE(rig.form().planning().ImageSizeH, 3 * rig.form().planning().ProjectorResH - 2 * max);

        // One more is refused: the field goes back to the stored width, the
        // Planning field keeps its text, nothing is sent.
        rig.typeInto(edit, QString::number(max + 1));
        rig.pressKey(Qt::Key_Return);
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{"Error! Overlap Width value out of bounds!"});
        QCOMPARE(edit->text(), QString::number(max));
        QCOMPARE(QApplication::focusWidget(), edit);
        QVERIFY(rig.takeCommands().isEmpty());

        rig.typeInto(edit, QStringLiteral("wide"));
        rig.pressKey(Qt::Key_Return);
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{"Error! 'wide' is not a valid Overlap Width."});
        QVERIFY(rig.takeCommands().isEmpty());
    }

    // A one-projector wall has no computed overlap: a good width changes
    // the planning but is not sent.
    void oneProjectorSendsNoOverlap()
    {
        WindowRig rig;
        connectAndCalculate(rig);
        rig.form().PhasePageControl->setCurrentWidget(&rig.form().pages().planning());
        rig.find<QLineEdit>(QStringLiteral("HorizontalOutEdit"))->setText(QStringLiteral("10"));
        calculateConnected(rig);
        QCOMPARE(text(rig, "NumOfScreenComboBox"), QStringLiteral("1 Projector"));
        rig.takeCommands();
        rig.typeInto(rig.find<QLineEdit>(QStringLiteral("OWidthPlanningEdit")), QStringLiteral("100"));
        rig.pressKey(Qt::Key_Return);
        QVERIFY(rig.h.dialogs.takeMessages().isEmpty());
        QCOMPARE(text(rig, "OWidthEdit"), QStringLiteral("100"));
        QVERIFY(rig.takeCommands().isEmpty());
    }

    // After a read the planning follows the units, with a warning where
    // they differ.
    // clang-format off
    void planningFollowsTheUnits_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("justification");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("overlapPixels");

        const QString tail = QStringLiteral(" information read from Quorex(s) does not match current values in the "
                                            "Planning page. \rPlanning page values will be overwritten");
        QTest::newRow("both differ") << 8 << 0
                                     << "Warning. Number of Projectors and Input Material Alignment" + tail
                                     << "8 Projectors" << "256";
        QTest::newRow("alignment differs") << 3 << 0 << "Warning. Input Material Alignment" + tail
                                           << "3 Projectors" << "256";
        QTest::newRow("count differs") << 4 << 1 << "Warning. Number of Projectors" + tail << "4 Projectors"
                                       << "256";
        QTest::newRow("one projector: no overlap, no division") << 1 << 1 << "Warning. Number of Projectors" + tail
                                                                 << "1 Projector" << "0";
    }
    // clang-format on
    void planningFollowsTheUnits()
    {
        QFETCH(int, total);
        QFETCH(int, justification);
        WindowRig rig;
        for (int unit : {1, 2}) {
            rig.sim.unit(unit).settings.wide.totalProjectors = quint8(total);
            rig.sim.unit(unit).settings.wide.justification = quint8(justification);
            rig.sim.unit(unit).settings.wide.overlapWidth = 256;
        }
        rig.showAndConnect();
        QFETCH(QString, warning);
        QVERIFY2(rig.h.dialogs.takeMessages().contains(warning), qPrintable(warning));
        QTEST(text(rig, "NumOfScreenComboBox"), "count");
        QCOMPARE(rig.find<QComboBox>(QStringLiteral("ImageAlignComboBox"))->currentIndex(), justification);
        QCOMPARE(text(rig, "OWidthPlanningEdit"), QStringLiteral("256"));
        QCOMPARE(text(rig, "OWidthEdit"), QStringLiteral("256"));
        QFETCH(QString, overlapPixels);
        QCOMPARE(QString::number(rig.form().planning().OverlapPixels), overlapPixels);
        // The overlap check after the read recomputes the image from the
        // units' output width.
        const PlanningState &planning = rig.form().planning();
        QCOMPARE(planning.ProjectorResH, double(rig.form().state().OutputFormatWidth));
        QCOMPARE(planning.ImageSizeH, total * planning.ProjectorResH - (total - 1) * 256.0);
        QVERIFY(!text(rig, "OutAspectRatioLabel").contains(QLatin1String("INF")));
    }
};

QTEST_MAIN(DataDoublingTest)
#include "tst_datadoubling.moc"
