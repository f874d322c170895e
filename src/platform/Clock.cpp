#include "platform/Clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <thread>

namespace tess {
namespace {

class SystemTimer final : public ClockTimer {
public:
    SystemTimer()
    {
        // Repeats keep to their schedule (a held spin button steps every
        // interval, not every interval give or take 5 %).
        timer_.setTimerType(Qt::PreciseTimer);
        connect(&timer_, &QTimer::timeout, this, &ClockTimer::timeout);
    }
    void start(int intervalMs) override { timer_.start(intervalMs); }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }
    int interval() const override { return timer_.interval(); }

private:
    QTimer timer_;
};

class SystemClock final : public Clock {
public:
    SystemClock() { elapsed_.start(); }
    qint64 nowMs() const override { return elapsed_.elapsed(); }
    qint64 nowNs() const override { return elapsed_.nsecsElapsed(); }
    void sleepBlockingUntilNs(qint64 deadlineNs) override
    {
        const qint64 left = deadlineNs - elapsed_.nsecsElapsed();
        if (left > 0)
            std::this_thread::sleep_for(std::chrono::nanoseconds(left));
    }
    void sleepBlocking(int ms) override
    {
        if (ms > 0)
            QThread::msleep(static_cast<unsigned long>(ms));
    }
    void processPendingEvents() override { QCoreApplication::processEvents(); }
    void waitForEvents(int ms) override
    {
        // The guard timer makes sure the wait for more events ends in time.
        QTimer guard;
        guard.setSingleShot(true);
        guard.start(ms > 0 ? ms : 0);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    std::unique_ptr<ClockTimer> createTimer() override { return std::make_unique<SystemTimer>(); }

private:
    QElapsedTimer elapsed_;
};

}  // namespace

void Clock::sleepBlockingUntilNs(qint64 deadlineNs)
{
    // Whole milliseconds, rounded up: the deadline is never cut short.
    const qint64 left = deadlineNs - nowNs();
    if (left > 0)
        sleepBlocking(int((left + 999999) / 1000000));
}

Clock &Clock::system()
{
    static SystemClock clock;
    return clock;
}

}  // namespace tess

#include "moc_Clock.cpp"
