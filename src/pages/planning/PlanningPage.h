#pragma once

#include "pages/TabPage.h"

#include <array>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tess {

class FieldBinding;
class SpinButton;
struct PageContext;
struct PlanningControls;
class PlanningPictures;
struct PlanningPreferences;
namespace planning {
class Steps;
}

// The Planning page (PlanningTabSheet): the wall calculator. From the
// output screen's size, the projectors' resolution and the alignment of the
// material it works out the aspect ratio, the projector count, the overlap,
// the input image size, the units needed and the lens throw; it draws the
// projector strip and the placement picture and writes the content
// requirements. The arithmetic lives in PlanningMath, the reading of
// Calculate's inputs in PlanningInputs.
class PlanningPage final : public TabPage {
    Q_OBJECT
public:
    explicit PlanningPage(PageContext &context, QWidget *parent = nullptr);
    ~PlanningPage() override;

    // Handlers of the page, also run by the main window's first show.
    void CalcOutButtonClick();
    void ProjectorResComboBoxChange();
    void NumOfScreenComboBoxChange();
    void ImageAlignComboBoxChange();
    void VerticalOutEditExit();
    void LensMagEditExit();
    void OWidthPlanningEditExit();

    // The calculation steps.
    void ImageSizeFromAspect();
    void ComputeProjectorsRequired();
    void ComputeOverlap();
    void AspectFromImageSize();
    // False when the overlap width field holds no whole number (the
    // message has been shown and nothing changed).
    bool UpdateImagePositionOffsets();
    bool DrawPlanningPictures();
    void BuildContentRequirements();

    // The planning follows what the units report.
    void SyncPlanningFromUnits();

    // The first show: the planning state from the fields, and the default
    // choice in every list the preferences did not set.
    void applyStartupDefaults(bool preferencesLoaded);

    // The values the preferences file keeps that live on this page (the
    // overlap width lives on the Display Setup page).
    void restore(const PlanningPreferences &prefs);
    // Nothing when a size field holds no number. A list without a selection
    // gives its start-up default, so that the next start accepts the file.
    std::optional<PlanningPreferences> preferences() const;

    // Selection index of the projector count list (0 = "1 Projector") and
    // of the alignment list (0 = "Left Justified", -1 none).
    int projectorCountSelection() const;
    int alignmentSelection() const;

    // The columns each projector covers (first, end; none past the count),
    // as UpdateImagePositionOffsets last worked them out.
    const std::array<std::optional<std::pair<qint64, qint64>>, 8> &imagePositionOffsets() const { return offsets_; }

signals:
    // The overlap field here is a second face of the Display Setup page's
    // overlap width field: the user left it holding `text`, or clicked its
    // spin button (+1 up, -1 down).
    void overlapFieldLeft(const QString &text);
    void overlapSpinClicked(int direction);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // When this page is in view, puts the focus into its overlap field and
    // answers true.
    bool focusOverlapFieldIfInView();
    // The calculation steps on the planning state.
    planning::Steps steps() const;
    // N: the count selection plus 1, 0 without a selection.
    int projectorCount() const;
    void selectCount(double projectors);
    // Selects an item of the count or alignment list as the program does
    // (no handler runs); the wall follows.
    void setListSelection(QComboBox *list, int index);
    void publishLists();
    // A good overlap width was entered on the Display Setup page.
    void followOverlapWidth();
    // The units label and the status line note for ProjectorsRequired.
    void showUnitsRequired(double projectors);
    void showLensThrow();
    // The projected width label, and the lens throw through the
    // magnification field's exit check.
    void showProjectedWidth();
    void showImageSizeH();
    // UpdateImagePositionOffsets, then the pictures and the content text
    // for the image size it leaves.
    void showImagePositionOffsets();
    // The overlap width field's whole value, or nothing after the generic
    // conversion message.
    std::optional<int> overlapEntered();
    // Both pictures for the overlap width in force.
    void drawPictures(int overlapWidth);

    PageContext &context_;
    std::unique_ptr<PlanningControls> c_;
    std::unique_ptr<PlanningPictures> pictures_;
    // The count selection the page last acted on: put back when a count
    // the list does not hold would be selected.
    int countInForce_ = 0;
    std::array<std::optional<std::pair<qint64, qint64>>, 8> offsets_{};
};

}  // namespace tess
