#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace tess {

class Clock;
class Dialogs;
class Journal;
class JournalDialogs;
class TTessalineForm;

// The window's command journal (--journal FILE): its boxes and the serial
// line written down as they happen. Off unless the option is given.
class WindowJournal {
public:
    // The FILE of --journal FILE (or --journal=FILE); empty when not
    // given; nothing when the option lacks its file (`error` says so).
    static std::optional<QString> pathFrom(const QStringList &arguments, QString *error);

    WindowJournal(const QString &path, Clock &clock, Dialogs &shown);
    ~WindowJournal();

    // The boxes to build the window with: they go into the journal too.
    Dialogs &dialogs();
    // Writes down the window's serial line from now on.
    void attach(TTessalineForm &form);

private:
    std::unique_ptr<Journal> journal_;
    std::unique_ptr<JournalDialogs> dialogs_;
};

}  // namespace tess
