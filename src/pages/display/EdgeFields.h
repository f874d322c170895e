#pragma once

#include "fields/FieldDescription.h"

#include <QString>

namespace tess {

// Screen group k (1-8) addresses unit 1, screen k for 1-4 and unit 2,
// screen k - 4 for 5-8.
inline int unitOfScreen(int k) { return k <= 4 ? 1 : 2; }
inline int screenInUnit(int k) { return (k - 1) % 4 + 1; }

// The two inner edges of a screen: towards the next projector (right) and
// towards the previous one (left).
enum class Side { Left, Right };

inline char sideLetter(Side side) { return side == Side::Left ? 'L' : 'R'; }

// Which edges of screen k carry halo removal and feathering controls: the
// outer edges of the wall have no halo pair; screen 1 feathers both edges,
// screen 8 only its left one.
bool hasHaloPair(int k, Side side);
bool hasFeatherEdge(int k, Side side);

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
