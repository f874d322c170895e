#include "pages/display/DisplaySetupPage.h"

#include "device/Commands.h"
#include "device/Refills.h"
#include "fields/FieldBinding.h"
#include "fields/SpinButton.h"
#include "model/SettingNames.h"
#include "model/SettingsModel.h"
#include "model/WindowState.h"
#include "pages/PageContext.h"
#include "pages/ServiceView.h"
#include "pages/SystemSave.h"
#include "pages/Wall.h"
#include "pages/display/DataDoublingGroup.h"
#include "pages/display/DisplaySetupScreen.h"
#include "pages/display/ScreenEdges.h"
#include "pages/display/SeamBridgeMirror.h"
#include "platform/Dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tess {


namespace {

int unitOf(int k) { return unitOfScreen(k); }
int screenOf(int k) { return screenInUnit(k); }

QString numbered(const char *pattern, int k)
{
    return QString::fromLatin1(pattern).arg(k);
}

// The black level field of screen k.
FieldDescription blackLevelDescription(int k)
{
    FieldDescription desc;
    desc.edit = numbered("Black%1Edit", k);
    desc.spin = numbered("Black%1UpDown", k);
    desc.kind = FieldKind::Whole;
    desc.lower = 0;
    desc.upper = 255;
    desc.defaultText = QStringLiteral("0");
    desc.rangeText = QStringLiteral("(0 - 255)");
    desc.maxLength = k == 1 ? 5 : 0;
    desc.notValidNoun = QStringLiteral("Black Level");
    desc.repeatMs = k <= 3 ? 105 : 250;
    // The exit checks of the second unit's screens keep out of a handler
    // that is running.
    desc.skipFocusExitWhileBusy = k >= 5;
    // Enter has no effect: its successor, the screen's first halo removal
    // field, is never shown.
    return desc;
}

const char *const HelpTexts[] = {
    "OUTPUT RASTER BOX:  Displays a 1- pixel outline of the of active display. ",
    "TEST GRID:  Provides a Grid of 1-pixel lines. Grid is displayed in combination with selected Test Pattern "
    "or Live video and Raster Box, if enabled.  \n\n",
    "BLACK LEVEL: Adjusts  brightness of non-overlapped image area to \ncompensate for excess light in "
    "overlapped image area due to light leakage from the two overlapping projectors.",
    "EDGE FEATHERING BASIC MODE: In this mode, all Edge Feathered regions are enabled and set to a single common "
    "Gamma value as a group.",
    "EDGE FEATHERING ADVANCED MODE:  Selecting this mode allows the user to independently enable and set Edge "
    "Feathering Gamma for each edge of each screen. ",
    "DATA DOUBLING OVERLAP WIDTH:  Adjusts the width of the projector overlap area. The Overlap Width is used to "
    "control the amount of data doubling required and the width of the associated edge feathering.",
};

// The halo removal help stays hidden with the halo removal groups.
const char *const HaloHelpText =
    "HALO REMOVAL: Adjusts the brightness of the band of extra light beside each overlapped image area.";

}  // namespace

const QStringList &DisplaySetupPage::testPatternItems() { return settingnames::testPatternNames(); }

