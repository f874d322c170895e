#include "pages/planning/PlanningFields.h"

#include <limits>

namespace tess {

namespace {

// Planning values set nothing on a unit: a good value goes to the page.
// clang-format off
const FieldRow PlanningRows[] = {
    // 0 is accepted; there is no upper bound.
    {.family = LensMagnificationField, .edit = "LensMagEdit", .kind = FieldKind::Real,
     .upper = std::numeric_limits<double>::max(),
     .boundsMessage = "Error! Lens Magnification value must be greater than 0.", .noun = "Lens Magnification value",
     .flags = NotADeviceSetting},
};
// clang-format on

}  // namespace

std::span<const FieldRow> planningFields()
{
    return PlanningRows;
}

FieldDescription planningField(const Refills &refills, WindowState &state, PlanningField field)
{
    return describeField(planningFields(), field, FieldRowEnv{refills, state, [](int) { return 0.0; }});
}

}  // namespace tess
