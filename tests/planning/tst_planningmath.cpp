// The wall calculator's arithmetic and its pictures' geometry, as numbers.

#include "model/NumberFormat.h"
#include "pages/planning/PlanningMath.h"

#include <QTest>
#include <cmath>

using namespace tess;
using namespace tess::planning;

using Span = std::pair<qint64, qint64>;
Q_DECLARE_METATYPE(Alignment)

namespace {

std::array<BoxRect, 8> startLayout()
{
    std::array<BoxRect, 8> boxes;
    for (int i = 0; i < 8; ++i)
        boxes[std::size_t(i)] = BoxRect{5 + 110 * i, 5, 115 + 110 * i, 99};
    return boxes;
}

}  // namespace

class PlanningMathTest : public QObject {
    Q_OBJECT
private slots:
    // The count the image width calls for, and the overlap that count
    // needs, for the walls the planning is known to give.
    // clang-format off
    void wall_data()
    {
        QTest::addColumn<double>("resH");
        QTest::addColumn<double>("resV");
        QTest::addColumn<double>("aspect");
        QTest::addColumn<double>("count");
        QTest::addColumn<double>("overlap");
        QTest::addColumn<double>("imageSizeH");
        QTest::addColumn<bool>("corrected");

        QTest::newRow("30 x 10 at 1280x1024") << 1280.0 << 1024.0 << 3.0 << 3.0 << 384.0 << 3072.0 << false;
        QTest::newRow("25 x 10: raw overlap 0 becomes 64") << 1280.0 << 1024.0 << 2.5 << 2.0 << 64.0 << 2496.0 << true;
        QTest::newRow("15 x 10: 1024 above the maximum 640")
            << 1280.0 << 1024.0 << 1.5 << 2.0 << 640.0 << 1920.0 << true;
        QTest::newRow("24 x 10: ceiling of 102.4") << 1280.0 << 1024.0 << 2.4 << 2.0 << 103.0 << 1024 * 2.4 << false;
        QTest::newRow("40 x 10 at 800x600") << 800.0 << 600.0 << 4.0 << 3.0 << 64.0 << 2272.0 << true;
        QTest::newRow("10 x 10: one projector, no overlap") << 1280.0 << 1024.0 << 1.0 << 1.0 << 0.0 << 1024.0 << false;
        QTest::newRow("100 x 10 at 800x600: exactly 8") << 800.0 << 600.0 << 10.0 << 8.0 << 64.0 << 5952.0 << true;
    }
    // clang-format on
    void wall()
    {
        QFETCH(double, resH);
        QFETCH(double, resV);
        QFETCH(double, aspect);
        QFETCH(double, count);
        const double required = projectorsRequired(resH, resV, aspect);
        QCOMPARE(required, count);
        const Overlap overlap = computeOverlap(int(required), resH, resV * aspect, 0);
        QTEST(overlap.pixels, "overlap");
        QTEST(overlap.imageSizeH, "imageSizeH");
        QTEST(overlap.corrected, "corrected");
        QCOMPARE(overlap.maxOverlap, int(resH / 2));
    }

    void projectorCountBeyondTheList()
    {
        QCOMPARE(projectorsRequired(800, 600, 11), 9.0);
        // A ratio so small it underflows still needs one projector.
        QCOMPARE(projectorsRequired(1280, 1024, 1e-320), 1.0);
    }

