#pragma once

#include "pages/planning/PlanningMath.h"

namespace tess {
struct PlanningState;
}

namespace tess::planning {

// The wall calculator's steps on its numbers (the planning state): each
// step works out the values it owns from those it reads and leaves the
// rest alone. The Planning page runs them in its handlers' order and shows
// what they changed; nothing here touches a control.
class Steps {
public:
    explicit Steps(PlanningState &state) : p_(state) {}

    // Calculate: the aspect ratio of the output screen's size.
    void aspectFromOutputSize();
    // The input image for the aspect ratio: ProjectorResV high, as wide as
    // the aspect asks.
    void imageSizeFromAspect();
    // The projected width for the vertical size and the aspect ratio.
    void projectedWidthFromAspect();
    // The lens throw for the magnification (the value, also when it is
    // shown as "N/A").
    void lensThrowFromMagnification();
    // The projectors the image needs (the state's count, not limited to 8).
    double projectorsRequired();
    // The overlap for `count` projectors. True when its bounds corrected
    // the overlap: the image then has `count` projectors and a new width,
    // and the aspect must follow it.
    bool overlap(int count, int measuredInputWidth);
    // The aspect ratio, the projected width and the horizontal output size
    // for the image size; false (nothing changed) before the first
    // calculation, when there is no image.
    bool aspectFromImageSize();
    // The projector resolution of the list's item `index` (0 "800x600", 1
    // "1024x768", 2 "1280x1024"); another index keeps the resolution.
    void selectResolution(int index);
    // The list's item of the resolution in force, told by its width; -1
    // for a width no item has.
    int resolutionIndex() const;
    // The columns each projector covers for the overlap entered, with the
    // image width they make; nothing (and no change) without an alignment.
    std::optional<Offsets> imagePositionOffsets(int count, int overlapEntered, Alignment alignment);
    // The wall the units hold: `count` projectors of the output format,
    // each showing `inputWidth` x `inputHeight` of the input, overlapping
    // by `overlapWidth`. The aspect ratio and the horizontal output size
    // keep their values when the input height is unknown (0).
    struct UnitsWall {
        int count = 0;
        int overlapWidth = 0;
        int inputWidth = 0;
        int inputHeight = 0;
        int outputWidth = 0;
        int outputHeight = 0;
    };
    void followUnits(const UnitsWall &wall);

private:
    PlanningState &p_;
};

}  // namespace tess::planning
