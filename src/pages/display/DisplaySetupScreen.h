#pragma once

#include "fields/FieldBinding.h"
#include "pages/display/DisplaySetupPage.h"
#include "pages/display/ScreenEdges.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

namespace tess {

// The controls of one screen group, shared by the files of the page.
struct DisplaySetupPage::Screen {
    QGroupBox *group = nullptr;
    QComboBox *testPattern = nullptr;
    QCheckBox *testGrid = nullptr;
    QCheckBox *outputRaster = nullptr;
    QLabel *blackLabel = nullptr;
    std::unique_ptr<FieldBinding> black;
    std::unique_ptr<ScreenEdges> edges;
};

}  // namespace tess
