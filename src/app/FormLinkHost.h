#pragma once

#include "device/DeviceHost.h"
#include "link/LinkHost.h"

namespace tess {

class TTessalineForm;

// The main window as the serial link and the search see it: the window's
// own status line, cursor, menus and flags, the connection's controls (the
// Information page's), and the wall the connection must serve.
class FormLinkHost final : public SearchHost {
public:
    explicit FormLinkHost(TTessalineForm &form) : form_(form) {}

    void setStatusText(const QString &text) override;
    void setPagesEnabled(bool enabled) override;
    bool busyCursorShown() const override;
    void setBusyCursor(bool busy) override;
    int handlerBusy() const override;
    void setHandlerBusy(int value) override;

    ConnectionView &connection() override;
    void setConnectedMenusEnabled(bool enabled) override;
    int projectorsRequired() const override;
    int projectorCountSelection() const override;
    void readAllFromUnits() override;
    void pageControlChanged() override;
    void setSettingsReadFromUnits(bool read) override;

private:
    TTessalineForm &form_;
};

// The main window as the command senders, the status queries, reading
// everything and the pages see it: the status line and cursor, the wait
// window, what the Information page shows of the units, and the window's
// flags a read sets. The RS-485 IDs it holds follow the Information page's
// ID fields.
class FormDeviceHost final : public DeviceHost {
public:
    explicit FormDeviceHost(TTessalineForm &form) : form_(form) {}

    void setStatusText(const QString &text) override;
    void setBusyCursor(bool busy) override;
    void setInfoText(const QString &text) override;
    void setInfoProgressText(const QString &text) override;
    void showInfoForm() override;
    void hideInfoForm() override;
    void setVersion1Text(const QString &text) override;
    void setUnitsDetected(int count) override;
    void setOutputFormatSize(int width, int height) override;
    void setSettingsReadFromUnits(bool read) override;

private:
    TTessalineForm &form_;
};

}  // namespace tess
