#include "model/SettingNames.h"

#include "model/ConfigurationFile.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <type_traits>

namespace tess::settingnames {
namespace {

using Block = Location::Block;

enum class Kind {
    Number,  // a whole number
    Real,    // a single-precision real
    Flag,    // 0 and anything else: words[0], words[1]
    Exact,   // 1 is words[1], anything else words[0] (video loaded, locked)
    Choice,  // an index into a list of texts
    Curve,   // 'S' or 'L'
};

struct Field {
    const char *key;
    int offset;
    int width;
    bool isSigned;
    Kind kind;
    QStringList words;  // Flag, Exact, Choice
};

template <typename Record, typename T>
int offsetOf(T Record::*member)
{
    // The records are standard layout (checked beside them), so the
    // member's place is its offset.
    static const Record probe{};
    return int(reinterpret_cast<const char *>(&(probe.*member)) - reinterpret_cast<const char *>(&probe));
}

template <typename Record, typename T>
Field field(const char *key, T Record::*member, Kind kind = std::is_floating_point_v<T> ? Kind::Real : Kind::Number,
            QStringList words = {})
{
    return {key, offsetOf(member), int(sizeof(T)), std::is_signed_v<T>, kind, std::move(words)};
}

const QStringList OnOff{QStringLiteral("off"), QStringLiteral("on")};
const QStringList YesNo{QStringLiteral("no"), QStringLiteral("yes")};

// The settings a unit holds once, in record 1; the wall's first.
const QList<Field> &wallFields()
{
    static const QList<Field> fields{
        field("projectors", &OutputRecord::TotalProjectors),
        field("alignment", &OutputRecord::Justification, Kind::Choice,
              {QStringLiteral("left"), QStringLiteral("centered")}),
        field("overlap-width", &OutputRecord::OverlapWidth),
        field("data-doubling", &OutputRecord::DataDoubling, Kind::Flag, OnOff),
    };
    return fields;
}

const QList<Field> &unitFields()
{
    static const QList<Field> fields{
        field("projector-group", &OutputRecord::ProjectorGroup, Kind::Choice,
              {QStringLiteral("1-4"), QStringLiteral("5-8")}),
        field("feathering", &OutputRecord::AdvancedMode, Kind::Flag,
              {QStringLiteral("basic"), QStringLiteral("advanced")}),
        field("basic-feathering", &OutputRecord::BasicFeather, Kind::Flag, OnOff),
        field("basic-gamma", &OutputRecord::BasicGamma),
        field("feather-curve", &OutputRecord::FeatherCurve, Kind::Curve),
        field("seam-bridge", &OutputRecord::SeamBridge, Kind::Flag, OnOff),
        field("bridge-threshold", &OutputRecord::BridgeThreshold),
    };
    return fields;
}

const QList<Field> &screenFields()
{
    static const QList<Field> fields{
        field("output-format", &OutputRecord::OutputFormat, Kind::Choice,
              {QStringLiteral("640x480"), QStringLiteral("800x600"), QStringLiteral("1024x768"),
               QStringLiteral("1280x1024")}),
        field("frame-rate", &OutputRecord::FrameRate, Kind::Choice,
              {QStringLiteral("50 Hz"), QStringLiteral("59.94 Hz"), QStringLiteral("75 Hz")}),
        field("output-sync", &OutputRecord::OutputSync),
        field("test-pattern", &OutputRecord::TestPattern, Kind::Choice, testPatternNames()),
        field("test-grid", &OutputRecord::TestGrid, Kind::Flag, OnOff),
        field("output-raster", &OutputRecord::OutputRaster, Kind::Flag, OnOff),
        field("black-level", &OutputRecord::BlackLevel),
        field("halo-left.width", &OutputRecord::HaloLeftWidth),
        field("halo-left.offset", &OutputRecord::HaloLeftOffset),
        field("halo-right.width", &OutputRecord::HaloRightWidth),
        field("halo-right.offset", &OutputRecord::HaloRightOffset),
        field("feather-left", &OutputRecord::LeftFeather, Kind::Flag, OnOff),
        field("feather-left.gamma", &OutputRecord::LeftGamma),
        field("feather-left.width", &OutputRecord::GammaLeftWidth),
        field("feather-left.offset", &OutputRecord::GammaLeftOffset),
        field("feather-right", &OutputRecord::RightFeather, Kind::Flag, OnOff),
        field("feather-right.gamma", &OutputRecord::RightGamma),
        field("feather-right.width", &OutputRecord::GammaRightWidth),
        field("feather-right.offset", &OutputRecord::GammaRightOffset),
    };
    return fields;
}

const QList<Field> &inputFields()
{
    static const QList<Field> fields{
        field("video-loaded", &InputRecord::VideoLoaded, Kind::Exact, YesNo),
        field("video-locked", &InputRecord::VideoLocked, Kind::Exact, YesNo),
        field("h-active", &InputRecord::HActive),
        field("v-active", &InputRecord::VActive),
        field("input-sync", &InputRecord::InputSync, Kind::Choice,
              {QStringLiteral("SOG"), QStringLiteral("COMP"), QStringLiteral("H/V"), QStringLiteral("AUTO")}),
        field("termination", &InputRecord::Termination, Kind::Flag,
              {QStringLiteral("HI-Z"), QStringLiteral("75 Ohm")}),
        field("h-total", &InputRecord::HTotal),
        field("h-position", &InputRecord::HPosition),
        field("h-position-ref", &InputRecord::HPositionRef),
        field("h-position-max", &InputRecord::HPositionMax),
        field("v-position", &InputRecord::VPosition),
        field("v-position-ref", &InputRecord::VPositionRef),
        field("v-position-max", &InputRecord::VPositionMax),
        field("phase", &InputRecord::Phase),
        field("contrast", &InputRecord::ContrastC),
        field("brightness", &InputRecord::BrightnessC),
        field("red-contrast", &InputRecord::ContrastR),
        field("red-brightness", &InputRecord::BrightnessR),
        field("green-contrast", &InputRecord::ContrastG),
        field("green-brightness", &InputRecord::BrightnessG),
        field("blue-contrast", &InputRecord::ContrastB),
        field("blue-brightness", &InputRecord::BrightnessB),
        field("reserved8", &InputRecord::Reserved8),
        field("reserved9", &InputRecord::Reserved9),
    };
    return fields;
}

// The seam gains live in the screen's record but belong to its channel.
const QList<Field> &seamFields()
{
    static const QList<Field> fields{
        field("seam-prefix", &OutputRecord::SeamPrefix), field("seam-gain1", &OutputRecord::SeamGain1),
        field("seam-gain2", &OutputRecord::SeamGain2),   field("seam-gain3", &OutputRecord::SeamGain3),
        field("seam-gain4", &OutputRecord::SeamGain4),   field("seam-gain5", &OutputRecord::SeamGain5),
        field("seam-gain6", &OutputRecord::SeamGain6),   field("seam-gain7", &OutputRecord::SeamGain7),
        field("seam-gain8", &OutputRecord::SeamGain8),
    };
    return fields;
}

// The shortest text that reads back as the same single-precision value.
QString realText(float value)
{
    if (std::isnan(value))
        return QStringLiteral("nan");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return QString::fromLatin1(text, int(end - text));
}

QString valueText(const Field &f, qint64 number, float real)
{
    const auto withNumber = [number](const QString &word) { return QStringLiteral("%1 (%2)").arg(word).arg(number); };
    switch (f.kind) {
    case Kind::Number:
        break;
    case Kind::Real:
        return realText(real);
    case Kind::Flag:
        if (number == 0 || number == 1)
            return f.words.at(int(number));
        return withNumber(f.words.at(1));
    case Kind::Exact:
        if (number == 0 || number == 1)
            return f.words.at(int(number));
        return withNumber(f.words.at(0));
    case Kind::Choice:
        if (number >= 0 && number < f.words.size())
            return f.words.at(int(number));
        return QStringLiteral("%1 (not in the list)").arg(number);
    case Kind::Curve:
        if (number == 'S')
            return QStringLiteral("S-curve");
        if (number == 'L')
            return QStringLiteral("linear");
        return number == 0 ? QStringLiteral("none") : QStringLiteral("%1 (neither S nor L)").arg(number);
    }
    return QString::number(number);
}

Setting describeField(const Field &f, const void *record, const Location &at, const QString &name,
                      const QString &group)
{
    const auto *bytes = static_cast<const unsigned char *>(record) + f.offset;
    qint64 number = 0;
    float real = 0;
    if (f.kind == Kind::Real) {
        std::memcpy(&real, bytes, sizeof real);
    } else if (f.width == 1) {
        number = f.isSigned ? qint64(static_cast<qint8>(bytes[0])) : qint64(bytes[0]);
    } else if (f.width == 2) {
        qint16 v;
        std::memcpy(&v, bytes, sizeof v);
        number = v;
    } else {
        qint32 v;
        std::memcpy(&v, bytes, sizeof v);
        number = v;
    }
    Setting s;
    s.name = name;
    s.group = group;
    s.value = valueText(f, number, real);
    s.raw = f.kind == Kind::Real ? QVariant(double(real)) : QVariant(number);
    s.bytes = QByteArray(reinterpret_cast<const char *>(bytes), f.width);
    s.where = at;
    s.where.offset = f.offset;
    s.where.width = f.width;
    return s;
}

}  // namespace

const QStringList &testPatternNames()
{
    static const QStringList names{
        QStringLiteral("Off"),
        QStringLiteral("Alignment Position"),
        QStringLiteral("1 Pixel On / 1 Pixel Off"),
        QStringLiteral("2 Pixel On / 2 Pixel Off"),
        QStringLiteral("Horizontal Bars"),
        QStringLiteral("Black"),
        QStringLiteral("Grey - 25%"),
        QStringLiteral("Grey - 50%"),
        QStringLiteral("Grey - 75%"),
        QStringLiteral("White"),
        QStringLiteral("Horizontal Ramp"),
    };
    return names;
}

qsizetype fileOffset(const Location &where)
{
    switch (where.block) {
    case Block::Input:
        return ConfigurationInputBlockOffset(where.unit) + where.record * qsizetype(sizeof(InputRecord))
               + where.offset;
    case Block::Output:
        return ConfigurationOutputBlockOffset(where.unit) + where.record * qsizetype(sizeof(OutputRecord))
               + where.offset;
    case Block::Version:
        break;
    }
    return -1;
}

QList<Setting> describe(const SettingsModel &model, bool versions)
{
    QList<Setting> out;
    const auto addAll = [&out](const QList<Field> &fields, const void *record, const Location &at,
                               const QString &prefix, const QString &group) {
        for (const Field &f : fields)
            out << describeField(f, record, at, prefix + QLatin1String(f.key), group);
    };
    const auto unitPrefix = [](int unit) { return QStringLiteral("unit%1.").arg(unit); };
    const auto unitGroup = [](int unit) { return QStringLiteral("Unit %1").arg(unit); };

    // The wall as the window shows it is unit 1's.
    addAll(wallFields(), &model.output(1, 1), {Block::Output, 1, 1}, unitPrefix(1),
           QStringLiteral("Wall and planning"));
    for (int unit = 1; unit <= SettingsModel::UnitCountMax; ++unit) {
        if (versions) {
            Setting v;
            v.name = unitPrefix(unit) + QStringLiteral("version");
            v.group = unitGroup(unit);
            v.value = model.versionText(unit);
            v.raw = v.value;
            v.bytes = QByteArray(model.firmwareVersion(unit).data(), int(sizeof(FirmwareVersionBytes)));
            v.where = {Block::Version, unit, 0, 0, int(sizeof(FirmwareVersionBytes))};
            out << v;
        }
        if (unit == 2)
            addAll(wallFields(), &model.output(unit, 1), {Block::Output, unit, 1}, unitPrefix(unit), unitGroup(unit));
        addAll(unitFields(), &model.output(unit, 1), {Block::Output, unit, 1}, unitPrefix(unit), unitGroup(unit));
    }
    for (int k = 1; k <= 8; ++k) {
        const UnitScreen at = *unitScreenOf(k);
        addAll(screenFields(), &model.projectorOutput(k), {Block::Output, at.unit, at.screen},
               QStringLiteral("projector%1.").arg(k), QStringLiteral("Projector %1").arg(k));
    }
    for (int c = 1; c <= 8; ++c) {
        const UnitScreen at = *unitScreenOf(c);
        const QString prefix = QStringLiteral("channel%1.").arg(c);
        const QString group = QStringLiteral("Channel %1").arg(c);
        addAll(inputFields(), &model.channelInput(c), {Block::Input, at.unit, at.screen}, prefix, group);
        addAll(seamFields(), &model.channelOutput(c), {Block::Output, at.unit, at.screen}, prefix, group);
    }
    // Every screen's status repeats the unit's own settings; the program
    // uses screen 1's, but a file keeps all four.
    for (int unit = 1; unit <= SettingsModel::UnitCountMax; ++unit) {
        for (int screen = 2; screen <= SettingsModel::ScreensPerUnit; ++screen) {
            const QString prefix = QStringLiteral("unit%1.screen%2.").arg(unit).arg(screen);
            const QString group = QStringLiteral("Unit %1 as screens 2-4 report it").arg(unit);
            const Location at{Block::Output, unit, screen};
            addAll(wallFields(), &model.output(unit, screen), at, prefix, group);
            addAll(unitFields(), &model.output(unit, screen), at, prefix, group);
        }
    }
    return out;
}

}  // namespace tess::settingnames
