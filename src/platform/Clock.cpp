#include "platform/Clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

namespace tess {
namespace {

class SystemTimer final : public ClockTimer {
public:
    SystemTimer()
    {
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
    std::unique_ptr<ClockTimer> createTimer() override
    {
        return std::make_unique<SystemTimer>();
    }

private:
    QElapsedTimer elapsed_;
};

}  // namespace

Clock &Clock::system()
{
    static SystemClock clock;
    return clock;
}

}  // namespace tess
