#include "core/UnitState.h"

namespace tess::sim {

namespace {

struct Timing {
    int width, height, hTotal, hStart, vTotal, vStart;
};

// Total pixels per line, first active pixel, total lines and first active
// line of the common modes (VESA timings at 60 Hz).
// clang-format off
constexpr Timing kTimings[] = {
    {640, 480, 800, 144, 525, 35},
    {800, 600, 1056, 216, 628, 27},
    {1024, 768, 1344, 296, 806, 35},
    {1280, 1024, 1688, 360, 1066, 41},
    {1600, 1200, 2160, 496, 1250, 49},
};
// clang-format on

}  // namespace

InputSignal InputSignal::lockedAt(int width, int height)
{
    Timing t = kTimings[3];
    for (const Timing &candidate : kTimings) {
        if (candidate.width == width && candidate.height == height)
            t = candidate;
    }
    InputSignal s;
    s.present = true;
    s.locked = true;
    s.hActive = width;
    s.vActive = height;
    // An unknown size keeps the timing of 1280 x 1024 but never a total
    // smaller than the active size.
    s.hTotal = qMax(t.hTotal, width + t.hStart + 48);
    s.hPositionRef = t.hStart;
    s.vPositionRef = t.vStart;
    s.hPositionMax = s.hTotal - width - 2;
    s.vPositionMax = qMax(t.vTotal, height + t.vStart + 3) - height - 1;
    return s;
}

InputSettings InputSettings::defaultsFor(const InputSignal &signal)
{
    InputSettings settings;
    settings.hPosition = signal.hPositionRef;
    settings.vPosition = signal.vPositionRef;
    return settings;
}

}  // namespace tess::sim
