// The Planning page's handlers and calculation steps.

#include "device/Commands.h"
#include "fields/FieldBinding.h"
#include "model/NumberFormat.h"
#include "model/SettingsModel.h"
#include "pages/PageContext.h"
#include "pages/Pages.h"
#include "pages/display/DisplaySetupPage.h"
#include "pages/info/InfoPage.h"
#include "pages/source/SeamRemovalPage.h"
#include "pages/source/SourceSetupPage.h"
#include "pages/planning/PlanningControls.h"
#include "pages/planning/PlanningHost.h"
#include "pages/planning/PlanningMath.h"
#include "platform/Dialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cmath>

namespace tess {
namespace {

QString fifteen(double value) { return formatGeneral(value, 15); }

const QString CenteredLimit = QStringLiteral("Error! Maximum number of projectors for center justified image is 7");

}  // namespace

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
        context_.pages.displaySetup().setScreenControlsEnabled(true);
        c_->NumOfScreenComboBox->setEnabled(true);
        c_->ImageAlignComboBox->setEnabled(true);
        // The Information page's ResetButton and the Display Setup page's
        // basic edge feathering box and gamma field are shown and enabled
        // here once those pages carry them.
        p.AspectRatio = p.OutputSizeH / p.OutputSizeV;
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
        error(QStringLiteral("Error! Minimum # of screen calculated is greater than 8. Please enter valid "
                             "Horizontal/Vertical Output Size and Projector Resolution."));
        c_->HorizontalOutEdit->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (!context_.deviceConnected() || !host_)
        return true;
    WindowState &state = context_.state;
    if (host_->controllerMode()) {
        state.UnitCount = host_->CountUnits();
        if (state.UnitCount < 1) {
            error(QStringLiteral("Quorex not detected by Controller.\n(1)Check cables.\n(2)Make sure the Quorex has "
                                 "booted up completely and reboot the Controller."));
            return false;
        }
    } else {
        state.UnitCount = 1;
    }
    for (int unit = 1; unit <= std::min(state.UnitCount, 2); ++unit) {
        const int result = host_->ReadAllStatus(unit);
        if (result < 1) {
            error(QStringLiteral("Quorex %1 communication error! Please check Serial connections and try again (%2)")
                      .arg(unit)
                      .arg(result));
            host_->setStatusText(QString());
            host_->setBusyCursor(false);
            return false;
        }
    }
    return true;
}

void PlanningPage::ImageSizeFromAspect()
{
    PlanningState &p = context_.planning;
    p.ImageSizeH = p.ProjectorResV * p.AspectRatio;
    showImageSizeH();
    p.ImageSizeV = p.ProjectorResV;
    c_->ImageSizeVLabel->setText(fifteen(p.ImageSizeV));
}

void PlanningPage::showImageSizeH() { c_->ImageSizeHLabel->setText(fifteen(context_.planning.ImageSizeH)); }

void PlanningPage::ComputeProjectorsRequired()
{
    PlanningState &p = context_.planning;
    p.ProjectorsRequired = planning::projectorsRequired(p.ProjectorResH, p.ProjectorResV, p.AspectRatio);
    if (p.ProjectorsRequired > 8) {
        error(QStringLiteral("Error! Minimum # of screen calculated is greater than ") + QStringLiteral("8") +
              QStringLiteral(". Please enter valid Horizontal/Vertical Output Size and Projector Resolution."));
        c_->HorizontalOutEdit->setFocus(Qt::OtherFocusReason);
        return;
    }
    selectCount(p.ProjectorsRequired);
    NumOfScreenComboBoxChange();
    showUnitsRequired(p.ProjectorsRequired);
}

void PlanningPage::showUnitsRequired(double projectors)
{
    const bool two = projectors > 4;
    c_->NumOfQuorexLabel->setText(two ? QStringLiteral("2") : QStringLiteral("1"));
    if (host_)
        host_->setStatusText(two ? QStringLiteral("NOTE: Current settings require 2 Quorexs.")
                                 : QStringLiteral("NOTE: Current settings require 1 Quorex."));
}

void PlanningPage::selectCount(double projectors)
{
    // A count the list does not hold (more than 8 after a refused
    // Calculate) puts back the count in force instead.
    const bool listed = projectors >= 1 && projectors <= 8;
    const int index = listed ? int(std::trunc(projectors - 1)) : countInForce_;
    selectQuietly(c_->NumOfScreenComboBox, index);
    countInForce_ = c_->NumOfScreenComboBox->currentIndex();
}

void PlanningPage::ComputeOverlap()
{
    PlanningState &p = context_.planning;
    const WindowState &state = context_.state;
    const int count = projectorCount();
    const int measured = state.SettingsReadFromUnits ? context_.settings.EffectiveInputWidth(state.OutputFormatWidth)
                                                     : 0;
    const planning::Overlap overlap = planning::computeOverlap(count, p.ProjectorResH, p.ImageSizeH, measured);
    p.OverlapPixels = overlap.pixels;
    if (overlap.corrected) {
        p.ProjectorsRequired = count;
        p.ImageSizeH = overlap.imageSizeH;
        showImageSizeH();
        AspectFromImageSize();
    }
    const QString text = QString::number(qint64(std::trunc(p.OverlapPixels)));
    context_.pages.displaySetup().setOverlapWidthText(text);
    c_->OWidthPlanningEdit->setText(text);
    p.MaxOverlapWidth = overlap.maxOverlap;
}

