#pragma once

#include "wall/LightModel.h"

#include <QSize>

namespace tess::sim {
class Simulator;
}

namespace tess::sim::wall {

// The wall as the simulated units have it set up now: unit 1 gives the
// projector count, the raster of its first screen and the overlap; unit 1
// drives projectors 1-4, unit 2 projectors 5-8 (a projector without a unit
// stays dark). Screen s of a unit shows input s.
Wall wallOf(Simulator &sim);

// The raster of an output format (0 640x480 ... 3 1280x1024; any other
// number reads as 1280x1024).
QSize rasterOf(int outputFormat);

}  // namespace tess::sim::wall
