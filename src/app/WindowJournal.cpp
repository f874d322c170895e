#include "app/WindowJournal.h"

#include "app/TTessalineForm.h"
#include "app/Version.h"
#include "link/LinkHost.h"
#include "link/LinkJournal.h"
#include "pages/info/InfoPage.h"
#include "platform/Journal.h"
#include "platform/JournalDialogs.h"

namespace tess {

std::optional<QString> WindowJournal::pathFrom(const QStringList &arguments, QString *error)
{
    QString path;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--journal")) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty()) {
                *error = QStringLiteral("tessaline: --journal needs the file to write the journal to");
                return std::nullopt;
            }
            path = arguments.at(++i);
        } else if (a.startsWith(QLatin1String("--journal="))) {
            path = a.mid(10);
        }
    }
    return path;
}

WindowJournal::WindowJournal(const QString &path, Clock &clock, Dialogs &shown)
    : journal_(std::make_unique<Journal>(path, clock))
{
    journal_->writeStart(QStringLiteral("tessaline"), QLatin1String(ProgramVersion),
                         QStringLiteral("port=none mode=none"));
    dialogs_ = std::make_unique<JournalDialogs>(shown, *journal_);
}

WindowJournal::~WindowJournal()
{
    journal_->write(QStringLiteral("end"));
}

Dialogs &WindowJournal::dialogs()
{
    return *dialogs_;
}

void WindowJournal::attach(TTessalineForm &form)
{
    // The unit an RS-485 ID addresses is the one whose ID field holds it.
    ConnectionView &connection = form.pages().info().connection();
    new LinkJournal(form.link(), *journal_, [&connection](int id) {
        for (int unit = 1; unit <= 2; ++unit) {
            if (connection.unitId(unit) == id)
                return unit;
        }
        return 0;
    });
}

}  // namespace tess
