#include "pages/display/DisplaySetupPage.h"

#include "device/CommandTable.h"
#include "device/Commands.h"
#include "fields/FieldBinding.h"
#include "model/WindowState.h"
#include "pages/PageContext.h"
#include "pages/Wall.h"
#include "pages/display/DataDoublingGroup.h"
#include "pages/display/ScreenGroup.h"

#include <QCheckBox>

// What "Send Current Settings" sends of the Display Setup page: the values
// as the controls hold them, in the order the units expect them.
namespace tess {

namespace {

// The screen groups 1-8 of a unit.
int firstScreen(int unit)
{
    return unit == 1 ? 1 : 5;
}

}  // namespace

bool DisplaySetupPage::sendScreens(int unit)
{
    const int first = firstScreen(unit);
    const int last = first + 3;
    for (int k = first; k <= last; ++k)
        screen(k).sendTestPattern();
    for (const command::ScreenValue *which : command::ScreenValues) {
        for (int k = first; k <= last; ++k) {
            const std::optional<double> value = screen(k).value(*which);
            if (!value)
                return false;
            context_.commands.sendScreenValue(*which, unit, screenInUnit(k), int(*value));
        }
    }
    // The left pairs first, then the right ones.
    for (Side side : {Side::Left, Side::Right}) {
        for (int k = first; k <= last; ++k) {
            if (!hasHaloPair(k, side))
                continue;
            const std::optional<std::pair<int, int>> pair = screen(k).edges().readHalo(side);
            if (!pair)
                return false;
            context_.commands.HALO(unit, screenInUnit(k), side == Side::Left ? 0 : 1, pair->first, pair->second);
        }
    }
    // The right edges first, then the left ones but for the wall's first.
    QString failedText;
    FieldKind failedKind = FieldKind::Whole;
    for (Side side : {Side::Right, Side::Left}) {
        for (int k = first; k <= last; ++k) {
            if (!hasFeatherEdge(k, side) || (side == Side::Left && k == 1))
                continue;
            if (!sendFeatherEdge(k, side, &failedText, &failedKind))
                return false;
        }
    }
    return true;
}

void DisplaySetupPage::sendDataDoubling()
{
    const int on = dataDoubling_->dataDoublingOn() ? 1 : 0;
    for (int unit = 1; unit <= context_.wall.lastUnit(); ++unit)
        context_.commands.DDBL(unit, on);
}

bool DisplaySetupPage::sendBasicFeathering()
{
    const std::optional<double> gamma = basicGamma_->value();
    if (!gamma)
        return false;
    sendBasicFeather(basicEnableBox_->isChecked() ? 1 : 0, float(*gamma));
    return true;
}

void DisplaySetupPage::sendFeatherMode()
{
    const int mode = advanceModeBox_->isChecked() ? 1 : 0;
    for (int unit = 1; unit <= context_.wall.lastUnit(); ++unit)
        context_.commands.QXCTRL(unit, mode, false);
}

}  // namespace tess
