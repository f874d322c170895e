#pragma once

#include <QObject>
#include <memory>

namespace tess {

// A timer that the clock drives. Repeats until stopped, like QTimer.
class ClockTimer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual int interval() const = 0;

signals:
    void timeout();
};

// Every wait of the program goes through here, so that tests can run the
// 8 s exchange timer, the 55 ms prompt ticks and the blocking pauses in
// virtual time.
class Clock {
public:
    virtual ~Clock() = default;

    // Milliseconds since an arbitrary start.
    virtual qint64 nowMs() const = 0;
    // Nanoseconds since the same start, as finely as the clock can tell.
    virtual qint64 nowNs() const { return nowMs() * 1000000; }
    // Blocks the thread: no events are processed meanwhile.
    virtual void sleepBlocking(int ms) = 0;
    // Blocks the thread until nowNs() has reached `deadlineNs`; returns at
    // once when it already has. A series of pauses keyed to one start keeps
    // to it however late each wake-up or the work between them runs.
    virtual void sleepBlockingUntilNs(qint64 deadlineNs);
    // Runs the events that are pending now, without waiting for more.
    virtual void processPendingEvents() = 0;
    // Runs events, waiting at most `ms` for one to arrive; returns once
    // something was handled or the time is up.
    virtual void waitForEvents(int ms) = 0;
    virtual std::unique_ptr<ClockTimer> createTimer() = 0;

    // The real clock of the running program.
    static Clock &system();
};

}  // namespace tess
