#include "model/ConfigurationFile.h"

#include "model/SettingsModel.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace tess {
namespace {

const char *const CannotCreateText = "Error! Unable to create Configuration file. Check if disk is write-protected";
const char *const CannotOpenText = "Error! Unable to open Configuration file. Check if file exist?";
const char *const BadSizeText = "Error! File corrupted. File size invalid.";

void setReason(QString *reason, const QString &text)
{
    if (reason)
        *reason = text;
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

static_assert(ConfigurationInputBlockOffset(2) + qsizetype(sizeof(UnitInputBlock))
              == ConfigurationOutputBlockOffset(1));
static_assert(ConfigurationOutputBlockOffset(2) + qsizetype(sizeof(UnitOutputBlock)) == ConfigurationFileSize);

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

QString configurationFileMessage(ConfigurationFileResult result, const QString &path, const QString &reason)
{
    const QString message = configurationFileMessage(result);
    if (message.isEmpty())
        return message;
    const QString shownPath = path.isEmpty() ? QStringLiteral("(no file name)") : path;
    return message + u'\n' + shownPath + (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason);
}

ConfigurationFileResult WriteConfigurationFile(const SettingsModel &model, const QString &path, QString *reason)
{
    // Written beside the target and put in its place only when complete, so a
    // full disk or a failing write never leaves a truncated file behind.
    // Unbuffered, because a buffered write that the disk takes only in part
    // is flushed at commit without the shortfall being noticed.
    const QByteArray image = ConfigurationFileImage(model);
    QSaveFile file(path);
    const auto fail = [&](const QString &why) {
        setReason(reason, why);
        file.cancelWriting();
        return ConfigurationFileResult::CannotCreate;
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file.errorString());
    errno = 0;
    const qint64 written = file.write(image);
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    if (written != image.size()) {
        // The disk took only part of it and said why in errno only.
        const QString why = errno != 0 ? systemReason(errno) : QStringLiteral("the write stopped");
        return fail(QStringLiteral("%1 (%2 of %3 bytes written)")
                        .arg(why)
                        .arg(std::max<qint64>(written, 0))
                        .arg(image.size()));
    }
    if (!file.commit())
        return fail(file.errorString());
    return ConfigurationFileResult::Done;
}

ConfigurationFileResult ReadConfigurationFile(SettingsModel &model, const QString &path, QString *reason)
{
    // Only a plain file is opened: a directory cannot be read, and a pipe or
    // device could block or never end.
    if (path.isEmpty()) {
        setReason(reason, systemReason(ENOENT));
        return ConfigurationFileResult::CannotOpen;
    }
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        setReason(reason, systemReason(errno));
        return ConfigurationFileResult::CannotOpen;
    }
    if (S_ISDIR(status.st_mode)) {
        setReason(reason, systemReason(EISDIR));
        return ConfigurationFileResult::CannotOpen;
    }
    if (!S_ISREG(status.st_mode)) {
        setReason(reason, QStringLiteral("not a plain file (a pipe, device or socket)"));
        return ConfigurationFileResult::CannotOpen;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setReason(reason, file.errorString());
        return ConfigurationFileResult::CannotOpen;
    }
    const auto sizeReason = [](qint64 found) {
        return QStringLiteral("expected %1 bytes, found %2").arg(ConfigurationFileSize).arg(found);
    };
    if (file.size() != ConfigurationFileSize) {
        setReason(reason, sizeReason(file.size()));
        return ConfigurationFileResult::BadSize;
    }
    // Everything is read before the model is touched; one byte more is asked
    // for to notice a file that grew since its size was taken.
    const QByteArray image = file.read(ConfigurationFileSize + 1);
    if (image.size() != ConfigurationFileSize) {
        if (image.isEmpty() && file.error() != QFileDevice::NoError) {
            setReason(reason, file.errorString());
            return ConfigurationFileResult::CannotOpen;
        }
        setReason(reason, sizeReason(image.size()));
        return ConfigurationFileResult::BadSize;
    }
    ApplyConfigurationFileImage(model, image);
    return ConfigurationFileResult::Done;
}

}  // namespace tess
