#pragma once

#include "fields/FieldRow.h"

#include <span>

namespace tess {

// The Planning page's numeric fields on the field binding: one table
// (PlanningFields.cpp). The output size fields are checked by Calculate
// alone, and the overlap field is a second face of the Display Setup
// page's overlap width field: they are plain edits of the page.
enum PlanningField : int {
    LensMagnificationField,
};

std::span<const FieldRow> planningFields();

// The description of `field`; its refill (none so far) runs through
// `refills` with SuppressSend held in `state`.
FieldDescription planningField(const Refills &refills, WindowState &state, PlanningField field);

}  // namespace tess
