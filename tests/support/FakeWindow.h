#pragma once

#include "link/LinkHost.h"

#include <QStringList>

namespace tess::test {

// The main window as the link and the search see it, with the connection's
// controls, in plain fields. `lineMonitoring` follows the link where a rig
// connects it, as the line lights do.
class FakeWindow final : public SearchHost, public ConnectionView {
public:
    QString status;
    QStringList statusHistory;
    bool pagesEnabled = true;
    int pagesDisabledCount = 0;
    bool busyCursor = false;
    int busy = 0;
    bool controllerBox = false;
    bool lineMonitoring = false;
    int baudIndex = 0;
    QString comNumber = QStringLiteral("None");
    int ids[2] = {1, 2};
    bool idVisible[2] = {false, false};
    bool connectedMenus = false;
    int projectors = 1;
    int projectorSelection = 0;
    int readAllCalls = 0;
    int pageChangeCalls = 0;
    bool settingsRead = false;

    void setStatusText(const QString &text) override
    {
        status = text;
        statusHistory << text;
    }
    void setPagesEnabled(bool enabled) override
    {
        pagesEnabled = enabled;
        if (!enabled)
            ++pagesDisabledCount;
    }
    bool busyCursorShown() const override { return busyCursor; }
    void setBusyCursor(bool on) override { busyCursor = on; }
    int handlerBusy() const override { return busy; }
    void setHandlerBusy(int value) override { busy = value; }

    ConnectionView &connection() override { return *this; }
    void setControllerModeBox(bool ticked) override { controllerBox = ticked; }
    int baudSelection() const override { return baudIndex; }
    void setBaudSelection(int index) override { baudIndex = index; }
    void setComNumberText(const QString &text) override { comNumber = text; }
    void showUnitId(int unit, int id) override
    {
        ids[unit - 1] = id;
        idVisible[unit - 1] = true;
    }
    void hideUnitIds() override { idVisible[0] = idVisible[1] = false; }
    int unitId(int unit) const override { return ids[unit - 1]; }
    void setConnectedMenusEnabled(bool enabled) override { connectedMenus = enabled; }
    int projectorsRequired() const override { return projectors; }
    int projectorCountSelection() const override { return projectorSelection; }
    void readAllFromUnits() override { ++readAllCalls; }
    void pageControlChanged() override { ++pageChangeCalls; }
    void setSettingsReadFromUnits(bool read) override { settingsRead = read; }
};

}  // namespace tess::test
