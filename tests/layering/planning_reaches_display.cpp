// Must not compile: a page folder reaching into another page folder.
#include "pages/display/DisplaySetupPage.h"
#include "pages/planning/PlanningPage.h"
