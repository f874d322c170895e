#pragma once

#include "fields/FieldRow.h"

namespace tess {

// The numeric fields that stand on two pages, each page's copy acting
// through the page that owns the setting: one row, which each page's table
// lists under its own family name and control names.

// The seam bridge threshold: the Seam Removal page's field and the Display
// Setup page's copy. Empty until the user types a value or a refill finds
// one; an empty field steps from 16. The BRTHRS sender decides by its own
// rule whether a value goes out. A bounds error refills the Seam Removal
// page.
constexpr FieldRow bridgeThresholdRow(int family, const char *edit, const char *spin)
{
    return {.family = family,
            .edit = edit,
            .spin = spin,
            .upper = 255,
            .defaultText = "",
            .rangeText = "(0 - 255)",
            .maxLength = 4,
            .boundsMessage = "Error! Bridge Threshold value out of bounds! (0 - 255)",
            .noun = "Bridge Threshold value",
            .repeatMs = 120,
            .flags = NotADeviceSetting,
            .emptyValue = 16,
            .refill = Refill::SeamRemoval,
            .command = "BRTHRS"};
}

}  // namespace tess
