#include "model/ConfigurationFile.h"

#include "model/SettingsModel.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstring>

namespace tess {
namespace {

const char *const CannotCreateText =
    "Error! Unable to create Configuration file. Check if disk is write-protected";
const char *const CannotOpenText = "Error! Unable to open Configuration file. Check if file exist?";
const char *const BadSizeText = "Error! File corrupted. File size invalid.";

static_assert(ConfigurationInputBlockOffset(2) + qsizetype(sizeof(UnitInputBlock))
              == ConfigurationOutputBlockOffset(1));
static_assert(ConfigurationOutputBlockOffset(2) + qsizetype(sizeof(UnitOutputBlock))
              == ConfigurationFileSize);

}  // namespace

QByteArray ConfigurationFileImage(const SettingsModel &model)
{
    QByteArray image(ConfigurationFileSize, '\0');
    for (int unit = 1; unit <= SettingsModel::UnitCountMax; ++unit) {
        std::memcpy(image.data() + ConfigurationInputBlockOffset(unit), &model.inputBlock(unit),
                    sizeof(UnitInputBlock));
        std::memcpy(image.data() + ConfigurationOutputBlockOffset(unit), &model.outputBlock(unit),
                    sizeof(UnitOutputBlock));
    }
    return image;
}

bool ApplyConfigurationFileImage(SettingsModel &model, QByteArrayView image)
{
    if (image.size() != ConfigurationFileSize)
        return false;
    for (int unit = 1; unit <= SettingsModel::UnitCountMax; ++unit) {
        std::memcpy(&model.inputBlock(unit), image.data() + ConfigurationInputBlockOffset(unit),
                    sizeof(UnitInputBlock));
        std::memcpy(&model.outputBlock(unit), image.data() + ConfigurationOutputBlockOffset(unit),
                    sizeof(UnitOutputBlock));
    }
    return true;
}

QString configurationFileMessage(ConfigurationFileResult result)
{
    switch (result) {
    case ConfigurationFileResult::Done:
        break;
    case ConfigurationFileResult::CannotCreate:
        return QString::fromLatin1(CannotCreateText);
    case ConfigurationFileResult::CannotOpen:
        return QString::fromLatin1(CannotOpenText);
    case ConfigurationFileResult::BadSize:
        return QString::fromLatin1(BadSizeText);
    }
    return QString();
}

ConfigurationFileResult WriteConfigurationFile(const SettingsModel &model, const QString &path)
{
    // Written beside the target and put in its place only when complete, so a
    // full disk or a failing write never leaves a truncated file behind.
    // Unbuffered, because a buffered write that the disk takes only in part
    // is flushed at commit without the shortfall being noticed.
    const QByteArray image = ConfigurationFileImage(model);
    QSaveFile file(path);
    const bool saved = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
                       && file.write(image) == image.size()
                       && file.error() == QFileDevice::NoError
                       && file.commit();
    if (!saved) {
        file.cancelWriting();
        return ConfigurationFileResult::CannotCreate;
    }
    return ConfigurationFileResult::Done;
}

ConfigurationFileResult ReadConfigurationFile(SettingsModel &model, const QString &path)
{
    // Only a plain file is opened: a directory cannot be read, and a pipe or
    // device could block or never end.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return ConfigurationFileResult::CannotOpen;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ConfigurationFileResult::CannotOpen;
    if (file.size() != ConfigurationFileSize)
        return ConfigurationFileResult::BadSize;
    // Everything is read before the model is touched; one byte more is asked
    // for to notice a file that grew since its size was taken.
    const QByteArray image = file.read(ConfigurationFileSize + 1);
    if (image.size() != ConfigurationFileSize) {
        return image.isEmpty() && file.error() != QFileDevice::NoError ? ConfigurationFileResult::CannotOpen
                                                                      : ConfigurationFileResult::BadSize;
    }
    ApplyConfigurationFileImage(model, image);
    return ConfigurationFileResult::Done;
}

}  // namespace tess