DisplaySetupPage::DisplaySetupPage(PageContext &context, QWidget *parent)
    : TabPage("DisplaySetupTabSheet", QStringLiteral("Display Setup"), parent), context_(context)
{
    screenTabs_ = named(new QTabWidget(this), "ScreenPageControl");
    // Tabs drawn as buttons.
    screenTabs_->setDocumentMode(true);
    screenTabs_->setStyleSheet(QStringLiteral(
        "QTabBar::tab { border: 2px outset palette(mid); border-radius: 3px; padding: 3px 10px;"
        " margin: 2px 4px 4px 0px; background: palette(button); }"
        "QTabBar::tab:selected { border-style: inset; background: palette(midlight); }"));
    screenTabs_->addTab(buildScreenTab("Screen14TabSheet", 1), QStringLiteral("Screens 1-4 Controls"));
    screenTabs_->addTab(buildScreenTab("Screen58TabSheet", 5), QStringLiteral("Screen 5-8 Controls"));
    screenTabs_->setEnabled(false);

    dataDoubling_ = new DataDoublingGroup(context_, this, [this] {
        return screenTabs_->currentIndex() == 0 ? static_cast<QWidget *>(screen(1).testPattern)
                                                : static_cast<QWidget *>(screen(5).testPattern);
    });

    seamBridge_ = new SeamBridgeMirror(context_, this, [this] { return basicGamma_ ? basicGamma_->edit() : nullptr; });

    auto *below = new QHBoxLayout;
    below->addWidget(dataDoubling_->group(), 0, Qt::AlignTop);
    below->addWidget(buildFeatherModeGroup(), 0, Qt::AlignTop);
    auto *systemSave = named(new QPushButton(QStringLiteral("System Save Quorex(s)"), this), "DisplaySetupSystemSaveButton");
    connect(systemSave, &QPushButton::clicked, this, &DisplaySetupPage::DisplaySetupSystemSaveButtonClick);
    auto *bridgeColumn = new QVBoxLayout;
    bridgeColumn->addWidget(seamBridge_->group());
    bridgeColumn->addWidget(systemSave, 0, Qt::AlignLeft);
    bridgeColumn->addStretch();
    below->addLayout(bridgeColumn);
    below->addStretch();
    auto *left = new QVBoxLayout;
    left->addWidget(screenTabs_);
    left->addLayout(below);
    left->addStretch();
    auto *page = new QHBoxLayout(this);
    page->setContentsMargins(4, 6, 4, 4);
    page->setSpacing(4);
    page->addLayout(left, 1);
    page->addWidget(buildHelpPanel(), 0, Qt::AlignTop);

    showScreens(1);
    // The page shows the wall the planning laid out, and takes input once
    // the planning has calculated one.
    connect(&context_.wall, &Wall::laidOut, this, [this](int projectors) {
        showScreens(projectors);
        setDataDoublingShown(projectors >= 2);
    });
    connect(&context_.wall, &Wall::plannedChanged, this, &DisplaySetupPage::setScreenControlsEnabled);
    connect(&context_.serviceView, &ServiceView::changed, this, &DisplaySetupPage::followServiceView);
    followServiceView(context_.serviceView.isOn());

    Refills &refills = context_.refills;
    refills.provide(Refill::TestPattern, [this](int k) { SyncTestPattern(k); });
    refills.provide(Refill::BlackLevel, [this](int k) { SyncBlackLevel(k); });
    refills.provide(Refill::DisplaySetup, [this](int) { SyncDisplaySetup(); });
    refills.provide(Refill::Halo, [this](int k) { SyncHalo(k); });
    refills.provide(Refill::AdvancedFeather, [this](int k) { SyncAdvancedFeather(k); });
    refills.provide(Refill::BasicFeather, [this](int) { SyncBasicFeather(); });
    refills.provide(Refill::DataDoubling, [this](int) { SyncDataDoubling(); });
    refills.provide(Refill::OverlapWidthCheck, [this](int) { OWidthEditExit(); });
}

QWidget *DisplaySetupPage::buildScreenTab(const char *name, int first)
{
    auto *tab = named(new QWidget, name);
    auto *row = new QHBoxLayout(tab);
    // Four groups side by side need every pixel for their captions.
    row->setContentsMargins(0, 4, 0, 2);
    row->setSpacing(3);
    for (int k = first; k < first + 4; ++k)
        row->addWidget(buildScreenGroup(k, tab), 0, Qt::AlignTop);
    row->addStretch();
    return tab;
}

