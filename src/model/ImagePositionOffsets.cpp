#include "model/ImagePositionOffsets.h"

#include <algorithm>

namespace tess::planning {

std::optional<Offsets> imagePositionOffsets(int count, double resH, int overlapEntered, Alignment alignment)
{
    if (alignment == Alignment::None || count < 1)
        return std::nullopt;
    const auto width = qint64(resH);
    qint64 start = qint64(count - 1) * overlapEntered;
    start = alignment == Alignment::Left ? 0 : start / 2;
    Offsets out;
    qint64 first = start;
    for (int k = 1; k <= std::min(count, 8); ++k) {
        if (k > 1)
            first = out.spans[std::size_t(k - 2)]->second - overlapEntered;
        out.spans[std::size_t(k - 1)] = std::make_pair(first, first + width);
    }
    out.imageSizeH = double(count) * resH - double(count - 1) * overlapEntered;
    return out;
}
}  // namespace tess::planning
