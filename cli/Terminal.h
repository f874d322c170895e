#pragma once

#include "cli/Console.h"
#include "cli/Options.h"
#include "device/DeviceHost.h"
#include "link/LinkHost.h"
#include "platform/Dialogs.h"
#include "platform/ProgramExit.h"

#include <QString>
#include <functional>

namespace tess::cli {

// Standard output for results, standard error for notes, messages and the
// progress line: one line that updates in place while standard error is a
// terminal (and the run is not quiet), cleared before anything else is
// written.
class Terminal {
public:
    Terminal(const Console &console, bool quiet) : console_(console), quiet_(quiet) {}

    const Console &console() const { return console_; }
    bool quiet() const { return quiet_; }

    void out(const QString &text);
    // "tessaline-cli: " and the text; further lines indented. Shown even
    // when quiet (errors and the program's messages).
    void say(const QString &text);
    // A note: like say(), but not when quiet.
    void note(const QString &text);
    // The progress line (a terminal only, not when quiet).
    void progress(const QString &line);
    void endProgress();

private:
    void err(const QByteArray &bytes);

    const Console &console_;
    bool quiet_;
    bool progressShown_ = false;
};

// The window's boxes on the terminal. Messages are said on standard error;
// a question is answered as the run was told (--yes, --no, --ask), No by
// default, and both the question and its answer are said.
class TerminalDialogs final : public Dialogs {
public:
    TerminalDialogs(Terminal &terminal, Options::Answer answer) : terminal_(terminal), answer_(answer) {}

    void showMessage(const QString &text, const QString &caption = QString()) override;
    bool askOkCancel(const QString &caption, const QString &text) override;
    bool askYesNo(const QString &caption, const QString &text) override;
    // The command line never shows file dialogs: files are arguments.
    QString openFileName(const FileRequest &) override { return QString(); }
    QString saveFileName(const FileRequest &) override { return QString(); }

    // After Ctrl+C: no more messages, and No to every question.
    void silence() { silenced_ = true; }
    // Screens whose status could not be read and were gone past.
    int screensSkipped() const { return screensSkipped_; }
    // The run gave up an exchange (No to "keep trying?", Cancel to the
    // COM port error).
    bool gaveUp() const { return gaveUp_; }

    // "Keep trying?" answered Yes at most this often in a row with --yes.
    static constexpr int KeepTryingYes = 3;

private:
    bool ask(const QString &caption, const QString &text, bool okCancel);

    Terminal &terminal_;
    Options::Answer answer_;
    bool silenced_ = false;
    int screensSkipped_ = 0;
    bool gaveUp_ = false;
    int keepTryingInARow_ = 0;
};

// The window as the link, the search, the senders and the queries see it:
// no window, only what the command line needs of it (the RS-485 IDs, the
// units found, the output format, and the wait window's texts for the
// progress line).
class TerminalHost final : public SearchHost, public DeviceHost, public ConnectionView {
public:
    ConnectionView &connection() override { return *this; }

    void setStatusText(const QString &text) override { status = text; }
    void setPagesEnabled(bool) override {}
    bool busyCursorShown() const override { return busy_; }
    void setBusyCursor(bool busy) override { busy_ = busy; }
    int handlerBusy() const override { return handlerBusy_; }
    void setHandlerBusy(int value) override { handlerBusy_ = value; }

    void setControllerModeBox(bool) override {}
    int baudSelection() const override { return baudSelection_; }
    void setBaudSelection(int index) override { baudSelection_ = index; }
    void setComNumberText(const QString &text) override { comNumber = text; }
    // No ID fields here: the IDs found are the ones the senders and the
    // queries address.
    void showUnitId(int unit, int id) override { unitIds.setId(unit, id); }
    void hideUnitIds() override {}
    int unitId(int unit) const override { return unit == 1 || unit == 2 ? unitIds.id(unit) : 0; }
    void setConnectedMenusEnabled(bool) override {}
    int projectorsRequired() const override { return projectors; }
    int projectorCountSelection() const override { return projectorSelection; }
    void readAllFromUnits() override { ++readsAsked; }
    void pageControlChanged() override {}
    void setSettingsReadFromUnits(bool read) override { settingsRead = read; }

    void setInfoText(const QString &) override {}
    void setInfoProgressText(const QString &) override {}
    void showInfoForm() override {}
    void hideInfoForm() override {}
    void setVersion1Text(const QString &) override {}
    void setUnitsDetected(int count) override
    {
        unitsDetected = count;
        if (onUnitsDetected)
            onUnitsDetected(count);
    }
    void setOutputFormatSize(int width, int height) override
    {
        formatWidth = width;
        formatHeight = height;
    }

    QString status;
    QString comNumber;
    // The planning a connection is checked against (a file's wall).
    int projectors = 0;
    int projectorSelection = -1;
    int readsAsked = 0;
    bool settingsRead = false;
    int unitsDetected = 0;
    std::function<void(int)> onUnitsDetected;
    int formatWidth = 1280;
    int formatHeight = 1024;

private:
    bool busy_ = false;
    int handlerBusy_ = 0;
    int baudSelection_ = 0;
};

// Ending the program at once (the window's answer to Cancel in the COM port
// error) becomes the end of the run: the caller stops and reports.
class TerminalExit final : public ProgramExit {
public:
    void exitNow(int code) override
    {
        requested = true;
        this->code = code;
        if (onExit)
            onExit();
    }
    bool requested = false;
    int code = 0;
    std::function<void()> onExit;
};

}  // namespace tess::cli
