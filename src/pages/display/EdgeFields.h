#pragma once

#include "device/ScreenEdgesLayout.h"
#include "fields/FieldDescription.h"

#include <QString>

namespace tess {

// The names of one edge's controls, as the window definition gives them.
struct HaloNames {
    QString width, widthSpin, offset, offsetSpin, widthLabel, offsetLabel;
};
HaloNames haloNames(int k, Side side);

struct FeatherNames {
    QString enable, gamma, gammaSpin, gammaLabel, width, widthSpin, offset, offsetSpin, widthLabel, offsetLabel;
};
FeatherNames featherNames(int k, Side side);

// The numeric fields of the halo removal pairs and of the feathered edges.
// Enter successors, refills and bounds held elsewhere are added by the page.
FieldDescription haloWidthDescription(int k, Side side);
FieldDescription haloOffsetDescription(int k, Side side);
FieldDescription edgeGammaDescription(int k, Side side);
FieldDescription edgeWidthDescription(int k, Side side, Bound maxOverlapWidth);
FieldDescription edgeOffsetDescription(int k, Side side);
FieldDescription basicGammaDescription();

}  // namespace tess
