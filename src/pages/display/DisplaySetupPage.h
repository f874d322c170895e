#pragma once

#include "pages/TabPage.h"

#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace tess {

class DataDoublingGroup;
class FieldBinding;
struct PageContext;

// The Display Setup page (DisplaySetupTabSheet): per screen (projector) the
// test pattern with its grid and raster box and the black level, on two
// button-drawn tabs of four screens each, with the page's help panel. The
// data doubling group and the edge feathering mode box sit below.
class DisplaySetupPage final : public TabPage {
    Q_OBJECT
public:
    static constexpr int ScreenCount = 8;

    explicit DisplaySetupPage(PageContext &context, QWidget *parent = nullptr);
    ~DisplaySetupPage() override;

    // The wall has `projectors` screens: the tab of screens 5-8 shows from
    // five on, and group k shows when k <= projectors.
    void showScreens(int projectors);
    // The screen tabs take input once the planning has calculated a wall.
    void setScreenControlsEnabled(bool enabled);

    // Shows the edge feathering mode the advanced mode box holds.
    void AdvanceModeCheckBoxClick();

    // The overlap width field's text, kept by the planning preferences.
    QString overlapWidthText() const;
    void setOverlapWidthText(const QString &text);
    // The data doubling group shows for a wall of more than one projector.
    void setDataDoublingShown(bool shown);
    // The overlap width's spin handlers, which the Planning page's overlap
    // spin button runs too.
    void OWidthUpDownUpClick();
    void OWidthUpDownDownClick();

    // Handlers of screen group k (1-8).
    void TestPatternComboBoxChange(int k);
    void BlackEditExit(int k);
    void BlackUpDownUpClick(int k);
    void BlackUpDownDownClick(int k);

    // Refills from the settings model (nothing is sent; callers hold
    // SuppressSend where a control's handler could send).
    void SyncTestPattern(int k);
    void SyncBlackLevel(int k);
    void SyncDisplaySetup();
    // Halo removal and edge feathering: their controls come with their own
    // work, and so do these refills. Data doubling: its group's refill and
    // the overlap width's exit check.
    void SyncHalo(int k);
    void SyncAdvancedFeather(int k);
    void SyncBasicFeather();
    void SyncDataDoubling();
    void OWidthEditExit();

    // The test patterns, numbered by their position.
    static const QStringList &testPatternItems();

private:
    struct Screen;

    QWidget *buildScreenTab(const char *name, int first);
    QGroupBox *buildScreenGroup(int k, QWidget *parent);
    QWidget *buildHelpPanel();
    Screen &screen(int k) const;
    // The service view unlocks the black level controls.
    void followServiceView(bool on);

    PageContext &context_;
    QTabWidget *screenTabs_ = nullptr;
    std::array<std::unique_ptr<Screen>, ScreenCount> screens_;
    DataDoublingGroup *dataDoubling_ = nullptr;
    QCheckBox *advanceModeBox_ = nullptr;
};

}  // namespace tess
