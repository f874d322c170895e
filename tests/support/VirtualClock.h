#pragma once

#include "platform/Clock.h"

#include <QList>
#include <QPointer>

namespace tess::test {

// Virtual time for tests: waits cost no real time, timers fire when virtual
// time reaches them, and every blocking pause is recorded so a test can
// assert which waits the program asked for.
class VirtualClock final : public Clock {
public:
    VirtualClock();
    ~VirtualClock() override;

    qint64 nowMs() const override { return now_; }
    void sleepBlocking(int ms) override;
    void processPendingEvents() override;
    void waitForEvents(int ms) override;
    std::unique_ptr<ClockTimer> createTimer() override;

    // Moves virtual time on by `ms`, firing the timers that fall due.
    void advance(int ms);

    // Every sleepBlocking() asked for, in order.
    const QList<int> &blockingPauses() const { return pauses_; }
    // How many blocking pauses of exactly `ms` were asked for.
    int countPauses(int ms) const;
    qint64 totalBlockingMs() const;
    void clearPauses() { pauses_.clear(); }

    // Every blocking pause from now on wakes `ms` late, as a loaded
    // machine's does; what was asked for is still what is recorded.
    void setLateWakeMs(int ms) { lateWake_ = ms; }
    // How often pending events were processed.
    int eventRuns() const { return eventRuns_; }

private:
    friend class VirtualTimer;
    void fireDue();

    qint64 now_ = 0;
    QList<int> pauses_;
    int lateWake_ = 0;
    int eventRuns_ = 0;
    QList<class VirtualTimer *> timers_;
};

}  // namespace tess::test
