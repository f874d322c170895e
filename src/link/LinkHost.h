#pragma once

#include <QString>

namespace tess {

// What the serial link needs of the main window. The form implements it;
// tests use a plain double.
class LinkHost {
public:
    virtual ~LinkHost() = default;

    // The one-panel status line.
    virtual void setStatusText(const QString &text) = 0;
    // The page control: all pages stop taking input while a unit is awaited.
    virtual void setPagesEnabled(bool enabled) = 0;
    // The busy (hourglass) mouse cursor.
    virtual bool busyCursorShown() const = 0;
    virtual void setBusyCursor(bool busy) = 0;
    // The window-wide re-entrance guard of the page handlers.
    virtual int handlerBusy() const = 0;
    virtual void setHandlerBusy(int value) = 0;
};

// The controls the connection is set up with, as the search sees them.
class ConnectionView {
public:
    virtual ~ConnectionView() = default;

    // Shows the connection mode in its box, without running the box's handler.
    virtual void setControllerModeBox(bool ticked) = 0;
    // The Information page's baud list: 0 = "38400", 1 = "57600", -1 none.
    virtual int baudSelection() const = 0;
    virtual void setBaudSelection(int index) = 0;
    // The label showing on which port a unit or controller was found.
    virtual void setComNumberText(const QString &text) = 0;
    // The RS-485 ID fields: fill unit 1's or 2's and make it visible.
    virtual void showUnitId(int unit, int id) = 0;
    virtual void hideUnitIds() = 0;
    // The RS-485 ID unit 1's or 2's field shows.
    virtual int unitId(int unit) const = 0;
};

// What finding the units needs of the main window besides the link's needs.
class SearchHost : public LinkHost {
public:
    // The connection's controls.
    virtual ConnectionView &connection() = 0;
    // "Read from Quorex(s) ..." and "Send Current Settings to Quorex(s)".
    virtual void setConnectedMenusEnabled(bool enabled) = 0;
    // The wall the connection must serve: the projectors the planning
    // requires, and the projector count chosen (0 = 1 projector).
    virtual int projectorsRequired() const = 0;
    virtual int projectorCountSelection() const = 0;
    // Reads every setting from the units and fills the window.
    virtual void readAllFromUnits() = 0;
    // Brings the pages' enabled state in line with the connection.
    virtual void pageControlChanged() = 0;
    virtual void setSettingsReadFromUnits(bool read) = 0;
};

}  // namespace tess
