#include "pages/display/ProjAlignPage.h"

#include "model/WindowState.h"
#include "pages/PageContext.h"

namespace tess {

ProjAlignPage::ProjAlignPage(PageContext &context, QWidget *parent)
    : TabPage("ProjAlignTabSheet", QStringLiteral("Projector Setup"), parent), context_(context)
{
}

void ProjAlignPage::ClearProjectorTests()
{
    const SuppressSendScope quiet(context_.state);
    // The page's four test pattern groups come with its own work; clearing
    // their selection joins here.
}

}  // namespace tess
