#pragma once

#include "core/UnitState.h"

#include <vector>

namespace tess::sim::wall {

// What the projectors of a wall would put on the screen, predicted from the
// settings of the units that drive them. Nothing here is measured: the model
// assumes a display gamma, a black floor and ideal projectors that add their
// light where they overlap (see sim/README.md, "The virtual wall").

// A colour as the projector's signal (0..1 per component) or as light.
struct Rgb {
    double r = 0;
    double g = 0;
    double b = 0;
};

// One projector of the wall and the settings that shape its image.
struct Projector {
    bool driven = true;       // false: no unit drives it (it stays dark)
    ScreenSettings screen{};  // its screen of the unit
    UnitWideSettings wide{};  // its unit's wide settings
    InputSettings input{};    // its channel's colour settings
    bool operator==(const Projector &) const = default;
};

// The projectors side by side, each `width` x `height` pixels, neighbours
// overlapping by `overlap` pixels.
struct Wall {
    int width = 1280;
    int height = 1024;
    int overlap = 256;
    std::vector<Projector> projectors;
    bool operator==(const Wall &) const = default;
};

struct Assumptions {
    double displayGamma = 2.2;  // signal^gamma = light
    double blackFloor = 0.002;  // light of a black signal, a share of white
};

// One feathered edge as the model applies it.
struct Edge {
    bool on = false;
    double gamma = 2.2;
    int width = 0;   // pixels of the ramp
    int offset = 0;  // pixels between the projector's edge and the ramp
    bool sCurve = true;
};

// The settings made safe: at least one projector, at most eight, an overlap
// that leaves each projector at least one pixel of its own.
Wall sanitised(const Wall &wall);

int wallWidth(const Wall &wall);
int projectorLeft(const Wall &wall, int k);
// The feathering of projector k's left or right edge, in force in the unit's
// mode: basic feathers every overlap with the unit's gamma over the overlap
// width; advanced uses the edge's own switch, gamma, width and offset.
Edge edgeOf(const Wall &wall, int k, bool right);
// The signal multiplier of an edge `inward` pixels in from the projector's
// edge: 0 at the edge, 1 past the ramp; the ramp's shape (S-curve or linear)
// raised to 1/gamma.
double edgeFactor(const Edge &edge, int inward);
// The signal of test pattern `pattern` (0 = live video, stood in for by the
// wall's test image) at local pixel x of a projector; horizontal lines count
// when they fall on any row of [y, yEnd).
Rgb patternSignal(const Wall &wall, int k, int x, int y, int yEnd);
// Projector k's signal at its local pixel: pattern, colour balance and seam
// gains for video, grid and raster box, feathering.
Rgb projectorSignal(const Wall &wall, int k, int x, int y, int yEnd);
// Light of a signal: the black floor plus the rest raised to the display gamma.
Rgb lightOf(const Rgb &signal, const Assumptions &assumptions);
// Projector k's light at its local pixel: its signal's light, plus outside
// the overlaps the black level lift (the light of a signal at that level).
Rgb projectorLight(const Wall &wall, int k, int x, int y, int yEnd, const Assumptions &assumptions);
double luminance(const Rgb &light);

// The light of every wall pixel along rows [y, yEnd): the sum of the
// projectors covering it.
std::vector<Rgb> lightRow(const Wall &wall, int y, int yEnd, const Assumptions &assumptions = {});
// The luminance along one row, in units of one projector's white.
std::vector<double> luminanceProfile(const Wall &wall, int row, const Assumptions &assumptions = {});

}  // namespace tess::sim::wall
