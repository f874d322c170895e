// The virtual wall's light model: numbers a blend is judged by, predicted
// from the settings the units hold.

#include "wall/LightModel.h"

#include <QTest>

#include <algorithm>
#include <cmath>

using namespace tess::sim;
using namespace tess::sim::wall;

namespace {

// Two projectors of 1280 x 1024 overlapping by 256 pixels, basic feathering
// at gamma 2.2, both showing `pattern`.
Wall pair(int pattern = 9)
{
    Wall wall;
    wall.overlap = 256;
    Projector p;
    p.screen.testPattern = quint8(pattern);
    wall.projectors = {p, p};
    return wall;
}

// Advanced feathering of the edges that meet in the pair's overlap (the
// wall's outer edges stay as they are).
void setAdvanced(Wall &wall, qint32 gammaTenths, qint32 width, qint32 offset = 0)
{
    wall.projectors.front().screen.rightFeather = 1;
    wall.projectors.back().screen.leftFeather = 1;
    for (Projector &p : wall.projectors) {
        p.wide.advancedMode = 1;
        p.screen.leftGamma = p.screen.rightGamma = gammaTenths;
        p.screen.gammaLeftWidth = p.screen.gammaRightWidth = width;
        p.screen.gammaLeftOffset = p.screen.gammaRightOffset = offset;
    }
}

constexpr Assumptions NoFloor{2.2, 0.0};
constexpr int OverlapStart = 1280 - 256;  // the pair's overlap: [1024, 1280)
constexpr int OverlapEnd = 1280;

std::vector<double> profileOf(const Wall &wall, const Assumptions &a = NoFloor)
{
    return luminanceProfile(wall, 500, a);
}

std::pair<double, double> rangeOf(const std::vector<double> &p, int from, int to)
{
    const auto [lo, hi] = std::minmax_element(p.begin() + from, p.begin() + to);
    return {*lo, *hi};
}

}  // namespace

class LightModelTest : public QObject {
    Q_OBJECT
private slots:
    void matchedRampsGiveAFlatOverlap_data()
    {
        QTest::addColumn<Wall>("wall");
        Wall linear = pair();
        for (Projector &p : linear.projectors)
            p.wide.featherCurve = 'L';
        Wall advanced = pair();
        setAdvanced(advanced, 22, 256);
        Wall advancedDefaultWidth = pair();
        setAdvanced(advancedDefaultWidth, 22, 0);  // never set: the overlap
        QTest::newRow("basic, S-curve") << pair();
        QTest::newRow("basic, linear") << linear;
        QTest::newRow("advanced, width = overlap") << advanced;
        QTest::newRow("advanced, width not set") << advancedDefaultWidth;
    }
    void matchedRampsGiveAFlatOverlap()
    {
        QFETCH(Wall, wall);
        const std::vector<double> p = profileOf(wall);
        QCOMPARE(int(p.size()), 2 * 1280 - 256);
        const auto [lo, hi] = rangeOf(p, OverlapStart, OverlapEnd);
        QVERIFY2(lo > 0.98 && hi < 1.02, qPrintable(QStringLiteral("overlap from %1 to %2").arg(lo).arg(hi)));
        QCOMPARE(p.front(), 1.0);
        QCOMPARE(p.back(), 1.0);
    }

