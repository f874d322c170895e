#pragma once

#include "pages/TabPage.h"

namespace tess {

// The Projector Setup page (ProjAlignTabSheet): test patterns on all
// screens at once.
class ProjAlignPage final : public TabPage {
    Q_OBJECT
public:
    explicit ProjAlignPage(QWidget *parent = nullptr)
        : TabPage("ProjAlignTabSheet", QStringLiteral("Projector Setup"), parent)
    {
    }
};

}  // namespace tess
