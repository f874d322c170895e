// Must not compile: the model reaching the link.
#include "link/Link.h"
#include "model/SettingsModel.h"
