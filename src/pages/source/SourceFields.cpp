#include "pages/source/SourceFields.h"

#include "device/FieldTexts.h"
#include "model/WindowState.h"
#include "pages/MirroredFields.h"
#include "pages/PageContext.h"
#include "pages/source/PositionBounds.h"

namespace tess {

namespace {

// A colour row: its bounds and texts are the device layer's (a send of a
// file's settings checks against them too).
FieldRow colourRow(int n, const char *edit, const char *spin, const char *command)
{
    const ColourField &colour = ColourFields[std::size_t(n - 1)];
    return {.family = ColourBalanceField,
            .first = n,
            .last = n,
            .edit = edit,
            .spin = spin,
            .kind = FieldKind::Real,
            .lower = colour.lower,
            .upper = colour.upper,
            .rangeText = colour.rangeText,
            .noun = colour.notValidNoun,
            .repeatMs = 105,
            .refill = Refill::SourceSetup,
            .command = command};
}

// The position and phase fields report a spin click on a text that is no
// number with their own message.
// clang-format off
const FieldRow SourceRows[] = {
    {.family = HPositionField, .edit = "HPositionEdit", .spin = "HPositionUpDown",
     .lower = RowBound::held(HPositionLowBound), .upper = RowBound::held(HPositionHighBound),
     .boundsMessage = "Error! H Position value out of bounds! (%1 - %2)", .noun = "H Position Value",
     .repeatMs = 105, .flags = SpinReportsNotValid, .refill = Refill::SourceSetup, .command = "IRSPQX"},
    {.family = VPositionField, .edit = "VPositionEdit", .spin = "VPositionUpDown",
     .lower = RowBound::held(VPositionLowBound), .upper = RowBound::held(VPositionHighBound), .maxLength = 5,
     .boundsMessage = "Error! V Position value out of bounds! ", .noun = "V Position Value", .repeatMs = 105,
     .flags = SpinReportsNotValid, .refill = Refill::SourceSetup, .command = "IRSPQX"},
    {.family = PhaseField, .edit = "PhaseEdit", .spin = "PhaseUpDown", .lower = -16, .upper = 15,
     .rangeText = "(-16 - +15)", .maxLength = 4, .boundsMessage = "Error! Phase Offset value out of bounds! (-16 - +15)",
     .noun = "Phase Value", .repeatMs = 105, .flags = SpinReportsNotValid, .refill = Refill::SourceSetup,
     .command = "ICPHOQX"},

    colourRow(1, "LeftOContrastEdit", "LeftOContrastUpDown", "ICNTQX"),
    colourRow(2, "LeftOBrightnessEdit", "LeftOBrightnessUpDown", "IBRTQX"),
    colourRow(3, "LeftRContrastEdit", "LeftRContrastUpDown", "ICNTQX"),
    colourRow(4, "LeftRBrightnessEdit", "LeftRBrightnessUpDown", "IBRTQX"),
    colourRow(5, "LeftGContrastEdit", "LeftGContrastUpDown", "ICNTQX"),
    colourRow(6, "LeftGBrightnessEdit", "LeftGBrightnessUpDown", "IBRTQX"),
    colourRow(7, "LeftBContrastEdit", "LeftBContrastUpDown", "ICNTQX"),
    colourRow(8, "LeftBBrightnessEdit", "LeftBBrightnessUpDown", "IBRTQX"),

    {.family = SeamGainField, .first = 1, .last = 1, .edit = "SeamGain%1Edit", .spin = "SeamGain%1UpDown",
     .upper = 255, .rangeText = "(0 - 255)", .maxLength = 4,
     .boundsMessage = "Error! Seam Position value out of bounds! (0 - 255)", .noun = "Seam Gain Value",
     .repeatMs = 120, .refill = Refill::SeamRemoval, .command = "MANSEAM"},
    {.family = SeamGainField, .first = 2, .last = 8, .edit = "SeamGain%1Edit", .spin = "SeamGain%1UpDown",
     .upper = 255, .rangeText = "(0 - 255)", .maxLength = 4,
     .boundsMessage = "Error! Seam Position value out of bounds! (0 - 255)", .noun = "Seam Gain Value",
     .refill = Refill::SeamRemoval, .command = "MANSEAM"},
    bridgeThresholdRow(BridgeThresholdField, "BridgeThresholdEdit", "BridgeThresholdUpDown"),
};
// clang-format on

double heldPositionBound(const PositionBounds *bounds, int name)
{
    if (!bounds)
        return 0;
    switch (name) {
    case HPositionLowBound:
        return double(bounds->HPositionLow);
    case HPositionHighBound:
        return double(bounds->HPositionHigh);
    case VPositionLowBound:
        return double(bounds->VPositionLow);
    default:
        return double(bounds->VPositionHigh);
    }
}

}  // namespace

std::span<const FieldRow> sourceFields()
{
    return SourceRows;
}

FieldDescription sourceField(PageContext &context, SourceField field, int n, const PositionBounds *bounds)
{
    const FieldRowEnv env{context.refills, context.state,
                          [bounds](int name) { return heldPositionBound(bounds, name); }};
    return describeField(sourceFields(), field, env, n);
}

}  // namespace tess
