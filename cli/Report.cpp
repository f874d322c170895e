#include "cli/Report.h"

#include "model/ConfigurationFile.h"
#include "model/ImagePositionOffsets.h"
#include "model/NumberFormat.h"
#include "model/SettingsModel.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <initializer_list>

namespace tess::cli {

QString showText(const QList<settingnames::Setting> &settings)
{
    QString out;
    QString group;
    for (const settingnames::Setting &s : settings) {
        if (s.group != group) {
            if (!group.isEmpty())
                out += u'\n';
            group = s.group;
            out += QStringLiteral("# ") + group + u'\n';
        }
        out += s.name + QStringLiteral(" = ") + s.value + u'\n';
    }
    return out;
}

QByteArray showJson(const QString &source, const QList<settingnames::Setting> &settings)
{
    QJsonArray list;
    for (const settingnames::Setting &s : settings) {
        list.append(QJsonObject{{QStringLiteral("name"), s.name},
                                {QStringLiteral("group"), s.group},
                                {QStringLiteral("value"), s.value},
                                {QStringLiteral("raw"), QJsonValue::fromVariant(s.raw)}});
    }
    const QJsonObject root{{QStringLiteral("source"), source}, {QStringLiteral("settings"), list}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QList<Difference> differences(const QList<settingnames::Setting> &a, const QList<settingnames::Setting> &b)
{
    QHash<QString, const settingnames::Setting *> other;
    for (const settingnames::Setting &s : b)
        other.insert(s.name, &s);
    QList<Difference> found;
    for (const settingnames::Setting &s : a) {
        const settingnames::Setting *t = other.value(s.name);
        // Compared by the bytes stored too: two texts may read alike
        // ("nan") where the bytes differ.
        if (t && (s.value != t->value || s.bytes != t->bytes))
            found.append({s.name, s.value, t->value});
    }
    return found;
}

int unnamedBytesDiffering(const SettingsModel &a, const SettingsModel &b)
{
    const QByteArray first = ConfigurationFileImage(a);
    const QByteArray second = ConfigurationFileImage(b);
    QList<bool> named(first.size(), false);
    for (const settingnames::Setting &s : settingnames::describe(a)) {
        const qsizetype at = settingnames::fileOffset(s.where);
        for (int i = 0; at >= 0 && i < s.where.width; ++i)
            named[at + i] = true;
    }
    int count = 0;
    for (qsizetype i = 0; i < first.size(); ++i)
        count += !named[i] && first[i] != second[i] ? 1 : 0;
    return count;
}

QString diffText(const QList<Difference> &found, int otherBytes)
{
    QString out;
    for (const Difference &d : found)
        out += d.name + QStringLiteral(": ") + d.a + QStringLiteral(" \u2192 ") + d.b + u'\n';
    if (otherBytes > 0)
        out += QStringLiteral("# %1 bytes that no setting names differ (records 0 or padding)\n").arg(otherBytes);
    return out;
}

QByteArray diffJson(const QString &a, const QString &b, const QList<Difference> &found, int otherBytes)
{
    QJsonArray list;
    for (const Difference &d : found)
        list.append(
            QJsonObject{{QStringLiteral("name"), d.name}, {QStringLiteral("a"), d.a}, {QStringLiteral("b"), d.b}});
    const QJsonObject root{{QStringLiteral("a"), a},
                           {QStringLiteral("b"), b},
                           {QStringLiteral("differences"), list},
                           {QStringLiteral("otherBytesDiffering"), otherBytes}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

namespace {

QString choice(unsigned value, std::initializer_list<const char *> texts)
{
    return value < texts.size() ? QLatin1String(texts.begin()[value]) : QStringLiteral("%1 (?)").arg(value);
}

// Two columns: a caption, its value.
void row(QString &out, const QString &caption, const QString &value)
{
    out += QStringLiteral("    ") + caption.leftJustified(20) + value + u'\n';
}

void inputStatus(QString &out, const InputRecord &r)
{
    out += QStringLiteral("  Input Information: %1 x %2\n").arg(r.HActive).arg(r.VActive);
    row(out, QStringLiteral("Video Loaded"), r.VideoLoaded == 1 ? QStringLiteral("True") : QStringLiteral("False"));
    row(out, QStringLiteral("Video Locked"), r.VideoLocked == 1 ? QStringLiteral("True") : QStringLiteral("False"));
    row(out, QStringLiteral("Phase Offset"), QString::number(r.Phase));
    row(out, QStringLiteral("Input Sync"), choice(r.InputSync, {"SOG", "COMP", "H/V", "AUTO"}));
    row(out, QStringLiteral("H Total"), QString::number(r.HTotal));
    row(out, QStringLiteral("H Position"), QString::number(r.HPosition));
    row(out, QStringLiteral("V Position"), QString::number(r.VPosition));
    row(out, QStringLiteral("Input Termination"),
        r.Termination != 0 ? QStringLiteral("75 Ohm") : QStringLiteral("HI-Z"));
    const struct {
        const char *caption;
        float value;
        int precision;
    } colours[] = {
        {"C Contrast", r.ContrastC, 5},     {"C Brightness", r.BrightnessC, 5}, {"R Contrast", r.ContrastR, 4},
        {"R Brightness", r.BrightnessR, 4}, {"G Contrast", r.ContrastG, 4},     {"G Brightness", r.BrightnessG, 4},
        {"B Contrast", r.ContrastB, 4},     {"B Brightness", r.BrightnessB, 4},
    };
    for (const auto &c : colours)
        row(out, QLatin1String(c.caption), formatGeneral(c.value, c.precision, 1) + QStringLiteral(" %"));
}

void outputStatus(QString &out, const OutputRecord &r)
{
    out += QStringLiteral("  Output Information\n");
    row(out, QStringLiteral("Output Sync"),
        choice(r.OutputFormat, {"640x480", "800x600", "1024x768", "1280x1024"}) + u' '
            + choice(r.FrameRate, {"@ 50Hz", "@ 59.94Hz", "@ 75Hz"}) + u' ' + QString::number(r.OutputSync));
    row(out, QStringLiteral("Blend Level"), choice(r.AdvancedMode, {"Basic", "Adv"}));
    row(out, QStringLiteral("Projectors"), choice(r.ProjectorGroup, {"1-4", "5-8"}));
    row(out, QStringLiteral("Total Projectors"), QString::number(r.TotalProjectors));
    row(out, QStringLiteral("Data Doubling"), QString::number(r.DataDoubling));
    row(out, QStringLiteral("Justification"), choice(r.Justification, {"Left", "Center"}));
    row(out, QStringLiteral("Overlap Width"), QString::number(r.OverlapWidth));
    row(out, QStringLiteral("Edge Basic Gamma"), formatGeneral(r.BasicGamma, 3, 5));
    row(out, QStringLiteral("Edge Basic Mode"), QString::number(r.BasicFeather));
    row(out, QStringLiteral("Edge Adv L Gam"), formatGeneral(r.LeftGamma, 3, 5));
    row(out, QStringLiteral("Edge Adv L Mode"), QString::number(r.LeftFeather));
    row(out, QStringLiteral("Edge Adv R Gam"), formatGeneral(r.RightGamma, 3, 5));
    row(out, QStringLiteral("Edge Adv R Mode"), QString::number(r.RightFeather));
    row(out, QStringLiteral("Halo L Width"), QString::number(r.HaloLeftWidth));
    row(out, QStringLiteral("Halo L Offset"), QString::number(r.HaloLeftOffset));
    row(out, QStringLiteral("Halo R Width"), QString::number(r.HaloRightWidth));
    row(out, QStringLiteral("Halo R Offset"), QString::number(r.HaloRightOffset));
    row(out, QStringLiteral("Black Level"), QString::number(r.BlackLevel));
}

}  // namespace

QString statusText(const SettingsModel &model, const StatusFacts &facts)
{
    const int units = facts.unitCount == 2 ? 2 : 1;
    QString out =
        QStringLiteral("QX: %1 (%2)\n")
            .arg(facts.unitCount)
            .arg(facts.controller ? QStringLiteral("through the VKS Controller") : QStringLiteral("directly"));
    for (int unit = 1; unit <= units; ++unit) {
        out += QStringLiteral("Unit %1").arg(unit);
        if (facts.controller)
            out += QStringLiteral(", RS-485 ID %1").arg(facts.ids[unit - 1]);
        out += QStringLiteral(": Version : %1\n").arg(model.versionText(unit));
    }
    for (int unit = 1; unit <= units; ++unit) {
        for (int screen = 1; screen <= SettingsModel::ScreensPerUnit; ++screen) {
            out += QStringLiteral("\nUnit %1, Screen %2 (projector %3)\n")
                       .arg(unit)
                       .arg(screen)
                       .arg((unit - 1) * 4 + screen);
            inputStatus(out, model.input(unit, screen));
            outputStatus(out, model.output(unit, screen));
        }
    }
    // As the window works them out from the wall unit 1 reports.
    const OutputRecord &wall = model.output(1, 1);
    const planning::Alignment alignment = wall.Justification == 0   ? planning::Alignment::Left
                                          : wall.Justification == 1 ? planning::Alignment::Centered
                                                                    : planning::Alignment::None;
    out += QStringLiteral("\nImage Position Offset\n");
    const std::optional<planning::Offsets> offsets =
        planning::imagePositionOffsets(wall.TotalProjectors, facts.outputFormatWidth, wall.OverlapWidth, alignment);
    for (int k = 1; k <= 8; ++k) {
        QString first = QStringLiteral("N/A");
        QString last = first;
        if (offsets) {
            if (const auto &span = offsets->spans[std::size_t(k - 1)]) {
                first = QString::number(span->first);
                last = QString::number(span->second);
            }
        }
        out += QStringLiteral("  Projector %1: %2 - %3\n").arg(k).arg(first, last);
    }
    return out;
}

}  // namespace tess::cli
