#include "pages/planning/PlanningMath.h"

#include "model/NumberFormat.h"

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

// Lays out one row of texts, given from left to right with their wanted
// left edges: each keeps its place where it fits; one that would cross an
// edge comes inside, one that would run into the text before it moves
// right, and one that would then run into the text after it or past the
// right margin moves left. Only a row wider than the picture still has
// texts that meet.
void layRow(const std::vector<PlacementText *> &row, int width)
{
    constexpr int Margin = 3;  // as far from the right edge as "0" is from the left
    constexpr int Gap = 5;     // a little more than a space
    for (PlacementText *text : row) {
        QRect &rect = text->rect;
        rect.setWidth(std::min(rect.width(), width));
        rect.moveLeft(std::clamp(rect.left(), 0, std::max(0, width - Margin - rect.width())));
    }
    int floor = 0;
    for (PlacementText *text : row) {
        QRect &rect = text->rect;
        rect.moveLeft(std::max(rect.left(), floor));
        floor = rect.right() + 1 + Gap;
    }
    int limit = width - Margin;
    for (auto it = row.rbegin(); it != row.rend(); ++it) {
        QRect &rect = (*it)->rect;
        rect.moveLeft(std::clamp(std::min(rect.left(), limit - rect.width()), 0, width - rect.width()));
        limit = rect.left() - Gap;
    }
}

}  // namespace

std::vector<PlacementText> placementTexts(const std::vector<Marker> &markers, const QString &screenWidth,
                                          const std::function<int(const QString &)> &textWidth, int textHeight,
                                          int width, int height)
{
    // Texts are wanted with their top left corner where the picture's
    // design puts them; the bottom row rises when the font is too tall.
    const int top = 5;
    const int bottom = std::max(0, std::min(height - 15, height - textHeight));
    const auto text = [&](const QString &shown, int left, int y) {
        return PlacementText{shown, QRect(left, y, textWidth(shown), std::min(textHeight, height))};
    };
    std::vector<PlacementText> texts;
    texts.reserve(2 + 2 * markers.size());
    texts.push_back(text(QStringLiteral("0"), 3, top));
    for (const Marker &marker : markers)
        texts.push_back(text(formatGeneral(marker.value, 3), marker.column - 8, top));
    texts.push_back(text(screenWidth, width - 20, top));
    for (const Marker &marker : markers)
        texts.push_back(text(marker.label, marker.column - 8, bottom));

    std::vector<PlacementText *> upper;
    std::vector<PlacementText *> lower;
    for (std::size_t i = 0; i < texts.size(); ++i)
        (i < markers.size() + 2 ? upper : lower).push_back(&texts[i]);
    layRow(upper, width);
    layRow(lower, width);
    return texts;
}

namespace {

const QString AnyAlignment = QString(38, u' ') + QStringLiteral("(Center or Left Justified)\r\n");
const QString CentredOnly = QString(38, u' ') + QStringLiteral("(Must be Centered)\r\n");

}  // namespace

QString contentRequirements(int count, const QString &aspect, int resH, int resV, const QString &imageH,
                            const QString &imageV)
{
    QString text = QStringLiteral(" - Single Graphic Source:    %1 : 1 Aspect Ratio Image Required\r\n").arg(aspect)
                   + AnyAlignment;
    const auto heads = [&](int n) {
        return QStringLiteral(" - %1 Head Graphic Source (%2 x %3 resolution): %4 x %5 Image Size Required\r\n")
                   .arg(n)
                   .arg(resH)
                   .arg(resV)
                   .arg(imageH, imageV)
               + AnyAlignment;
    };
    const QString twoHeads =
        QStringLiteral(" - 2 Head Graphic Source:    %1 : 1 Aspect Ratio Image Required\r\n").arg(aspect)
        + CentredOnly;
    switch (count) {
    case 2:
        text += twoHeads;
        break;
    case 3:
        text += heads(3);
        break;
    case 4:
        text += twoHeads + heads(4);
        break;
    case 5:
        text += heads(5);
        break;
    case 6:
        text += twoHeads + heads(3) + heads(6);
        break;
    case 7:
        text += heads(7);
        break;
    case 8:
        text += twoHeads + heads(4) + heads(8);
        break;
    default:
        break;
    }
    return text;
}

}  // namespace tess::planning
