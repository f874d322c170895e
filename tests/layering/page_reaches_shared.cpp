// Compiles: a page folder sees its own folder, the files every page shares
// and the layers below.
#include "device/Commands.h"
#include "fields/FieldBinding.h"
#include "pages/PageContext.h"
#include "pages/TabPage.h"
#include "pages/Wall.h"
#include "pages/source/ChannelSelect.h"
