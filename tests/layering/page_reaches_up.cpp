// Must not compile: a page that includes the main window.
#include "app/TTessalineForm.h"
#include "pages/TabPage.h"
