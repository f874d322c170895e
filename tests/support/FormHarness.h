#pragma once

#include "app/TTessalineForm.h"
#include "support/RecordedExit.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPort.h"
#include "support/VirtualClock.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <memory>
#include <optional>

namespace tess::test {

// A main window built as the start-up builds it, with scripted boxes,
// virtual time and a recorded exit, started from a temporary directory that
// holds the preferences file (when one is given). Without a port of the
// test's own, the window gets an in-memory port on a machine that has no
// serial ports at all.
class FormHarness {
public:
    enum class Build { Now, Later };
    explicit FormHarness(const std::optional<QByteArray> &preferences = std::nullopt, SerialPort *port = nullptr,
                         Build when = Build::Now);
    ~FormHarness();

    ScriptedDialogs dialogs;
    VirtualClock clock;
    RecordedExit exit;
    QTemporaryDir startupDir;
    std::unique_ptr<TTessalineForm> form;

    // Builds the window (for Build::Later, once the directory is prepared).
    void build();
    // For Build::Later: the port the window will use (for example one that
    // runs on this harness's clock).
    void setPort(SerialPort *port) { port_ = port; }
    QString preferencesFile() const;
    // Shows the window and lets its first show run; the search question is
    // answered No and the note that follows is checked and taken.
    void showAnsweringNo();

    template <typename T>
    T *find(const char *name) const
    {
        return form->findChild<T *>(QLatin1String(name));
    }

    ScriptedPort noPorts;

private:
    SerialPort *port_;
};

}  // namespace tess::test
