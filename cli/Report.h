#pragma once

#include "model/SettingNames.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace tess {
class SettingsModel;
}

namespace tess::cli {

// "show": one "name = value" line a setting, under a "# Group" heading.
QString showText(const QList<settingnames::Setting> &settings);
QByteArray showJson(const QString &source, const QList<settingnames::Setting> &settings);

struct Difference {
    QString name;
    QString a;
    QString b;
};
// The settings whose values differ, in the order show lists them. A
// setting only one side has (a version) is left out.
QList<Difference> differences(const QList<settingnames::Setting> &a, const QList<settingnames::Setting> &b);
// Bytes of the two models' file images that differ outside every named
// setting (records 0 and padding).
int unnamedBytesDiffering(const SettingsModel &a, const SettingsModel &b);
// "name: A → B" lines, and a last line for unnamed bytes that differ.
QString diffText(const QList<Difference> &found, int otherBytes);
QByteArray diffJson(const QString &a, const QString &b, const QList<Difference> &found, int otherBytes);

// What the Information page shows, for every screen of every unit read.
struct StatusFacts {
    int unitCount = 1;
    bool controller = false;
    int ids[2] = {1, 2};
    int outputFormatWidth = 1280;
};
QString statusText(const SettingsModel &model, const StatusFacts &facts);

}  // namespace tess::cli
