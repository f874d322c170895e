#pragma once

#include "device/Refills.h"
#include "fields/FieldEnv.h"
#include "model/SettingsModel.h"
#include "model/WindowState.h"
#include "pages/Pages.h"
#include "pages/ServiceView.h"
#include "pages/Wall.h"

#include <QHash>
#include <QMainWindow>
#include <initializer_list>
#include <memory>

class QAction;
class QLabel;
class QTabWidget;

namespace tess {

class Clock;
class Commands;
class DeviceSearch;
class Dialogs;
class FormDeviceHost;
class FormLinkHost;
class PageGate;
class Link;
class ProgramExit;
class ReadAll;
class SerialPort;
class StatusQueries;
struct PageContext;
class TConnectionHelpForm;
class TInfoForm;
class Units;

// What the main window works with, handed in by the start-up (or a test).
struct FormServices {
    Dialogs &dialogs;
    Clock &clock;
    ProgramExit &exit;
    // The working directory at start-up: the preferences file lives there.
    QString startupDirectory;
    // The serial port; closed when the window closes. Null: the window
    // opens the system's own serial ports.
    SerialPort *port = nullptr;
};

// The main window (TessalineForm): assembles the serial link, the device
// layer and the six pages, and holds the menus, the status line and the
// state shared by every page. The pages carry their own behaviour.
class TTessalineForm final : public QMainWindow {
    Q_OBJECT
public:
    explicit TTessalineForm(const FormServices &services, QWidget *parent = nullptr);
    ~TTessalineForm() override;

    WindowState &state() { return state_; }
    const WindowState &state() const { return state_; }
    PlanningState &planning() { return planning_; }
    // What the program knows each unit holds.
    SettingsModel &settings() { return settings_; }
    Dialogs &dialogs() { return services_.dialogs; }
    Clock &clock() { return services_.clock; }
    ProgramExit &programExit() { return services_.exit; }

    // The planning preferences file, fixed when the window was built.
    const QString &preferencesPath() const { return preferencesPath_; }
    // The about box's version line.
    const QString &aboutVersionText() const { return aboutVersionText_; }

    // The one-panel status line; a text stays until the next.
    void setStatusText(const QString &text);
    QString statusText() const;
    // Disables the page control (while waiting for a unit) at once, or
    // enables it once the program is back in the event loop; a disable
    // before then keeps it disabled.
    void setPagesEnabled(bool enabled);
    // Whether the serial link reaches a unit or the controller.
    bool deviceConnected() const;
    // The serial link and the search for units.
    Link &link() { return *link_; }
    DeviceSearch &deviceSearch() { return *search_; }
    // The command senders and the status queries.
    Commands &commands() { return *commands_; }
    StatusQueries &queries() { return *queries_; }

    // The pages and the window operations they provide.
    Pages &pages() { return pages_; }
    const Refills &refills() const { return refills_; }
    ServiceView &serviceView() { return serviceView_; }
    // The projector wall the pages share.
    Wall &wall() { return wall_; }

    QTabWidget *PhasePageControl = nullptr;

    // The wait window and the connection-help window. The start-up creates
    // them right after the window; asking for one creates it if needed.
    void createAuxiliaryWindows();
    TInfoForm &infoForm();
    TConnectionHelpForm &connectionHelpForm();

    // Brings the window to the front (a second start asked for it).
    void bringToFront();

    // First show: fills the window with sending suppressed, then offers the
    // search for units. Runs once, right after the window first appears.
    void FormShow();
    // The page in front changed; also called after the connection changed.
    void PhasePageControlChange();
    // Asks whether the program may end.
    bool FormCloseQuery();
    // Ends: writes the preferences file, hides, pauses, closes the port.
    void FormClose();

    // File menu
    void OpenConfigurationFile1Click();
    void SaveConfigurationtoFile1Click();
    void SendCurrentSettingstoQuorexs1Click();
    void Exit1Click();
    // Serial Port menu
    void SearchAllClick();
    void QuorexconnectedthruController1Click();
    void QuorexconnectedtoSerialPortdirectly1Click();
    void ReadfromQuorexs1Click();
    void DisconnectSerialCo1Click();
    void Defaultvalues1Click();
    void N9600Click();
    void N19200Click();
    void N38400Click();
    void N57600Click();
    void ParityNoneClick();
    void ParityOddClick();
    void ParityEvenClick();
    void ParityMarkClick();
    void ParitySpaceClick();
    // Help menu
    void HelpwithTessalineSerialconnection1Click();
    void About1Click();

    // A menu item (or a whole menu, File1 and Search1) by its name; every
    // name the form uses exists.
    QAction *menuItem(const char *name) const;

signals:
    // The window has closed for good: the program ends.
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMainMenu();
    void buildPages();
    void readPreferences();
    void writePreferences();
    void chooseBaud(const char *item, int baud);
    void chooseParity(const char *item, int parity);
    void tickOnly(std::initializer_list<const char *> group, const char *chosen);

    FormServices services_;
    WindowState state_;
    SettingsModel settings_;
    PlanningState planning_;
    Refills refills_;
    FieldEnv fieldEnv_;
    std::unique_ptr<PageContext> pageContext_;
    ServiceView serviceView_;
    Wall wall_{state_};
    Pages pages_;
    QHash<QByteArray, QAction *> menuItems_;
    QString preferencesPath_;
    QString aboutVersionText_;
    QLabel *statusPanel_ = nullptr;
    std::unique_ptr<TInfoForm> infoForm_;
    std::unique_ptr<TConnectionHelpForm> connectionHelpForm_;
    std::unique_ptr<SerialPort> ownPort_;
    std::unique_ptr<FormLinkHost> linkHost_;
    std::unique_ptr<FormDeviceHost> deviceHost_;
    std::unique_ptr<Link> link_;
    std::unique_ptr<DeviceSearch> search_;
    std::unique_ptr<StatusQueries> queries_;
    std::unique_ptr<Commands> commands_;
    std::unique_ptr<ReadAll> readAll_;
    std::unique_ptr<Units> units_;
    std::unique_ptr<PageGate> pageGate_;
    bool shown_ = false;
    bool closing_ = false;
};

}  // namespace tess
