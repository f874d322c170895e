#pragma once

#include "fields/FieldRow.h"

#include <span>

namespace tess {

struct PositionBounds;
struct PageContext;

// The numeric fields of the Source Setup and Seam Removal pages: one table
// (SourceFields.cpp).
enum SourceField : int {
    HPositionField,
    VPositionField,
    PhaseField,
    ColourBalanceField,  // per row, 1-8 top to bottom (ColourFields)
    SeamGainField,       // per gain, 1 ("Gain -4") to 8 ("Gain +4")
    BridgeThresholdField,
};

// The bounds the Source Setup page holds, set by each refill from the
// selected channel's record.
enum SourceBound : int {
    HPositionLowBound,
    HPositionHighBound,
    VPositionLowBound,
    VPositionHighBound,
};

std::span<const FieldRow> sourceFields();

// The description of member `n` of `field`; `bounds` are the position
// bounds as the page holds them (read at the moment of a check), null for
// a field that has none.
FieldDescription sourceField(PageContext &context, SourceField field, int n = 0,
                             const PositionBounds *bounds = nullptr);

}  // namespace tess
