#include "pages/display/DisplaySetupPage.h"

#include "device/CommandTable.h"
#include "device/Commands.h"
#include "device/Refills.h"
#include "fields/FieldBinding.h"
#include "model/SettingsModel.h"
#include "model/WindowState.h"
#include "pages/PageContext.h"
#include "pages/ServiceView.h"
#include "pages/SystemSave.h"
#include "pages/Wall.h"
#include "pages/display/DataDoublingGroup.h"
#include "pages/display/ScreenGroup.h"
#include "pages/display/SeamBridgeMirror.h"
#include "platform/Dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tess {

namespace {

QString numbered(const char *pattern, int k)
{
    return QString::fromLatin1(pattern).arg(k);
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

DisplaySetupPage::DisplaySetupPage(PageContext &context, QWidget *parent)
    : TabPage("DisplaySetupTabSheet", QStringLiteral("Display Setup"), parent), context_(context)
{
    screenTabs_ = named(new QTabWidget(this), "ScreenPageControl");
    // Tabs drawn as buttons.
    screenTabs_->setDocumentMode(true);
    screenTabs_->setStyleSheet(
        QStringLiteral("QTabBar::tab { border: 2px outset palette(mid); border-radius: 3px; padding: 3px 10px;"
                       " margin: 2px 4px 4px 0px; background: palette(button); }"
                       "QTabBar::tab:selected { border-style: inset; background: palette(midlight); }"));
    screenTabs_->addTab(buildScreenTab("Screen14TabSheet", 1), QStringLiteral("Screens 1-4 Controls"));
    screenTabs_->addTab(buildScreenTab("Screen58TabSheet", 5), QStringLiteral("Screen 5-8 Controls"));
    screenTabs_->setEnabled(false);

    dataDoubling_ = new DataDoublingGroup(context_, this, [this] {
        return screenTabs_->currentIndex() == 0 ? static_cast<QWidget *>(screen(1).testPattern())
                                                : static_cast<QWidget *>(screen(5).testPattern());
    });

    seamBridge_ =
        new SeamBridgeMirror(context_, this, [this] { return basicGamma_ ? basicGamma_->edit() : nullptr; });

    auto *below = new QHBoxLayout;
    below->addWidget(dataDoubling_->group(), 0, Qt::AlignTop);
    below->addWidget(buildFeatherModeGroup(), 0, Qt::AlignTop);
    auto *systemSave =
        named(new QPushButton(QStringLiteral("System Save Quorex(s)"), this), "DisplaySetupSystemSaveButton");
    connect(systemSave, &QPushButton::clicked, this, [this] { SystemSave(context_); });
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
        dataDoubling_->setShown(projectors >= 2);
    });
    connect(&context_.wall, &Wall::plannedChanged, this, &DisplaySetupPage::setScreenControlsEnabled);
    connect(&context_.serviceView, &ServiceView::changed, this, &DisplaySetupPage::followServiceView);
    followServiceView(context_.serviceView.isOn());

    Refills &refills = context_.refills;
    refills.provide(Refill::TestPattern, [this](int k) { SyncTestPattern(k); });
    refills.provide(Refill::BlackLevel, [this](int k) { SyncBlackLevel(k); });
    refills.provide(Refill::DisplaySetup, [this](int) { SyncDisplaySetup(); });
    refills.provide(Refill::Halo,
                    [this](int k) { screen(k).edges().syncHalo(context_.settings.projectorOutput(k)); });
    refills.provide(Refill::AdvancedFeather,
                    [this](int k) { screen(k).edges().syncFeather(context_.settings.projectorOutput(k)); });
    refills.provide(Refill::BasicFeather, [this](int) { SyncBasicFeather(); });
    refills.provide(Refill::DataDoubling, [this](int) { dataDoubling_->SyncDataDoubling(); });
    refills.provide(Refill::OverlapWidthCheck, [this](int) { dataDoubling_->OWidthEditExit(); });
}

QWidget *DisplaySetupPage::buildScreenTab(const char *name, int first)
{
    auto *tab = named(new QWidget, name);
    auto *row = new QHBoxLayout(tab);
    // Four groups side by side need every pixel for their captions.
    row->setContentsMargins(0, 4, 0, 2);
    row->setSpacing(3);
    const ScreenGroup::Actions actions{[this](int k, Side side) { sendFeather(k, side); },
                                       [this] { emit screenPatternChosen(); }};
    for (int k = first; k < first + 4; ++k) {
        auto &group = screens_[std::size_t(k - 1)];
        group = std::make_unique<ScreenGroup>(context_, k, tab, actions);
        row->addWidget(group->group(), 0, Qt::AlignTop);
    }
    row->addStretch();
    return tab;
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

ScreenGroup &DisplaySetupPage::screen(int k) const
{
    Q_ASSERT(k >= 1 && k <= ScreenCount);
    return *screens_[std::size_t(k - 1)];
}

void DisplaySetupPage::showScreens(int projectors)
{
    screenTabs_->setTabVisible(1, projectors >= 5);
    for (int k = 1; k <= ScreenCount; ++k) {
        screen(k).group()->setVisible(k <= projectors);
        if (k >= 2 && k <= 7)
            screen(k).edges().showRightEdge(k < projectors);
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
    for (const auto &group : screens_)
        group->followServiceView(on);
    curveGroup_->setVisible(on);
}

QString DisplaySetupPage::overlapWidthText() const
{
    return dataDoubling_->overlapWidthText();
}

void DisplaySetupPage::setOverlapWidthText(const QString &text)
{
    dataDoubling_->setOverlapWidthText(text);
}

void DisplaySetupPage::enterOverlapWidth(const QString &text)
{
    setOverlapWidthText(text);
    dataDoubling_->OWidthEditExit();
}

void DisplaySetupPage::stepOverlapWidth(int direction)
{
    if (direction > 0)
        dataDoubling_->OWidthUpDownUpClick();
    else
        dataDoubling_->OWidthUpDownDownClick();
}

void DisplaySetupPage::SyncTestPattern(int k)
{
    screen(k).syncTestPattern();
}

void DisplaySetupPage::SyncBlackLevel(int k)
{
    screen(k).syncValue(command::BlackLevel);
}

void DisplaySetupPage::SyncDisplaySetup()
{
    for (const auto &group : screens_) {
        group->syncTestPattern();
        group->syncValues();
        group->syncEdges();
    }
    // Unit-wide values come from unit 1.
    const OutputRecord &unitWide = context_.settings.output(1, 1);
    advanceModeBox_->setChecked(unitWide.AdvancedMode != 0);
    showFeatherMode();
    SyncBasicFeather();
    dataDoubling_->SyncDataDoubling();
    if (unitWide.FeatherCurve == 'S' || unitWide.FeatherCurve == 'L')
        curveButtons_->button(unitWide.FeatherCurve == 'S' ? 0 : 1)->setChecked(true);
    seamBridge_->sync();
}

void DisplaySetupPage::HaloWidthEditExit(int k, Side side)
{
    screen(k).edges().haloExitCheck(side);
}

void DisplaySetupPage::SendLeftFeather(int n)
{
    sendFeather(n, Side::Left);
}

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
    const std::optional<FeatherReading> edge = screen(n).edges().readFeather(side, failedText, failedKind);
    if (!edge)
        return false;
    context_.commands.PEFT(unitOfScreen(n), screenInUnit(n), sideLetter(side), edge->on, edge->gamma, edge->width,
                           edge->offset);
    return true;
}

}  // namespace tess

#include "moc_DisplaySetupPage.cpp"
