#include "pages/planning/PlanningMath.h"

#include <algorithm>
#include <cmath>

namespace tess::planning {

double projectorsRequired(double resH, double resV, double aspect)
{
    // At least one, also when a tiny aspect ratio underflows to 0.
    return std::max(1.0, std::ceil(resV * aspect / resH));
}

Overlap computeOverlap(int count, double resH, double imageSizeH, int effectiveInputWidth)
{
    Overlap out;
    out.imageSizeH = imageSizeH;
    if (count >= 2) {
        out.pixels = std::ceil((count * resH - imageSizeH) / (count - 1));
        if (out.pixels < 64) {
            out.pixels = 64;
            out.imageSizeH = count * resH - (count - 1) * 64.0;
            out.corrected = true;
        }
    }
    if (effectiveInputWidth != 0)
        out.maxOverlap = count <= 2 ? effectiveInputWidth / 2 : effectiveInputWidth / (count - 1);
    else
        out.maxOverlap = int(std::trunc(resH * 0.5));
    if (out.maxOverlap < out.pixels) {
        out.pixels = out.maxOverlap;
        out.imageSizeH = count * resH - (count - 1) * out.pixels;
        out.corrected = true;
    }
    return out;
}

std::optional<double> lensThrow(double magnification, double projectedWidth)
{
    const double throwDistance = magnification * projectedWidth;
    if (throwDistance > 0)
        return throwDistance;
    return std::nullopt;
}

int stripShift(int overlapWidth, double resH)
{
    if (!(resH > 0))
        return 0;
    const double shift = std::trunc(-overlapWidth / (resH * (1.0 / StripHeight)));
    // Past a strip's width every box but the first is out of sight anyway.
    return int(std::clamp(shift, -double(StripWidth) - 1, double(StripWidth) + 1));
}

void layStripBoxes(std::array<BoxRect, 8> &boxes, int count, int shift)
{
    // Box k follows box k - 1's stored right edge, so each box carries the
    // shifts of all boxes before it.
    for (int k = 1; k <= std::min(count, 8); ++k) {
        int left = 5;
        if (k == 2) {
            left = 115 + shift;
        } else if (k > 2) {
            const int earlier = boxes[std::size_t(k - 2)].Right - (115 + 110 * (k - 2));
            left = 5 + 110 * (k - 1) + shift + earlier;
        }
        boxes[std::size_t(k - 1)] = BoxRect{left, 5, left + 110, 99};
    }
}

std::vector<Marker> placementMarkers(int count, double resH, double overlapPixels, double imageSizeH,
                                     double outputSizeH, int width)
{
    std::vector<Marker> markers;
    double centre = std::trunc(resH * 0.5);
    for (int k = 1; k <= std::min(count, 8); ++k) {
        if (k > 1)
            centre = std::trunc(resH * 0.5 - overlapPixels + resH * 0.5 + centre);
        Marker marker;
        marker.label = QStringLiteral("Proj %1").arg(k);
        const double share = imageSizeH > 0 ? centre / imageSizeH : 0;
        // The position is held in single precision: the label shows it and
        // the column is computed from it (a position just below a rounding
        // tie in double precision may lie on it in single). A screen size
        // rejected by Calculate (0 or below) stays in the state, and a huge
        // one does not fit a float: the label then keeps the double, and
        // the column follows the image alone.
        const float position = float(share * outputSizeH);
        marker.value = std::isfinite(position) ? double(position) : share * outputSizeH;
        float column = 0;
        if (outputSizeH > 0 && std::isfinite(outputSizeH) && std::isfinite(position))
            column = float(double(position) / outputSizeH * width);
        else
            column = float(share * width);
        if (!std::isfinite(column))
            column = 0;
        marker.column = int(std::clamp(std::trunc(column), 0.0f, float(width - 1)));
        markers.push_back(marker);
    }
    return markers;
}

namespace {

const QString AnyAlignment = QString(38, u' ') + QStringLiteral("(Center or Left Justified)\r\n");
const QString CentredOnly = QString(38, u' ') + QStringLiteral("(Must be Centered)\r\n");

}  // namespace

QString contentRequirements(int count, const QString &aspect, int resH, int resV, const QString &imageH,
                            const QString &imageV)
{
    QString text = QStringLiteral(" - Single Graphic Source:    %1 : 1 Aspect Ratio Image Required\r\n").arg(aspect) +
                   AnyAlignment;
    const auto heads = [&](int n) {
        return QStringLiteral(" - %1 Head Graphic Source (%2 x %3 resolution): %4 x %5 Image Size Required\r\n")
                   .arg(n)
                   .arg(resH)
                   .arg(resV)
                   .arg(imageH, imageV) +
               AnyAlignment;
    };
    const QString twoHeads =
        QStringLiteral(" - 2 Head Graphic Source:    %1 : 1 Aspect Ratio Image Required\r\n").arg(aspect) + CentredOnly;
    switch (count) {
    case 2: text += twoHeads; break;
    case 3: text += heads(3); break;
    case 4: text += twoHeads + heads(4); break;
    case 5: text += heads(5); break;
    case 6: text += twoHeads + heads(3) + heads(6); break;
    case 7: text += heads(7); break;
    case 8: text += twoHeads + heads(4) + heads(8); break;
    default: break;
    }
    return text;
}

}  // namespace tess::planning
