#include "device/SendAllWalker.h"

#include "device/CommandTable.h"
#include "device/Commands.h"
#include "device/FieldTexts.h"
#include "device/ScreenEdgesLayout.h"
#include "device/SendAllSource.h"
#include "model/NumberFormat.h"
#include "model/SettingsModel.h"
#include "platform/Dialogs.h"

#include <algorithm>
#include <array>

namespace tess {
namespace {

// The seam gain fields' messages (the Seam Removal page shows the same).
const QString GainBoundsMessage = QStringLiteral("Error! Seam Position value out of bounds! (0 - 255)");

QString notValid(const QString &text, const char *noun)
{
    return QStringLiteral("Error! '") + text + QStringLiteral("' is not a valid ") + QLatin1String(noun) + u'.';
}

QString sideWord(Side side)
{
    return side == Side::Left ? QStringLiteral("left") : QStringLiteral("right");
}

const char *const ColourNames[ColourFieldCount] = {
    "contrast",       "brightness",       "red contrast",  "red brightness",
    "green contrast", "green brightness", "blue contrast", "blue brightness",
};

}  // namespace

const QString SendAllWalker::InvalidValueMessage =
    QStringLiteral("Error! Unable to send parameters to Quorex(s). Invalid value exist in one of the settings.");

SendAllWalker::SendAllWalker(Commands &commands, const SettingsModel &model, Dialogs &dialogs, SendAllSource &source,
                             int unitCount)
    : commands_(commands), model_(model), dialogs_(dialogs), source_(source), unitCount_(unitCount)
{
    const int selection = source_.projectorCountSelection();
    if (selection < 0) {
        // No projector count: nothing can be sent.
        add(1, QStringLiteral("projector count"), 0, [] { return false; });
        readBackStart_ = int(steps_.size());
        return;
    }
    projectors_ = selection + 1;
    const bool twoUnits = unitCount_ > 1;
    planWall();
    planChannelInputs(1, 1, std::min(projectors_, 4));
    if (twoUnits)
        planChannelInputs(2, 5, projectors_);
    planScreens(1);
    planUnitWide();
    if (twoUnits)
        planScreens(2);
    planSeams(1, 1, std::min(projectors_, 4));
    if (twoUnits)
        planSeams(2, 5, projectors_);
    planUnitSettings();
    readBackStart_ = int(steps_.size());
    planReadBack();
}

void SendAllWalker::add(int unit, const QString &what, int exchanges, std::function<bool()> act)
{
    steps_.append({unit, what, exchanges, std::move(act)});
}

int SendAllWalker::exchangeCount() const
{
    int total = 0;
    for (const Step &step : steps_)
        total += step.exchanges;
    return total;
}

void SendAllWalker::planWall()
{
    for (int unit = 1; unit <= lastUnit(); ++unit) {
        add(unit, QStringLiteral("projector count"), 1, [this, unit] {
            commands_.PRJ(unit, projectors_);
            return true;
        });
    }
    for (int unit = 1; unit <= lastUnit(); ++unit) {
        add(unit, QStringLiteral("alignment and overlap width"), 1, [this, unit] {
            if (unit == 1) {
                alignment_ = source_.alignmentSelection();
                const std::optional<int> overlap = parseWhole(source_.overlapWidthText());
                if (alignment_ < 0 || !overlap)
                    return false;
                overlap_ = *overlap;
            }
            commands_.DISP(unit, alignment_, overlap_);
            return true;
        });
    }
}

void SendAllWalker::planChannelInputs(int unit, int first, int last)
{
    for (int channel = first; channel <= last; ++channel) {
        const int screen = channel - first + 1;
        const QString name = QStringLiteral("channel %1").arg(channel);
        // The page shows each channel before it is sent, locked or not.
        if (!model_.IsChannelLocked(unit, screen)) {
            add(unit, name + QStringLiteral(": no video lock, not sent"), 0, [this, channel] {
                source_.showSourceChannel(channel);
                return true;
            });
            continue;
        }
        add(unit, name + QStringLiteral(": H position"), 1, [this, unit, screen, channel] {
            source_.showSourceChannel(channel);
            using Position = SendAllSource::Position;
            const Position which[] = {Position::H, Position::V, Position::Phase};
            for (int i = 0; i < 3; ++i) {
                const std::optional<int> value = parseWhole(source_.positionText(which[i]));
                if (!value)
                    return false;
                position_[i] = *value;
            }
            commands_.IRSPQX_H(unit, screen, position_[0]);
            return true;
        });
        add(unit, name + QStringLiteral(": V position"), 1, [this, unit, screen] {
            commands_.IRSPQX_V(unit, screen, position_[1]);
            return true;
        });
        add(unit, name + QStringLiteral(": phase"), 1, [this, unit, screen] {
            commands_.ICPHOQX(unit, screen, position_[2]);
            return true;
        });
        for (int row = 0; row < ColourFieldCount; ++row) {
            add(unit, name + u':' + u' ' + QLatin1String(ColourNames[row]), 1, [this, unit, screen, row] {
                colourExitCheck(unit, screen, row);
                return true;
            });
        }
    }
}

void SendAllWalker::colourExitCheck(int unit, int screen, int row)
{
    const ColourField &field = ColourFields.at(std::size_t(row));
    const QString text = source_.colourText(row);
    const std::optional<double> value = parseReal(text);
    if (!value || *value < field.lower || *value > field.upper) {
        dialogs_.showMessage(!value
                                 ? notValid(text, field.notValidNoun)
                                 : QStringLiteral("Error! Value out of bounds! ") + QLatin1String(field.rangeText));
        source_.colourRefused(row);
        return;
    }
    if (field.contrast)
        commands_.ICNTQX(unit, screen, field.colour, float(*value));
    else
        commands_.IBRTQX(unit, screen, field.colour, float(*value));
}

void SendAllWalker::planScreens(int unit)
{
    const int first = unit == 1 ? 1 : 5;
    const int last = first + 3;
    const auto name = [](int k, const QString &what) { return QStringLiteral("projector %1: %2").arg(k).arg(what); };
    for (int k = first; k <= last; ++k) {
        add(unit, name(k, QStringLiteral("test pattern")), 1, [this, unit, k] {
            // No selection goes out as "Off".
            commands_.OTPMQX(unit, screenInUnit(k), std::max(source_.testPatternSelection(k), 0),
                             source_.outputRaster(k) ? 1 : 0, source_.testGrid(k) ? 1 : 0);
            return true;
        });
    }
    for (const command::ScreenValue *which : command::ScreenValues) {
        for (int k = first; k <= last; ++k) {
            add(unit, name(k, QLatin1String(which->name)), 1, [this, unit, k, which] {
                const std::optional<int> value = parseWhole(source_.screenValueText(k, *which));
                if (!value)
                    return false;
                commands_.sendScreenValue(*which, unit, screenInUnit(k), *value);
                return true;
            });
        }
    }
    // The left halo pairs first, then the right ones.
    for (Side side : {Side::Left, Side::Right}) {
        for (int k = first; k <= last; ++k) {
            if (!hasHaloPair(k, side))
                continue;
            add(unit, name(k, QStringLiteral("halo removal ") + sideWord(side)), 1, [this, unit, k, side] {
                const std::optional<int> width = parseWhole(source_.haloText(k, side, false));
                const std::optional<int> offset = parseWhole(source_.haloText(k, side, true));
                if (!width || !offset)
                    return false;
                commands_.HALO(unit, screenInUnit(k), side == Side::Left ? 0 : 1, *width, *offset);
                return true;
            });
        }
    }
    // The right edges first, then the left ones but for the wall's first.
    for (Side side : {Side::Right, Side::Left}) {
        for (int k = first; k <= last; ++k) {
            if (!hasFeatherEdge(k, side) || (side == Side::Left && k == 1))
                continue;
            add(unit, name(k, QStringLiteral("feathering ") + sideWord(side)), 1, [this, unit, k, side] {
                using Feather = SendAllSource::Feather;
                const std::optional<double> gamma = parseReal(source_.featherText(k, side, Feather::Gamma));
                const std::optional<int> width = parseWhole(source_.featherText(k, side, Feather::Width));
                const std::optional<int> offset = parseWhole(source_.featherText(k, side, Feather::Offset));
                if (!gamma || !width || !offset)
                    return false;
                commands_.PEFT(unit, screenInUnit(k), sideLetter(side), source_.featherEnabled(k, side) ? 1 : 0,
                               float(*gamma), *width, *offset);
                return true;
            });
        }
    }
}

void SendAllWalker::planUnitWide()
{
    for (int unit = 1; unit <= lastUnit(); ++unit) {
        add(unit, QStringLiteral("data doubling"), 1, [this, unit] {
            commands_.DDBL(unit, source_.dataDoubling() ? 1 : 0);
            return true;
        });
    }
    for (int unit = 1; unit <= lastUnit(); ++unit) {
        add(unit, QStringLiteral("basic feathering"), 1, [this, unit] {
            if (unit == 1) {
                const std::optional<double> gamma = parseReal(source_.basicGammaText());
                if (!gamma)
                    return false;
                basicGamma_ = float(*gamma);
            }
            commands_.EFTB(unit, source_.basicFeathering() ? 1 : 0, basicGamma_);
            return true;
        });
    }
    // The units are told their feathering mode without reading their
    // screens back: read now, they would replace in the model the values
    // still to be sent. They are read back once everything is sent.
    for (int unit = 1; unit <= lastUnit(); ++unit) {
        add(unit, QStringLiteral("feathering mode"), 1, [this, unit] {
            commands_.QXCTRL(unit, source_.advancedMode() ? 1 : 0, false);
            modeSent_ = true;
            return true;
        });
    }
}

void SendAllWalker::planSeams(int unit, int first, int last)
{
    for (int channel = first; channel <= last; ++channel) {
        const int screen = channel - first + 1;
        const QString name = QStringLiteral("channel %1").arg(channel);
        if (!model_.IsChannelLocked(unit, screen)) {
            add(unit, name + QStringLiteral(": no video lock, no seam gains sent"), 0, [this, channel] {
                source_.showSeamChannel(channel);
                return true;
            });
            continue;
        }
        // Each gain's exit check sends the channel's eight gains.
        for (int n = 1; n <= 8; ++n) {
            add(unit, name + QStringLiteral(": seam gains (%1 of 8)").arg(n), 1, [this, unit, screen, channel, n] {
                if (n == 1)
                    source_.showSeamChannel(channel);
                seamGainExitCheck(unit, screen, n);
                return true;
            });
        }
    }
}

void SendAllWalker::seamGainExitCheck(int unit, int screen, int n)
{
    const QString text = source_.seamGainText(n);
    const std::optional<int> value = parseWhole(text);
    if (!value || *value < 0 || *value > 255) {
        dialogs_.showMessage(!value ? notValid(text, "Seam Gain Value") : GainBoundsMessage);
        return;
    }
    std::array<int, 8> gains{};
    for (int i = 1; i <= 8; ++i) {
        const QString gain = source_.seamGainText(i);
        const std::optional<int> g = parseWhole(gain);
        if (!g || *g < 0 || *g > 255) {
            dialogs_.showMessage(!g ? QStringLiteral("'%1' is not a valid integer value").arg(gain)
                                    : GainBoundsMessage);
            return;
        }
        gains[std::size_t(i - 1)] = *g;
    }
    commands_.MANSEAM(unit, screen, -4, gains);
}

// The settings a unit holds once for all its screens and that no field
// above carries: the feathering curve, the seam bridge and its threshold.
// Without them a file's wall would reach replaced units only in part. The
// values are the model's; a curve that is neither S nor L and a threshold
// of 0 (a unit that does not report one) are not sent.
void SendAllWalker::planUnitSettings()
{
    for (int unit = 1; unit <= lastUnit(); ++unit) {
        const OutputRecord &wide = model_.output(unit, 1);
        if (wide.FeatherCurve == 'S' || wide.FeatherCurve == 'L') {
            add(unit, QStringLiteral("feathering curve"), 1, [this, unit] {
                commands_.FEATHER(unit, model_.output(unit, 1).FeatherCurve == 'L');
                return true;
            });
        }
        add(unit, QStringLiteral("seam bridge"), 1, [this, unit] {
            commands_.BRDGSEAM(unit, 1, model_.output(unit, 1).SeamBridge != 0 ? 1 : 0);
            return true;
        });
        if (wide.BridgeThreshold != 0) {
            add(unit, QStringLiteral("bridge threshold"), 1, [this, unit] {
                commands_.BRTHRS(unit, model_.output(unit, 1).BridgeThreshold);
                return true;
            });
        }
    }
}

void SendAllWalker::planReadBack()
{
    for (int unit = 1; unit <= lastUnit(); ++unit) {
        add(unit, QStringLiteral("reading the screens back"), SettingsModel::ScreensPerUnit, [this, unit] {
            commands_.readScreensBack(unit);
            return true;
        });
    }
}

bool SendAllWalker::runStep(int index, const std::function<bool(int)> &proceed, bool *stopped)
{
    if (proceed && !proceed(index)) {
        *stopped = true;
        return false;
    }
    const Step &step = steps_.at(index);
    const bool done = step.act();
    if (done) {
        ++stepsDone_;
        exchangesDone_ += step.exchanges;
    }
    return done;
}

SendAllWalker::Outcome SendAllWalker::run(const std::function<bool(int step)> &proceed)
{
    bool stopped = false;
    Outcome outcome = Outcome::Sent;
    for (int i = 0; i < readBackStart_; ++i) {
        if (!runStep(i, proceed, &stopped)) {
            if (stopped)
                return Outcome::Stopped;
            outcome = Outcome::InvalidValue;
            break;
        }
    }
    if (modeSent_) {
        for (int i = readBackStart_; i < int(steps_.size()); ++i) {
            if (!runStep(i, proceed, &stopped) && stopped)
                return Outcome::Stopped;
        }
    }
    return outcome;
}

}  // namespace tess
