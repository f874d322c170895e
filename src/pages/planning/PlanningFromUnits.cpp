// The Planning page following the wall the units report.

#include "model/NumberFormat.h"
#include "model/SettingsModel.h"
#include "model/WindowState.h"
#include "pages/PageContext.h"
#include "pages/Units.h"
#include "pages/Wall.h"
#include "pages/planning/PlanningControls.h"
#include "pages/planning/PlanningPage.h"
#include "pages/planning/PlanningSteps.h"
#include "platform/Dialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace tess {
namespace {

// The warning that the wall read from the units does not match the page's
// lists (the projector count, the alignment or both); empty when both
// match.
QString unitsMismatchWarning(bool countDiffers, bool alignmentDiffers)
{
    const QString tail = QStringLiteral(
        " information read from Quorex(s) does not match current values in the "
        "Planning page. \rPlanning page values will be overwritten");
    QString what;
    if (alignmentDiffers && countDiffers)
        what = QStringLiteral("Number of Projectors and Input Material Alignment");
    else if (alignmentDiffers)
        what = QStringLiteral("Input Material Alignment");
    else if (countDiffers)
        what = QStringLiteral("Number of Projectors");
    return what.isEmpty() ? QString() : QStringLiteral("Warning. ") + what + tail;
}

}  // namespace

void PlanningPage::SyncPlanningFromUnits()
{
    PlanningState &p = context_.planning;
    const WindowState &state = context_.state;
    const OutputRecord &record = context_.settings.output(1, 1);
    const int total = record.TotalProjectors;
    const int justification = record.Justification;
    const int width = record.OverlapWidth;

    if (window()->isVisible()) {
        const QString warning =
            unitsMismatchWarning(projectorCountSelection() != total - 1, alignmentSelection() != justification);
        if (!warning.isEmpty())
            context_.dialogs.showMessage(warning);
    }

    c_->OWidthPlanningEdit->setText(QString::number(width));
    setListSelection(c_->ImageAlignComboBox, justification);
    setListSelection(c_->NumOfScreenComboBox, total - 1);
    if (c_->NumOfScreenComboBox->currentIndex() >= 0)
        countInForce_ = c_->NumOfScreenComboBox->currentIndex();

    p.ProjectorsRequired = total;
    context_.units.CheckUnitsForProjectorCount(total, projectorCountSelection());

    const int n = projectorCount();
    // The other pages show the wall the units hold: its screens and
    // channels, and data doubling from two projectors on.
    if (n >= 1)
        context_.wall.layOut();
    planning::Steps::UnitsWall wall;
    wall.count = n;
    wall.overlapWidth = width;
    wall.inputWidth = context_.settings.EffectiveInputWidth(state.OutputFormatWidth);
    wall.inputHeight = context_.settings.EffectiveInputHeight(state.OutputFormatHeight);
    wall.outputWidth = state.OutputFormatWidth;
    wall.outputHeight = state.OutputFormatHeight;
    steps().followUnits(wall);
    c_->OutAspectRatioLabel->setText(formatGeneral(p.AspectRatio, 3, 5));
    c_->HorizontalOutEdit->setText(formatGeneral(p.OutputSizeH, 5, 5));
    c_->ImageSizeVLabel->setText(formatGeneral(p.ImageSizeV, 15));
    const int resolution = steps().resolutionIndex();
    if (resolution >= 0)
        selectQuietly(c_->ProjectorResComboBox, resolution);
    // What the wall read asks of the installer follows it too: the units it
    // needs and the content it must be given (not the wall shown before).
    if (n >= 1) {
        showImageSizeH();
        c_->NumOfQuorexLabel->setText(n > 4 ? QStringLiteral("2") : QStringLiteral("1"));
        BuildContentRequirements();
    }
}

}  // namespace tess
