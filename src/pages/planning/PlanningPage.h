#pragma once

#include "pages/TabPage.h"

#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tess {

struct PageContext;
struct PlanningPreferences;

// The Planning page (PlanningTabSheet): the wall calculator. For now it
// holds the output size fields and the three lists whose values the
// planning preferences file restores; the calculator fills in the handlers.
class PlanningPage final : public TabPage {
    Q_OBJECT
public:
    explicit PlanningPage(PageContext &context, QWidget *parent = nullptr);

    // Handlers of the page, also run by the main window's first show.
    void CalcOutButtonClick();
    void ProjectorResComboBoxChange();
    void NumOfScreenComboBoxChange();
    void ImageAlignComboBoxChange();
    // The planning follows what the units report.
    void SyncPlanningFromUnits();

    // The first show: the planning state from the fields, and the default
    // choice in every list the preferences did not set.
    void applyStartupDefaults(bool preferencesLoaded);

    // The values the preferences file keeps that live on this page (the
    // overlap width lives on the Display Setup page).
    void restore(const PlanningPreferences &prefs);
    // Nothing when a size field holds no number.
    std::optional<PlanningPreferences> preferences() const;

    // Selection index of the projector count list (0 = "1 Projector").
    int projectorCountSelection() const;

private:
    PageContext &context_;
    QLineEdit *horizontalOut_ = nullptr;
    QLineEdit *verticalOut_ = nullptr;
    QComboBox *projectorRes_ = nullptr;
    QComboBox *projectorCount_ = nullptr;
    QComboBox *imageAlign_ = nullptr;
};

}  // namespace tess
