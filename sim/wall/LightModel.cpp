#include "wall/LightModel.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tess::sim::wall {

namespace {

constexpr int MaxProjectors = 8;
constexpr int GridStep = 64;

bool rowIn(int row, int y, int yEnd)
{
    return row >= y && row < yEnd;
}

// Whether a multiple of `step` lies in [y, yEnd).
bool multipleIn(int step, int y, int yEnd)
{
    const int first = (std::max(y, 0) + step - 1) / step * step;
    return first < yEnd;
}

Rgb grey(double v)
{
    return {v, v, v};
}

double clamp01(double v)
{
    return std::clamp(v, 0.0, 1.0);
}

// Gammas are kept in tenths; the unit's fields take 1.0 to 5.0, and a value
// outside them is drawn at the nearest bound.
double gammaOf(qint32 tenths)
{
    return std::clamp(tenths, 10, 50) / 10.0;
}

// Our stand-in for live video, laid over the whole wall: colour bars at the
// top, a neutral grey field, a grey ramp across the wall at the bottom.
Rgb testImage(double u, double v)
{
    if (v < 0.2) {
        static constexpr std::array<Rgb, 8> bars{
            {{1, 1, 1}, {1, 1, 0}, {0, 1, 1}, {0, 1, 0}, {1, 0, 1}, {1, 0, 0}, {0, 0, 1}, {0, 0, 0}}};
        const Rgb &c = bars[std::clamp(int(u * 8), 0, 7)];
        return {c.r * 0.75, c.g * 0.75, c.b * 0.75};
    }
    if (v >= 0.8)
        return grey(clamp01(u));
    return grey(0.5);
}

// Contrast scales and brightness shifts, overall and per colour, in percent
// (kept in tenths): C 100 / 100 and R, G, B 0 / 0 leave the image as it is.
Rgb balanced(const Rgb &in, const InputSettings &s)
{
    const double contrast = s.contrastC / 1000.0;
    const double lift = (s.brightnessC - 1000) / 1000.0;
    const auto one = [&](double v, qint32 c, qint32 b) {
        return clamp01(v * contrast * (1.0 + c / 1000.0) + lift + b / 1000.0);
    };
    return {one(in.r, s.contrastR, s.brightnessR), one(in.g, s.contrastG, s.brightnessG),
            one(in.b, s.contrastB, s.brightnessB)};
}

struct Overlaps {
    int left = 0;   // pixels of the projector shared with its left neighbour
    int right = 0;  // ... with its right neighbour
};

Overlaps overlapsOf(const Wall &wall, int k)
{
    const int n = int(wall.projectors.size());
    return {k > 0 ? wall.overlap : 0, k < n - 1 ? wall.overlap : 0};
}

// The eight seam gains (128 = unchanged) across each overlap, left to right.
double seamGain(const Wall &wall, int k, int x)
{
    const Overlaps o = overlapsOf(wall, k);
    const auto &gains = wall.projectors[std::size_t(k)].screen.seamGains;
    if (x < o.left)
        return gains[std::size_t(x * 8 / o.left)] / 128.0;
    if (x >= wall.width - o.right)
        return gains[std::size_t((x - (wall.width - o.right)) * 8 / o.right)] / 128.0;
    return 1.0;
}

}  // namespace

Wall sanitised(const Wall &wall)
{
    Wall w = wall;
    w.width = std::clamp(w.width, 16, 8192);
    w.height = std::clamp(w.height, 16, 8192);
    if (w.projectors.empty())
        w.projectors.push_back(Projector{false, {}, {}, {}});
    if (w.projectors.size() > MaxProjectors)
        w.projectors.resize(MaxProjectors);
    w.overlap = w.projectors.size() > 1 ? std::clamp(w.overlap, 0, w.width - 1) : 0;
    return w;
}

int wallWidth(const Wall &wall)
{
    const int n = int(wall.projectors.size());
    return n * wall.width - (n - 1) * wall.overlap;
}

int projectorLeft(const Wall &wall, int k)
{
    return k * (wall.width - wall.overlap);
}

Edge edgeOf(const Wall &wall, int k, bool right)
{
    const Projector &p = wall.projectors[std::size_t(k)];
    const Overlaps o = overlapsOf(wall, k);
    Edge e;
    if (!p.driven)
        return e;
    e.sCurve = p.wide.featherCurve != 'L';
    if (p.wide.advancedMode == 0) {
        e.on = p.wide.basicFeather != 0 && (right ? o.right : o.left) > 0;
        e.gamma = gammaOf(p.wide.basicGamma);
        e.width = wall.overlap;
        return e;
    }
    const ScreenSettings &s = p.screen;
    e.on = (right ? s.rightFeather : s.leftFeather) != 0;
    e.gamma = gammaOf(right ? s.rightGamma : s.leftGamma);
    // A width of 0 (never set) feathers the overlap; a width past the
    // projector's own is drawn as wide as the projector.
    const qint32 width = right ? s.gammaRightWidth : s.gammaLeftWidth;
    e.width = width > 0 ? std::min<qint32>(width, wall.width) : wall.overlap;
    e.offset = std::clamp<qint32>(right ? s.gammaRightOffset : s.gammaLeftOffset, 0, wall.width);
    e.on = e.on && e.width > 0;
    return e;
}

