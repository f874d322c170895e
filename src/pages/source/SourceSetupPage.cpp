#include "pages/source/SourceSetupPage.h"

#include "device/Refills.h"
#include "pages/PageContext.h"

namespace tess {

SourceSetupPage::SourceSetupPage(PageContext &context, QWidget *parent)
    : TabPage("SourceSetupTabSheet", QStringLiteral("Source Setup"), parent)
{
    context.refills.provide(Refill::SourceSetup, [this](int) { SyncSourceSetup(); });
    context.refills.provide(Refill::ColourBalance, [this](int channel) { SyncColourBalance(channel); });
}

// The channel selection, the input alignment and the colour balance
// controls come with this page's own work; until then the page shows
// channel 1 and has nothing to enable or fill.
void SourceSetupPage::setLinkControlsEnabled(bool) {}

int SourceSetupPage::selectedChannel() const
{
    return 1;
}

void SourceSetupPage::SyncSourceSetup() {}

void SourceSetupPage::SyncColourBalance(int) {}

}  // namespace tess
