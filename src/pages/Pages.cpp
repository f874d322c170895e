#include "pages/Pages.h"

#include "model/NumberFormat.h"
#include "model/PlanningPreferences.h"
#include "pages/display/DisplaySetupPage.h"
#include "pages/display/ProjAlignPage.h"
#include "pages/display/SeamBridgeMirror.h"
#include "pages/info/InfoPage.h"
#include "pages/planning/PlanningPage.h"
#include "pages/source/SeamRemovalPage.h"
#include "pages/source/SourceSetupPage.h"

namespace tess {

void Pages::build(PageContext &context)
{
    planning_ = new PlanningPage(context);
    projAlign_ = new ProjAlignPage(context);
    sourceSetup_ = new SourceSetupPage(context);
    displaySetup_ = new DisplaySetupPage(context);
    seamRemoval_ = new SeamRemovalPage(context);
    info_ = new InfoPage(context);

    QObject::connect(displaySetup_, &DisplaySetupPage::screenPatternChosen, projAlign_,
                     &ProjAlignPage::ClearProjectorTests);
    QObject::connect(planning_, &PlanningPage::overlapFieldLeft, displaySetup_, &DisplaySetupPage::enterOverlapWidth);
    QObject::connect(planning_, &PlanningPage::overlapSpinClicked, displaySetup_,
                     &DisplaySetupPage::stepOverlapWidth);
    SeamBridgeMirror &mirror = displaySetup_->seamBridge();
    QObject::connect(&mirror, &SeamBridgeMirror::bridgeClicked, seamRemoval_, &SeamRemovalPage::clickBridgeBox);
    QObject::connect(&mirror, &SeamBridgeMirror::thresholdEntered, seamRemoval_,
                     &SeamRemovalPage::applyBridgeThreshold);
}

QList<TabPage *> Pages::all() const
{
    return {planning_, projAlign_, sourceSetup_, displaySetup_, seamRemoval_, info_};
}

}  // namespace tess

namespace tess {

void Pages::restorePreferences(const PlanningPreferences &prefs)
{
    planning_->restore(prefs);
    displaySetup_->setOverlapWidthText(QString::number(prefs.OverlapWidth));
}

std::optional<PlanningPreferences> Pages::preferences() const
{
    std::optional<PlanningPreferences> prefs = planning_->preferences();
    const auto overlap = parseWhole(displaySetup_->overlapWidthText());
    if (!prefs || !overlap)
        return std::nullopt;
    // A one-projector wall shows an overlap of 0, which the next start
    // would refuse together with the sizes: the field's default instead.
    prefs->OverlapWidth = *overlap > 0 ? *overlap : 64;
    return prefs;
}

}  // namespace tess
