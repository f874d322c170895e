#pragma once

#include "model/SettingsModel.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// Every setting of the settings model by a plain-text name, with its value
// as a user reads it: what the command line's show and diff print and what
// the journal can name. The names are stable (scripts and support rely on
// them) and documented in the README.
//
//   unit1.projectors, unit2.feather-curve ...     a unit's own settings (its record 1)
//   projector3.black-level, projector3.halo-left.width ...   a screen (1-8)
//   channel5.h-position, channel5.seam-gain1 ...  an input channel (1-8)
//   unit1.screen2.projectors ...                  a unit's own settings as screen 2-4 reports them
namespace tess::settingnames {

// Where a setting's bytes lie in the model.
struct Location {
    enum class Block { Input, Output, Version };
    Block block = Block::Output;
    int unit = 1;
    int record = 1;  // 1-4; 0 for the version
    int offset = 0;  // within the record
    int width = 0;   // bytes
};

struct Setting {
    QString name;   // "projector3.black-level"
    QString group;  // "Projector 3": the heading show prints it under
    QString value;  // "200", "on", "S-curve", "Grey - 50%"
    // The stored number (qint64 or double), or the text of a version.
    QVariant raw;
    // The bytes as stored (two values compare equal exactly when these do).
    QByteArray bytes;
    Location where;
};

// Every setting the model holds, in the order a user reads a wall: the
// wall and planning, each unit, each projector's screen, each input
// channel, then the unit-wide values as screens 2 to 4 report them. With
// `versions`, each unit's firmware version too (it is not part of a file).
QList<Setting> describe(const SettingsModel &model, bool versions = false);

// Where a setting's bytes lie in a configuration file; -1 for a version,
// which a file does not hold.
qsizetype fileOffset(const Location &where);

// The test patterns, numbered by their place in the list.
const QStringList &testPatternNames();

}  // namespace tess::settingnames
