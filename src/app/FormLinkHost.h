#pragma once

#include "device/DeviceHost.h"
#include "link/LinkHost.h"

namespace tess {

class TTessalineForm;

// The main window as the serial link, the search, the command senders and
// the status queries see it: the window's own status line, cursor, menus
// and flags, and the pages' behaviour.
class FormLinkHost final : public SearchHost, public DeviceHost {
public:
    explicit FormLinkHost(TTessalineForm &form) : form_(form) {}

    void setStatusText(const QString &text) override;
    void setPagesEnabled(bool enabled) override;
    bool busyCursorShown() const override;
    void setBusyCursor(bool busy) override;
    int handlerBusy() const override;
    void setHandlerBusy(int value) override;
    void setLineMonitoring(bool on) override;

    void setControllerModeBox(bool ticked) override;
    int baudSelection() const override;
    void setBaudSelection(int index) override;
    void setComNumberText(const QString &text) override;
    void showUnitId(int unit, int id) override;
    void hideUnitIds() override;
    int unitId(int unit) const override;
    void setConnectedMenusEnabled(bool enabled) override;
    int projectorsRequired() const override;
    int projectorCountSelection() const override;
    void readAllFromUnits() override;
    void pageControlChanged() override;
    void setSettingsReadFromUnits(bool read) override;

    int selectedSourceChannel() const override;
    void setInfoText(const QString &text) override;
    void setInfoProgressText(const QString &text) override;
    void showInfoForm() override;
    void hideInfoForm() override;
    void setVersion1Text(const QString &text) override;
    void setUnitsDetected(int count) override;
    void setOutputFormatSize(int width, int height) override;

private:
    TTessalineForm &form_;
};

}  // namespace tess
