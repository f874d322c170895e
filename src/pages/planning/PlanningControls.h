#pragma once

#include <QColor>
#include <array>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace tess {

class Clock;
class FieldBinding;
class SpinButton;
struct PageContext;

// The Planning page's controls, kept by the page.
struct PlanningControls {
    // Takes a good lens magnification the user entered.
    using LensEntered = std::function<void(double magnification)>;

    // Builds the controls and lays them out on `page`; the pictures start
    // empty.
    void build(QWidget &page, PageContext &context, LensEntered lensEntered);

    QLineEdit *HorizontalOutEdit = nullptr;
    QLineEdit *VerticalOutEdit = nullptr;
    QPushButton *CalcOutButton = nullptr;
    QComboBox *ProjectorResComboBox = nullptr;
    QComboBox *NumOfScreenComboBox = nullptr;
    QComboBox *ImageAlignComboBox = nullptr;
    QLineEdit *OWidthPlanningEdit = nullptr;
    SpinButton *OWidthPlanningUpDown = nullptr;
    QLabel *ImageSizeHLabel = nullptr;
    QLabel *ImageSizeVLabel = nullptr;
    QLabel *OutAspectRatioLabel = nullptr;
    QLabel *NumOfQuorexLabel = nullptr;
    QLabel *ProjectedWidthLabel = nullptr;
    QLabel *LensThrowLabel = nullptr;
    std::unique_ptr<FieldBinding> LensMag;
    QPlainTextEdit *ImageContentInfoMemo = nullptr;
    QLabel *ProjectorImage = nullptr;
    QLabel *ProjPlaceImage = nullptr;
    std::array<QLabel *, 8> legend{};

private:
    QWidget *buildCalculator(QWidget &page, Clock &clock);
    QWidget *buildLensGroup(QWidget &page, PageContext &context, LensEntered lensEntered);
    QWidget *buildLegend(QWidget &page);
    QWidget *buildContentGroup(QWidget &page);
    QWidget *buildPlacementGroup(QWidget &page);
};

// The start-up choices of the three lists.
inline constexpr int DefaultResolution = 2;  // "1280x1024"
inline constexpr int DefaultCount = 0;       // "1 Projector"
inline constexpr int DefaultAlignment = 1;   // "Centered"

// Both pictures' background, and the projector colours of the legend and
// the strip.
inline const QColor PictureBackground{192, 192, 192};
inline const std::array<QColor, 8> ProjectorColours{
    QColor(255, 255, 0), QColor(255, 0, 0),   QColor(0, 0, 255),   QColor(0, 255, 0),
    QColor(255, 0, 255), QColor(0, 255, 255), QColor(128, 0, 128), QColor(0, 128, 128),
};

}  // namespace tess