QGroupBox *DisplaySetupPage::buildScreenGroup(int k, QWidget *parent)
{
    auto screen = std::make_unique<Screen>();
    screen->group = new QGroupBox(numbered("Screen %1 Controls", k), parent);
    screen->group->setObjectName(numbered("Screen%1GroupBox", k));
    QGroupBox *group = screen->group;

    auto *patternLabel = new QLabel(QStringLiteral("Test Pattern"), group);
    patternLabel->setObjectName(numbered("TestPatternLabel%1", k));
    screen->testPattern = new QComboBox(group);
    screen->testPattern->setObjectName(numbered("TestPattern%1ComboBox", k));
    screen->testPattern->addItems(testPatternItems());
    screen->testPattern->setMaxVisibleItems(11);
    // Four groups share the width: the list need not be as wide as its
    // longest item, which shows in full when it opens.
    screen->testPattern->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    screen->testPattern->setMinimumContentsLength(12);
    screen->testPattern->setCurrentIndex(-1);
    screen->testGrid = new QCheckBox(QStringLiteral("Test Grid"), group);
    screen->testGrid->setObjectName(numbered("TestGrid%1CheckBox", k));
    screen->outputRaster = new QCheckBox(QStringLiteral("Output Raster Box"), group);
    screen->outputRaster->setObjectName(numbered("OutputRaster%1CheckBox", k));

    screen->blackLabel = new QLabel(QStringLiteral("Black Level "), group);
    screen->blackLabel->setObjectName(numbered("BlackLabel%1", k));
    FieldDescription black = blackLevelDescription(k);
    black.refill = [this, k] { SyncBlackLevel(k); };
    screen->black = std::make_unique<FieldBinding>(context_.fields, group, std::move(black),
                                                   [this, k](const std::vector<double> &values) {
                                                       context_.commands.BLKGN(unitOf(k), screenOf(k),
                                                                               int(values[0]));
                                                   });
    QLineEdit *blackEdit = screen->black->edit();
    blackEdit->setFixedWidth(44);

    auto *grid = new QGridLayout(group);
    grid->addWidget(patternLabel, 0, 0, 1, 3);
    grid->addWidget(screen->testPattern, 1, 0, 1, 3);
    grid->addWidget(screen->testGrid, 2, 0, 1, 3);
    grid->addWidget(screen->outputRaster, 3, 0, 1, 3);
    grid->addWidget(screen->blackLabel, 4, 0);
    grid->addWidget(blackEdit, 4, 1);
    grid->addWidget(screen->black->spin(), 4, 2);
    screen->edges = std::make_unique<ScreenEdges>(
        context_.fields, k, group, screen->testPattern,
        Bound::heldBy([this] { return double(context_.planning.MaxOverlapWidth); }),
        ScreenEdges::Actions{[this, k](Side side, int width, int offset) {
                                 context_.commands.HALO(unitOf(k), screenOf(k), side == Side::Left ? 0 : 1, width,
                                                        offset);
                             },
                             [this, k](Side side) { sendFeather(k, side); }});
    grid->addWidget(screen->edges->haloGroup(), 5, 0, 1, 3);
    grid->addWidget(screen->edges->featherGroup(), 6, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->setHorizontalSpacing(4);
    grid->setContentsMargins(2, 4, 2, 4);

    // A pick, a grid click and a raster click all send the group's whole
    // state. The handlers also run when the program sets these controls.
    connect(screen->testPattern, &QComboBox::currentIndexChanged, this, [this, k] { TestPatternComboBoxChange(k); });
    connect(screen->testGrid, &QCheckBox::toggled, this, [this, k] { TestPatternComboBoxChange(k); });
    connect(screen->outputRaster, &QCheckBox::toggled, this, [this, k] { TestPatternComboBoxChange(k); });

    screens_[std::size_t(k - 1)] = std::move(screen);
    return group;
}

QWidget *DisplaySetupPage::buildHelpPanel()
{
    auto *panel = named(new QFrame(this), "DisplaySetupPanel");
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFixedWidth(160);
    // Small print: six notes beside four screen groups, all in view.
    QFont small = panel->font();
    small.setPointSizeF(small.pointSizeF() - 1.5);
    panel->setFont(small);
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(4);
    int n = 1;
    for (const char *text : HelpTexts) {
        auto *label = new QLabel(QString::fromLatin1(text), panel);
        label->setObjectName(numbered("DisplaySetupHelp%1Label", n++));
        label->setWordWrap(true);
        column->addWidget(label);
    }
    auto *haloHelp = named(new QLabel(QString::fromLatin1(HaloHelpText), panel), "HaloHelpLabel");
    haloHelp->setWordWrap(true);
    haloHelp->hide();
    column->addWidget(haloHelp);
    column->addStretch();
    return panel;
}

DisplaySetupPage::Screen &DisplaySetupPage::screen(int k) const
{
    Q_ASSERT(k >= 1 && k <= ScreenCount);
    return *screens_[std::size_t(k - 1)];
}

void DisplaySetupPage::showScreens(int projectors)
{
    screenTabs_->setTabVisible(1, projectors >= 5);
    for (int k = 1; k <= ScreenCount; ++k) {
        screen(k).group->setVisible(k <= projectors);
        if (k >= 2 && k <= 7)
            screen(k).edges->showRightEdge(k < projectors);
    }
    wallFeathered_ = projectors >= 2;
    advanceModeBox_->setVisible(wallFeathered_);
    showFeatherMode();
}

void DisplaySetupPage::setScreenControlsEnabled(bool enabled)
{
    screenTabs_->setEnabled(enabled);
    basicEnableBox_->setEnabled(enabled);
    if (enabled)
        basicGamma_->edit()->setEnabled(true);
}

void DisplaySetupPage::followServiceView(bool on)
{
    for (int k = 1; k <= ScreenCount; ++k) {
        const Screen &s = screen(k);
        s.blackLabel->setEnabled(on);
        s.black->edit()->setEnabled(on);
        s.black->spin()->setEnabled(on);
        s.edges->showWidthsAndOffsets(on);
    }
    curveGroup_->setVisible(on);
}

QString DisplaySetupPage::overlapWidthText() const { return dataDoubling_->overlapWidthText(); }

void DisplaySetupPage::setOverlapWidthText(const QString &text) { dataDoubling_->setOverlapWidthText(text); }

void DisplaySetupPage::setDataDoublingShown(bool shown) { dataDoubling_->setShown(shown); }

void DisplaySetupPage::OWidthUpDownUpClick() { dataDoubling_->OWidthUpDownUpClick(); }

void DisplaySetupPage::OWidthUpDownDownClick() { dataDoubling_->OWidthUpDownDownClick(); }

void DisplaySetupPage::enterOverlapWidth(const QString &text)
{
    setOverlapWidthText(text);
    OWidthEditExit();
}

void DisplaySetupPage::stepOverlapWidth(int direction)
{
    if (direction > 0)
        OWidthUpDownUpClick();
    else
        OWidthUpDownDownClick();
}

void DisplaySetupPage::setOverlapErrorFocus(std::function<bool()> focus) { dataDoubling_->errorFocus = std::move(focus); }

void DisplaySetupPage::TestPatternComboBoxChange(int k)
{
    WindowState &state = context_.state;
    const HandlerBusyScope busy(state);
    if (!busy)
        return;
    emit screenPatternChosen();
    if (state.SuppressSend || !context_.deviceConnected())
        return;
    sendTestPattern(k);
}

void DisplaySetupPage::sendTestPattern(int k)
{
    const Screen &s = screen(k);
    if (s.testPattern->currentIndex() < 0) {
        // A grid or raster click before any pattern was chosen: the box
        // goes on over "Off" rather than over a pattern number the unit
        // does not have.
        const QSignalBlocker quiet(s.testPattern);
        s.testPattern->setCurrentIndex(0);
    }
    context_.commands.OTPMQX(unitOf(k), screenOf(k), s.testPattern->currentIndex(), s.outputRaster->isChecked() ? 1 : 0,
                             s.testGrid->isChecked() ? 1 : 0);
}

void DisplaySetupPage::DisplaySetupSystemSaveButtonClick() { SystemSave(context_); }

void DisplaySetupPage::BlackEditExit(int k) { screen(k).black->exitCheck(); }

void DisplaySetupPage::BlackUpDownUpClick(int k) { screen(k).black->upClick(); }

void DisplaySetupPage::BlackUpDownDownClick(int k) { screen(k).black->downClick(); }

void DisplaySetupPage::SyncTestPattern(int k)
{
    const OutputRecord &record = context_.settings.projectorOutput(k);
    const Screen &s = screen(k);
    // A stored number past the list shows no selection.
    s.testPattern->setCurrentIndex(record.TestPattern < s.testPattern->count() ? record.TestPattern : -1);
    s.testGrid->setChecked(record.TestGrid != 0);
    s.outputRaster->setChecked(record.OutputRaster != 0);
}

void DisplaySetupPage::SyncBlackLevel(int k)
{
    screen(k).black->edit()->setText(QString::number(context_.settings.projectorOutput(k).BlackLevel));
}

void DisplaySetupPage::SyncDisplaySetup()
{
    for (int k = 1; k <= ScreenCount; ++k) {
        SyncTestPattern(k);
        SyncBlackLevel(k);
        SyncHalo(k);
        SyncAdvancedFeather(k);
    }
    // Unit-wide values come from unit 1.
    const OutputRecord &unitWide = context_.settings.output(1, 1);
    advanceModeBox_->setChecked(unitWide.AdvancedMode != 0);
    showFeatherMode();
    SyncBasicFeather();
    SyncDataDoubling();
    if (unitWide.FeatherCurve == 'S' || unitWide.FeatherCurve == 'L')
        curveButtons_->button(unitWide.FeatherCurve == 'S' ? 0 : 1)->setChecked(true);
    seamBridge_->sync();
}

void DisplaySetupPage::SyncHalo(int k)
{
    screen(k).edges->syncHalo(context_.settings.projectorOutput(k));
}

void DisplaySetupPage::SyncAdvancedFeather(int k)
{
    screen(k).edges->syncFeather(context_.settings.projectorOutput(k));
}

void DisplaySetupPage::SyncDataDoubling() { dataDoubling_->SyncDataDoubling(); }
void DisplaySetupPage::OWidthEditExit() { dataDoubling_->OWidthEditExit(); }

void DisplaySetupPage::HaloWidthEditExit(int k, Side side) { screen(k).edges->haloExitCheck(side); }

void DisplaySetupPage::GammaEditExit(int k, Side side) { screen(k).edges->gammaExitCheck(side); }

void DisplaySetupPage::GammaWidthEditExit(int k, Side side) { screen(k).edges->widthExitCheck(side); }

void DisplaySetupPage::SendRightFeather(int n) { sendFeather(n, Side::Right); }

void DisplaySetupPage::SendLeftFeather(int n) { sendFeather(n, Side::Left); }

void DisplaySetupPage::sendFeather(int n, Side side)
{
    WindowState &state = context_.state;
    if (state.SuppressSend || !context_.deviceConnected() || !hasFeatherEdge(n, side))
        return;
    QString failedText;
    FieldKind failedKind = FieldKind::Whole;
    if (!sendFeatherEdge(n, side, &failedText, &failedKind)) {
        // Only the field whose check led here was validated; another that
        // holds no number stops the send.
        state.LastErrorText = genericConversionMessage(failedKind, failedText);
        context_.dialogs.showMessage(state.LastErrorText);
    }
}

bool DisplaySetupPage::sendFeatherEdge(int n, Side side, QString *failedText, FieldKind *failedKind)
{
    const std::optional<FeatherReading> edge = screen(n).edges->readFeather(side, failedText, failedKind);
    if (!edge)
        return false;
    context_.commands.PEFT(unitOf(n), screenOf(n), sideLetter(side), edge->on, edge->gamma, edge->width,
                           edge->offset);
    return true;
}

}  // namespace tess
