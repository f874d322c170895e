#pragma once

#include <QObject>

class QSocketNotifier;

namespace tess::cli {

// Ctrl+C (and SIGTERM, SIGHUP) as an event of the event loop: the signal
// handler only writes a byte into a pipe, and a notifier on the pipe's
// other end raises requested() once the loop runs, also from inside the
// waits of the serial link. Tests call request() themselves.
class Interrupt : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~Interrupt() override;

    // Catches the signals from now on; false when the pipe could not be made.
    bool catchSignals();
    void request() { emit requested(); }

signals:
    void requested();

private:
    void drain();

    QSocketNotifier *notifier_ = nullptr;
};

}  // namespace tess::cli
