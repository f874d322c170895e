#pragma once

#include <QImage>
#include <QString>
#include <array>

class QLabel;

namespace tess {

struct BoxRect;
struct PlanningState;

// The Planning page's two pictures, each drawn into an image of its own and
// shown in its label: the projector strip (the box each projector covers,
// outlined in its legend colour) and the placement picture (the screen's
// width with a dashed marker where each projector's image starts).
class PlanningPictures {
public:
    // `legend`: the legend's eight swatches, whose colours the strip uses.
    PlanningPictures(QLabel &strip, QLabel &placement, const std::array<QLabel *, 8> &legend);

    // Lays out `count` projectors overlapping by `overlapWidth` into
    // `boxes` and draws them.
    void drawStrip(std::array<BoxRect, 8> &boxes, int count, int overlapWidth, const PlanningState &p);
    // The markers for `count` projectors overlapping by `overlapWidth`, and
    // `screenWidth` (the output width as the user typed it) along the top.
    void drawPlacement(int count, int overlapWidth, const PlanningState &p, const QString &screenWidth);

private:
    QLabel &stripLabel_;
    QLabel &placementLabel_;
    const std::array<QLabel *, 8> &legend_;
    QImage strip_;
    QImage placement_;
};

}  // namespace tess
