// Must not compile: a page folder reaching into another page folder.
#include "pages/source/SourceSetupPage.h"
#include "pages/info/InfoPage.h"
