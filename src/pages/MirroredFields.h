#pragma once

#include "fields/FieldDescription.h"

namespace tess {

// The numeric fields that stand on two pages, each page's copy acting
// through the page that owns the setting.

// The seam bridge threshold: the Seam Removal page's field and the Display
// Setup page's copy; `edit` and `spin` name the controls.
FieldDescription bridgeThresholdDescription(const char *edit, const char *spin);

}  // namespace tess
