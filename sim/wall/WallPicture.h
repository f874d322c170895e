#pragma once

#include "wall/LightModel.h"

#include <QImage>
#include <QSize>

namespace tess::sim::wall {

// The row of the wall whose luminance the picture plots: a little above the
// middle, clear of the centre lines of the alignment pattern.
int profileRow(const Wall &wall);

// What the wall shows, drawn into an image of `size`: the projectors' summed
// light (full scale is twice one projector's white, so a doubled overlap
// still shows), each projector's frame, and below it the luminance profile
// along `profileRow`. Pure: safe to call from any thread.
QImage wallPicture(const Wall &wall, QSize size, const Assumptions &assumptions = {});

// One line about the wall: projectors, raster, overlap, feathering.
QString wallSummary(const Wall &wall);

}  // namespace tess::sim::wall
