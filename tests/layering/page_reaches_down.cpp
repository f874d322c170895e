// Compiles: a page sees the fields, the device layer and everything below.
#include "device/Commands.h"
#include "fields/FieldBinding.h"
#include "link/Link.h"
#include "model/SettingsModel.h"
#include "pages/TabPage.h"
#include "platform/Clock.h"
