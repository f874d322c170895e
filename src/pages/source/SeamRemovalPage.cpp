#include "pages/source/SeamRemovalPage.h"

#include "device/Refills.h"
#include "pages/PageContext.h"

namespace tess {

SeamRemovalPage::SeamRemovalPage(PageContext &context, QWidget *parent)
    : TabPage("SeamRemovalTabSheet", QStringLiteral("Seam Removal"), parent)
{
    context.refills.provide(Refill::SeamRemoval, [this](int) { SyncSeamRemoval(); });
}

// The seam gain controls come with this page's own work; until then there
// is nothing to enable or fill.
void SeamRemovalPage::setLinkControlsEnabled(bool) {}

void SeamRemovalPage::SyncSeamRemoval() {}

}  // namespace tess