double edgeFactor(const Edge &edge, int inward)
{
    if (!edge.on)
        return 1.0;
    const double t = (inward - edge.offset + 0.5) / edge.width;
    if (t <= 0)
        return 0.0;
    if (t >= 1)
        return 1.0;
    const double shape = edge.sCurve ? t * t * (3 - 2 * t) : t;
    return std::pow(shape, 1.0 / edge.gamma);
}

Rgb patternSignal(const Wall &wall, int k, int x, int y, int yEnd)
{
    const int w = wall.width;
    const int h = wall.height;
    switch (wall.projectors[std::size_t(k)].screen.testPattern) {
    case 0:
        return testImage((projectorLeft(wall, k) + x + 0.5) / wallWidth(wall), (y + 0.5) / h);
    case 1:  // alignment: the raster's outline and a centre cross
        return grey(x == 0 || x == w - 1 || x == w / 2 || rowIn(0, y, yEnd) || rowIn(h - 1, y, yEnd)
                    || rowIn(h / 2, y, yEnd));
    case 2:
        return grey(x % 2 == 0);
    case 3:
        return grey(x / 2 % 2 == 0);
    case 4:  // eight bars, white and black
        return grey(y * 8 / h % 2 == 0);
    case 5:
        return grey(0);
    case 6:
        return grey(0.25);
    case 7:
        return grey(0.5);
    case 8:
        return grey(0.75);
    case 9:
        return grey(1);
    case 10:
        return grey(double(x) / (w - 1));
    default:  // a pattern the unit does not know: nothing on the screen
        return grey(0);
    }
}

Rgb projectorSignal(const Wall &wall, int k, int x, int y, int yEnd)
{
    const Projector &p = wall.projectors[std::size_t(k)];
    if (!p.driven)
        return {};
    const ScreenSettings &s = p.screen;
    Rgb v = patternSignal(wall, k, x, y, yEnd);
    if (s.testPattern == 0) {
        v = balanced(v, p.input);
        const double gain = seamGain(wall, k, x);
        v = {clamp01(v.r * gain), clamp01(v.g * gain), clamp01(v.b * gain)};
    }
    const int w = wall.width;
    if (s.testGrid && (x % GridStep == 0 || multipleIn(GridStep, y, yEnd)))
        v = grey(1);
    if (s.outputRaster && (x == 0 || x == w - 1 || rowIn(0, y, yEnd) || rowIn(wall.height - 1, y, yEnd)))
        v = grey(1);
    const double f = edgeFactor(edgeOf(wall, k, false), x) * edgeFactor(edgeOf(wall, k, true), w - 1 - x);
    return {v.r * f, v.g * f, v.b * f};
}

Rgb lightOf(const Rgb &signal, const Assumptions &a)
{
    const auto one = [&](double v) {
        return a.blackFloor + (1 - a.blackFloor) * std::pow(clamp01(v), a.displayGamma);
    };
    return {one(signal.r), one(signal.g), one(signal.b)};
}

Rgb projectorLight(const Wall &wall, int k, int x, int y, int yEnd, const Assumptions &a)
{
    Rgb light = lightOf(projectorSignal(wall, k, x, y, yEnd), a);
    // The black level adds, to the area no neighbour shares, the light of a
    // signal at that level: what the overlaps gain from two black floors.
    const Projector &p = wall.projectors[std::size_t(k)];
    const Overlaps o = overlapsOf(wall, k);
    if (p.driven && p.screen.blackLevel > 0 && x >= o.left && x < wall.width - o.right) {
        const double lift = (1 - a.blackFloor) * std::pow(p.screen.blackLevel / 255.0, a.displayGamma);
        light = {light.r + lift, light.g + lift, light.b + lift};
    }
    return light;
}

double luminance(const Rgb &light)
{
    return 0.2126 * light.r + 0.7152 * light.g + 0.0722 * light.b;
}

std::vector<Rgb> lightRow(const Wall &given, int y, int yEnd, const Assumptions &assumptions)
{
    const Wall wall = sanitised(given);
    y = std::clamp(y, 0, wall.height - 1);
    yEnd = std::clamp(yEnd, y + 1, wall.height);
    std::vector<Rgb> row(std::size_t(wallWidth(wall)));
    for (int k = 0; k < int(wall.projectors.size()); ++k) {
        const int left = projectorLeft(wall, k);
        for (int x = 0; x < wall.width; ++x) {
            const Rgb light = projectorLight(wall, k, x, y, yEnd, assumptions);
            // An index inside the row, never negative: nothing is lost before the cast.
            Rgb &sum = row[std::size_t(left + x)];  // NOLINT(bugprone-misplaced-widening-cast)
            sum = {sum.r + light.r, sum.g + light.g, sum.b + light.b};
        }
    }
    return row;
}

std::vector<double> luminanceProfile(const Wall &wall, int row, const Assumptions &assumptions)
{
    const std::vector<Rgb> light = lightRow(wall, row, row + 1, assumptions);
    std::vector<double> profile(light.size());
    std::transform(light.begin(), light.end(), profile.begin(), luminance);
    return profile;
}

}  // namespace tess::sim::wall
