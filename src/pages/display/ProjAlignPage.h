#pragma once

#include "pages/TabPage.h"

namespace tess {

struct PageContext;

// The Projector Setup page (ProjAlignTabSheet): test patterns on all
// screens at once.
class ProjAlignPage final : public TabPage {
    Q_OBJECT
public:
    explicit ProjAlignPage(PageContext &context, QWidget *parent = nullptr);

    // The Display Setup page chose a pattern for one screen: no selection
    // here describes the screens any more. Runs with SuppressSend set and
    // gives it back its earlier value, so a fill under way stays quiet.
    void ClearProjectorTests();

private:
    PageContext &context_;
};

}  // namespace tess
