#pragma once

#include <QString>

namespace tess {

// What the Information page needs of the main window beyond its context:
// the menus a reset locks, and the wait window.
class InfoWindow {
public:
    virtual ~InfoWindow() = default;

    // The menus "File" (File1) and "Serial Port" (Search1).
    virtual void setFileAndSerialMenusEnabled(bool enabled) = 0;
    // The wait window with `text`, painted before this returns; hidden again.
    virtual void showWaitWindow(const QString &text) = 0;
    virtual void hideWaitWindow() = 0;
};

}  // namespace tess
