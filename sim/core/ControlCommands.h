#pragma once

#include <QString>

namespace tess::sim {

class Simulator;
struct ControlResult;

// Runs one control command on a simulator; sim/README.md lists them.
class ControlCommands {
public:
    static ControlResult run(Simulator &sim, const QString &command, qint64 nowMs);
    static QString helpText();
};

}  // namespace tess::sim
