// Must not compile: a page folder reaching into another page folder.
#include "pages/display/SeamBridgeMirror.h"
#include "pages/source/SeamRemovalPage.h"
