#include "pages/ConfigurationFiles.h"

#include "device/DeviceHost.h"
#include "device/Refills.h"
#include "model/ConfigurationFile.h"
#include "model/WindowState.h"
#include "pages/PageContext.h"
#include "platform/Dialogs.h"

namespace tess {

namespace {

const QString FileFilter = QStringLiteral("Quorex Config Files (*.qxc)");

}  // namespace

void OpenConfigurationFile(PageContext &context)
{
    Dialogs::FileRequest request;
    request.caption = QStringLiteral("Open Configuration File");
    request.filters = {FileFilter, QStringLiteral("Any file (*.*)")};
    request.mustExist = true;
    const QString path = context.dialogs.openFileName(request);
    if (path.isEmpty())
        return;
    context.device.setBusyCursor(true);
    QString why;
    const ConfigurationFileResult read = ReadConfigurationFile(context.settings, path, &why);
    if (read != ConfigurationFileResult::Done) {
        // The model is as it was, so the window needs no refill.
        context.device.setBusyCursor(false);
        context.dialogs.showMessage(configurationFileMessage(read, path, why));
        return;
    }
    context.state.ConfigurationFileLoaded = true;
    {
        const SuppressSendScope quiet(context.state);
        RefillWholeWindow(context.refills);
    }
    context.dialogs.showMessage(QStringLiteral("File open successful. Tessaline updated with settings from file."));
    context.device.setBusyCursor(false);
}

void SaveConfigurationToFile(PageContext &context)
{
    Dialogs::FileRequest request;
    request.caption = QStringLiteral("Save Configuration to File");
    request.filters = {FileFilter};
    request.defaultSuffix = QStringLiteral("qxc");
    const QString path = context.dialogs.saveFileName(request);
    if (path.isEmpty())
        return;
    context.device.setBusyCursor(true);
    QString why;
    const ConfigurationFileResult saved = WriteConfigurationFile(context.settings, path, &why);
    context.device.setBusyCursor(false);
    if (saved != ConfigurationFileResult::Done)
        context.dialogs.showMessage(configurationFileMessage(saved, path, why));
}

}  // namespace tess