    // After a read from the units the unit's input width bounds the overlap.
    void maximumFromTheUnitsInputWidth_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("maxOverlap");
        QTest::newRow("1 projector: half") << 1 << 640;
        QTest::newRow("2 projectors: half") << 2 << 640;
        QTest::newRow("3 projectors: over 2") << 3 << 640;
        QTest::newRow("4 projectors: over 3, whole") << 4 << 426;
    }
    void maximumFromTheUnitsInputWidth()
    {
        QFETCH(int, count);
        QTEST(computeOverlap(count, 1280, 1280.0 * count - 64 * (count - 1), 1280).maxOverlap, "maxOverlap");
    }

    void overlapAboveTheUnitsMaximumIsCut()
    {
        // 4 projectors of 1280 showing 3584: 512 wanted, 426 allowed.
        const Overlap overlap = computeOverlap(4, 1280, 3584, 1280);
        QCOMPARE(overlap.pixels, 426.0);
        QCOMPARE(overlap.imageSizeH, 4 * 1280.0 - 3 * 426);
        QVERIFY(overlap.corrected);
    }

    // clang-format off
    void offsets_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("overlap");
        QTest::addColumn<Alignment>("alignment");
        QTest::addColumn<QList<Span>>("spans");
        QTest::addColumn<double>("imageSizeH");

        QTest::newRow("defaults, centred") << 3 << 384 << Alignment::Centered
                                           << QList<Span>{{384, 1664}, {1280, 2560}, {2176, 3456}} << 3072.0;
        QTest::newRow("defaults, left justified") << 3 << 384 << Alignment::Left
                                                  << QList<Span>{{0, 1280}, {896, 2176}, {1792, 3072}} << 3072.0;
        QTest::newRow("24 x 10: whole image") << 2 << 103 << Alignment::Centered
                                              << QList<Span>{{51, 1331}, {1228, 2508}} << 2457.0;
        QTest::newRow("one projector") << 1 << 0 << Alignment::Centered << QList<Span>{{0, 1280}} << 1280.0;
        QTest::newRow("odd centring rounds down") << 2 << 65 << Alignment::Centered
                                                  << QList<Span>{{32, 1312}, {1247, 2527}} << 2495.0;
    }
    // clang-format on
    void offsets()
    {
        QFETCH(int, count);
        QFETCH(int, overlap);
        QFETCH(Alignment, alignment);
        QFETCH(QList<Span>, spans);
        const std::optional<Offsets> offsets = imagePositionOffsets(count, 1280, overlap, alignment);
        QVERIFY(offsets);
        for (int k = 0; k < 8; ++k) {
            if (k < spans.size())
                QCOMPARE(offsets->spans[std::size_t(k)], std::optional<Span>(spans[k]));
            else
                QVERIFY2(!offsets->spans[std::size_t(k)], "projectors past the count show N/A");
        }
        QTEST(offsets->imageSizeH, "imageSizeH");
    }

    void offsetsNeedAnAlignmentAndACount()
    {
        QVERIFY(!imagePositionOffsets(3, 1280, 384, Alignment::None));
        QVERIFY(!imagePositionOffsets(0, 1280, 384, Alignment::Centered));
    }

    void lensThrowDistance()
    {
        QCOMPARE(lensThrow(1.5, 30), std::optional<double>(45));
        QVERIFY(!lensThrow(0, 30));
        QVERIFY(!lensThrow(2, 0));
    }

    void stripShift_data()
    {
        QTest::addColumn<int>("overlap");
        QTest::addColumn<double>("resH");
        QTest::addColumn<int>("shift");
        QTest::newRow("384 of 1280") << 384 << 1280.0 << -33;
        QTest::newRow("64 of 1280: 5.5 truncated") << 64 << 1280.0 << -5;
        QTest::newRow("no overlap") << 0 << 1280.0 << 0;
        QTest::newRow("64 of 800") << 64 << 800.0 << -8;
        QTest::newRow("an overlap far past the strip") << 2000000000 << 800.0 << -906;
    }
    void stripShift()
    {
        QFETCH(int, overlap);
        QFETCH(double, resH);
        QTEST(planning::stripShift(overlap, resH), "shift");
    }

    void stripBoxesOverlapAsTheProjectorsDo()
    {
        std::array<BoxRect, 8> boxes = startLayout();
        layStripBoxes(boxes, 3, -33);
        QCOMPARE(boxes[0], (BoxRect{5, 5, 115, 99}));
        QCOMPARE(boxes[1], (BoxRect{82, 5, 192, 99}));
        QCOMPARE(boxes[2], (BoxRect{159, 5, 269, 99}));
        QCOMPARE(boxes[3], (BoxRect{335, 5, 445, 99}));  // not drawn: as laid out

        // A box not drawn keeps its last rectangle.
        layStripBoxes(boxes, 1, -5);
        QCOMPARE(boxes[1], (BoxRect{82, 5, 192, 99}));
        layStripBoxes(boxes, 8, -5);
        for (int k = 1; k <= 8; ++k)
            QCOMPARE(boxes[std::size_t(k - 1)].Left, 5 + 110 * (k - 1) - 5 * (k - 1));
    }

    void markersOfTheDefaultWall()
    {
        const std::vector<Marker> markers = placementMarkers(3, 1280, 384, 3072, 30);
        QCOMPARE(markers.size(), std::size_t(3));
        const int columns[] = {99, 238, 377};
        const char *values[] = {"6.25", "15", "23.8"};
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(markers[std::size_t(k)].column, columns[k]);
            QCOMPARE(formatGeneral(markers[std::size_t(k)].value, 3), QString::fromLatin1(values[k]));
            QCOMPARE(markers[std::size_t(k)].label, QStringLiteral("Proj %1").arg(k + 1));
        }
        QCOMPARE(markers[2].value, 23.75);
    }

    // The labels write the positions as held in single precision, which
    // can land on the other side of a rounding tie than double precision.
    void markerLabelsAroundTies_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("resH");
        QTest::addColumn<double>("overlapPixels");
        QTest::addColumn<double>("imageSizeH");
        QTest::addColumn<double>("outputSizeH");
        QTest::addColumn<QStringList>("labels");
        // Centres 896 pixels apart in an image 3700 wide on a screen
        // 3700 / 1024 x 10: the third position is 23.749999999999996 in
        // double precision, 23.75 in single.
        QTest::newRow("centres 896 apart in an image 3700 wide")
            << 3 << 1280.0 << 384.0 << 3700.0 << 3700.0 / 1024 * 10 << QStringList{"6.25", "15", "23.8"};
        // 18.849999999999998 in double, 18.850000381 in single.
        QTest::newRow("single just above the tie")
            << 2 << 800.0 << 69.0 << 1531.0 << 1531.0 / 600 * 10 << QStringList{"6.67", "18.9"};
        // 18.050000000000001 in double, 18.049999237 in single.
        QTest::newRow("single just below the tie")
            << 2 << 800.0 << 117.0 << 1483.0 << 1483.0 / 600 * 10 << QStringList{"6.67", "18"};
    }
    void markerLabelsAroundTies()
    {
        QFETCH(int, count);
        QFETCH(double, resH);
        QFETCH(double, overlapPixels);
        QFETCH(double, imageSizeH);
        QFETCH(double, outputSizeH);
        QFETCH(QStringList, labels);
        QStringList shown;
        for (const Marker &marker : placementMarkers(count, resH, overlapPixels, imageSizeH, outputSizeH))
            shown << formatGeneral(marker.value, 3);
        QCOMPARE(shown, labels);
    }

    // A screen size Calculate refused stays in the state; the markers are
    // still drawn inside the picture, and nothing divides by it.
    void markersStayInThePicture_data()
    {
        QTest::addColumn<double>("outputSizeH");
        QTest::addColumn<double>("imageSizeH");
        QTest::newRow("zero screen") << 0.0 << 3072.0;
        QTest::newRow("negative screen") << -30.0 << 3072.0;
        QTest::newRow("huge screen") << 1e300 << 3072.0;
        QTest::newRow("image narrower than a projector") << 30.0 << 0.0001024;
        QTest::newRow("no image") << 30.0 << 0.0;
    }
    void markersStayInThePicture()
    {
        QFETCH(double, outputSizeH);
        QFETCH(double, imageSizeH);
        const std::vector<Marker> markers = placementMarkers(3, 1280, 384, imageSizeH, outputSizeH);
        QCOMPARE(markers.size(), std::size_t(3));
        for (const Marker &marker : markers) {
            QVERIFY(marker.column >= 0 && marker.column < PlacementWidth);
            QVERIFY(!formatGeneral(marker.value, 3).contains(QLatin1String("INF")));
        }
        if (outputSizeH == 0)
            QCOMPARE(markers[0].column, 99);  // where the image puts it
    }

    // The texts of the placement picture, in a font of 7 pixels a
    // character: each where the picture's design puts it, unless it would
    // be cut at the edge or run into its neighbour.
    // clang-format off
    void placementTextsInside_data()
    {
        QTest::addColumn<QList<int>>("columns");
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<int>("textHeight");
        QTest::addColumn<QStringList>("placed");   // text@left,top; upper row, then lower

        QTest::newRow("default wall: nothing moves")
            << QList<int>{99, 238, 377} << QList<double>{6.25, 15, 23.75} << "30" << 14
            << QStringList{"0@3,5",        "6.25@91,5",     "15@230,5",      "23.8@369,5",
                           "30@457,5",     "Proj 1@91,113", "Proj 2@230,113", "Proj 3@369,113"};
        QTest::newRow("a long screen width moves left")
            << QList<int>{240} << QList<double>{32.6} << "65.2344" << 14
            << QStringList{"0@3,5", "32.6@232,5", "65.2344@425,5", "Proj 1@232,113"};
        QTest::newRow("the last position gives way to the screen width")
            << QList<int>{45, 445} << QList<double>{6.25, 57.7} << "64.123" << 14
            << QStringList{"0@3,5", "6.25@37,5", "57.7@399,5", "64.123@432,5", "Proj 1@37,113", "Proj 2@432,113"};
        QTest::newRow("a marker at the left edge leaves 0 its place")
            << QList<int>{2} << QList<double>{0.1} << "30" << 14
            << QStringList{"0@3,5", "0.1@15,5", "30@457,5", "Proj 1@0,113"};
        QTest::newRow("a tall font raises the lower row")
            << QList<int>{238} << QList<double>{15} << "30" << 20
            << QStringList{"0@3,5", "15@230,5", "30@457,5", "Proj 1@230,108"};
    }
    // clang-format on
    void placementTextsInside()
    {
        QFETCH(QList<int>, columns);
        QFETCH(QList<double>, values);
        QFETCH(QString, screen);
        QFETCH(int, textHeight);
        std::vector<Marker> markers;
        for (int k = 0; k < columns.size(); ++k)
            markers.push_back(Marker{columns[k], values[k], QStringLiteral("Proj %1").arg(k + 1)});
        const auto width = [](const QString &text) { return 7 * int(text.size()); };
        const std::vector<PlacementText> texts = placementTexts(markers, screen, width, textHeight);
        QStringList placed;
        for (const PlacementText &text : texts) {
            QVERIFY2(QRect(0, 0, PlacementWidth, PlacementHeight).contains(text.rect), qPrintable(text.text));
            QCOMPARE(text.rect.size(), QSize(width(text.text), textHeight));
            placed << QStringLiteral("%1@%2,%3").arg(text.text).arg(text.rect.left()).arg(text.rect.top());
        }
        QTEST(placed, "placed");
        // No two texts of a row meet.
        for (const PlacementText &a : texts) {
            for (const PlacementText &b : texts)
                QVERIFY2(&a == &b || !a.rect.intersects(b.rect), qPrintable(a.text + u'|' + b.text));
        }
    }

    // A text wider than the picture is narrowed to it; the others of its
    // row still lie inside.
    void placementTextWiderThanThePicture()
    {
        const std::vector<Marker> markers{{99, 6.25, QStringLiteral("Proj 1")},
                                          {377, 23.75, QStringLiteral("Proj 2")}};
        const QString screen(100, u'9');
        const std::vector<PlacementText> texts = placementTexts(
            markers, screen, [](const QString &text) { return 7 * int(text.size()); }, 14);
        for (const PlacementText &text : texts)
            QVERIFY2(QRect(0, 0, PlacementWidth, PlacementHeight).contains(text.rect), qPrintable(text.text));
        QCOMPARE(texts[3].text, screen);
        QCOMPARE(texts[3].rect, QRect(0, 5, PlacementWidth, 14));
    }

    // clang-format off
    void contentText_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("sources");   // the source lines' first words

        const QString one = QStringLiteral("Single"), two = QStringLiteral("2");
        QTest::newRow("none chosen") << 0 << QStringList{one};
        QTest::newRow("1") << 1 << QStringList{one};
        QTest::newRow("2") << 2 << QStringList{one, two};
        QTest::newRow("3") << 3 << QStringList{one, "3"};
        QTest::newRow("4") << 4 << QStringList{one, two, "4"};
        QTest::newRow("5") << 5 << QStringList{one, "5"};
        QTest::newRow("6") << 6 << QStringList{one, two, "3", "6"};
        QTest::newRow("7") << 7 << QStringList{one, "7"};
        QTest::newRow("8") << 8 << QStringList{one, two, "4", "8"};
    }
    // clang-format on
    void contentText()
    {
        QFETCH(int, count);
        QFETCH(QStringList, sources);
        const QString text = contentRequirements(count, "3", 1280, 1024, "3072", "1024");
        QVERIFY(text.endsWith(QLatin1String("\r\n")));
        const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), sources.size() * 2);
        for (int i = 0; i < sources.size(); ++i) {
            QVERIFY2(lines[2 * i].startsWith(QStringLiteral(" - ") + sources[i]), qPrintable(lines[2 * i]));
            // Only the two-head source must be centred.
            QCOMPARE(lines[2 * i + 1],
                     QString(38, u' ')
                         + (sources[i] == QLatin1String("2") ? QStringLiteral("(Must be Centered)")
                                                             : QStringLiteral("(Center or Left Justified)")));
            if (sources[i] != QLatin1String("Single") && sources[i] != QLatin1String("2"))
                QVERIFY2(lines[2 * i].endsWith(QLatin1String("3072 x 1024 Image Size Required")),
                         "every n-head line carries the whole wall's image");
        }
    }

    void contentTextOfTheDefaultWall()
    {
        QCOMPARE(contentRequirements(3, "3", 1280, 1024, "3072", "1024"),
                 QStringLiteral(" - Single Graphic Source:    3 : 1 Aspect Ratio Image Required\r\n"
                                "                                      (Center or Left Justified)\r\n"
                                " - 3 Head Graphic Source (1280 x 1024 resolution): 3072 x 1024 Image Size "
                                "Required\r\n"
                                "                                      (Center or Left Justified)\r\n"));
        QCOMPARE(contentRequirements(2, "2.44", 1280, 1024, "", ""),
                 QStringLiteral(" - Single Graphic Source:    2.44 : 1 Aspect Ratio Image Required\r\n"
                                "                                      (Center or Left Justified)\r\n"
                                " - 2 Head Graphic Source:    2.44 : 1 Aspect Ratio Image Required\r\n"
                                "                                      (Must be Centered)\r\n"));
    }
};

QTEST_GUILESS_MAIN(PlanningMathTest)
#include "tst_planningmath.moc"
