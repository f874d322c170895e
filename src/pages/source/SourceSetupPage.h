#pragma once

#include "pages/TabPage.h"

namespace tess {

// The Source Setup page (SourceSetupTabSheet): sampling window and colour
// balance per input channel.
class SourceSetupPage final : public TabPage {
    Q_OBJECT
public:
    explicit SourceSetupPage(QWidget *parent = nullptr)
        : TabPage("SourceSetupTabSheet", QStringLiteral("Source Setup"), parent)
    {
    }

    // The controls that need a unit to talk to.
    void setLinkControlsEnabled(bool enabled)
    {
        setNamedEnabled({"SourceScreenSelectRadioGroup", "InputAlignmentGroupBox", "OverallColorGroupBox"},
                        enabled);
    }
};

}  // namespace tess
