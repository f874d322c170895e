#pragma once

#include "app/SingleInstance.h"
#include "app/TTessalineForm.h"

#include <QString>
#include <memory>

namespace tess {

class Clock;
class Dialogs;
class ProgramExit;
class SerialPort;

struct StartupServices {
    Dialogs &dialogs;
    Clock &clock;
    ProgramExit &exit;
    // The working directory at start-up.
    QString workingDirectory;
    SerialPort *port = nullptr;
    // Where the single-instance lock lives; empty: the user's runtime folder.
    QString instanceDirectory;
};

struct StartedProgram {
    std::unique_ptr<SingleInstance> instance;
    // Null when another instance runs: the program then ends with 0.
    std::unique_ptr<TTessalineForm> form;
};

// The start-up before the event loop: refuses to run twice (the message,
// the running instance brought to the front), sets the application's
// icon, builds the main window, then the wait and connection-help windows
// (hidden). The window is not shown yet. Needs the application object.
StartedProgram startTessaline(const StartupServices &services);

// Shows the main window and runs the event loop until it closes.
int runTessaline(StartedProgram &program);

}  // namespace tess
