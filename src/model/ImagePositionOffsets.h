#pragma once

#include <QtGlobal>
#include <array>
#include <optional>
#include <utility>

// Where each projector's picture lies in the input image: the Information
// page's "Image Position Offset", which the command line's status prints
// too.
namespace tess::planning {

// Where the input material sits in the wall's image.
enum class Alignment { None, Left, Centered };

// The input columns each projector covers, and the image width they make.
struct Offsets {
    std::array<std::optional<std::pair<qint64, qint64>>, 8> spans;  // first, end; none past the count
    double imageSizeH = 0;
};
// Nothing when no alignment is chosen.
std::optional<Offsets> imagePositionOffsets(int count, double resH, int overlapEntered, Alignment alignment);

}  // namespace tess::planning
