#include "app/Startup.h"

#include "app/AboutBox.h"
#include "app/SingleInstance.h"
#include "app/TTessalineForm.h"
#include "platform/Dialogs.h"

#include <QApplication>

namespace tess {

StartedProgram startTessaline(const StartupServices &services)
{
    StartedProgram program;
    program.instance = std::make_unique<SingleInstance>(services.instanceDirectory);
    if (!program.instance->claim()) {
        services.dialogs.showMessage(
            QStringLiteral("Error! Already have an instance of the Tessaline running. Exiting application."));
        program.instance->askRunningInstanceToShow();
        return program;
    }

    QApplication::setWindowIcon(applicationIcon());
    program.form = std::make_unique<TTessalineForm>(
        FormServices{services.dialogs, services.clock, services.exit, services.workingDirectory, services.port});
    program.form->createAuxiliaryWindows();

    TTessalineForm *form = program.form.get();
    QObject::connect(program.instance.get(), &SingleInstance::showRequested, form, &TTessalineForm::bringToFront);
    // The program ends with its main window, whatever other window is open.
    QObject::connect(form, &TTessalineForm::closed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    return program;
}

int runTessaline(StartedProgram &program)
{
    if (!program.form)
        return 0;
    program.form->show();
    QApplication::exec();
    return 0;
}

}  // namespace tess