    // Ramps at most half as wide as the overlap leave both projectors at full
    // light in its middle: the band above half way between one and two
    // projectors' white is as wide as the overlap less one ramp.
    void narrowRampsLeaveABrightBand_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<char>("curve");
        QTest::newRow("64, S-curve") << 64 << 'S';
        QTest::newRow("64, linear") << 64 << 'L';
        QTest::newRow("128, S-curve") << 128 << 'S';
        QTest::newRow("32, linear") << 32 << 'L';
    }
    void narrowRampsLeaveABrightBand()
    {
        QFETCH(int, width);
        QFETCH(char, curve);
        Wall wall = pair();
        setAdvanced(wall, 22, width);
        for (Projector &p : wall.projectors)
            p.wide.featherCurve = quint8(curve);
        const std::vector<double> p = profileOf(wall);
        const auto bright = std::count_if(p.begin(), p.end(), [](double v) { return v > 1.5; });
        QCOMPARE(int(bright), 256 - width);
        // ... centred in the overlap, and at twice the light where no ramp reaches
        QVERIFY(p[OverlapStart + 128] > 1.5);
        if (width < 128)
            QCOMPARE(p[OverlapStart + 128], 2.0);
        QCOMPARE(p.front(), 1.0);
        QCOMPARE(rangeOf(p, 0, OverlapStart).second, 1.0);
    }

    void blackLevelLiftsTheAreaOutsideTheOverlaps()
    {
        Wall wall = pair(5);  // black
        for (Projector &p : wall.projectors)
            p.screen.blackLevel = 64;
        const Assumptions a{2.2, 0.002};
        const std::vector<double> p = profileOf(wall, a);
        const double lifted = 0.002 + 0.998 * std::pow(64 / 255.0, 2.2);
        for (int x : {0, 500, OverlapStart - 1, OverlapEnd, 2000, 2 * 1280 - 257})
            QVERIFY2(qFuzzyCompare(p[std::size_t(x)], lifted), qPrintable(QString::number(x)));
        // the overlap keeps the two projectors' black floors
        QCOMPARE(rangeOf(p, OverlapStart, OverlapEnd).second, 2 * 0.002);
        // without a lift the outside is one black floor
        for (Projector &q : wall.projectors)
            q.screen.blackLevel = 0;
        QCOMPARE(profileOf(wall, a)[500], 0.002);
    }

    void withoutFeatheringTheOverlapDoubles()
    {
        Wall wall = pair();
        for (Projector &p : wall.projectors)
            p.wide.basicFeather = 0;
        const std::vector<double> p = profileOf(wall);
        QCOMPARE(rangeOf(p, OverlapStart, OverlapEnd), std::make_pair(2.0, 2.0));
        QCOMPARE(rangeOf(p, 0, OverlapStart), std::make_pair(1.0, 1.0));
    }

    // A ramp gamma below the display's dims the middle of the overlap, one
    // above it brightens it; out-of-range gammas are taken at the bounds.
    void gammaShapesTheOverlap_data()
    {
        QTest::addColumn<qint32>("gamma");
        QTest::addColumn<double>("middle");
        const double half = 0.5;
        QTest::newRow("1.0") << 10 << 2 * std::pow(half, 2.2);
        QTest::newRow("5.0") << 50 << 2 * std::pow(half, 2.2 / 5);
        QTest::newRow("0 reads as 1.0") << 0 << 2 * std::pow(half, 2.2);
        QTest::newRow("-3 reads as 1.0") << -30 << 2 * std::pow(half, 2.2);
        QTest::newRow("9.9 reads as 5.0") << 99 << 2 * std::pow(half, 2.2 / 5);
    }
    void gammaShapesTheOverlap()
    {
        QFETCH(qint32, gamma);
        QFETCH(double, middle);
        Wall wall = pair();
        for (Projector &p : wall.projectors)
            p.wide.basicGamma = gamma;
        const std::vector<double> p = profileOf(wall);
        // between the two middle pixels of the overlap both ramps stand near one half
        const double centre = (p[OverlapStart + 127] + p[OverlapStart + 128]) / 2;
        QVERIFY2(std::abs(centre - middle) < 0.02, qPrintable(QStringLiteral("%1, not %2").arg(centre).arg(middle)));
    }

    // The offset moves the ramp inward: the pixels between the edge and the
    // ramp are dark.
    void offsetDarkensTheEdge()
    {
        Edge edge{true, 2.2, 64, 32, false};
        QCOMPARE(edgeFactor(edge, 0), 0.0);
        QCOMPARE(edgeFactor(edge, 31), 0.0);
        QVERIFY(edgeFactor(edge, 32) > 0.0);
        QCOMPARE(edgeFactor(edge, 96), 1.0);
        QCOMPARE(edgeFactor(Edge{}, 0), 1.0);  // an edge not feathered
    }

    void liveVideoFollowsColourBalanceAndSeamGains()
    {
        Wall wall = pair(0);  // live video: the neutral grey field at this row
        Projector &left = wall.projectors[0];
        left.wide.basicFeather = 0;
        wall.projectors[1].wide.basicFeather = 0;
        const double grey = std::pow(0.5, 2.2);
        QVERIFY(qFuzzyCompare(luminance(lightOf(projectorSignal(wall, 0, 100, 500, 501), NoFloor)), grey));

        left.input.contrastC = 1200;   // 120 %
        left.input.brightnessR = 100;  // red +10 %
        const Rgb s = projectorSignal(wall, 0, 100, 500, 501);
        QVERIFY(qFuzzyCompare(s.g, 0.6));
        QVERIFY(qFuzzyCompare(s.r, 0.7));

        left.input = {};
        left.screen.seamGains = {64, 128, 128, 128, 128, 128, 128, 255};
        QVERIFY(qFuzzyCompare(projectorSignal(wall, 0, 1024, 500, 501).r, 0.25));  // first band: gain 64
        QVERIFY(qFuzzyCompare(projectorSignal(wall, 0, 1279, 500, 501).r, 0.5 * 255 / 128));
        QVERIFY(qFuzzyCompare(projectorSignal(wall, 0, 1000, 500, 501).r, 0.5));  // outside the overlap
        left.screen.testPattern = 9;  // a test pattern is not video: no gains
        QCOMPARE(projectorSignal(wall, 0, 1024, 500, 501).r, 1.0);
    }

    void testPatternsGridAndRaster()
    {
        Wall wall = pair(2);
        wall.projectors[0].wide.basicFeather = 0;
        QCOMPARE(patternSignal(wall, 0, 10, 0, 1).r, 1.0);
        QCOMPARE(patternSignal(wall, 0, 11, 0, 1).r, 0.0);
        wall.projectors[0].screen.testPattern = 10;  // ramp
        QCOMPARE(patternSignal(wall, 0, 1279, 0, 1).r, 1.0);
        wall.projectors[0].screen.testPattern = 5;
        wall.projectors[0].screen.testGrid = 1;
        QCOMPARE(projectorSignal(wall, 0, 64, 10, 11).r, 1.0);  // a grid column
        QCOMPARE(projectorSignal(wall, 0, 65, 10, 11).r, 0.0);
        QCOMPARE(projectorSignal(wall, 0, 65, 60, 70).r, 1.0);  // rows 60-69 hold grid row 64
        wall.projectors[0].screen.testGrid = 0;
        wall.projectors[0].screen.outputRaster = 1;
        QCOMPARE(projectorSignal(wall, 0, 300, 1023, 1024).r, 1.0);
        QCOMPARE(projectorSignal(wall, 0, 300, 1022, 1023).r, 0.0);
    }

    // Settings that make no sense on a wall still draw: finite light, one
    // row as wide as the sanitised wall.
    void nonsenseStillDraws_data()
    {
        QTest::addColumn<Wall>("wall");
        QTest::addColumn<int>("expectedWidth");
        Wall none;
        none.projectors.clear();
        Wall many = pair();
        many.projectors.resize(40);
        Wall hugeOverlap = pair();
        hugeOverlap.overlap = 1 << 30;
        Wall negativeOverlap = pair();
        negativeOverlap.overlap = -500;
        Wall wideRamp = pair();
        setAdvanced(wideRamp, 22, 5000, 9000);
        Wall pattern = pair(250);
        Wall dark = pair();
        dark.projectors[1].driven = false;
        QTest::newRow("no projectors") << none << 1280;
        QTest::newRow("forty projectors") << many << 8 * 1280 - 7 * 256;
        QTest::newRow("overlap past the raster") << hugeOverlap << 1281;
        QTest::newRow("negative overlap") << negativeOverlap << 2 * 1280;
        QTest::newRow("ramp wider than the projector") << wideRamp << 2 * 1280 - 256;
        QTest::newRow("pattern past the list") << pattern << 2 * 1280 - 256;
        QTest::newRow("a projector without a unit") << dark << 2 * 1280 - 256;
    }
    void nonsenseStillDraws()
    {
        QFETCH(Wall, wall);
        QFETCH(int, expectedWidth);
        const std::vector<double> p = luminanceProfile(wall, 5000);  // a row past the raster, too
        QCOMPARE(int(p.size()), expectedWidth);
        QVERIFY(std::all_of(p.begin(), p.end(), [](double v) { return std::isfinite(v) && v >= 0 && v <= 8.1; }));
    }
};

QTEST_GUILESS_MAIN(LightModelTest)
#include "tst_lightmodel.moc"
