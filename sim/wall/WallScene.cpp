#include "wall/WallScene.h"

#include "core/Simulator.h"

#include <QSize>

#include <algorithm>

namespace tess::sim::wall {

QSize rasterOf(int outputFormat)
{
    switch (outputFormat) {
    case 0:
        return {640, 480};
    case 1:
        return {800, 600};
    case 2:
        return {1024, 768};
    default:
        return {1280, 1024};
    }
}

Wall wallOf(Simulator &sim)
{
    Wall wall;
    if (sim.unitCount() == 0)
        return sanitised(wall);  // one dark projector
    Unit &first = sim.unit(1);
    const QSize raster = rasterOf(first.outputs[0].format);
    wall.width = raster.width();
    wall.height = raster.height();
    wall.overlap = first.settings.wide.overlapWidth;
    const int count = std::clamp<int>(first.settings.wide.totalProjectors, 1, 8);
    for (int k = 0; k < count; ++k) {
        const int unit = k / 4 + 1;
        const int screen = k % 4;
        if (unit > sim.unitCount()) {
            wall.projectors.push_back(Projector{false, {}, {}, {}});
            continue;
        }
        const UnitSettings &s = sim.unit(unit).settings;
        wall.projectors.push_back(
            Projector{true, s.screens[std::size_t(screen)], s.wide, s.inputs[std::size_t(screen)]});
    }
    return sanitised(wall);
}

}  // namespace tess::sim::wall
