#pragma once

#include "fields/FieldRow.h"

#include <span>

namespace tess {

struct PageContext;

// The Display Setup page's numeric fields: one table, every field and
// family of the page a row or a few (DisplayFields.cpp).
enum DisplayField : int {
    BlackLevelField,  // per screen
    HaloWidthField,   // per screen and side
    HaloOffsetField,
    EdgeGammaField,
    EdgeWidthField,
    EdgeOffsetField,
    BasicGammaField,
    OverlapWidthField,
    DisplayBridgeThresholdField,
};

// The bounds the page holds.
enum DisplayBound : int {
    MaxOverlapWidthBound,  // the planning's MaxOverlapWidth
};

std::span<const FieldRow> displayFields();

// The description of member `k` (screen), `side` ('L', 'R', 0) of `field`,
// its held bounds read from `context`.
FieldDescription displayField(PageContext &context, DisplayField field, int k = 0, char side = 0);
// The same for a row of the table.
FieldDescription displayField(PageContext &context, const FieldRow &row, int k = 0, char side = 0);

}  // namespace tess
