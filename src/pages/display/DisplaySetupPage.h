#pragma once

#include "fields/FieldDescription.h"
#include "pages/TabPage.h"
#include "pages/display/EdgeFields.h"

#include <array>
#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace tess {

class DataDoublingGroup;
class FieldBinding;
class ScreenGroup;
class SeamBridgeMirror;
struct PageContext;

// The Display Setup page (DisplaySetupTabSheet): per screen (projector) the
// test pattern with its grid and raster box, the black level, the hidden
// halo removal pairs and the advanced edge feathering, on two button-drawn
// tabs of four screens each, with the page's help panel. The data doubling
// group and the page-wide edge feathering controls (basic mode, the mode
// box, the curve) sit below.
class DisplaySetupPage final : public TabPage {
    Q_OBJECT
public:
    static constexpr int ScreenCount = 8;

    explicit DisplaySetupPage(PageContext &context, QWidget *parent = nullptr);
    ~DisplaySetupPage() override;

    // The wall has `projectors` screens: the tab of screens 5-8 shows from
    // five on, group k shows when k <= projectors, the right-hand edge
    // controls of screens 2-7 only where the screen has a right-hand
    // neighbour, and the edge feathering mode controls from two on.
    void showScreens(int projectors);
    // The screen tabs and the basic edge feathering take input once the
    // planning has calculated a wall.
    void setScreenControlsEnabled(bool enabled);

    // The mode box's click: tells the units (reading them back into the
    // page) and shows the controls of the mode.
    void AdvanceModeCheckBoxClick();

    // Edges of screen group k: the halo pair's exit check (HaloWidth1EditExit,
    // RHaloWidth2EditExit, LHaloWidth2EditExit, ...), and the left edge of
    // screen n composed from its controls as they stand and sent.
    void HaloWidthEditExit(int k, Side side);
    void SendLeftFeather(int n);

    // "Send Current Settings": what the page shows, sent as the controls
    // hold it, without the page checks. Those that answer false met a text
    // that holds no number and sent nothing more.
    // The test patterns, black levels, halo pairs and feathered edges of
    // the unit's four screens (the left edge of screen 1 is not sent).
    bool sendScreens(int unit);
    // Unit-wide, to unit 1 and then, with more than one unit in use, to
    // unit 2: data doubling; basic feathering; the feathering mode, without
    // reading the units back (the caller does that once all is sent).
    void sendDataDoubling();
    bool sendBasicFeathering();
    void sendFeatherMode();

    // The overlap width field's text, kept by the planning preferences.
    QString overlapWidthText() const;
    void setOverlapWidthText(const QString &text);
    // The Planning page's face of the overlap width field: what the user
    // left in it is checked here, its spin button steps this field (+1 up,
    // -1 down), and a refused value puts the focus where `focus` says
    // (answering false leaves it to this field).
    void enterOverlapWidth(const QString &text);
    void stepOverlapWidth(int direction);

    // Refills from the settings model (nothing is sent; callers hold
    // SuppressSend where a control's handler could send).
    void SyncTestPattern(int k);
    void SyncBlackLevel(int k);
    void SyncDisplaySetup();

    // The seam bridge box and threshold, repeating the Seam Removal page's.
    SeamBridgeMirror &seamBridge() const { return *seamBridge_; }

signals:
    // A screen's test pattern, grid or raster box changed outside another
    // handler: the Projector Setup page's all-screen choices no longer
    // describe the screens.
    void screenPatternChosen();

private:
    QWidget *buildScreenTab(const char *name, int first);
    QGroupBox *buildFeatherModeGroup();
    QWidget *buildHelpPanel();
    ScreenGroup &screen(int k) const;
    // The service view unlocks the black level controls and shows the
    // feathering widths, offsets and curve.
    void followServiceView(bool on);
    // Page-wide edge feathering: the basic mode's enable box, the curve's
    // buttons, and the refill of the basic mode.
    void BasicEdgeFeatheringCheckBoxClick();
    void FeatherRadioGroupClick();
    void SyncBasicFeather();
    // Shows the controls of the feathering mode the mode box holds.
    void showFeatherMode();
    void sendFeather(int n, Side side);
    // Sends one edge as its controls stand; false, sending nothing, when a
    // field holds no number (`failedText` and `failedKind` say which).
    bool sendFeatherEdge(int n, Side side, QString *failedText, FieldKind *failedKind);
    void sendBasicFeather(int on, float gamma);

    PageContext &context_;
    QTabWidget *screenTabs_ = nullptr;
    std::array<std::unique_ptr<ScreenGroup>, ScreenCount> screens_;
    DataDoublingGroup *dataDoubling_ = nullptr;
    QGroupBox *basicGroup_ = nullptr;
    std::unique_ptr<FieldBinding> basicGamma_;
    QCheckBox *basicEnableBox_ = nullptr;
    QCheckBox *advanceModeBox_ = nullptr;
    QGroupBox *curveGroup_ = nullptr;
    QButtonGroup *curveButtons_ = nullptr;
    // The wall has two or more projectors: it has edges to feather.
    bool wallFeathered_ = false;
    SeamBridgeMirror *seamBridge_ = nullptr;
};

}  // namespace tess
