#include "pages/Wall.h"

#include "model/NumberFormat.h"
#include "model/WindowState.h"

namespace tess {

Wall::Wall(WindowState &state) : state_(state) {}

void Wall::setProjectors(int count)
{
    if (count == projectors_)
        return;
    projectors_ = count;
    emit projectorsChanged(count);
}

void Wall::layOut()
{
    emit laidOut(projectors_);
}

void Wall::setAlignment(int alignment)
{
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    emit alignmentChanged(alignment);
}

void Wall::setPlanned(bool planned)
{
    if (planned == planned_)
        return;
    planned_ = planned;
    emit plannedChanged(planned);
}

std::optional<int> Wall::overlapWidth() const
{
    return parseWhole(overlapText_);
}

void Wall::setOverlapText(const QString &text)
{
    if (text == overlapText_)
        return;
    overlapText_ = text;
    emit overlapTextChanged(text);
}

void Wall::enterOverlapWidth(int width)
{
    emit overlapWidthEntered(width);
}

void Wall::setImageSpans(const Spans &spans)
{
    if (spans == spans_)
        return;
    spans_ = spans;
    emit imageSpansChanged(spans);
}

void Wall::setSeamBridge(bool on)
{
    seamBridge_ = on;
    emit seamBridgeChanged(on);
}

void Wall::setBridgeThreshold(const QString &text)
{
    bridgeThreshold_ = text;
    emit bridgeThresholdChanged(text);
}

int Wall::unitsInUse() const
{
    return state_.UnitCount;
}

}  // namespace tess

#include "moc_Wall.cpp"
