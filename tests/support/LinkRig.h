#pragma once

#include "link/Link.h"
#include "support/FakeWindow.h"
#include "support/RecordedExit.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPort.h"
#include "support/VirtualClock.h"

namespace tess::test {

// A link on an in-memory port, with virtual time, scripted boxes and a
// plain window; the port is open on COM1.
struct LinkRig {
    VirtualClock clock;
    ScriptedDialogs dialogs;
    RecordedExit exit;
    ScriptedPort port;
    FakeWindow window;
    Link link{port, clock, dialogs, exit, window};

    explicit LinkRig(bool controller = false)
    {
        QObject::connect(&link, &Link::deviceConnectedChanged, [this](bool on) { window.lineMonitoring = on; });
        setController(controller);
        port.setPortNumber(1);
        port.open();
    }
    void setController(bool controller)
    {
        window.controllerBox = controller;
        link.ControllerMode = controller;
        link.PromptChar = controller ? '>' : '#';
    }
    // Formats and checksums a controller command.
    void command(const char *text)
    {
        link.formatCommand("%s", text);
        link.ComputeChecksum();
    }
};

}  // namespace tess::test
