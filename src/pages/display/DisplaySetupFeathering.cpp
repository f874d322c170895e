#include "pages/display/DisplaySetupPage.h"

#include "device/Commands.h"
#include "device/FieldTexts.h"
#include "fields/FieldBinding.h"
#include "fields/SpinButton.h"
#include "model/NumberFormat.h"
#include "model/SettingsModel.h"
#include "model/WindowState.h"
#include "pages/PageContext.h"
#include "pages/Wall.h"
#include "pages/display/DataDoublingGroup.h"
#include "pages/display/DisplayFields.h"
#include "pages/display/ScreenGroup.h"
#include "platform/Dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

// The Display Setup page's page-wide edge feathering: basic mode, the mode
// box and the feathering curve.
namespace tess {

QGroupBox *DisplaySetupPage::buildFeatherModeGroup()
{
    auto *box = named(new QGroupBox(this), "GroupBox1");
    basicGroup_ = named(new QGroupBox(QStringLiteral("Edge Feathering Basic Mode"), box), "EdgeFeatherBasicGroupBox");
    auto *gammaLabel = named(new QLabel(QStringLiteral("Gamma"), basicGroup_), "Label2");
    FieldDescription gamma = displayField(context_, BasicGammaField);
    gamma.enterSuccessor = [this] { return dataDoubling_->overlapWidthField(); };
    basicGamma_ = std::make_unique<FieldBinding>(
        context_.fields, basicGroup_, std::move(gamma), [this](const std::vector<double> &values) {
            sendBasicFeather(basicEnableBox_->isChecked() ? 1 : 0, float(values[0]));
        });
    basicGamma_->edit()->setFixedWidth(40);
    basicEnableBox_ = named(new QCheckBox(QStringLiteral("Enable "), basicGroup_), "BasicEdgeFeatheringCheckBox");
    basicEnableBox_->setEnabled(false);
    connect(basicEnableBox_, &QCheckBox::clicked, this, &DisplaySetupPage::BasicEdgeFeatheringCheckBoxClick);
    auto *basicRow = new QHBoxLayout(basicGroup_);
    basicRow->addWidget(gammaLabel);
    basicRow->addWidget(basicGamma_->edit());
    basicRow->addWidget(basicGamma_->spin());
    basicRow->addSpacing(8);
    basicRow->addWidget(basicEnableBox_);

    advanceModeBox_ =
        named(new QCheckBox(QStringLiteral("Edge Feathering Advanced Mode"), box), "AdvanceModeCheckBox");
    connect(advanceModeBox_, &QCheckBox::clicked, this, &DisplaySetupPage::AdvanceModeCheckBoxClick);

    curveGroup_ = named(new QGroupBox(box), "FeatherRadioGroup");
    curveButtons_ = new QButtonGroup(curveGroup_);
    auto *curveRow = new QHBoxLayout(curveGroup_);
    curveRow->setContentsMargins(6, 2, 6, 2);
    int id = 0;
    for (const QString &item : {QStringLiteral("S-Curve"), QStringLiteral("Linear")}) {
        auto *button = new QRadioButton(item, curveGroup_);
        curveButtons_->addButton(button, id++);
        curveRow->addWidget(button);
    }
    connect(curveButtons_, &QButtonGroup::idClicked, this, &DisplaySetupPage::FeatherRadioGroupClick);

    // One above the other: beside the data doubling and seam bridge groups
    // the row has no width to spare, and below the screens there is height.
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(4, 2, 4, 2);
    column->addWidget(basicGroup_, 0, Qt::AlignLeft);
    column->addWidget(advanceModeBox_);
    column->addWidget(curveGroup_, 0, Qt::AlignLeft);
    // A one-projector wall has no edges to feather.
    basicGroup_->hide();
    advanceModeBox_->hide();
    curveGroup_->hide();
    return box;
}

DisplaySetupPage::~DisplaySetupPage() = default;

void DisplaySetupPage::SyncBasicFeather()
{
    const OutputRecord &unitWide = context_.settings.output(1, 1);
    basicGamma_->edit()->setText(basicGammaText(unitWide.BasicGamma));
    basicEnableBox_->setChecked(unitWide.BasicFeather != 0);
}

void DisplaySetupPage::showFeatherMode()
{
    const bool advanced = advanceModeBox_->isChecked();
    basicGroup_->setVisible(wallFeathered_ && !advanced);
    for (const auto &group : screens_)
        group->edges().showAdvanced(advanced);
}

void DisplaySetupPage::AdvanceModeCheckBoxClick()
{
    WindowState &state = context_.state;
    const HandlerBusyScope busy(state);
    if (!busy)
        return;
    if (!state.SuppressSend && context_.deviceConnected()) {
        // Each unit reads its screens back and the page is refilled from
        // them, the mode box included; unit 2 gets the mode the user chose.
        const int mode = advanceModeBox_->isChecked() ? 1 : 0;
        context_.commands.QXCTRL(1, mode);
        if (context_.wall.unitsInUse() > 1)
            context_.commands.QXCTRL(2, mode);
    }
    showFeatherMode();
}

void DisplaySetupPage::sendBasicFeather(int on, float gamma)
{
    context_.commands.EFTB(1, on, gamma);
    if (context_.wall.unitsInUse() > 1)
        context_.commands.EFTB(2, on, gamma);
}

void DisplaySetupPage::BasicEdgeFeatheringCheckBoxClick()
{
    WindowState &state = context_.state;
    const HandlerBusyScope busy(state);
    if (!busy || state.SuppressSend || !context_.deviceConnected())
        return;
    // The gamma's bounds are not checked again here.
    const QString text = basicGamma_->edit()->text();
    const std::optional<double> gamma = parseReal(text);
    if (!gamma) {
        state.LastErrorText = genericConversionMessage(FieldKind::Real, text);
        context_.dialogs.showMessage(state.LastErrorText);
        return;
    }
    sendBasicFeather(basicEnableBox_->isChecked() ? 1 : 0, float(*gamma));
}

void DisplaySetupPage::FeatherRadioGroupClick()
{
    WindowState &state = context_.state;
    const HandlerBusyScope busy(state);
    if (!busy || state.SuppressSend || !context_.deviceConnected())
        return;
    const int item = curveButtons_->checkedId();
    if (item < 0)
        return;
    const bool linear = item == 1;
    context_.commands.FEATHER(1, linear);
    if (context_.wall.unitsInUse() > 1)
        context_.commands.FEATHER(2, linear);
}

}  // namespace tess
