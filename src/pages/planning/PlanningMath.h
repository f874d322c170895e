#pragma once

#include "model/ImagePositionOffsets.h"
#include "model/WindowState.h"

#include <QRect>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

// The wall calculator's arithmetic and the geometry of its two pictures, as
// functions of numbers. The Planning page feeds them its state and shows or
// paints what they return.
namespace tess::planning {

// Projectors needed to cover an image ProjectorResV x aspect wide: the
// ceiling of that width over ProjectorResH (not limited to 8).
double projectorsRequired(double resH, double resV, double aspect);

// The overlap for `count` projectors of `resH` pixels showing an image
// `imageSizeH` wide, bounded below by 64 and above by the largest overlap.
struct Overlap {
    double pixels = 0;       // OverlapPixels
    double imageSizeH = 0;   // the image width, changed only when corrected
    bool corrected = false;  // the bounds changed the overlap and the image
    int maxOverlap = 0;      // MaxOverlapWidth
};
// `effectiveInputWidth` is the width measured by unit 1 when the settings
// were read from the units, else 0.
Overlap computeOverlap(int count, double resH, double imageSizeH, int effectiveInputWidth);

// The lens throw distance, or nothing for "N/A".
std::optional<double> lensThrow(double magnification, double projectedWidth);

// The projector strip (905 x 110): the shift per overlap in strip pixels
// (negative), and the boxes after drawing `count` projectors with it.
// Boxes past the count keep their earlier rectangles.
inline constexpr int StripWidth = 905;
inline constexpr int StripHeight = 110;
int stripShift(int overlapWidth, double resH);
void layStripBoxes(std::array<BoxRect, 8> &boxes, int count, int shift);

// The placement picture (477 x 128): one marker per projector.
inline constexpr int PlacementWidth = 477;
inline constexpr int PlacementHeight = 128;
struct Marker {
    int column = 0;    // picture column of the dashed line
    double value = 0;  // position in the user's screen unit, in single precision
    QString label;     // "Proj 1" ...
};
std::vector<Marker> placementMarkers(int count, double resH, double overlapPixels, double imageSizeH,
                                     double outputSizeH, int width = PlacementWidth);

// The texts of the placement picture: "0" and the screen width at the ends
// of the ruler, each marker's position above it and its label below, each
// with the rectangle it is written in. Every rectangle lies inside the
// picture: a text that would be cut at an edge comes inside, one that would
// run into its neighbour moves aside (towards the left near the right end),
// and one wider than the picture is narrowed to it.
struct PlacementText {
    QString text;
    QRect rect;
};
std::vector<PlacementText> placementTexts(const std::vector<Marker> &markers, const QString &screenWidth,
                                          const std::function<int(const QString &)> &textWidth, int textHeight,
                                          int width = PlacementWidth, int height = PlacementHeight);

// The "Image Content Creation Requirement" text for `count` projectors (0:
// none chosen): `aspect` is the aspect ratio's text, `imageH` and `imageV`
// the texts of the image size.
QString contentRequirements(int count, const QString &aspect, int resH, int resV, const QString &imageH,
                            const QString &imageV);

}  // namespace tess::planning
