// The Planning page's two pictures.

#include "model/NumberFormat.h"
#include "model/SettingsModel.h"
#include "pages/PageContext.h"
#include "pages/Wall.h"
#include "pages/planning/PlanningControls.h"
#include "pages/planning/PlanningPage.h"
#include "pages/planning/PlanningPictures.h"
#include "pages/planning/PlanningMath.h"
#include "pages/planning/PlanningSteps.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <cmath>

namespace tess {

bool PlanningPage::DrawPlanningPictures()
{
    const std::optional<int> width = overlapEntered();
    if (!width)
        return false;
    drawPictures(*width);
    if (!UpdateImagePositionOffsets())
        return false;
    // The content text asks for the image the pictures show, also after an
    // overlap entry.
    BuildContentRequirements();
    return true;
}

void PlanningPage::drawPictures(int overlapWidth)
{
    pictures_->drawStrip(context_.state.ProjectorBoxRects, projectorCount(), overlapWidth, context_.planning);
    pictures_->drawPlacement(projectorCount(), overlapWidth, context_.planning, c_->HorizontalOutEdit->text());
}

void PlanningPage::showImagePositionOffsets()
{
    if (!UpdateImagePositionOffsets())
        return;
    // The offsets may have changed the image size: the pictures and the
    // content text follow it.
    drawPictures(int(context_.planning.OverlapEntered));
    BuildContentRequirements();
}

PlanningPictures::PlanningPictures(QLabel &strip, QLabel &placement, const std::array<QLabel *, 8> &legend)
    : stripLabel_(strip), placementLabel_(placement), legend_(legend),
      strip_(planning::StripWidth, planning::StripHeight, QImage::Format_RGB32),
      placement_(planning::PlacementWidth, planning::PlacementHeight, QImage::Format_RGB32)
{
    strip_.fill(PictureBackground);
    placement_.fill(PictureBackground);
    placementLabel_.setPixmap(QPixmap::fromImage(placement_));
}

void PlanningPictures::drawStrip(std::array<BoxRect, 8> &boxes, int count, int overlapWidth, const PlanningState &p)
{
    planning::layStripBoxes(boxes, count, planning::stripShift(overlapWidth, p.ProjectorResH));

    strip_.fill(PictureBackground);
    QPainter painter(&strip_);
    // The last pass draws projector N down to 1: where outlines cross, the
    // lower-numbered projector's colour is on top.
    for (int k = std::min(count, 8); k >= 1; --k) {
        const BoxRect &box = boxes[std::size_t(k - 1)];
        painter.setPen(QPen(legend_[std::size_t(k - 1)]->palette().color(QPalette::Window), 1));
        painter.setBrush(Qt::NoBrush);
        // An outline one pixel wide on the inside of the box.
        painter.drawRect(box.Left, box.Top, box.Right - box.Left - 1, box.Bottom - box.Top - 1);
    }
    painter.end();
    // Shown transparent: the background colour lets the page show through.
    QPixmap shown = QPixmap::fromImage(strip_);
    shown.setMask(QBitmap::fromImage(strip_.createMaskFromColor(PictureBackground.rgb(), Qt::MaskInColor)));
    stripLabel_.setPixmap(shown);
}

void PlanningPictures::drawPlacement(int count, int overlapWidth, const PlanningState &p, const QString &screenWidth)
{
    const int w = placement_.width();
    const int h = placement_.height();
    placement_.fill(PictureBackground);
    QPainter painter(&placement_);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    painter.drawLine(5, 20, w - 10, 20);
    // The projectors stand as far apart as the overlap in force puts them,
    // the one the strip and the image size show.
    const std::vector<planning::Marker> markers =
        planning::placementMarkers(count, p.ProjectorResH, overlapWidth, p.ImageSizeH, p.OutputSizeH, w);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    for (const planning::Marker &marker : markers)
        painter.drawLine(marker.column, 20, marker.column, h);
    const QFontMetricsF metrics(painter.font());
    const auto textWidth = [&](const QString &text) { return int(std::ceil(metrics.horizontalAdvance(text))); };
    const std::vector<planning::PlacementText> texts =
        planning::placementTexts(markers, screenWidth, textWidth, int(std::ceil(metrics.height())), w, h);
    for (const planning::PlacementText &text : texts) {
        // Only a text narrowed to the picture loses its end.
        const QString shown = text.rect.width() < textWidth(text.text)
                                  ? metrics.elidedText(text.text, Qt::ElideRight, text.rect.width())
                                  : text.text;
        painter.drawText(text.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
    }
    painter.end();
    placementLabel_.setPixmap(QPixmap::fromImage(placement_));
}

}  // namespace tess
