// The Source Setup page's colour balance: eight colour fields and the
// unit's automatic colour balance.
#include "pages/source/SourceSetupPage.h"

#include "device/Commands.h"
#include "device/DeviceHost.h"
#include "device/FieldTexts.h"
#include "device/Refills.h"
#include "fields/FieldBinding.h"
#include "fields/SpinButton.h"
#include "model/SettingsModel.h"
#include "model/WindowState.h"
#include "pages/PageContext.h"
#include "pages/Wall.h"
#include "pages/source/SourceFields.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tess {

namespace {

// The rows' captions; their fields are rows of the page's field table, and
// what each holds the device layer's (ColourFields), row by row.
const char *const ColourCaptions[SourceSetupPage::ColourRows] = {
    "Overall Contrast", "Overall Brightness", "Red Contrast",  "Red Brightness",
    "Green Contrast",   "Green Brightness",   "Blue Contrast", "Blue Brightness",
};
static_assert(SourceSetupPage::ColourRows == ColourFieldCount);

const QString BalanceCaption = QStringLiteral("Tessaline - Confirm Auto Color Balance");

}  // namespace

QGroupBox *SourceSetupPage::buildColourGroup()
{
    colourGroup_ = named(new QGroupBox(QStringLiteral("Source Color Balance")), "OverallColorGroupBox");
    autoBalance_ = named(new QPushButton(QStringLiteral("Auto Color Balance (All Channels)"), colourGroup_),
                         "AutoColorBalanceButton");
    connect(autoBalance_, &QPushButton::clicked, this, &SourceSetupPage::AutoColorBalanceButtonClick);
    leftSide_ = named(new QGroupBox(colourGroup_), "LeftSideGroupBox");
    auto *rows = new QGridLayout(leftSide_);

    for (int row = 0; row < ColourRows; ++row) {
        const ColourField &field = ColourFields[std::size_t(row)];
        FieldDescription desc = sourceField(context_, ColourBalanceField, row + 1);
        const int next = (row + 1) % ColourRows;
        desc.enterSuccessor = [this, next] { return firstFocusable({colours_[std::size_t(next)]->edit()}); };
        const int colour = field.colour;
        const bool contrast = field.contrast;
        auto &binding = colours_[std::size_t(row)];
        binding = std::make_unique<FieldBinding>(
            context_.fields, leftSide_, std::move(desc), [this, colour, contrast](const std::vector<double> &values) {
                if (contrast)
                    context_.commands.ICNTQX(unit(), input(), colour, float(values[0]));
                else
                    context_.commands.IBRTQX(unit(), input(), colour, float(values[0]));
            });
        rows->addWidget(new QLabel(QLatin1String(ColourCaptions[row]), leftSide_), row, 0);
        binding->edit()->setFixedWidth(60);
        rows->addWidget(binding->edit(), row, 1);
        rows->addWidget(binding->spin(), row, 2);
    }

    auto *column = new QVBoxLayout(colourGroup_);
    column->addWidget(autoBalance_);
    column->addWidget(leftSide_);
    return colourGroup_;
}

void SourceSetupPage::ColourEditExit(int row)
{
    colours_.at(std::size_t(row))->exitCheck();
}

void SourceSetupPage::SyncColourBalance(int channel)
{
    if (channel < 1 || channel > 8)
        return;
    const InputRecord &record = context_.settings.channelInput(channel);
    const bool locked = record.VideoLocked == 1;
    autoBalance_->setEnabled(locked);
    leftSide_->setEnabled(locked);
    for (int row = 0; row < ColourRows; ++row) {
        const ColourField &field = ColourFields[std::size_t(row)];
        colours_[std::size_t(row)]->edit()->setText(locked ? colourText(field, record.*field.field)
                                                           : QStringLiteral("N/A"));
    }
}

void SourceSetupPage::AutoColorBalanceButtonClick()
{
    {
        const HandlerBusyScope busy(context_.state);
        if (!busy)
            return;
        Dialogs &dialogs = context_.dialogs;
        if (dialogs.askOkCancel(BalanceCaption,
                                QStringLiteral("Automatic Color Balance takes several minutes to complete. Are you "
                                               "sure you want to run Automatic Color Balance? Click OK to "
                                               "continue."))
            && dialogs.askOkCancel(
                BalanceCaption, QStringLiteral("IMPORTANT: Verify that Horizontal Bars 1 test pattern is selected on "
                                               "Panorel(Horizontal Ramp on Controller) before running. Click OK to "
                                               "start Automatic RGB Color Adjustment."))) {
            DeviceHost &window = context_.device;
            window.setInfoText(QStringLiteral("Auto Color Balance in progress. Please wait...."));
            context_.clock.processPendingEvents();
            window.showInfoForm();
            context_.clock.processPendingEvents();
            // The units balance one after the other: unit 2 starts once
            // unit 1 has answered that it is done.
            context_.commands.RGBADJ(1);
            if (context_.wall.unitsInUse() > 1)
                context_.commands.RGBADJ(2);
            window.hideInfoForm();
        }
    }
    context_.refills.run(Refill::PageControlChange);
}

}  // namespace tess
