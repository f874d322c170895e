#pragma once

#include "pages/TabPage.h"

namespace tess {

struct PageContext;

// The Source Setup page (SourceSetupTabSheet): sampling window and colour
// balance per input channel.
class SourceSetupPage final : public TabPage {
    Q_OBJECT
public:
    explicit SourceSetupPage(PageContext &context, QWidget *parent = nullptr);

    // The controls that need a unit to talk to follow the connection.
    void setLinkControlsEnabled(bool enabled);
    // The input channel (1-8) the page shows.
    int selectedChannel() const;

    // Refills of the page (nothing is sent).
    void SyncSourceSetup();
    void SyncColourBalance(int channel);
};

}  // namespace tess
