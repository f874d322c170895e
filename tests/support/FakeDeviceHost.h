#pragma once

#include "device/DeviceHost.h"
#include "device/Refills.h"
#include "model/WindowState.h"
#include "support/FakeWindow.h"

#include <QStringList>

namespace tess::test {

// The main window as the command senders and status queries see it, in
// plain fields, with its flags and refills (RS-485 IDs 5 and 6). Refills and wait-window changes
// are written to `journal` (when set) in the order they happen; a refill
// notes whether SuppressSend was set while it ran. The status line and the
// cursor go to `window` when one is given.
class FakeDeviceHost final : public DeviceHost {
public:
    FakeDeviceHost()
    {
        unitIds.setId(1, 5);
        unitIds.setId(2, 6);
        for (int i = 0; i < RefillCount; ++i) {
            const Refill what = Refill(i);
            refills.provide(what, [this, what](int number) {
                note(QLatin1String(refillName(what)) + (number ? QStringLiteral(" %1").arg(number) : QString()));
            });
        }
    }

    WindowState state;
    Refills refills;
    FakeWindow *window = nullptr;
    QString status;
    bool busyCursor = false;
    QString infoText;
    QString infoProgress;
    QStringList progressHistory;
    bool infoShown = false;
    int infoShows = 0;
    QString version1;
    int unitsDetected = -1;
    int formatWidth = 0;
    int formatHeight = 0;
    bool settingsRead = false;
    QStringList *journal = nullptr;

    void setStatusText(const QString &text) override
    {
        status = text;
        if (window)
            window->setStatusText(text);
    }
    void setBusyCursor(bool busy) override
    {
        busyCursor = busy;
        if (window)
            window->setBusyCursor(busy);
    }

    void setInfoText(const QString &text) override { infoText = text; }
    void setInfoProgressText(const QString &text) override
    {
        infoProgress = text;
        progressHistory << text;
    }
    void showInfoForm() override
    {
        infoShown = true;
        ++infoShows;
        if (journal)
            *journal << QStringLiteral("InfoForm shown");
    }
    void hideInfoForm() override
    {
        infoShown = false;
        if (journal)
            *journal << QStringLiteral("InfoForm hidden");
    }

    void setVersion1Text(const QString &text) override { version1 = text; }
    void setUnitsDetected(int count) override { unitsDetected = count; }
    void setOutputFormatSize(int width, int height) override
    {
        formatWidth = width;
        formatHeight = height;
    }
    void setSettingsReadFromUnits(bool read) override { settingsRead = read; }

private:
    void note(const QString &what)
    {
        if (journal)
            *journal << what + (state.SuppressSend ? QStringLiteral(" (quiet)") : QStringLiteral(" (NOT quiet)"));
    }
};

}  // namespace tess::test
