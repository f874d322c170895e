#pragma once

#include "device/DeviceHost.h"

#include <QStringList>

namespace tess::test {

// The main window as the command senders and status queries see it, in
// plain fields. Page refills and wait-window changes are written to
// `journal` (when set) in the order they happen; a refill notes whether
// SuppressSend was set while it ran.
class FakeDeviceHost final : public DeviceHost {
public:
    int ids[2] = {5, 6};
    bool suppress = false;
    int sourceChannel = 1;
    QString infoText;
    QString infoProgress;
    QStringList progressHistory;
    bool infoShown = false;
    int infoShows = 0;
    QString version1;
    int formatWidth = 0;
    int formatHeight = 0;
    bool settingsRead = false;
    QStringList *journal = nullptr;

    int unitId(int unit) const override { return ids[unit - 1]; }
    bool suppressSend() const override { return suppress; }
    void setSuppressSend(bool on) override { suppress = on; }

    void SyncDisplaySetup() override { note(QStringLiteral("SyncDisplaySetup")); }
    void SyncSourceSetup() override { note(QStringLiteral("SyncSourceSetup")); }
    void SyncSeamRemoval() override { note(QStringLiteral("SyncSeamRemoval")); }
    void SyncColourBalance(int channel) override { note(QStringLiteral("SyncColourBalance %1").arg(channel)); }
    int selectedSourceChannel() const override { return sourceChannel; }

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
            *journal << what + (suppress ? QStringLiteral(" (quiet)") : QStringLiteral(" (NOT quiet)"));
    }
};

}  // namespace tess::test
