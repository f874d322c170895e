#pragma once

#include "device/UnitIds.h"

#include <QString>

namespace tess {

// What the command senders, the status queries and reading everything need
// of the main window. The form implements it; tests use a plain double.
// Filling pages from the model goes through Refills, not through here.
class DeviceHost {
public:
    virtual ~DeviceHost() = default;

    // The RS-485 IDs the units are addressed with, kept current by the
    // owner of the ID fields.
    UnitIds unitIds;

    // The one-panel status line and the busy (hourglass) mouse cursor.
    virtual void setStatusText(const QString &text) = 0;
    virtual void setBusyCursor(bool busy) = 0;

    // The wait window (InfoForm): its two texts, shown without being modal
    // (painted before this returns), and hidden again.
    virtual void setInfoText(const QString &text) = 0;
    virtual void setInfoProgressText(const QString &text) = 0;
    virtual void showInfoForm() = 0;
    virtual void hideInfoForm() = 0;

    // What the Information page shows of the units: unit 1's firmware
    // version and how many units were found.
    virtual void setVersion1Text(const QString &text) = 0;
    virtual void setUnitsDetected(int count) = 0;
    // OutputFormatWidth and OutputFormatHeight of the window.
    virtual void setOutputFormatSize(int width, int height) = 0;
    // The tag of the menu item ReadfromQuorexs1.
    virtual void setSettingsReadFromUnits(bool read) = 0;
};

}  // namespace tess
