#pragma once

#include "cli/Console.h"
#include "cli/Options.h"
#include "cli/Terminal.h"
#include "device/Refills.h"
#include "model/SettingsModel.h"
#include "model/WindowState.h"

#include <QObject>
#include <memory>

namespace tess {
class ClockTimer;
class Commands;
class DeviceSearch;
class Journal;
class JournalDialogs;
class Link;
class LinkJournal;
class ReadAll;
class SerialPort;
class StatusQueries;
}  // namespace tess

namespace tess::cli {

// One run's serial line, built as the window builds it: the port, the link,
// the search, the status queries, the senders and reading everything, with
// the terminal standing in for the window. It finds the units, reads them,
// shows progress, and ends the exchange in progress cleanly on Ctrl+C.
class Session : public QObject {
    Q_OBJECT
public:
    Session(Environment &env, const Options &options, Terminal &terminal, Journal *journal);
    ~Session() override;

    Link &link() { return *link_; }
    DeviceSearch &search() { return *search_; }
    Commands &commands() { return *commands_; }
    SettingsModel &model() { return model_; }
    WindowState &state() { return state_; }
    TerminalHost &host() { return host_; }
    // The boxes as the line sees them (journaled when a journal is kept).
    Dialogs &boxes();

    // Finds the units: the window's search, or only the port and mode the
    // options name. False after saying why (or when interrupted).
    bool findUnits();
    // The units in use: as many as the controller reports, else one.
    bool countUnits();

    enum class ReadResult {
        Whole,     // every screen of every unit in use was read
        NotWhole,  // read, but screens the user let go are as they were
        Failed,    // the failure was said
    };
    // Reads every unit in use as "Read from Quorex(s) ..." does, with
    // progress (exchanges done of all, the unit and the query).
    ReadResult read();

    bool interrupted() const { return interrupted_; }
    // An exchange was given up, the program was to end, or the port was
    // lost or closed.
    bool lineFailed() const;
    // "COM1 (/dev/ttyUSB0), through the controller"
    QString connectionText() const;

    // One line of progress: exchanges done of all, the unit and the step.
    void showProgress(int done, int total, int unit, const QString &what);

private:
    void onInterrupt();
    void cutLine();
    void lineWritten(const QByteArray &bytes);
    void exchangeEnded();
    QString notFoundText() const;

    Environment &env_;
    const Options &options_;
    Terminal &terminal_;
    TerminalDialogs dialogs_;
    std::unique_ptr<JournalDialogs> journalDialogs_;
    TerminalHost host_;
    TerminalExit exit_;
    std::unique_ptr<SerialPort> ownPort_;
    SerialPort *port_ = nullptr;
    std::unique_ptr<Link> link_;
    std::unique_ptr<DeviceSearch> search_;
    SettingsModel model_;
    WindowState state_;
    Refills refills_;  // no window to refill
    std::unique_ptr<StatusQueries> queries_;
    std::unique_ptr<Commands> commands_;
    std::unique_ptr<ReadAll> readAll_;
    LinkJournal *linkJournal_ = nullptr;

    bool interrupted_ = false;
    std::unique_ptr<ClockTimer> grace_;
    // Progress of a read.
    bool reading_ = false;
    bool queryWaiting_ = false;
    int readDone_ = 0;
    int readTotal_ = 0;
    int readUnit_ = 0;
    QString readStep_;
};

}  // namespace tess::cli
