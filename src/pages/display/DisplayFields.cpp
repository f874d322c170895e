#include "pages/display/DisplayFields.h"

#include "device/CommandTable.h"
#include "model/WindowState.h"
#include "pages/MirroredFields.h"
#include "pages/PageContext.h"

namespace tess {

namespace {

// Screens 1-3 repeat at 105 ms; the second unit's black levels keep out of
// a handler that is running. The edge of a screen that is the only one of
// its kind there (screen 1's right, screen 8's left) carries no side letter
// in its name; screen 1's right width and offset neither.
// clang-format off
const FieldRow DisplayRows[] = {
    {.family = BlackLevelField, .first = 1, .last = 1, .edit = "Black%1Edit", .spin = "Black%1UpDown", .upper = 255,
     .rangeText = "(0 - 255)", .maxLength = 5, .noun = "Black Level", .repeatMs = 105, .flags = ServiceViewOnly,
     .refill = Refill::BlackLevel, .screenValue = &command::BlackLevel, .caption = "Black Level ",
     .label = "BlackLabel%1"},
    {.family = BlackLevelField, .first = 2, .last = 3, .edit = "Black%1Edit", .spin = "Black%1UpDown", .upper = 255,
     .rangeText = "(0 - 255)", .noun = "Black Level", .repeatMs = 105, .flags = ServiceViewOnly,
     .refill = Refill::BlackLevel, .screenValue = &command::BlackLevel, .caption = "Black Level ",
     .label = "BlackLabel%1"},
    {.family = BlackLevelField, .first = 4, .last = 4, .edit = "Black%1Edit", .spin = "Black%1UpDown", .upper = 255,
     .rangeText = "(0 - 255)", .noun = "Black Level", .flags = ServiceViewOnly, .refill = Refill::BlackLevel,
     .screenValue = &command::BlackLevel, .caption = "Black Level ", .label = "BlackLabel%1"},
    {.family = BlackLevelField, .first = 5, .last = 8, .edit = "Black%1Edit", .spin = "Black%1UpDown", .upper = 255,
     .rangeText = "(0 - 255)", .noun = "Black Level", .flags = SkipFocusExitWhileBusy | ServiceViewOnly,
     .refill = Refill::BlackLevel, .screenValue = &command::BlackLevel, .caption = "Black Level ",
     .label = "BlackLabel%1"},

    {.family = HaloWidthField, .first = 1, .last = 1, .side = 'R', .edit = "HaloWidth%1Edit",
     .spin = "HaloWidth%1UpDown", .upper = 64, .rangeText = "(0 - 64)", .maxLength = 3,
     .boundsMessage = "Error! Halo width out of bounds. (0 - 64)", .noun = "Halo width value", .command = "HALO"},
    {.family = HaloWidthField, .first = 2, .last = 7, .edit = "%2HaloWidth%1Edit", .spin = "%2HaloWidth%1UpDown",
     .upper = 64, .rangeText = "(0 - 64)", .maxLength = 3, .boundsMessage = "Error! Halo width out of bounds. (0 - 64)",
     .noun = "Halo width value", .command = "HALO"},
    {.family = HaloWidthField, .first = 8, .last = 8, .side = 'L', .edit = "HaloWidth%1Edit",
     .spin = "HaloWidth%1UpDown", .upper = 64, .rangeText = "(0 - 64)", .maxLength = 3,
     .boundsMessage = "Error! Halo width out of bounds. (0 - 64)", .noun = "Halo width value", .command = "HALO"},
    {.family = HaloOffsetField, .first = 1, .last = 1, .side = 'R', .edit = "HaloOffset%1Edit",
     .spin = "HaloOffset%1UpDown", .upper = 255, .rangeText = "(0 - 255)", .maxLength = 4,
     .boundsMessage = "Error! Halo offset out of bounds. (0 - 255)", .noun = "Halo offset value", .command = "HALO"},
    {.family = HaloOffsetField, .first = 2, .last = 7, .edit = "%2HaloOffset%1Edit", .spin = "%2HaloOffset%1UpDown",
     .upper = 255, .rangeText = "(0 - 255)", .maxLength = 4,
     .boundsMessage = "Error! Halo offset out of bounds. (0 - 255)", .noun = "Halo offset value", .command = "HALO"},
    {.family = HaloOffsetField, .first = 8, .last = 8, .side = 'L', .edit = "HaloOffset%1Edit",
     .spin = "HaloOffset%1UpDown", .upper = 255, .rangeText = "(0 - 255)", .maxLength = 4,
     .boundsMessage = "Error! Halo offset out of bounds. (0 - 255)", .noun = "Halo offset value", .command = "HALO"},

    // Screen 1's left gamma lets a text that is no number through to the
    // generic conversion message.
    {.family = EdgeGammaField, .first = 1, .last = 1, .side = 'L', .edit = "%2Gamma%1Edit", .spin = "%2Gamma%1UpDown",
     .kind = FieldKind::Real, .lower = 1.0, .upper = 5.0, .defaultText = "2.2", .rangeText = "(1.0 - 5.0)",
     .noun = "Edge Feathering Gamma value", .repeatMs = 100, .flags = ExitReportsGenericConversion,
     .command = "PEFT"},
    {.family = EdgeGammaField, .first = 1, .last = 1, .side = 'R', .edit = "Gamma%1Edit", .spin = "Gamma%1UpDown",
     .kind = FieldKind::Real, .lower = 1.0, .upper = 5.0, .defaultText = "2.2", .rangeText = "(1.0 - 5.0)",
     .noun = "Edge Feathering Gamma value", .repeatMs = 100, .command = "PEFT"},
    {.family = EdgeGammaField, .first = 2, .last = 7, .edit = "%2Gamma%1Edit", .spin = "%2Gamma%1UpDown",
     .kind = FieldKind::Real, .lower = 1.0, .upper = 5.0, .defaultText = "2.2", .rangeText = "(1.0 - 5.0)",
     .noun = "Edge Feathering Gamma value", .repeatMs = 100, .command = "PEFT"},
    {.family = EdgeGammaField, .first = 8, .last = 8, .side = 'L', .edit = "Gamma%1Edit", .spin = "Gamma%1UpDown",
     .kind = FieldKind::Real, .lower = 1.0, .upper = 5.0, .defaultText = "2.2", .rangeText = "(1.0 - 5.0)",
     .noun = "Edge Feathering Gamma value", .repeatMs = 100, .command = "PEFT"},
    {.family = EdgeWidthField, .first = 1, .last = 1, .side = 'L', .edit = "%2GammaWidth%1Edit",
     .spin = "%2GammaWidth%1UpDown", .lower = 64, .upper = RowBound::held(MaxOverlapWidthBound), .maxLength = 4,
     .boundsMessage = "Error! Gamma width out of bounds.", .noun = "width value", .command = "PEFT"},
    {.family = EdgeWidthField, .first = 1, .last = 1, .side = 'R', .edit = "GammaWidth%1Edit",
     .spin = "GammaWidth%1UpDown", .lower = 64, .upper = RowBound::held(MaxOverlapWidthBound), .maxLength = 4,
     .boundsMessage = "Error! Gamma width out of bounds.", .noun = "width value", .command = "PEFT"},
    {.family = EdgeWidthField, .first = 2, .last = 8, .edit = "%2GammaWidth%1Edit", .spin = "%2GammaWidth%1UpDown",
     .lower = 64, .upper = RowBound::held(MaxOverlapWidthBound), .maxLength = 3,
     .boundsMessage = "Error! Gamma width out of bounds.", .noun = "width value", .command = "PEFT"},
    {.family = EdgeOffsetField, .first = 1, .last = 1, .side = 'L', .edit = "%2GammaOffset%1Edit",
     .spin = "%2GammaOffset%1UpDown", .upper = 511, .rangeText = "(0 - 511)", .maxLength = 3,
     .boundsMessage = "Error! Offset out of bounds. (0 - 511)", .noun = "offset value", .command = "PEFT"},
    {.family = EdgeOffsetField, .first = 1, .last = 1, .side = 'R', .edit = "GammaOffset%1Edit",
     .spin = "GammaOffset%1UpDown", .upper = 511, .rangeText = "(0 - 511)", .maxLength = 3,
     .boundsMessage = "Error! Offset out of bounds. (0 - 511)", .noun = "offset value", .command = "PEFT"},
    {.family = EdgeOffsetField, .first = 2, .last = 8, .edit = "%2GammaOffset%1Edit", .spin = "%2GammaOffset%1UpDown",
     .upper = 511, .rangeText = "(0 - 511)", .maxLength = 4, .boundsMessage = "Error! Offset out of bounds. (0 - 511)",
     .noun = "offset value", .command = "PEFT"},

    {.family = BasicGammaField, .edit = "BasicGammaEdit", .spin = "BasicGammaUpDown", .kind = FieldKind::Real,
     .lower = 1.0, .upper = 5.0, .defaultText = "2.2", .rangeText = "(1.0 - 5.0)", .maxLength = 4,
     .noun = "Edge Feathering Gamma value", .repeatMs = 106, .refill = Refill::BasicFeather, .command = "EFTB"},
    // Whether a good overlap is sent depends on the planning's overlap too:
    // the page decides on acceptance.
    {.family = OverlapWidthField, .edit = "OWidthEdit", .spin = "OWidthUpDown", .lower = 64,
     .upper = RowBound::held(MaxOverlapWidthBound), .defaultText = "64",
     .boundsMessage = "Error! Overlap Width value out of bounds!", .noun = "Overlap Width", .repeatMs = 1000,
     .flags = NotADeviceSetting, .refill = Refill::DataDoubling, .command = "DISP"},
    // The Seam Removal page's threshold, repeated.
    bridgeThresholdRow(DisplayBridgeThresholdField, "DisplaySetupBridgeThresholdEdit",
                       "DisplaySetupBridgeThresholdUpDown"),
};
// clang-format on

}  // namespace

std::span<const FieldRow> displayFields()
{
    return DisplayRows;
}

FieldDescription displayField(PageContext &context, const FieldRow &row, int k, char side)
{
    const FieldRowEnv env{context.refills, context.state,
                          [&planning = context.planning](int) { return double(planning.MaxOverlapWidth); }};
    return describeField(row, env, k, side);
}

FieldDescription displayField(PageContext &context, DisplayField field, int k, char side)
{
    return displayField(context, fieldRow(displayFields(), field, k, side), k, side);
}

}  // namespace tess
