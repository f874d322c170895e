#pragma once

namespace tess {

struct PageContext;

// "System Save Quorex(s)", a button on the Information and the Display Setup
// page: under HandlerBusy, and only while SuppressSend is clear and a unit
// is connected, tells unit 1 and then, with more than one unit in use,
// unit 2 to save their settings.
void SystemSave(PageContext &context);

}  // namespace tess
