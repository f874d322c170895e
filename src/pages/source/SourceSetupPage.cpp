#include "pages/source/SourceSetupPage.h"

#include "device/Commands.h"
#include "device/DeviceHost.h"
#include "device/Refills.h"
#include "fields/FieldBinding.h"
#include "fields/SpinButton.h"
#include "model/SettingsModel.h"
#include "model/WindowState.h"
#include "pages/PageContext.h"
#include "pages/Wall.h"
#include "pages/source/ChannelSelect.h"
#include "pages/source/SourceFields.h"
#include "platform/Dialogs.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tess {

namespace {

const QString NotAvailable = QStringLiteral("N/A");

}  // namespace

SourceSetupPage::SourceSetupPage(PageContext &context, QWidget *parent)
    : TabPage("SourceSetupTabSheet", QStringLiteral("Source Setup"), parent), context_(context)
{
    channels_ = new ChannelSelect("SourceScreenSelectRadioGroup", this);
    connect(channels_, &ChannelSelect::clicked, this, &SourceSetupPage::SourceScreenSelectRadioGroupClick);

    auto *video = new QHBoxLayout;
    QFont bold = font();
    bold.setBold(true);
    const auto addPair = [&](const char *caption, const char *name) {
        video->addWidget(new QLabel(QLatin1String(caption), this));
        auto *value = named(new QLabel(NotAvailable, this), name);
        value->setFont(bold);
        value->setMinimumWidth(40);
        video->addWidget(value);
        video->addSpacing(16);
        return value;
    };
    videoLoaded_ = addPair("Video Loaded", "SourceVideoLoadedLabel");
    videoLocked_ = addPair("Video Locked", "SourceVideoLockedLabel");
    video->addStretch();

    auto *grid = new QGridLayout(this);
    grid->addWidget(channels_, 0, 0, 1, 2);
    grid->addLayout(video, 1, 0, 1, 2);
    grid->addWidget(buildAlignmentGroup(), 2, 0, Qt::AlignTop);
    grid->addWidget(buildColourGroup(), 2, 1, Qt::AlignTop);
    grid->addWidget(buildPanel("Panel5", "Input Alignment:",
                               {"Phase:  Adjusts sample clock phase for the selected source input channel to provide "
                                "true pixel sampled pixel fidelity.",
                                "H & V Position:  Adjust Horizontal and Vertical position of the input sampling "
                                "window to guarantee that all source image data is captured for display."}),
                    3, 0);
    grid->addWidget(buildPanel("Panel6", "Source Color Balance:",
                               {"Auto-Color Balance:\t Automatically balances color of all source input channels",
                                "Overall Contrast/Brightness:  Adjust Overall brightness /contrast for the selected "
                                "input source. ",
                                "Red/Green/Blue Contrast Brightness:  Individually Adjust brightness / contrast for "
                                "each color component of the selected input source. "}),
                    3, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);

    setLinkControlsEnabled(false);
    context.refills.provide(Refill::SourceSetup, [this](int) { SyncSourceSetup(); });
    context.refills.provide(Refill::ColourBalance, [this](int) { SyncColourBalance(selectedChannel()); });
    // The page offers the channels of the wall the planning laid out.
    connect(&context.wall, &Wall::laidOut, this, &SourceSetupPage::setChannelCount);
}

SourceSetupPage::~SourceSetupPage() = default;

