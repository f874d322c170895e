#include "fields/FieldRow.h"

#include "model/WindowState.h"

#include <stdexcept>

namespace tess {

namespace {

QString filledName(const char *pattern, int number, char side)
{
    QString name = QString::fromLatin1(pattern);
    name.replace(QLatin1String("%1"), QString::number(number));
    name.replace(QLatin1String("%2"), side ? QString(QLatin1Char(side)) : QString());
    return name;
}

Bound rowBound(const RowBound &bound, const FieldRowEnv &env)
{
    if (bound.heldName < 0)
        return bound.value;
    return Bound::heldBy([read = env.heldBound, name = bound.heldName] { return read(name); });
}

QString boundText(FieldKind kind, double value)
{
    return kind == FieldKind::Whole ? QString::number(static_cast<long long>(value)) : QString::number(value);
}

}  // namespace

const FieldRow &fieldRow(std::span<const FieldRow> table, int family, int number, char side)
{
    for (const FieldRow &row : table) {
        if (row.family == family && number >= row.first && number <= row.last && (!row.side || row.side == side))
            return row;
    }
    throw std::logic_error("no field row for this member");
}

FieldDescription describeField(const FieldRow &row, const FieldRowEnv &env, int number, char side)
{
    FieldDescription desc;
    desc.edit = filledName(row.edit, number, side);
    if (row.spin)
        desc.spin = filledName(row.spin, number, side);
    desc.kind = row.kind;
    desc.lower = rowBound(row.lower, env);
    desc.upper = rowBound(row.upper, env);
    desc.defaultText = QLatin1String(row.defaultText);
    desc.rangeText = QLatin1String(row.rangeText);
    desc.maxLength = row.maxLength;
    if (row.boundsMessage) {
        const QString message = QLatin1String(row.boundsMessage);
        if (message.contains(QLatin1String("%1"))) {
            desc.composeBoundsMessage = [message, kind = row.kind, lower = desc.lower, upper = desc.upper] {
                return QString(message).arg(boundText(kind, lower()), boundText(kind, upper()));
            };
        } else {
            desc.outOfBoundsMessage = message;
        }
    }
    desc.notValidNoun = QLatin1String(row.noun);
    desc.spinReportsNotValid = (row.flags & SpinReportsNotValid) != 0;
    desc.exitReportsGenericConversion = (row.flags & ExitReportsGenericConversion) != 0;
    desc.repeatMs = row.repeatMs;
    desc.deviceSetting = (row.flags & NotADeviceSetting) == 0;
    desc.skipFocusExitWhileBusy = (row.flags & SkipFocusExitWhileBusy) != 0;
    desc.emptyValue = row.emptyValue;
    if (row.refill) {
        desc.refill = [&refills = env.refills, &state = env.state, what = *row.refill, number] {
            const SuppressSendScope quiet(state);
            refills.run(what, number);
        };
    }
    return desc;
}

FieldDescription describeField(std::span<const FieldRow> table, int family, const FieldRowEnv &env, int number,
                               char side)
{
    return describeField(fieldRow(table, family, number, side), env, number, side);
}

}  // namespace tess
