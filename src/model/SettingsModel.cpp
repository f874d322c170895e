#include "model/SettingsModel.h"

#include <QtGlobal>

#include <algorithm>

namespace tess {
namespace {

bool validRecord(int record)
{
    return record >= 1 && record <= SettingsModel::ScreensPerUnit;
}

const InputRecord &zeroInput()
{
    static const InputRecord zero{};
    return zero;
}

const OutputRecord &zeroOutput()
{
    static const OutputRecord zero{};
    return zero;
}

void warnRange(const char *what, int unit, int record)
{
    qWarning("SettingsModel: no %s for unit %d, record %d", what, unit, record);
}

void warnNumber(const char *what, int number)
{
    qWarning("SettingsModel: no %s %d", what, number);
}

}  // namespace

SettingsModel::Unit *SettingsModel::unitAt(int unit)
{
    if (unit < 1 || unit > UnitCountMax)
        return nullptr;
    return &units_[std::size_t(unit - 1)];
}

const SettingsModel::Unit *SettingsModel::unitAt(int unit) const
{
    if (unit < 1 || unit > UnitCountMax)
        return nullptr;
    return &units_[std::size_t(unit - 1)];
}

InputRecord &SettingsModel::inputSink()
{
    sink_.InputBlock.Records[0] = InputRecord{};
    return sink_.InputBlock.Records[0];
}

OutputRecord &SettingsModel::outputSink()
{
    sink_.OutputBlock.Records[0] = OutputRecord{};
    return sink_.OutputBlock.Records[0];
}

InputRecord &SettingsModel::input(int unit, int record)
{
    Unit *u = unitAt(unit);
    if (!u || !validRecord(record)) {
        warnRange("input record", unit, record);
        return inputSink();
    }
    return u->InputBlock.Records[record];
}

const InputRecord &SettingsModel::input(int unit, int record) const
{
    const Unit *u = unitAt(unit);
    if (!u || !validRecord(record)) {
        warnRange("input record", unit, record);
        return zeroInput();
    }
    return u->InputBlock.Records[record];
}

OutputRecord &SettingsModel::output(int unit, int record)
{
    Unit *u = unitAt(unit);
    if (!u || !validRecord(record)) {
        warnRange("output record", unit, record);
        return outputSink();
    }
    return u->OutputBlock.Records[record];
}

const OutputRecord &SettingsModel::output(int unit, int record) const
{
    const Unit *u = unitAt(unit);
    if (!u || !validRecord(record)) {
        warnRange("output record", unit, record);
        return zeroOutput();
    }
    return u->OutputBlock.Records[record];
}

OutputRecord &SettingsModel::projectorOutput(int projector)
{
    if (const auto at = unitScreenOf(projector))
        return output(at->unit, at->screen);
    warnNumber("projector", projector);
    return outputSink();
}

const OutputRecord &SettingsModel::projectorOutput(int projector) const
{
    if (const auto at = unitScreenOf(projector))
        return output(at->unit, at->screen);
    warnNumber("projector", projector);
    return zeroOutput();
}

InputRecord &SettingsModel::channelInput(int channel)
{
    if (const auto at = unitScreenOf(channel))
        return input(at->unit, at->screen);
    warnNumber("input channel", channel);
    return inputSink();
}

const InputRecord &SettingsModel::channelInput(int channel) const
{
    if (const auto at = unitScreenOf(channel))
        return input(at->unit, at->screen);
    warnNumber("input channel", channel);
    return zeroInput();
}

OutputRecord &SettingsModel::channelOutput(int channel)
{
    if (const auto at = unitScreenOf(channel))
        return output(at->unit, at->screen);
    warnNumber("input channel", channel);
    return outputSink();
}

const OutputRecord &SettingsModel::channelOutput(int channel) const
{
    if (const auto at = unitScreenOf(channel))
        return output(at->unit, at->screen);
    warnNumber("input channel", channel);
    return zeroOutput();
}

UnitInputBlock &SettingsModel::inputBlock(int unit)
{
    if (Unit *u = unitAt(unit))
        return u->InputBlock;
    warnNumber("unit", unit);
    sink_.InputBlock = UnitInputBlock{};
    return sink_.InputBlock;
}

const UnitInputBlock &SettingsModel::inputBlock(int unit) const
{
    if (const Unit *u = unitAt(unit))
        return u->InputBlock;
    warnNumber("unit", unit);
    static const UnitInputBlock zero{};
    return zero;
}

UnitOutputBlock &SettingsModel::outputBlock(int unit)
{
    if (Unit *u = unitAt(unit))
        return u->OutputBlock;
    warnNumber("unit", unit);
    sink_.OutputBlock = UnitOutputBlock{};
    return sink_.OutputBlock;
}

const UnitOutputBlock &SettingsModel::outputBlock(int unit) const
{
    if (const Unit *u = unitAt(unit))
        return u->OutputBlock;
    warnNumber("unit", unit);
    static const UnitOutputBlock zero{};
    return zero;
}

bool SettingsModel::IsChannelLocked(int unit, int screen) const
{
    return input(unit, screen).VideoLocked == 1;
}

int SettingsModel::EffectiveInputWidth(int outputFormatWidth) const
{
    const std::int32_t active = input(1, 1).HActive;
    return active != 0 ? active : outputFormatWidth;
}

int SettingsModel::EffectiveInputHeight(int outputFormatHeight) const
{
    const std::int32_t active = input(1, 1).VActive;
    return active != 0 ? active : outputFormatHeight;
}

void SettingsModel::setFirmwareVersion(int unit, const FirmwareVersionBytes &payload)
{
    Unit *u = unitAt(unit);
    if (!u) {
        warnNumber("unit", unit);
        return;
    }
    u->FirmwareVersion = payload;
    u->FirmwareVersion.back() = '\0';
}

const FirmwareVersionBytes &SettingsModel::firmwareVersion(int unit) const
{
    if (const Unit *u = unitAt(unit))
        return u->FirmwareVersion;
    warnNumber("unit", unit);
    static const FirmwareVersionBytes zero{};
    return zero;
}

QString SettingsModel::versionText(int unit) const
{
    const FirmwareVersionBytes &v = firmwareVersion(unit);
    // Bytes 3 to 7; the eighth is the terminator.
    const auto first = v.begin() + 2;
    const auto last = std::find(first, v.end() - 1, '\0');
    return QString::fromLatin1(&*first, last - first);
}

}  // namespace tess