QGroupBox *SourceSetupPage::buildAlignmentGroup()
{
    alignmentGroup_ = named(new QGroupBox(QStringLiteral("Input Alignment")), "InputAlignmentGroupBox");
    QGroupBox *group = alignmentGroup_;
    auto *reset = named(new QPushButton(QStringLiteral("Reset Config"), group), "AutoConfigButton");
    auto *save = named(new QPushButton(QStringLiteral("Save Config"), group), "SaveConfigButton");
    auto *saveAll =
        named(new QPushButton(QStringLiteral("Save Config (All Channels)"), group), "SaveAllConfigButton");
    connect(reset, &QPushButton::clicked, this, &SourceSetupPage::AutoConfigButtonClick);
    connect(save, &QPushButton::clicked, this, &SourceSetupPage::SaveConfigButtonClick);
    connect(saveAll, &QPushButton::clicked, this, &SourceSetupPage::SaveAllConfigButtonClick);

    // What a good value of each field sends, to the channel's unit and input.
    using Sender = void (*)(Commands &, int unit, int input, int value);
    const auto send = [this](Sender sender) {
        return [this, sender](const std::vector<double> &values) {
            sender(context_.commands, unit(), input(), int(values[0]));
        };
    };

    FieldDescription h = sourceField(context_, HPositionField, 0, &bounds_);
    h.enterSuccessor = [this] { return firstFocusable({vPosition_->edit()}); };
    hPosition_ = std::make_unique<FieldBinding>(context_.fields, group, std::move(h),
                                                send([](Commands &c, int u, int i, int v) { c.IRSPQX_H(u, i, v); }));

    FieldDescription v = sourceField(context_, VPositionField, 0, &bounds_);
    v.enterSuccessor = [this] { return firstFocusable({phase_->edit()}); };
    vPosition_ = std::make_unique<FieldBinding>(context_.fields, group, std::move(v),
                                                send([](Commands &c, int u, int i, int v) { c.IRSPQX_V(u, i, v); }));

    FieldDescription p = sourceField(context_, PhaseField);
    p.enterSuccessor = [this] { return firstFocusable({hPosition_->edit()}); };
    phase_ = std::make_unique<FieldBinding>(context_.fields, group, std::move(p),
                                            send([](Commands &c, int u, int i, int v) { c.ICPHOQX(u, i, v); }));

    hTotal_ = named(new QLineEdit(NotAvailable, group), "HTotalEdit");
    hTotal_->setEnabled(false);
    auto *hTotalLabel = named(new QLabel(QStringLiteral("H Total"), group), "HTotLabel");
    hTotalLabel->setEnabled(false);

    auto *layout = new QGridLayout(group);
    layout->addWidget(reset, 0, 0, 1, 3);
    layout->addWidget(save, 1, 0, 1, 3);
    layout->addWidget(saveAll, 2, 0, 1, 3);
    const auto addRow = [&](int row, const char *caption, const char *name, QLineEdit *edit, QWidget *spin) {
        layout->addWidget(named(new QLabel(QLatin1String(caption), group), name), row, 0);
        edit->setFixedWidth(60);
        layout->addWidget(edit, row, 1);
        if (spin)
            layout->addWidget(spin, row, 2);
    };
    addRow(3, "H Position", "HPositionLabel", hPosition_->edit(), hPosition_->spin());
    layout->addWidget(hTotalLabel, 4, 0);
    hTotal_->setFixedWidth(60);
    layout->addWidget(hTotal_, 4, 1);
    addRow(5, "V Position", "VPositionLabel", vPosition_->edit(), vPosition_->spin());
    addRow(6, "Phase", "PhaseValueLabel", phase_->edit(), phase_->spin());
    // The reset button comes first in the tab order.
    setTabOrder(reset, save);
    return group;
}

QWidget *SourceSetupPage::buildPanel(const char *name, const char *title, std::initializer_list<const char *> texts)
{
    auto *panel = named(new QFrame(this), name);
    panel->setFrameShape(QFrame::StyledPanel);
    auto *column = new QVBoxLayout(panel);
    auto *heading = new QLabel(QLatin1String(title), panel);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    column->addWidget(heading);
    for (const char *text : texts) {
        auto *label = new QLabel(QString::fromLatin1(text), panel);
        label->setWordWrap(true);
        column->addWidget(label);
    }
    column->addStretch();
    return panel;
}

void SourceSetupPage::setLinkControlsEnabled(bool enabled)
{
    channels_->setEnabled(enabled);
    alignmentGroup_->setEnabled(enabled);
    colourGroup_->setEnabled(enabled);
}

