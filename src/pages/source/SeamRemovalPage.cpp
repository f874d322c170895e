#include "pages/source/SeamRemovalPage.h"

#include "device/Commands.h"
#include "device/DeviceHost.h"
#include "device/Refills.h"
#include "fields/FieldBinding.h"
#include "fields/SpinButton.h"
#include "model/NumberFormat.h"
#include "model/SettingsModel.h"
#include "model/WindowState.h"
#include "pages/PageContext.h"
#include "pages/Wall.h"
#include "pages/source/ChannelSelect.h"
#include "pages/source/SourceFields.h"
#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tess {

namespace {

// The label of gain field n (1-8): "Gain -4" ... "Gain -1", "Gain +1" ... "Gain +4".
QString gainCaption(int n)
{
    return n <= 4 ? QStringLiteral("Gain -%1").arg(5 - n) : QStringLiteral("Gain +%1").arg(n - 4);
}

}  // namespace

SeamRemovalPage::SeamRemovalPage(PageContext &context, QWidget *parent)
    : TabPage("SeamRemovalTabSheet", QStringLiteral("Seam Removal"), parent), context_(context)
{
    channels_ = new ChannelSelect("SeamScreenSelectRadioGroup", this);
    connect(channels_, &ChannelSelect::clicked, this, &SeamRemovalPage::SeamScreenSelectRadioGroupClick);

    autoAll_ =
        named(new QPushButton(QStringLiteral("Auto Seam Gain (All Channels)"), this), "SeamAutoAllConfigButton");
    connect(autoAll_, &QPushButton::clicked, this, &SeamRemovalPage::SeamAutoAllConfigButtonClick);

    auto *grid = new QGridLayout(this);
    grid->addWidget(channels_, 0, 0, 1, 2);
    grid->addWidget(buildGainGroup(), 1, 0, 1, 1, Qt::AlignTop);
    grid->addWidget(buildBridgeGroup(), 1, 1, 1, 1, Qt::AlignTop);
    grid->addWidget(autoAll_, 2, 0, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(3, 1);

    setLinkControlsEnabled(false);
    context.refills.provide(Refill::SeamRemoval, [this](int) { SyncSeamRemoval(); });
    connect(&context.wall, &Wall::laidOut, this, &SeamRemovalPage::setChannelCount);
}

SeamRemovalPage::~SeamRemovalPage() = default;

QGroupBox *SeamRemovalPage::buildGainGroup()
{
    gainGroup_ = named(new QGroupBox(QStringLiteral("Manual Seam Gain"), this), "SeamGroupBox");
    QGroupBox *group = gainGroup_;
    auto *rows = new QGridLayout(group);
    rows->setVerticalSpacing(2);
    int line = 0;
    for (int n = 1; n <= GainCount; ++n) {
        FieldDescription desc = sourceField(context_, SeamGainField, n);
        desc.enterSuccessor = [this, n] {
            return firstFocusable({n < GainCount ? gains_[std::size_t(n)]->edit() : threshold_->edit()});
        };
        auto &gain = gains_[std::size_t(n - 1)];
        gain = std::make_unique<FieldBinding>(context_.fields, group, std::move(desc),
                                              [this](const std::vector<double> &) { SendSeamGains(); });
        if (n == 5) {
            rows->addWidget(named(new QLabel(QStringLiteral("-----------------------------------   Seam   "
                                                            "--------------------------------"),
                                             group),
                                  "Label110"),
                            line++, 0, 1, 3);
        }
        rows->addWidget(new QLabel(gainCaption(n), group), line, 0);
        gain->edit()->setFixedWidth(50);
        rows->addWidget(gain->edit(), line, 1);
        rows->addWidget(gain->spin(), line++, 2);
    }

    auto *reset = named(new QPushButton(QStringLiteral("Reset Seam Gain"), group), "ResetSeamGainButton");
    auto *autoSingle = named(new QPushButton(QStringLiteral("Auto Seam Gain"), group), "SeamAutoSingleConfigButton");
    bridgeSingle_ = named(new QCheckBox(QStringLiteral("Seam Bridge "), group), "SeamBridgeSingleConfigCheckBox");
    bridgeSingle_->hide();  // never shown
    connect(reset, &QPushButton::clicked, this, &SeamRemovalPage::ResetSeamGainButtonClick);
    connect(autoSingle, &QPushButton::clicked, this, &SeamRemovalPage::SeamAutoSingleConfigButtonClick);
    connect(bridgeSingle_, &QCheckBox::clicked, this, &SeamRemovalPage::SeamBridgeSingleConfigCheckBoxClick);
    rows->addWidget(reset, line++, 0, 1, 3);
    rows->addWidget(autoSingle, line++, 0, 1, 3);
    group->setFixedWidth(320);
    return group;
}

QGroupBox *SeamRemovalPage::buildBridgeGroup()
{
    auto *group = named(new QGroupBox(QStringLiteral("Seam Bridge"), this), "GroupBox3");
    bridgeAll_ = named(new QCheckBox(QStringLiteral("Enable"), group), "SeamBridgeAllConfigCheckBox");
    // Only the user's click runs the handler: when a refill sets the box
    // (another channel's unit has the other state) nothing is sent.
    connect(bridgeAll_, &QCheckBox::clicked, this, &SeamRemovalPage::SeamBridgeAllConfigCheckBoxClick);
    FieldDescription desc = sourceField(context_, BridgeThresholdField);
    desc.enterSuccessor = [this] { return firstFocusable({gains_[0]->edit()}); };
    threshold_ = std::make_unique<FieldBinding>(context_.fields, group, std::move(desc),
                                                [this](const std::vector<double> &values) {
                                                    applyBridgeThreshold(threshold_->edit()->text(), int(values[0]));
                                                });
    threshold_->edit()->setFixedWidth(50);
    auto *rows = new QGridLayout(group);
    rows->addWidget(bridgeAll_, 0, 0, 1, 3);
    rows->addWidget(new QLabel(QStringLiteral("Threshold"), group), 1, 0);
    rows->addWidget(threshold_->edit(), 1, 1);
    rows->addWidget(threshold_->spin(), 1, 2);
    rows->setColumnStretch(3, 1);
    group->setFixedWidth(220);
    return group;
}

void SeamRemovalPage::setLinkControlsEnabled(bool enabled)
{
    channels_->setEnabled(enabled);
    gainGroup_->setEnabled(enabled);
    bridgeAll_->setEnabled(enabled);
    autoAll_->setEnabled(enabled);
}

void SeamRemovalPage::setChannelCount(int projectors)
{
    channels_->setCount(projectors);
    selectChannel(1);
}

void SeamRemovalPage::selectChannel(int c)
{
    channels_->select(c);
    SeamScreenSelectRadioGroupClick();
}

int SeamRemovalPage::selectedChannel() const
{
    return channels_->selected();
}
int SeamRemovalPage::unit() const
{
    return channels_->unit();
}
int SeamRemovalPage::screen() const
{
    return channels_->input();
}

void SeamRemovalPage::SeamScreenSelectRadioGroupClick()
{
    if (!context_.state.SuppressSend)
        SyncSeamRemoval();
}

void SeamRemovalPage::SeamGainEditExit(int n)
{
    gains_.at(std::size_t(n - 1))->exitCheck();
}

void SeamRemovalPage::sendChannelGains()
{
    for (int n = 1; n <= GainCount; ++n)
        SeamGainEditExit(n);
}

void SeamRemovalPage::SendSeamGains()
{
    WindowState &state = context_.state;
    if (state.SuppressSend || !context_.deviceConnected())
        return;
    // Each gain is checked as its field's row checks it.
    const FieldRow &gain = fieldRow(sourceFields(), SeamGainField, 1);
    std::array<int, GainCount> values{};
    for (int i = 0; i < GainCount; ++i) {
        // Another field may hold what its own check has not seen yet (a spin
        // click beside a field still being typed in): nothing goes out then.
        const QString text = gains_[std::size_t(i)]->edit()->text();
        const std::optional<int> value = parseWhole(text);
        if (!value) {
            state.LastErrorText = QStringLiteral("'%1' is not a valid integer value").arg(text);
            context_.dialogs.showMessage(state.LastErrorText);
            return;
        }
        if (*value < gain.lower.value || *value > gain.upper.value) {
            state.LastErrorText = QLatin1String(gain.boundsMessage);
            context_.dialogs.showMessage(state.LastErrorText);
            return;
        }
        values[std::size_t(i)] = *value;
    }
    context_.commands.MANSEAM(unit(), screen(), -4, values);
}

void SeamRemovalPage::ResetSeamGainButtonClick()
{
    const HandlerBusyScope busy(context_.state);
    if (!busy)
        return;
    if (!context_.dialogs.askYesNo(QStringLiteral("Tessaline - Reset Seam Gain Verification"),
                                   QStringLiteral("Resetting Seam Gains will reset all seam gain values back to 128 "
                                                  "for the current channel. Are you sure you want to reset the Seam "
                                                  "Gains?")))
        return;
    context_.device.setBusyCursor(true);
    for (const auto &gain : gains_)
        gain->edit()->setText(QStringLiteral("128"));
    SeamGainEditExit(1);
    context_.device.setBusyCursor(false);
}

void SeamRemovalPage::SeamAutoSingleConfigButtonClick()
{
    runForChannels(context_, *channels_, false, [this](int u, int s) { context_.commands.AUTOSEAM(u, s); });
}

void SeamRemovalPage::SeamAutoAllConfigButtonClick()
{
    runForChannels(context_, *channels_, true, [this](int u, int s) { context_.commands.AUTOSEAM(u, s); });
}

void SeamRemovalPage::SeamBridgeAllConfigCheckBoxClick()
{
    const HandlerBusyScope busy(context_.state);
    if (!busy)
        return;
    const bool on = bridgeAll_->isChecked();
    if (!context_.state.SuppressSend && context_.deviceConnected()) {
        context_.commands.BRDGSEAM(1, screen(), on ? 1 : 0);
        if (context_.wall.unitsInUse() > 1)
            context_.commands.BRDGSEAM(2, screen(), on ? 1 : 0);
    }
    // The program sets the other two boxes: their handlers do not run.
    bridgeSingle_->setChecked(on);
    context_.wall.setSeamBridge(on);
}

void SeamRemovalPage::SeamBridgeSingleConfigCheckBoxClick()
{
    // The bridge is a unit setting: the screen is not part of the command.
    const int on = bridgeSingle_->isChecked() ? 1 : 0;
    runForChannels(context_, *channels_, false, [this, on](int u, int s) { context_.commands.BRDGSEAM(u, s, on); });
}

void SeamRemovalPage::clickBridgeBox(bool on)
{
    bridgeAll_->setChecked(on);
    SeamBridgeAllConfigCheckBoxClick();
}

void SeamRemovalPage::applyBridgeThreshold(const QString &text, int threshold)
{
    threshold_->edit()->setText(text);
    context_.wall.setBridgeThreshold(text);
    context_.commands.BRTHRS(1, threshold);
    if (context_.wall.unitsInUse() >= 2)
        context_.commands.BRTHRS(2, threshold);
}

void SeamRemovalPage::SyncSeamRemoval()
{
    const int c = selectedChannel();
    const OutputRecord &record = context_.settings.channelOutput(c);
    for (int i = 0; i < GainCount; ++i)
        gains_[std::size_t(i)]->edit()->setText(QString::number(record.*SeamGainFields[std::size_t(i)]));
    bridgeAll_->setChecked(context_.settings.output(unit(), 1).SeamBridge != 0);
    if (record.BridgeThreshold != 0)
        threshold_->edit()->setText(QString::number(record.BridgeThreshold));
}

void SeamRemovalPage::pageEntered(bool live)
{
    if (live)
        SyncSeamRemoval();
    setLinkControlsEnabled(live);
}

}  // namespace tess

#include "moc_SeamRemovalPage.cpp"
