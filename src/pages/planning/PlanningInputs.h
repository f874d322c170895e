#pragma once

class QString;

namespace tess {

struct PageContext;
struct PlanningControls;

namespace planning {

// Shows an error of the Planning page and keeps it as the last error text.
void showError(PageContext &context, const QString &text);

// What Calculate works from (its steps 2 to 4): the output screen's size as
// the user typed it, checked and kept in the planning state, and, with a
// unit connected, the units counted and their status read. False when
// Calculate must stop there: the message has been shown (and, for a size,
// the focus put into its field).
bool readCalculationInputs(PageContext &context, const PlanningControls &controls);

}  // namespace planning
}  // namespace tess
