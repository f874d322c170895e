// The wall calculator's steps on the planning state, without a page.

#include "model/WindowState.h"
#include "pages/planning/PlanningSteps.h"

#include <QTest>

using namespace tess;
using namespace tess::planning;

class PlanningStepsTest : public QObject {
    Q_OBJECT
private slots:
    // Calculate's order on a 4:1 screen with 800x600 projectors: three
    // projectors cover the image exactly, so the overlap is raised to its
    // minimum of 64 and the image, the aspect and the screen width follow.
    void calculateRaisesTheOverlapToItsMinimum()
    {
        PlanningState p;
        p.OutputSizeH = 40;
        p.OutputSizeV = 10;
        p.LensMagnification = 2;
        Steps steps(p);
        steps.selectResolution(0);
        steps.aspectFromOutputSize();
        steps.projectedWidthFromAspect();
        steps.lensThrowFromMagnification();
        QCOMPARE(p.AspectRatio, 4.0);
        QCOMPARE(p.ProjectedWidth, 40.0);
        QCOMPARE(p.LensThrow, 80.0);
        steps.imageSizeFromAspect();
        QCOMPARE(p.ImageSizeH, 2400.0);
        QCOMPARE(p.ImageSizeV, 600.0);
        QCOMPARE(steps.projectorsRequired(), 3.0);

        QVERIFY(steps.overlap(3, 0));
        QCOMPARE(p.OverlapPixels, 64.0);
        QCOMPARE(p.ImageSizeH, 2272.0);
        QCOMPARE(p.ProjectorsRequired, 3.0);
        QCOMPARE(p.MaxOverlapWidth, 400);
        QVERIFY(steps.aspectFromImageSize());
        QCOMPARE(p.AspectRatio, 2272.0 / 600);
        QCOMPARE(p.ProjectedWidth, 10 * (2272.0 / 600));
        QCOMPARE(p.OutputSizeH, 10 * (2272.0 / 600));
    }

    // An overlap inside its bounds changes nothing else; one past what the
    // units measured is cut to it, and the image widens to match.
    void overlapBounds_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("imageSizeH");
        QTest::addColumn<int>("measured");
        QTest::addColumn<bool>("corrected");
        QTest::addColumn<double>("pixels");
        QTest::addColumn<double>("imageAfter");
        QTest::addColumn<int>("maxOverlap");
        QTest::newRow("inside") << 2 << 2304.0 << 0 << false << 256.0 << 2304.0 << 640;
        QTest::newRow("one projector") << 1 << 1280.0 << 0 << false << 0.0 << 1280.0 << 640;
        QTest::newRow("past the measured width") << 3 << 2304.0 << 800 << true << 400.0 << 3040.0 << 400;
        QTest::newRow("past half a projector") << 2 << 1280.0 << 0 << true << 640.0 << 1920.0 << 640;
    }

    void overlapBounds()
    {
        QFETCH(int, count);
        QFETCH(double, imageSizeH);
        QFETCH(int, measured);
        PlanningState p;
        p.ProjectorResH = 1280;
        p.ImageSizeH = imageSizeH;
        p.ProjectorsRequired = 7;
        Steps steps(p);
        QTEST(steps.overlap(count, measured), "corrected");
        QTEST(p.OverlapPixels, "pixels");
        QTEST(p.ImageSizeH, "imageAfter");
        QTEST(p.MaxOverlapWidth, "maxOverlap");
        QFETCH(bool, corrected);
        QCOMPARE(p.ProjectorsRequired, corrected ? double(count) : 7.0);
    }

    // Before the first calculation there is no image: the aspect and the
    // sizes stay as they are.
    void noImageNoAspect()
    {
        PlanningState p;
        p.AspectRatio = 1;
        p.OutputSizeH = 5;
        p.OutputSizeV = 3;
        Steps steps(p);
        QVERIFY(!steps.aspectFromImageSize());
        QCOMPARE(p.AspectRatio, 1.0);
        QCOMPARE(p.OutputSizeH, 5.0);
    }

    void resolutionOutsideTheListIsKept()
    {
        PlanningState p;
        Steps steps(p);
        steps.selectResolution(1);
        QCOMPARE(p.ProjectorResH, 1024.0);
        QCOMPARE(p.ProjectorResV, 768.0);
        for (int index : {-1, 3}) {
            steps.selectResolution(index);
            QCOMPARE(p.ProjectorResH, 1024.0);
            QCOMPARE(p.ProjectorResV, 768.0);
        }
    }

    // The overlap entered is kept also without an alignment; only the
    // columns set the image width.
    void offsetsSetTheImageWidth()
    {
        PlanningState p;
        p.ProjectorResH = 1024;
        p.ImageSizeH = 1;
        Steps steps(p);
        QVERIFY(!steps.imagePositionOffsets(3, 100, Alignment::None));
        QCOMPARE(p.OverlapEntered, 100.0);
        QCOMPARE(p.ImageSizeH, 1.0);
        const std::optional<Offsets> offsets = steps.imagePositionOffsets(3, 128, Alignment::Centered);
        QVERIFY(offsets);
        QCOMPARE(p.OverlapEntered, 128.0);
        QCOMPARE(p.ImageSizeH, 3 * 1024.0 - 2 * 128.0);
        QCOMPARE(offsets->spans[0], (std::make_pair(qint64(128), qint64(1152))));
    }

    // The wall read from the units: four 1280-wide projectors overlapping
    // by 256; an unknown input height keeps the aspect and screen width.
    void followUnits_data()
    {
        QTest::addColumn<int>("inputHeight");
        QTest::addColumn<double>("aspect");
        QTest::addColumn<double>("outputSizeH");
        QTest::newRow("height known") << 1024 << 4352.0 / 1024 << 4352.0 / 1024 * 30;
        QTest::newRow("height unknown") << 0 << 2.0 << 60.0;
    }

    void followUnits()
    {
        PlanningState p;
        p.AspectRatio = 2;
        p.OutputSizeH = 60;
        p.OutputSizeV = 30;
        Steps::UnitsWall wall;
        wall.count = 4;
        wall.overlapWidth = 256;
        wall.inputWidth = 1280;
        QFETCH(int, inputHeight);
        wall.inputHeight = inputHeight;
        wall.outputWidth = 1280;
        wall.outputHeight = 1024;
        Steps(p).followUnits(wall);
        QCOMPARE(p.ImageSizeH, 4352.0);
        QTEST(p.AspectRatio, "aspect");
        QTEST(p.OutputSizeH, "outputSizeH");
        QCOMPARE(p.OverlapPixels, 256.0);
        QCOMPARE(p.ProjectorResH, 1280.0);
        QCOMPARE(p.ImageSizeV, 1024.0);
    }
};

QTEST_GUILESS_MAIN(PlanningStepsTest)
#include "tst_planningsteps.moc"
