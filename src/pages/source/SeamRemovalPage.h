#pragma once

#include "pages/TabPage.h"

namespace tess {

// The Seam Removal page (SeamRemovalTabSheet): seam gains and seam bridge
// per channel. Its tab is hidden until the service view shows it.
class SeamRemovalPage final : public TabPage {
    Q_OBJECT
public:
    explicit SeamRemovalPage(QWidget *parent = nullptr)
        : TabPage("SeamRemovalTabSheet", QStringLiteral("Seam Removal"), parent)
    {
    }

    // The controls that need a unit to talk to.
    void setLinkControlsEnabled(bool enabled)
    {
        setNamedEnabled({"SeamScreenSelectRadioGroup", "SeamGroupBox", "SeamBridgeAllConfigCheckBox",
                         "SeamAutoAllConfigButton"},
                        enabled);
    }
};

}  // namespace tess
