#pragma once

#include "device/ScreenEdgesLayout.h"

#include <QString>

namespace tess {

// The names of an edge's captions and enable box, as the window definition
// gives them; its numeric fields are rows of the page's field table.
struct HaloNames {
    QString widthLabel, offsetLabel;
};
HaloNames haloNames(int k, Side side);

struct FeatherNames {
    QString enable, gammaLabel, widthLabel, offsetLabel;
};
FeatherNames featherNames(int k, Side side);

}  // namespace tess
