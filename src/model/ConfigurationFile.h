#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tess {

class SettingsModel;

// A configuration file (*.qxc) is the four blocks of the settings model back
// to back, with no header: unit 1's input block, unit 2's input block, unit
// 1's output block, unit 2's output block. Records 0 and padding are
// included as held; the firmware versions are not part of it.
inline constexpr qsizetype ConfigurationFileSize = 1720;

inline constexpr qsizetype ConfigurationInputBlockOffset(int unit)
{
    return (unit - 1) * 420;
}
inline constexpr qsizetype ConfigurationOutputBlockOffset(int unit)
{
    return 840 + (unit - 1) * 440;
}

// The file's bytes for the model.
QByteArray ConfigurationFileImage(const SettingsModel &model);
// Replaces all four blocks from a file image; refuses (false, model
// unchanged) anything that is not exactly ConfigurationFileSize bytes.
bool ApplyConfigurationFileImage(SettingsModel &model, QByteArrayView image);

// What became of reading or writing a configuration file.
enum class ConfigurationFileResult {
    Done,
    CannotCreate,  // not written; any old file there is as it was
    CannotOpen,    // not a readable plain file
    BadSize,       // not exactly ConfigurationFileSize bytes
};

// The message the user sees for a failure; empty for Done.
QString configurationFileMessage(ConfigurationFileResult result);
// The same, followed by a second line that names the file and says why:
// "<path>: <reason>" (the reason as the reading or writing gave it).
QString configurationFileMessage(ConfigurationFileResult result, const QString &path, const QString &reason);

// Saves the model to `path`, replacing any file there. The old file stays as
// it was unless the new one was written completely. On failure `reason`
// (when given) receives why, in the system's words ("Permission denied",
// "No space left on device").
ConfigurationFileResult WriteConfigurationFile(const SettingsModel &model, const QString &path,
                                               QString *reason = nullptr);

// Reads a configuration file into the model. Unless the result is Done the
// model is as it was, and `reason` (when given) receives why: the system's
// words, or the size expected and found ("expected 1720 bytes, found 0").
ConfigurationFileResult ReadConfigurationFile(SettingsModel &model, const QString &path, QString *reason = nullptr);

}  // namespace tess
