#pragma once

#include "pages/TabPage.h"
#include "pages/Wall.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace tess {

class ConnectionControls;
class ConnectionView;
class LineLights;
class Link;
class StatusDisplay;
class TerminalView;
struct PageContext;

// The Information page (InfoTabSheet): the terminal on the serial line, the
// line lights and the connection's controls, reset and system save, and the
// service view with unit 1's status and the image position offsets.
class InfoPage final : public TabPage {
    Q_OBJECT
public:
    explicit InfoPage(PageContext &context, QWidget *parent = nullptr);
    ~InfoPage() override;

    // The buttons that need a unit to talk to follow the connection.
    void setLinkControlsEnabled(bool enabled);
    void pageEntered(bool live) override;
    // Puts the keyboard focus into the terminal view.
    void focusTerminal();
    // The first show's choice: the first item of the baud and screen lists,
    // without running their change handlers.
    void selectStartItems();

    // The status display for the screen the page's list names; only once
    // the settings were read from the units or opened from a file.
    void ScreenInfoComboBoxChange();
    // n = 1 to 4: unit 1's input and output records n.
    void ShowInputInfo(int n);
    void ShowOutputInfo(int n);
    // What the page shows of the units.
    void setVersion1Text(const QString &text);
    void setUnitsDetected(int count);

    // Switches the service view on or off.
    void HiddenLabelDblClick();
    // Resets the units to their factory settings, after asking.
    void ResetButtonClick();
    // Tells the units to save their settings (also the Display Setup
    // page's button of the same caption).
    void SystemSaveButtonClick();

    // The connection's controls, which the search sets up.
    ConnectionView &connection() const;

signals:
    // The user ticked or unticked the connection-mode box.
    void connectionModeClicked(bool controller);
    // A reset of the units begins (true) or has ended (false): the
    // window's File and Serial Port menus are locked meanwhile.
    void resetRunning(bool running);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildScreenOffsets();
    // The image position offsets of projectors 1 to 8 (ScreenkHLabel,
    // ScreenkVLabel), as the planning worked them out.
    void showImageSpans(const Wall::Spans &spans);
    void followServiceView(bool on);
    void terminalDataArrived();

    PageContext &context_;
    Link &link_;
    ConnectionControls *connection_ = nullptr;
    StatusDisplay *status_ = nullptr;
    TerminalView *terminal_ = nullptr;
    LineLights *lights_ = nullptr;
    QGroupBox *screenInfoGroup_ = nullptr;
    QLabel *screenFirst_[8] = {};
    QLabel *screenLast_[8] = {};
    QPushButton *resetButton_ = nullptr;
    QPushButton *systemSaveButton_ = nullptr;
    QLabel *hiddenLabel_ = nullptr;
};

}  // namespace tess
