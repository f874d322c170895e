#pragma once

#include "fields/FieldEnv.h"

namespace tess {

class Clock;
class Commands;
class DeviceHost;
class Dialogs;
class Refills;
class ServiceView;
class SettingsModel;
class Units;
struct PlanningState;
class Wall;
struct WindowState;

// What every page is built with: the settings model, the command senders,
// the window's flags and planning state, the boxes, the clock, the numeric
// fields' surroundings, the refills the page provides, the wall the pages
// share, the service view, the window as the senders see it and the units.
// A page knows no other page.
struct PageContext {
    SettingsModel &settings;
    Commands &commands;
    WindowState &state;
    PlanningState &planning;
    Dialogs &dialogs;
    Clock &clock;
    FieldEnv &fields;
    Refills &refills;
    // The projector wall: what one page sets, the others follow.
    Wall &wall;
    // The service view's switch, which pages follow.
    ServiceView &serviceView;
    // The window as the senders see it: status line, busy cursor, the wait
    // window.
    DeviceHost &device;
    // The units beyond single commands: counting, checking, reading, the line.
    Units &units;

    // Whether a unit or the controller is reached.
    bool deviceConnected() const { return fields.deviceConnected && fields.deviceConnected(); }
};

}  // namespace tess
