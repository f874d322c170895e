#include "support/VirtualClock.h"

#include <QTest>

using tess::test::VirtualClock;

class VirtualClockTest : public QObject {
    Q_OBJECT
private slots:
    void timerFiresWhenVirtualTimeReachesIt()
    {
        VirtualClock clock;
        auto timer = clock.createTimer();
        int fired = 0;
        QObject::connect(timer.get(), &tess::ClockTimer::timeout, [&] {
            ++fired;
            timer->stop();
        });
        timer->start(8000);
        clock.advance(7999);
        QCOMPARE(fired, 0);
        clock.advance(1);
        QCOMPARE(fired, 1);
        clock.advance(20000);
        QCOMPARE(fired, 1);
    }

    void waitForEventsStopsAtTheNextTimer()
    {
        VirtualClock clock;
        auto timer = clock.createTimer();
        qint64 firedAt = -1;
        QObject::connect(timer.get(), &tess::ClockTimer::timeout, [&] {
            firedAt = clock.nowMs();
            timer->stop();
        });
        timer->start(30);
        clock.waitForEvents(55);
        QCOMPARE(firedAt, qint64(30));
        QCOMPARE(clock.nowMs(), qint64(30));
    }

    void blockingPausesAreRecordedAndFireNothing()
    {
        VirtualClock clock;
        auto timer = clock.createTimer();
        int fired = 0;
        QObject::connect(timer.get(), &tess::ClockTimer::timeout, [&] { ++fired; });
        timer->start(100);
        clock.sleepBlocking(900);
        QCOMPARE(fired, 0);  // a blocking pause processes nothing
        clock.processPendingEvents();
        QCOMPARE(fired, 1);
        QCOMPARE(clock.blockingPauses(), QList<int>{900});
    }
};

QTEST_GUILESS_MAIN(VirtualClockTest)
#include "tst_virtualclock.moc"