int SourceSetupPage::selectedChannel() const
{
    return channels_->selected();
}
int SourceSetupPage::unit() const
{
    return channels_->unit();
}
int SourceSetupPage::input() const
{
    return channels_->input();
}

void SourceSetupPage::setChannelCount(int projectors)
{
    channels_->setCount(projectors);
    selectChannel(1);
}

void SourceSetupPage::selectChannel(int c)
{
    channels_->select(c);
    SourceScreenSelectRadioGroupClick();
}

void SourceSetupPage::SourceScreenSelectRadioGroupClick()
{
    if (!context_.state.SuppressSend)
        SyncSourceSetup();
}

bool SourceSetupPage::sendChannelInput()
{
    const std::optional<double> h = hPosition_->value();
    const std::optional<double> v = vPosition_->value();
    const std::optional<double> phase = phase_->value();
    if (!h || !v || !phase)
        return false;
    context_.commands.IRSPQX_H(unit(), input(), int(*h));
    context_.commands.IRSPQX_V(unit(), input(), int(*v));
    context_.commands.ICPHOQX(unit(), input(), int(*phase));
    for (int row = 0; row < ColourRows; ++row)
        ColourEditExit(row);
    return true;
}

void SourceSetupPage::SaveConfigButtonClick()
{
    runForChannels(context_, *channels_, false, [this](int u, int input) { context_.commands.ICSAVQX(u, input); });
}

void SourceSetupPage::SaveAllConfigButtonClick()
{
    runForChannels(context_, *channels_, true, [this](int u, int input) { context_.commands.ICSAVQX(u, input); });
}

void SourceSetupPage::AutoConfigButtonClick()
{
    const HandlerBusyScope busy(context_.state);
    if (!busy)
        return;
    if (context_.state.SuppressSend || !context_.deviceConnected())
        return;
    if (!context_.dialogs.askYesNo(
            QStringLiteral("Tessaline - Input Config Reset Verification"),
            QStringLiteral("Resetting Input Configuration will reset input settings for the current channel to "
                           "default values. Are you sure you want to reset the Input Configuration?")))
        return;
    context_.device.setBusyCursor(true);
    context_.commands.ICRSTQX(unit(), input());
    context_.device.setBusyCursor(false);
}

void SourceSetupPage::setPositionFieldsEnabled(bool enabled)
{
    for (FieldBinding *field : {hPosition_.get(), vPosition_.get()}) {
        field->edit()->setEnabled(enabled);
        field->spin()->setEnabled(enabled);
    }
}

void SourceSetupPage::SyncSourceSetup()
{
    const InputRecord &record = context_.settings.channelInput(selectedChannel());
    videoLoaded_->setText(record.VideoLoaded == 1 ? QStringLiteral("True") : QStringLiteral("False"));
    if (record.VideoLocked == 1) {
        context_.device.setStatusText(QString());
        videoLocked_->setText(QStringLiteral("True"));
        setPositionFieldsEnabled(true);
        hPosition_->edit()->setText(QString::number(record.HPosition));
        vPosition_->edit()->setText(QString::number(record.VPosition));
        hTotal_->setText(QString::number(record.HTotal));
    } else {
        context_.device.setStatusText(QStringLiteral("NOTE: No video lock on this channel. Cannot adjust controls."));
        videoLocked_->setText(QStringLiteral("False"));
        autoBalance_->setEnabled(false);
        leftSide_->setEnabled(false);
        setPositionFieldsEnabled(false);
        hPosition_->edit()->setText(NotAvailable);
        vPosition_->edit()->setText(NotAvailable);
        hTotal_->setText(NotAvailable);
    }

    bounds_ = tess::positionBounds(record);

    phase_->edit()->setText(QString::number(record.Phase));
    SyncColourBalance(selectedChannel());
}

void SourceSetupPage::pageEntered(bool live)
{
    if (live)
        SyncSourceSetup();
    setLinkControlsEnabled(live);
}

}  // namespace tess

#include "moc_SourceSetupPage.cpp"
