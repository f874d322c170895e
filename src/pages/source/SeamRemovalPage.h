#pragma once

#include "pages/TabPage.h"

namespace tess {

struct PageContext;

// The Seam Removal page (SeamRemovalTabSheet): seam gains and seam bridge
// per channel. Its tab is hidden until the service view shows it.
class SeamRemovalPage final : public TabPage {
    Q_OBJECT
public:
    explicit SeamRemovalPage(PageContext &context, QWidget *parent = nullptr);

    // The controls that need a unit to talk to follow the connection.
    void setLinkControlsEnabled(bool enabled);

    // Refill of the page for the channel it shows (nothing is sent).
    void SyncSeamRemoval();
};

}  // namespace tess
