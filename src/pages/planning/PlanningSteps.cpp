#include "pages/planning/PlanningSteps.h"

#include "model/WindowState.h"

#include <cmath>

namespace tess::planning {
namespace {

// The projector resolution list's items, width and height.
constexpr double ListedResolutions[3][2] = {{800, 600}, {1024, 768}, {1280, 1024}};

}  // namespace

void Steps::aspectFromOutputSize()
{
    p_.AspectRatio = p_.OutputSizeH / p_.OutputSizeV;
}

void Steps::imageSizeFromAspect()
{
    p_.ImageSizeH = p_.ProjectorResV * p_.AspectRatio;
    p_.ImageSizeV = p_.ProjectorResV;
}

void Steps::projectedWidthFromAspect()
{
    p_.ProjectedWidth = p_.OutputSizeV * p_.AspectRatio;
}

void Steps::lensThrowFromMagnification()
{
    p_.LensThrow = p_.LensMagnification * p_.ProjectedWidth;
}

double Steps::projectorsRequired()
{
    p_.ProjectorsRequired = planning::projectorsRequired(p_.ProjectorResH, p_.ProjectorResV, p_.AspectRatio);
    return p_.ProjectorsRequired;
}

bool Steps::overlap(int count, int measuredInputWidth)
{
    const Overlap o = computeOverlap(count, p_.ProjectorResH, p_.ImageSizeH, measuredInputWidth);
    p_.OverlapPixels = o.pixels;
    if (o.corrected) {
        p_.ProjectorsRequired = count;
        p_.ImageSizeH = o.imageSizeH;
    }
    p_.MaxOverlapWidth = o.maxOverlap;
    return o.corrected;
}

bool Steps::aspectFromImageSize()
{
    if (!(p_.ImageSizeV > 0))
        return false;
    p_.AspectRatio = p_.ImageSizeH / p_.ImageSizeV;
    projectedWidthFromAspect();
    p_.OutputSizeH = p_.OutputSizeV * p_.AspectRatio;
    return true;
}

void Steps::selectResolution(int index)
{
    if (index >= 0 && index < 3) {
        p_.ProjectorResH = ListedResolutions[index][0];
        p_.ProjectorResV = ListedResolutions[index][1];
    }
}

int Steps::resolutionIndex() const
{
    for (int index = 0; index < 3; ++index) {
        if (p_.ProjectorResH == ListedResolutions[index][0])
            return index;
    }
    return -1;
}

std::optional<Offsets> Steps::imagePositionOffsets(int count, int overlapEntered, Alignment alignment)
{
    p_.OverlapEntered = overlapEntered;
    std::optional<Offsets> offsets =
        planning::imagePositionOffsets(count, p_.ProjectorResH, overlapEntered, alignment);
    if (offsets)
        p_.ImageSizeH = offsets->imageSizeH;
    return offsets;
}

void Steps::followUnits(const UnitsWall &wall)
{
    const int n = wall.count;
    p_.ImageSizeH = double(n) * wall.inputWidth - double(n - 1) * wall.overlapWidth;
    if (wall.inputHeight > 0) {
        p_.AspectRatio = p_.ImageSizeH / wall.inputHeight;
        p_.OutputSizeH = p_.AspectRatio * p_.OutputSizeV;
    }
    p_.OverlapPixels = n >= 2 ? std::ceil((double(n) * wall.inputWidth - p_.ImageSizeH) / (n - 1)) : 0;
    p_.ProjectorResH = wall.outputWidth;
    p_.ProjectorResV = wall.outputHeight;
    p_.ImageSizeV = p_.ProjectorResV;
}

}  // namespace tess::planning
