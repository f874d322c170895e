// Must not compile: a page reaching the page registry, which hands out
// every page.
#include "pages/Pages.h"
#include "pages/display/DisplaySetupPage.h"
