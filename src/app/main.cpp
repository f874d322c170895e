#include "app/Startup.h"
#include "app/TTessalineForm.h"
#include "app/TessalineApplication.h"
#include "app/Version.h"
#include "app/WidgetDialogs.h"
#include "app/WindowJournal.h"
#include "link/QtSerialPort.h"
#include "platform/Clock.h"
#include "platform/ProgramExit.h"

#include <QDir>
#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    tess::TessalineApplication app(argc, argv);
    // Names the user's settings folder (~/.config/Tessaline) and the window
    // class; the caption of message boxes is the application's title.
    QCoreApplication::setApplicationName(QStringLiteral("Tessaline"));
    QCoreApplication::setApplicationVersion(QLatin1String(tess::ProgramVersion));

    tess::WidgetDialogs dialogs;
    app.setErrorDialogs(&dialogs);

    // --journal FILE: the boxes and the serial line written down as they
    // happen.
    QString error;
    const std::optional<QString> journalPath = tess::WindowJournal::pathFrom(app.arguments(), &error);
    if (!journalPath) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    std::unique_ptr<tess::WindowJournal> journal;
    if (!journalPath->isEmpty())
        journal = std::make_unique<tess::WindowJournal>(*journalPath, tess::Clock::system(), dialogs);

    // COM1 and COM2 as the user's port map names them.
    tess::QtSerialPort port;
    const tess::StartupServices services{journal ? journal->dialogs() : dialogs,
                                         tess::Clock::system(),
                                         tess::ProgramExit::system(),
                                         QDir::currentPath(),
                                         &port,
                                         QString()};
    tess::StartedProgram program = tess::startTessaline(services);
    if (program.form) {
        dialogs.setParent(program.form.get());
        if (journal)
            journal->attach(*program.form);
    }
    return tess::runTessaline(program);
}
