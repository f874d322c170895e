#pragma once

namespace tess::guide {

class PictureBook;

// The session the user's guide walks through, acted out as a user would
// against simulated units (a controller with units 1 and 2, in-process):
// the first start and its search, planning a six-projector wall, every
// page, the service view, saving and opening the wall, sending it, the
// virtual wall, and a search that finds nothing. Each step adds its
// picture to `book`. False when the program did not do what the guide says
// (a box nobody expected, units not found); what went wrong is printed.
bool runGuideSession(PictureBook &book);

}  // namespace tess::guide
