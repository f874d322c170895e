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
#include "pages/planning/PlanningPage.h"
#include "pages/planning/PlanningMath.h"
#include "pages/planning/PlanningSteps.h"
#include "platform/Dialogs.h"

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

void PlanningPage::error(const QString &text)
{
    context_.state.LastErrorText = text;
    context_.dialogs.showMessage(text);
}

void PlanningPage::CalcOutButtonClick()
{
    const HandlerBusyScope busy(context_.state);
    if (!busy)
        return;
    c_->CalcOutButton->setEnabled(false);
    if (calculateInputs()) {
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

bool PlanningPage::calculateInputs()
{
    PlanningState &p = context_.planning;
    struct Size {
        QLineEdit *edit;
        double &stored;
        const char *name;
    };
    for (const Size &size : {Size{c_->HorizontalOutEdit, p.OutputSizeH, "Horizontal"},
                             Size{c_->VerticalOutEdit, p.OutputSizeV, "Vertical"}}) {
        const QString text = size.edit->text();
        const std::optional<double> value = parseReal(text);
        const QString noun = QLatin1String(size.name) + QStringLiteral(" Output Screen Size value");
        if (!value) {
            error(QStringLiteral("Error! '") + text + QStringLiteral("' is not a valid ") + noun + u'.');
            size.edit->setFocus(Qt::OtherFocusReason);
            return false;
        }
        // Stored before it is checked: a rejected size stays until the next
        // Calculate.
        size.stored = *value;
        if (!(*value > 0)) {
            error(QStringLiteral("Error! ") + noun + QStringLiteral(" must be greater than 0."));
            size.edit->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    if (!std::isfinite(p.OutputSizeH / p.OutputSizeV)) {
        // Sizes of good numbers whose ratio overflows: a wall no count of
        // projectors covers.
        error(
            QStringLiteral("Error! Minimum # of screen calculated is greater than 8. Please enter valid "
                           "Horizontal/Vertical Output Size and Projector Resolution."));
        c_->HorizontalOutEdit->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (!context_.deviceConnected())
        return true;
    WindowState &state = context_.state;
    if (context_.units.controllerMode()) {
        state.UnitCount = context_.units.CountUnits();
        if (state.UnitCount < 1) {
            error(
                QStringLiteral("Quorex not detected by Controller.\n(1)Check cables.\n(2)Make sure the Quorex has "
                               "booted up completely and reboot the Controller."));
            return false;
        }
    } else {
        state.UnitCount = 1;
    }
    for (int unit = 1; unit <= std::min(state.UnitCount, 2); ++unit) {
        const int result = context_.units.ReadAllStatus(unit);
        if (result < 1) {
            error(QStringLiteral("Quorex %1 communication error! Please check Serial connections and try again (%2)")
                      .arg(unit)
                      .arg(result));
            context_.device.setStatusText(QString());
            context_.device.setBusyCursor(false);
            return false;
        }
    }
    return true;
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
        error(QStringLiteral("Error! Minimum # of screen calculated is greater than ") + QStringLiteral("8")
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
        error(CenteredLimit);
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
        if (state.UnitCount > 1)
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
        error(CenteredLimit);
        setListSelection(c_->ImageAlignComboBox, 0);
        showImagePositionOffsets();
        return;
    }
    if (!state.SuppressSend && context_.deviceConnected() && alignment >= 0) {
        const std::optional<int> width = overlapEntered();
        if (!width)
            return;
        context_.commands.DISP(1, alignment, *width);
        if (state.UnitCount > 1)
            context_.commands.DISP(2, alignment, *width);
    }
    showImagePositionOffsets();
}

std::optional<int> PlanningPage::overlapEntered()
{
    const QString text = context_.wall.overlapText();
    const std::optional<int> width = parseWhole(text);
    if (!width)
        error(QStringLiteral("'%1' is not a valid integer value").arg(text));
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
