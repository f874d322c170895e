#pragma once

#include <QString>

namespace tess {

// What the Planning page needs of the main window beyond its page context:
// the connection (its mode, the units behind the controller, the check of
// the planned projector count, the complete status read of a unit), the
// status line and the busy cursor. The window implements it.
class PlanningHost {
public:
    virtual ~PlanningHost() = default;

    // Whether the units are reached through the controller.
    virtual bool controllerMode() const = 0;
    // The units behind the controller (below 1: none found).
    virtual int CountUnits() = 0;
    // Whether the connection can serve the planned projector count.
    virtual bool CheckUnitsForProjectorCount() = 0;
    // 1 when everything of `unit` was read, else a negative code.
    virtual int ReadAllStatus(int unit) = 0;

    virtual void setStatusText(const QString &text) = 0;
    virtual void setBusyCursor(bool busy) = 0;
    // Whether the main window is on the screen.
    virtual bool windowVisible() const = 0;
};

}  // namespace tess
