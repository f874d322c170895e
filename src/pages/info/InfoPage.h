#pragma once

#include "pages/TabPage.h"

namespace tess {

class ConnectionControls;

// The Information page (InfoTabSheet): terminal, line lights, reset,
// system save and the service view.
class InfoPage final : public TabPage {
    Q_OBJECT
public:
    explicit InfoPage(QWidget *parent = nullptr);

    // The buttons that need a unit to talk to.
    void setLinkControlsEnabled(bool enabled);
    // Puts the keyboard focus into the terminal view.
    void focusTerminal();
    // The first show's choice: the first item of the baud and screen lists,
    // without running their change handlers.
    void selectStartItems();

    // The port number, baud list, RS-485 IDs and connection-mode box.
    ConnectionControls *connection() const { return connection_; }

private:
    ConnectionControls *connection_ = nullptr;
};

}  // namespace tess
