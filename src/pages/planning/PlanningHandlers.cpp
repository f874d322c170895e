// The Planning page's handlers and calculation steps.

#include "device/Commands.h"
#include "device/DeviceHost.h"
#include "fields/FieldBinding.h"
#include "model/NumberFormat.h"
#include "model/SettingsModel.h"
#include "pages/PageContext.h"
#include "pages/Units.h"
#include "pages/Wall.h"
#include "pages/planning/PlanningControls.h"
#include "pages/planning/PlanningInputs.h"
#include "pages/planning/PlanningPage.h"
#include "pages/planning/PlanningMath.h"
#include "pages/planning/PlanningSteps.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cmath>

namespace tess {
namespace {

QString fifteen(double value)
{
    return formatGeneral(value, 15);
}

const QString CenteredLimit = QStringLiteral("Error! Maximum number of projectors for center justified image is 7");

}  // namespace

planning::Steps PlanningPage::steps() const
{
    return planning::Steps(context_.planning);
}

void PlanningPage::CalcOutButtonClick()
{
    const HandlerBusyScope busy(context_.state);
    if (!busy)
        return;
    c_->CalcOutButton->setEnabled(false);
    if (planning::readCalculationInputs(context_, *c_)) {
        PlanningState &p = context_.planning;
        context_.wall.setPlanned(true);
        c_->NumOfScreenComboBox->setEnabled(true);
        c_->ImageAlignComboBox->setEnabled(true);
        // The Information page's ResetButton and the Display Setup page's
        // basic edge feathering box and gamma field are shown and enabled
        // here once those pages carry them.
        steps().aspectFromOutputSize();
        c_->OutAspectRatioLabel->setText(formatGeneral(p.AspectRatio, 3));
        VerticalOutEditExit();
        ImageSizeFromAspect();
        ComputeProjectorsRequired();
        ComputeOverlap();
        BuildContentRequirements();
    }
    c_->CalcOutButton->setEnabled(true);
}

void PlanningPage::ImageSizeFromAspect()
{
    steps().imageSizeFromAspect();
    showImageSizeH();
    c_->ImageSizeVLabel->setText(fifteen(context_.planning.ImageSizeV));
}

void PlanningPage::showImageSizeH()
{
    c_->ImageSizeHLabel->setText(fifteen(context_.planning.ImageSizeH));
}

void PlanningPage::ComputeProjectorsRequired()
{
    const double required = steps().projectorsRequired();
    if (required > 8) {
        planning::showError(
            context_,
            QStringLiteral("Error! Minimum # of screen calculated is greater than ") + QStringLiteral("8")
                + QStringLiteral(". Please enter valid Horizontal/Vertical Output Size and Projector Resolution."));
        c_->HorizontalOutEdit->setFocus(Qt::OtherFocusReason);
        return;
    }
    selectCount(required);
    NumOfScreenComboBoxChange();
    showUnitsRequired(context_.planning.ProjectorsRequired);
}

void PlanningPage::showUnitsRequired(double projectors)
{
    const bool two = projectors > 4;
    c_->NumOfQuorexLabel->setText(two ? QStringLiteral("2") : QStringLiteral("1"));
    context_.device.setStatusText(two ? QStringLiteral("NOTE: Current settings require 2 Quorexs.")
                                      : QStringLiteral("NOTE: Current settings require 1 Quorex."));
}

void PlanningPage::selectCount(double projectors)
{
    // A count the list does not hold (more than 8 after a refused
    // Calculate) puts back the count in force instead.
    const bool listed = projectors >= 1 && projectors <= 8;
    const int index = listed ? int(std::trunc(projectors - 1)) : countInForce_;
    setListSelection(c_->NumOfScreenComboBox, index);
    countInForce_ = c_->NumOfScreenComboBox->currentIndex();
}

void PlanningPage::ComputeOverlap()
{
    const WindowState &state = context_.state;
    const int measured =
        state.SettingsReadFromUnits ? context_.settings.EffectiveInputWidth(state.OutputFormatWidth) : 0;
    if (steps().overlap(projectorCount(), measured)) {
        showImageSizeH();
        AspectFromImageSize();
    }
    const QString text = QString::number(qint64(std::trunc(context_.planning.OverlapPixels)));
    context_.wall.setOverlapText(text);
    c_->OWidthPlanningEdit->setText(text);
}

void PlanningPage::AspectFromImageSize()
{
    if (!steps().aspectFromImageSize())
        return;  // before the first calculation there is no image
    const PlanningState &p = context_.planning;
    c_->OutAspectRatioLabel->setText(formatGeneral(p.AspectRatio, 3));
    showProjectedWidth();
    c_->HorizontalOutEdit->setText(formatGeneral(p.OutputSizeH, 5));
}

void PlanningPage::VerticalOutEditExit()
{
    steps().projectedWidthFromAspect();
    showProjectedWidth();
}

void PlanningPage::showProjectedWidth()
{
    c_->ProjectedWidthLabel->setText(formatGeneral(context_.planning.ProjectedWidth, 4));
    LensMagEditExit();
}

void PlanningPage::LensMagEditExit()
{
    c_->LensMag->exitCheck();
}

void PlanningPage::showLensThrow()
{
    const PlanningState &p = context_.planning;
    steps().lensThrowFromMagnification();
    const std::optional<double> throwDistance = planning::lensThrow(p.LensMagnification, p.ProjectedWidth);
    c_->LensThrowLabel->setText(throwDistance ? formatGeneral(*throwDistance, 3) : QStringLiteral("N/A"));
}

void PlanningPage::ProjectorResComboBoxChange()
{
    steps().selectResolution(c_->ProjectorResComboBox->currentIndex());
    ImageSizeFromAspect();
    ComputeProjectorsRequired();
    BuildContentRequirements();
}

void PlanningPage::NumOfScreenComboBoxChange()
{
    PlanningState &p = context_.planning;
    WindowState &state = context_.state;
    const int count = projectorCount();
    if (count == 8 && alignmentSelection() == 1) {
        planning::showError(context_, CenteredLimit);
        selectCount(p.ProjectorsRequired);
        return;
    }
    ComputeOverlap();
    if (context_.deviceConnected()
        && !context_.units.CheckUnitsForProjectorCount(int(p.ProjectorsRequired), projectorCountSelection())) {
        selectCount(p.ProjectorsRequired);
        ComputeOverlap();
        return;
    }
    countInForce_ = c_->NumOfScreenComboBox->currentIndex();
    context_.device.setBusyCursor(true);
    if (!state.SuppressSend && context_.deviceConnected() && count >= 1) {
        context_.commands.PRJ(1, count);
        if (context_.wall.unitsInUse() > 1)
            context_.commands.PRJ(2, count);
    }
    ImageAlignComboBoxChange();
    // The other pages show the screens and channels of the wall, and data
    // doubling from two projectors on.
    context_.wall.layOut();
    DrawPlanningPictures();
    // The units needed follow the count chosen, as after Calculate.
    showUnitsRequired(count);
    context_.device.setBusyCursor(false);
}

void PlanningPage::ImageAlignComboBoxChange()
{
    WindowState &state = context_.state;
    const int alignment = alignmentSelection();
    if (alignment == 1 && projectorCount() == 8) {
        planning::showError(context_, CenteredLimit);
        setListSelection(c_->ImageAlignComboBox, 0);
        showImagePositionOffsets();
        return;
    }
    if (!state.SuppressSend && context_.deviceConnected() && alignment >= 0) {
        const std::optional<int> width = overlapEntered();
        if (!width)
            return;
        context_.commands.DISP(1, alignment, *width);
        if (context_.wall.unitsInUse() > 1)
            context_.commands.DISP(2, alignment, *width);
    }
    showImagePositionOffsets();
}

std::optional<int> PlanningPage::overlapEntered()
{
    const QString text = context_.wall.overlapText();
    const std::optional<int> width = parseWhole(text);
    if (!width)
        planning::showError(context_, QStringLiteral("'%1' is not a valid integer value").arg(text));
    return width;
}

bool PlanningPage::UpdateImagePositionOffsets()
{
    const std::optional<int> width = overlapEntered();
    if (!width)
        return false;
    const int alignment = alignmentSelection();
    const planning::Alignment align = alignment == 0   ? planning::Alignment::Left
                                      : alignment == 1 ? planning::Alignment::Centered
                                                       : planning::Alignment::None;
    const std::optional<planning::Offsets> offsets = steps().imagePositionOffsets(projectorCount(), *width, align);
    if (!offsets)
        return true;
    offsets_ = offsets->spans;
    context_.wall.setImageSpans(offsets_);
    showImageSizeH();
    return true;
}

void PlanningPage::OWidthPlanningEditExit()
{
    emit overlapFieldLeft(c_->OWidthPlanningEdit->text());
}

void PlanningPage::followOverlapWidth()
{
    // The second pass starts from the image size the first produced.
    for (int pass = 0; pass < 2; ++pass) {
        AspectFromImageSize();
        if (!DrawPlanningPictures())
            return;
    }
    c_->OWidthPlanningEdit->setText(context_.wall.overlapText());
}

void PlanningPage::BuildContentRequirements()
{
    const PlanningState &p = context_.planning;
    const QString text = planning::contentRequirements(
        projectorCount(), c_->OutAspectRatioLabel->text(), int(std::trunc(p.ProjectorResH)),
        int(std::trunc(p.ProjectorResV)), c_->ImageSizeHLabel->text(), c_->ImageSizeVLabel->text());
    c_->ImageContentInfoMemo->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

}  // namespace tess
