#include "support/VirtualClock.h"

#include <QCoreApplication>

namespace tess::test {

class VirtualTimer final : public ClockTimer {
public:
    explicit VirtualTimer(VirtualClock *clock) : clock_(clock) { clock_->timers_.append(this); }
    ~VirtualTimer() override
    {
        if (clock_)
            clock_->timers_.removeAll(this);
    }
    void start(int intervalMs) override
    {
        interval_ = intervalMs;
        deadline_ = clock_->now_ + intervalMs;
        active_ = true;
    }
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }
    int interval() const override { return interval_; }

    VirtualClock *clock_;
    int interval_ = 0;
    qint64 deadline_ = 0;
    bool active_ = false;
};

VirtualClock::VirtualClock() = default;

VirtualClock::~VirtualClock()
{
    for (VirtualTimer *timer : std::as_const(timers_))
        timer->clock_ = nullptr;
}

void VirtualClock::sleepBlocking(int ms)
{
    pauses_.append(ms);
    if (ms > 0)
        now_ += ms + lateWake_;
}

void VirtualClock::processPendingEvents()
{
    ++eventRuns_;
    QCoreApplication::processEvents();
    fireDue();
}

void VirtualClock::waitForEvents(int ms)
{
    QCoreApplication::processEvents();
    // Time moves on to the earlier of the wait's end and the next timer.
    qint64 target = now_ + qMax(ms, 0);
    for (VirtualTimer *timer : std::as_const(timers_)) {
        if (timer->active_ && timer->deadline_ < target)
            target = qMax(timer->deadline_, now_);
    }
    now_ = target;
    fireDue();
    QCoreApplication::processEvents();
}

void VirtualClock::advance(int ms)
{
    const qint64 end = now_ + ms;
    while (now_ < end) {
        qint64 next = end;
        for (VirtualTimer *timer : std::as_const(timers_)) {
            if (timer->active_ && timer->deadline_ > now_ && timer->deadline_ < next)
                next = timer->deadline_;
        }
        now_ = next;
        fireDue();
        QCoreApplication::processEvents();
    }
}

void VirtualClock::fireDue()
{
    // A timer's handler may start, stop or delete timers: look again after
    // each one fired.
    for (;;) {
        VirtualTimer *due = nullptr;
        for (VirtualTimer *timer : std::as_const(timers_)) {
            if (timer->active_ && timer->deadline_ <= now_ && (!due || timer->deadline_ < due->deadline_))
                due = timer;
        }
        if (!due)
            return;
        due->deadline_ = now_ + qMax(due->interval_, 1);
        QPointer<ClockTimer> guard(due);
        Q_EMIT due->timeout();
    }
}

std::unique_ptr<ClockTimer> VirtualClock::createTimer()
{
    return std::make_unique<VirtualTimer>(this);
}

int VirtualClock::countPauses(int ms) const
{
    return int(std::count(pauses_.cbegin(), pauses_.cend(), ms));
}

qint64 VirtualClock::totalBlockingMs() const
{
    qint64 sum = 0;
    for (int ms : pauses_)
        sum += ms;
    return sum;
}

}  // namespace tess::test
