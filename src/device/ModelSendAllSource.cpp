#include "device/ModelSendAllSource.h"

#include "device/CommandTable.h"
#include "device/FieldTexts.h"
#include "model/SettingNames.h"

namespace tess {
namespace {

const QString NotAvailable = QStringLiteral("N/A");

// A list selection set from a stored number: a number past the list's end
// selects nothing.
int selection(int stored, int items)
{
    return stored >= 0 && stored < items ? stored : -1;
}

}  // namespace

int ModelSendAllSource::projectorCountSelection() const
{
    // The count list holds "1 Projector" to "8 Projectors".
    return selection(int(unitWide().TotalProjectors) - 1, 8);
}

int ModelSendAllSource::alignmentSelection() const
{
    return selection(unitWide().Justification, 2);
}

QString ModelSendAllSource::overlapWidthText() const
{
    return QString::number(unitWide().OverlapWidth);
}

QString ModelSendAllSource::positionText(Position which) const
{
    const InputRecord &record = model_.channelInput(sourceChannel_);
    // Without video lock the position fields say so; the phase shows all
    // the same.
    switch (which) {
    case Position::H:
        return record.VideoLocked == 1 ? QString::number(record.HPosition) : NotAvailable;
    case Position::V:
        return record.VideoLocked == 1 ? QString::number(record.VPosition) : NotAvailable;
    case Position::Phase:
        break;
    }
    return QString::number(record.Phase);
}

QString ModelSendAllSource::colourText(int row) const
{
    const InputRecord &record = model_.channelInput(sourceChannel_);
    const ColourField &field = ColourFields.at(std::size_t(row));
    return record.VideoLocked == 1 ? tess::colourText(field, record.*field.field) : NotAvailable;
}

int ModelSendAllSource::testPatternSelection(int k) const
{
    return selection(model_.projectorOutput(k).TestPattern, int(settingnames::testPatternNames().size()));
}

bool ModelSendAllSource::testGrid(int k) const
{
    return model_.projectorOutput(k).TestGrid != 0;
}

bool ModelSendAllSource::outputRaster(int k) const
{
    return model_.projectorOutput(k).OutputRaster != 0;
}

QString ModelSendAllSource::screenValueText(int k, const command::ScreenValue &which) const
{
    return QString::number(which.read(model_.projectorOutput(k)));
}

QString ModelSendAllSource::haloText(int k, Side side, bool offset) const
{
    const OutputRecord &r = model_.projectorOutput(k);
    if (side == Side::Left)
        return QString::number(offset ? r.HaloLeftOffset : r.HaloLeftWidth);
    return QString::number(offset ? r.HaloRightOffset : r.HaloRightWidth);
}

bool ModelSendAllSource::featherEnabled(int k, Side side) const
{
    const OutputRecord &r = model_.projectorOutput(k);
    return (side == Side::Left ? r.LeftFeather : r.RightFeather) != 0;
}

QString ModelSendAllSource::featherText(int k, Side side, Feather which) const
{
    const OutputRecord &r = model_.projectorOutput(k);
    const bool left = side == Side::Left;
    switch (which) {
    case Feather::Gamma:
        return edgeGammaText(left ? r.LeftGamma : r.RightGamma);
    case Feather::Width:
        return QString::number(left ? r.GammaLeftWidth : r.GammaRightWidth);
    case Feather::Offset:
        break;
    }
    return QString::number(left ? r.GammaLeftOffset : r.GammaRightOffset);
}

bool ModelSendAllSource::dataDoubling() const
{
    return unitWide().DataDoubling != 0;
}

bool ModelSendAllSource::basicFeathering() const
{
    return unitWide().BasicFeather != 0;
}

QString ModelSendAllSource::basicGammaText() const
{
    return tess::basicGammaText(unitWide().BasicGamma);
}

bool ModelSendAllSource::advancedMode() const
{
    return unitWide().AdvancedMode != 0;
}

QString ModelSendAllSource::seamGainText(int n) const
{
    return QString::number(model_.channelOutput(seamChannel_).*SeamGainFields.at(std::size_t(n - 1)));
}

}  // namespace tess
