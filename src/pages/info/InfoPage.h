#pragma once

#include "pages/TabPage.h"

namespace tess {

class ConnectionControls;
struct PageContext;

// The Information page (InfoTabSheet): terminal, line lights, reset,
// system save and the service view. For now it holds the connection's
// controls.
class InfoPage final : public TabPage {
    Q_OBJECT
public:
    explicit InfoPage(PageContext &context, QWidget *parent = nullptr);

    // The buttons that need a unit to talk to follow the connection.
    void setLinkControlsEnabled(bool enabled);
    // Puts the keyboard focus into the terminal view.
    void focusTerminal();
    // The first show's choice: the first item of the baud and screen lists,
    // without running their change handlers.
    void selectStartItems();

    // The status display for the screen the page's list names.
    void ScreenInfoComboBoxChange();
    // What the page shows of the units.
    void setVersion1Text(const QString &text);
    void setUnitsDetected(int count);

    // The connection: the mode box (shown without running its handler),
    // the baud list (0 = "38400", 1 = "57600", -1 none), the port a unit
    // was found on, and the RS-485 IDs of the two units.
    void showControllerMode(bool controller);
    int baudSelection() const;
    void setBaudSelection(int index);
    void setComNumberText(const QString &text);
    void showUnitId(int unit, int id);
    void hideUnitIds();
    // The whole number in the unit's ID field; a text that is no number
    // addresses 0.
    int unitId(int unit) const;

signals:
    // The user ticked or unticked the connection-mode box.
    void connectionModeClicked(bool controller);

private:
    ConnectionControls *connection_ = nullptr;
};

}  // namespace tess
