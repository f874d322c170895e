#pragma once

#include "pages/TabPage.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace tess {

// The Display Setup page (DisplaySetupTabSheet). For now it holds the
// overlap width field that the planning preferences file restores and the
// advanced edge feathering switch that the first show consults.
class DisplaySetupPage final : public TabPage {
    Q_OBJECT
public:
    explicit DisplaySetupPage(QWidget *parent = nullptr);

    // Shows the edge feathering mode the advanced mode box holds.
    void AdvanceModeCheckBoxClick();

    QGroupBox *DataDoubleGroupBox = nullptr;
    QLabel *OWidthLabel = nullptr;
    QLineEdit *OWidthEdit = nullptr;
    QCheckBox *AdvanceModeCheckBox = nullptr;
};

}  // namespace tess
