#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tess {

// The six Planning values remembered between runs in "Tessaline.ini": one
// line, "%lf %lf %d %d %d %d" (30 is written 30.000000), no header.
struct PlanningPreferences {
    double HorizontalSize = 0;     // HorizontalOutEdit
    double VerticalSize = 0;       // VerticalOutEdit
    int OverlapWidth = 0;          // OWidthEdit, pixels
    int ProjectorCountIndex = -1;  // NumOfScreenComboBox, 0 = "1 Projector"
    int AlignmentIndex = -1;       // ImageAlignComboBox, 0 = "Left Justified"
    int ResolutionIndex = -1;      // ProjectorResComboBox, 0 = "800x600"

    bool operator==(const PlanningPreferences &) const = default;
};

inline constexpr char PreferencesFileName[] = "Tessaline.ini";

// Reads the values from `text` the way "%lf %lf %d %d %d %d" does (any
// white space between them, reals in any form the C library reads: 30,
// 30.0, 3e1, 0x1ep0) and returns how many were read before the first that
// could not be. Reading stops at the first failure; later fields keep
// their previous contents.
int scanPreferences(QByteArrayView text, PlanningPreferences &out);

// Whether values read from a file may be applied: all six read, no
// selection -1, both sizes finite and greater than 0, overlap greater than 0.
bool preferencesAcceptable(const PlanningPreferences &prefs, int valuesRead);

// The file's one line, without a line end.
QByteArray formatPreferences(const PlanningPreferences &prefs);

struct PreferencesReadResult {
    enum class Status { Accepted, Refused, NotOpened };
    Status status = Status::NotOpened;
    PlanningPreferences values;  // meaningful when Accepted
};

// Opens, reads and checks the file at `path`. Anything there that is not a
// plain file of its own (a symbolic link, a folder, a pipe, a device) is
// not opened.
PreferencesReadResult readPreferencesFile(const QString &path);

// Replaces the file at `path` as a whole: the old file stays as it was
// unless the new one was written completely. Never writes through a
// symbolic link: anything at the path that is not a plain file is left
// alone. False when the file could not be written.
bool writePreferencesFile(const QString &path, const PlanningPreferences &prefs);

}  // namespace tess
