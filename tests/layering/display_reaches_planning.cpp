// Must not compile: a page folder reaching into another page folder.
#include "pages/planning/PlanningPage.h"
#include "pages/display/DisplaySetupPage.h"
