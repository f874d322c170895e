#include "pages/display/SeamBridgeMirror.h"

#include "fields/FieldBinding.h"
#include "fields/SpinButton.h"
#include "model/SettingsModel.h"
#include "model/WindowState.h"
#include "pages/PageContext.h"
#include "pages/TabPage.h"
#include "pages/Wall.h"
#include "pages/display/DisplayFields.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace tess {

SeamBridgeMirror::SeamBridgeMirror(PageContext &context, QWidget *parent, std::function<QWidget *()> enterSuccessor)
    : QObject(parent), context_(context)
{
    group_ = named(new QGroupBox(QStringLiteral("Seam Bridge"), parent), "GroupBox4");
    enable_ = named(new QCheckBox(QStringLiteral("Enable"), group_), "DisplaySetupSeamBridgeAllConfigCheckBox");
    connect(enable_, &QCheckBox::clicked, this, &SeamBridgeMirror::DisplaySetupSeamBridgeAllConfigCheckBoxClick);

    // A bounds error refills the Seam Removal page; this field keeps the
    // typed text and takes the focus back.
    FieldDescription desc = displayField(context_, DisplayBridgeThresholdField);
    // Enter leads to the basic feathering gamma.
    desc.enterSuccessor = std::move(enterSuccessor);
    threshold_ = std::make_unique<FieldBinding>(context_.fields, group_, std::move(desc),
                                                [this](const std::vector<double> &values) {
                                                    emit thresholdEntered(threshold_->edit()->text(), int(values[0]));
                                                });
    threshold_->edit()->setFixedWidth(44);

    auto *rows = new QGridLayout(group_);
    rows->addWidget(enable_, 0, 0, 1, 3);
    rows->addWidget(named(new QLabel(QStringLiteral("Threshold"), group_), "Label141"), 1, 0);
    rows->addWidget(threshold_->edit(), 1, 1);
    rows->addWidget(threshold_->spin(), 1, 2);

    // Both pages show the bridge and the threshold the user set last.
    connect(&context_.wall, &Wall::seamBridgeChanged, this, &SeamBridgeMirror::showBridge);
    connect(&context_.wall, &Wall::bridgeThresholdChanged, this, &SeamBridgeMirror::showThreshold);
}

SeamBridgeMirror::~SeamBridgeMirror() = default;

void SeamBridgeMirror::DisplaySetupSeamBridgeAllConfigCheckBoxClick()
{
    if (context_.state.SuppressSend)
        return;
    emit bridgeClicked(enable_->isChecked());
}

void SeamBridgeMirror::showBridge(bool on)
{
    enable_->setChecked(on);
}

void SeamBridgeMirror::showThreshold(const QString &text)
{
    threshold_->edit()->setText(text);
}

void SeamBridgeMirror::sync()
{
    const OutputRecord &unit1 = context_.settings.output(1, 1);
    enable_->setChecked(unit1.SeamBridge != 0);
    if (unit1.BridgeThreshold != 0)
        showThreshold(QString::number(unit1.BridgeThreshold));
}

}  // namespace tess

#include "moc_SeamBridgeMirror.cpp"
