#pragma once

#include "model/WindowState.h"

#include <QPointer>
#include <QWidget>
#include <functional>

namespace tess {

class Clock;
class Dialogs;

// What every numeric field works with: the window's flags and message
// string, the message boxes, the clock for the spin repeat, and whether a
// unit is connected.
struct FieldEnv {
    WindowState &state;
    Dialogs &dialogs;
    Clock &clock;
    std::function<bool()> deviceConnected;
    // While a refused exit check puts the focus back: the control the focus
    // was heading to, whose own exit check must not run for that move.
    QPointer<QWidget> focusReturning;
    // The window is coming down: focus changes are no user's doing and run
    // no checks.
    bool closing = false;
};

// The re-entrance guard of spin, check-box, list, radio-group and button
// handlers: acquired only when HandlerBusy is 0, and then released on every
// path out of the handler.
//
//     const HandlerBusyScope busy(state);
//     if (!busy)
//         return;  // another handler runs: the event is lost
class HandlerBusyScope {
public:
    explicit HandlerBusyScope(WindowState &state) : state_(state), acquired_(state.HandlerBusy == 0)
    {
        if (acquired_)
            state_.HandlerBusy = 1;
    }
    ~HandlerBusyScope()
    {
        if (acquired_)
            state_.HandlerBusy = 0;
    }
    explicit operator bool() const { return acquired_; }
    HandlerBusyScope(const HandlerBusyScope &) = delete;
    HandlerBusyScope &operator=(const HandlerBusyScope &) = delete;

private:
    WindowState &state_;
    bool acquired_;
};

}  // namespace tess
