#include "app/Startup.h"
#include "app/TTessalineForm.h"
#include "app/TessalineApplication.h"
#include "app/Version.h"
#include "app/WidgetDialogs.h"
#include "link/QtSerialPort.h"
#include "platform/Clock.h"
#include "platform/ProgramExit.h"

#include <QDir>

int main(int argc, char **argv)
{
    tess::TessalineApplication app(argc, argv);
    // Names the user's settings folder (~/.config/Tessaline) and the window
    // class; the caption of message boxes is the application's title.
    QCoreApplication::setApplicationName(QStringLiteral("Tessaline"));
    QCoreApplication::setApplicationVersion(QLatin1String(tess::ProgramVersion));

    tess::WidgetDialogs dialogs;
    app.setErrorDialogs(&dialogs);

    // COM1 and COM2 as the user's port map names them.
    tess::QtSerialPort port;
    const tess::StartupServices services{dialogs, tess::Clock::system(), tess::ProgramExit::system(),
                                         QDir::currentPath(), &port, QString()};
    tess::StartedProgram program = tess::startTessaline(services);
    if (program.form)
        dialogs.setParent(program.form.get());
    return tess::runTessaline(program);
}