void PlanningPage::AspectFromImageSize()
{
    PlanningState &p = context_.planning;
    if (!(p.ImageSizeV > 0))
        return;   // before the first calculation there is no image
    p.AspectRatio = p.ImageSizeH / p.ImageSizeV;
    c_->OutAspectRatioLabel->setText(formatGeneral(p.AspectRatio, 3));
    VerticalOutEditExit();
    p.OutputSizeH = p.OutputSizeV * p.AspectRatio;
    c_->HorizontalOutEdit->setText(formatGeneral(p.OutputSizeH, 5));
}

void PlanningPage::VerticalOutEditExit()
{
    PlanningState &p = context_.planning;
    p.ProjectedWidth = p.OutputSizeV * p.AspectRatio;
    c_->ProjectedWidthLabel->setText(formatGeneral(p.ProjectedWidth, 4));
    LensMagEditExit();
}

void PlanningPage::LensMagEditExit() { c_->LensMag->exitCheck(); }

void PlanningPage::showLensThrow()
{
    PlanningState &p = context_.planning;
    p.LensThrow = p.LensMagnification * p.ProjectedWidth;
    const std::optional<double> throwDistance = planning::lensThrow(p.LensMagnification, p.ProjectedWidth);
    c_->LensThrowLabel->setText(throwDistance ? formatGeneral(*throwDistance, 3) : QStringLiteral("N/A"));
}

void PlanningPage::ProjectorResComboBoxChange()
{
    static constexpr double Resolutions[3][2] = {{800, 600}, {1024, 768}, {1280, 1024}};
    PlanningState &p = context_.planning;
    const int index = c_->ProjectorResComboBox->currentIndex();
    if (index >= 0 && index < 3) {
        p.ProjectorResH = Resolutions[index][0];
        p.ProjectorResV = Resolutions[index][1];
    }
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
    if (context_.deviceConnected() && host_ && !host_->CheckUnitsForProjectorCount()) {
        selectCount(p.ProjectorsRequired);
        ComputeOverlap();
        return;
    }
    countInForce_ = c_->NumOfScreenComboBox->currentIndex();
    if (host_)
        host_->setBusyCursor(true);
    if (!state.SuppressSend && context_.deviceConnected() && count >= 1) {
        context_.commands.PRJ(1, count);
        if (state.UnitCount > 1)
            context_.commands.PRJ(2, count);
    }
    context_.pages.displaySetup().setDataDoublingShown(count >= 2);
    ImageAlignComboBoxChange();
    showWallOnPages(count);
    DrawPlanningPictures();
    // The units needed follow the count chosen, as after Calculate.
    showUnitsRequired(count);
    if (host_)
        host_->setBusyCursor(false);
}

void PlanningPage::showWallOnPages(int count)
{
    // The Display Setup page shows the screens of the wall (with their
    // right-hand controls, the basic feathering group and the mode box);
    // the channel pages offer channels 1 to count, the first chosen.
    context_.pages.displaySetup().showScreens(count);
    context_.pages.sourceSetup().setChannelCount(count);
    context_.pages.seamRemoval().setChannelCount(count);
}

void PlanningPage::ImageAlignComboBoxChange()
{
    WindowState &state = context_.state;
    const int alignment = alignmentSelection();
    if (alignment == 1 && projectorCount() == 8) {
        error(CenteredLimit);
        selectQuietly(c_->ImageAlignComboBox, 0);
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
    const QString text = context_.pages.displaySetup().overlapWidthText();
    const std::optional<int> width = parseWhole(text);
    if (!width)
        error(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return width;
}

bool PlanningPage::UpdateImagePositionOffsets()
{
    PlanningState &p = context_.planning;
    const std::optional<int> width = overlapEntered();
    if (!width)
        return false;
    p.OverlapEntered = *width;
    const int alignment = alignmentSelection();
    const planning::Alignment align = alignment == 0   ? planning::Alignment::Left
                                      : alignment == 1 ? planning::Alignment::Centered
                                                       : planning::Alignment::None;
    const std::optional<planning::Offsets> offsets =
        planning::imagePositionOffsets(projectorCount(), p.ProjectorResH, *width, align);
    if (!offsets)
        return true;
    offsets_ = offsets->spans;
    // The Information page's "Image Position Offset" labels: first and last
    // input column of each projector of the wall, "N/A" past it.
    for (int k = 1; k <= int(offsets_.size()); ++k) {
        const auto &span = offsets_[std::size_t(k - 1)];
        const QString na = QStringLiteral("N/A");
        context_.pages.info().setImagePositionOffset(k, span ? QString::number(span->first) : na,
                                                     span ? QString::number(span->second) : na);
    }
    p.ImageSizeH = offsets->imageSizeH;
    showImageSizeH();
    return true;
}

void PlanningPage::OWidthPlanningEditExit()
{
    DisplaySetupPage &display = context_.pages.displaySetup();
    display.setOverlapWidthText(c_->OWidthPlanningEdit->text());
    display.OWidthEditExit();
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
