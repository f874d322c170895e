// How far a channel's sampling window may move, from its record alone.

#include "model/SettingsModel.h"
#include "pages/source/PositionBounds.h"

#include <QTest>
#include <cstdint>
#include <limits>

using namespace tess;

class PositionBoundsTest : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void bounds_data()
    {
        QTest::addColumn<int>("hRef");
        QTest::addColumn<int>("hMax");
        QTest::addColumn<int>("hTotal");
        QTest::addColumn<int>("hActive");
        QTest::addColumn<int>("vRef");
        QTest::addColumn<int>("vMax");
        QTest::addColumn<qlonglong>("hLow");
        QTest::addColumn<qlonglong>("hHigh");
        QTest::addColumn<qlonglong>("vLow");
        QTest::addColumn<qlonglong>("vHigh");

        constexpr int Big = std::numeric_limits<std::int32_t>::max();
        constexpr int Small = std::numeric_limits<std::int32_t>::min();
        // No maximum reported: the blanking bounds H only when it is the
        // nearer limit; V moves its full +-16.
        QTest::newRow("wide blanking") << 300 << -1 << 2000 << 1280 << 35 << -1 << 172LL << 428LL << 19LL << 51LL;
        QTest::newRow("narrow blanking") << 300 << -1 << 1688 << 1280 << 35 << -1 << 172LL << 405LL << 19LL << 51LL;
        // A reported maximum at or below ref + range: the bound stops one
        // short of it.
        QTest::newRow("maxima reported") << 300 << 400 << 0 << 0 << 35 << 40 << 172LL << 399LL << 19LL << 39LL;
        QTest::newRow("maxima at the range") << 300 << 428 << 0 << 0 << 35 << 51 << 172LL << 427LL << 19LL << 50LL;
        QTest::newRow("maxima past the range") << 300 << 429 << 0 << 0 << 35 << 52 << 172LL << 428LL << 19LL << 51LL;
        // Below the low bound: no position is allowed.
        QTest::newRow("maximum below the reference") << 300 << 100 << 0 << 0 << 35 << 10 << 172LL << 99LL << 19LL
                                                     << 9LL;
        // Extreme values from the line do not wrap.
        QTest::newRow("largest values") << Big << -1 << Big << Small << Big << -1 << Big - 128LL << Big + 128LL
                                        << Big - 16LL << Big + 16LL;
        QTest::newRow("smallest values") << Small << Small << 0 << 0 << Small << Small << Small - 128LL
                                         << Small - 1LL << Small - 16LL << Small - 1LL;
    }
    // clang-format on

    void bounds()
    {
        QFETCH(int, hRef);
        QFETCH(int, hMax);
        QFETCH(int, hTotal);
        QFETCH(int, hActive);
        QFETCH(int, vRef);
        QFETCH(int, vMax);
        InputRecord record;
        record.HPositionRef = hRef;
        record.HPositionMax = hMax;
        record.HTotal = hTotal;
        record.HActive = hActive;
        record.VPositionRef = vRef;
        record.VPositionMax = vMax;
        const PositionBounds b = positionBounds(record);
        QTEST(b.HPositionLow, "hLow");
        QTEST(b.HPositionHigh, "hHigh");
        QTEST(b.VPositionLow, "vLow");
        QTEST(b.VPositionHigh, "vHigh");
    }
};

QTEST_GUILESS_MAIN(PositionBoundsTest)
#include "tst_positionbounds.moc"
