#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tess {

class Dialogs;
class SettingsModel;

// A configuration file (*.qxc) is the four blocks of the settings model back
// to back, with no header: unit 1's input block, unit 2's input block, unit
// 1's output block, unit 2's output block. Records 0 and padding are
// included as held; the firmware versions are not part of it.
inline constexpr qsizetype ConfigurationFileSize = 1720;

inline constexpr qsizetype ConfigurationInputBlockOffset(int unit) { return (unit - 1) * 420; }
inline constexpr qsizetype ConfigurationOutputBlockOffset(int unit) { return 840 + (unit - 1) * 440; }

// The file's bytes for the model.
QByteArray ConfigurationFileImage(const SettingsModel &model);
// Replaces all four blocks from a file image; refuses (false, model
// unchanged) anything that is not exactly ConfigurationFileSize bytes.
bool ApplyConfigurationFileImage(SettingsModel &model, QByteArrayView image);

// Saves the model to `path`, replacing any file there. The old file stays as
// it was unless the new one was written completely. Reports its own failure
// in a message box and returns false then.
bool WriteConfigurationFile(const SettingsModel &model, const QString &path, Dialogs &dialogs);

// Reads a configuration file into the model. Returns true when the model was
// replaced; otherwise it reports why in a message box and leaves the model
// as it was.
bool ReadConfigurationFile(SettingsModel &model, const QString &path, Dialogs &dialogs);

}  // namespace tess
