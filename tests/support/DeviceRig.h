#pragma once

#include "device/Commands.h"
#include "device/StatusQueries.h"
#include "model/SettingsModel.h"
#include "support/FakeDeviceHost.h"
#include "support/LinkRig.h"
#include "support/ScriptedUnits.h"

namespace tess::test {

// The command senders and status queries on a link whose port is open on
// COM1, with scripted units answering (RS-485 IDs 5 and 6 in the window and
// behind the controller), a fresh model and a plain window. `journal` holds
// the lines the units received, the page refills and the wait window's
// showing and hiding, in order.
struct DeviceRig : LinkRig {
    SettingsModel model;
    FakeDeviceHost host;
    StatusQueries queries{link, model, host};
    Commands commands{link, model, host.state, host, queries, host.refills};
    ScriptedUnits units{port, window.controllerBox};
    QStringList journal;

    explicit DeviceRig(bool controller, bool connected = true) : LinkRig(controller)
    {
        link.SetDeviceConnected(connected);
        host.window = &window;
        host.journal = &journal;
        units.journal = &journal;
    }
};

}  // namespace tess::test
