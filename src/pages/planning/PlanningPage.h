#pragma once

#include "pages/TabPage.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tess {

// The Planning page (PlanningTabSheet): the wall calculator. For now it
// holds the output size fields and the three lists whose values the
// planning preferences file restores; the calculator fills in the handlers.
class PlanningPage final : public TabPage {
    Q_OBJECT
public:
    explicit PlanningPage(QWidget *parent = nullptr);

    // Handlers of the page, also run by the main window's first show.
    void CalcOutButtonClick();
    void ProjectorResComboBoxChange();
    void NumOfScreenComboBoxChange();
    void ImageAlignComboBoxChange();

    QGroupBox *PlanCalcGroupBox = nullptr;
    QGroupBox *OutputImageSizeGroupBox = nullptr;
    QLabel *HorizontalLabel = nullptr;
    QLineEdit *HorizontalOutEdit = nullptr;
    QLabel *VerticalLabel = nullptr;
    QLineEdit *VerticalOutEdit = nullptr;
    QPushButton *CalcOutButton = nullptr;
    QLabel *ProjResLabel = nullptr;
    QComboBox *ProjectorResComboBox = nullptr;
    QLabel *NumOfScreenLabel = nullptr;
    QComboBox *NumOfScreenComboBox = nullptr;
    QLabel *ImageAlignLabel = nullptr;
    QComboBox *ImageAlignComboBox = nullptr;
};

}  // namespace tess
