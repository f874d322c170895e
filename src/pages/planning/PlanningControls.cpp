// The Planning page's controls, and how they are laid out on the page.

#include "fields/FieldBinding.h"
#include "fields/SpinButton.h"
#include "fields/TypedLength.h"
#include "pages/PageContext.h"
#include "pages/TabPage.h"
#include "pages/planning/PlanningControls.h"
#include "pages/planning/PlanningFields.h"
#include "pages/planning/PlanningMath.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tess {
namespace {

QLineEdit *sizeEdit(const char *name, const char *text, QWidget *parent)
{
    auto *edit = named(new QLineEdit(QString::fromLatin1(text), parent), name);
    limitTypedLength(edit, 6);
    edit->setFixedWidth(56);
    return edit;
}

QComboBox *selectionList(const char *name, const QStringList &items, QWidget *parent)
{
    auto *list = named(new QComboBox(parent), name);
    list->addItems(items);
    list->setCurrentIndex(-1);  // the first show chooses, unless the preferences did
    return list;
}

QLabel *label(const char *name, const QString &text, QWidget *parent)
{
    return named(new QLabel(text, parent), name);
}

QLabel *plainLabel(const QString &text, QWidget *parent)
{
    return new QLabel(text, parent);
}

QStringList instructions()
{
    return {
        QStringLiteral("- If Quorex(s) are connected to the PC/laptop, click on the \"Serial Port->Search for "
                       "Quorex(s)->Search\" menu and establish connection to the Quorex(s)."),
        QStringLiteral("- If connection with Quorex(s) has been established and changes done to Quorex(s) via front "
                       "panel, click on the \"Serial Port->Read from Quorex(s)\" to update the Tessaline."),
        QString(),
        QStringLiteral(
            "1) Enter the Horizontal size and Vertical size of the output screen in the given edit boxes. "),
        QStringLiteral("2) Select the Projectors Native Resolution from the drop down box. "),
        QStringLiteral("When done, click the \"Calculate\" button. Tessaline will calculate the output aspect ratio, "
                       "number of projectors, projector overlap, and input image size requirements."),
        QStringLiteral("NOTE: Manually selecting number of projectors required will alter Image Size, Output Aspect "
                       "Ratio requirements"),
        QString(12, u' ') + QStringLiteral("If number of projectors exceed 4, a second Quorex unit is required."),
    };
}

}  // namespace

void PlanningControls::build(QWidget &page, PageContext &context, LensEntered lensEntered)
{
    auto *panel = named(new QFrame(&page), "PlanningPanel");
    panel->setFrameShape(QFrame::StyledPanel);
    auto *list = named(new QListWidget(panel), "ListBox1");
    list->addItems(instructions());
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->setWordWrap(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont small = list->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    list->setFont(small);
    list->setFixedHeight(98);
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    panelLayout->addWidget(list);

    ProjectorImage = named(new QLabel(&page), "ProjectorImage");
    ProjectorImage->setFixedSize(planning::StripWidth, planning::StripHeight);

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(4);
    auto *left = new QVBoxLayout;
    left->addWidget(buildCalculator(page, context.clock));
    left->addWidget(buildLegend(page));
    left->addWidget(buildLensGroup(page, context, std::move(lensEntered)));
    bottom->addLayout(left);
    auto *right = new QVBoxLayout;
    right->addWidget(buildContentGroup(page), 1);
    right->addWidget(buildPlacementGroup(page));
    bottom->addLayout(right);

    auto *column = new QVBoxLayout(&page);
    column->setContentsMargins(1, 1, 1, 1);
    column->setSpacing(2);
    column->addWidget(panel);
    column->addWidget(ProjectorImage);
    column->addLayout(bottom, 1);
}

QWidget *PlanningControls::buildCalculator(QWidget &page, Clock &clock)
{
    auto *box = named(new QGroupBox(QStringLiteral("Calculate Aspect Ratio, Number of Screens, Data Overlap, and "
                                                   "Input Image Size"),
                                    &page),
                      "PlanCalcGroupBox");
    box->setFixedWidth(418);
    auto *sizes = named(new QGroupBox(QStringLiteral("Output Screen Size"), box), "OutputImageSizeGroupBox");
    HorizontalOutEdit = sizeEdit("HorizontalOutEdit", "30", sizes);
    VerticalOutEdit = sizeEdit("VerticalOutEdit", "10", sizes);
    CalcOutButton = named(new QPushButton(QStringLiteral("Calculate"), sizes), "CalcOutButton");
    auto *sizeRow = new QHBoxLayout(sizes);
    sizeRow->setContentsMargins(4, 0, 4, 2);
    sizeRow->addWidget(label("HorizontalLabel", QStringLiteral("Horizontal"), sizes));
    sizeRow->addWidget(HorizontalOutEdit);
    sizeRow->addSpacing(8);
    sizeRow->addWidget(label("VerticalLabel", QStringLiteral("Vertical"), sizes));
    sizeRow->addWidget(VerticalOutEdit);
    sizeRow->addSpacing(8);
    sizeRow->addWidget(CalcOutButton);
    sizeRow->addStretch();

    ProjectorResComboBox =
        selectionList("ProjectorResComboBox",
                      {QStringLiteral("800x600"), QStringLiteral("1024x768"), QStringLiteral("1280x1024")}, box);
    QStringList counts{QStringLiteral("1 Projector")};
    for (int n = 2; n <= 8; ++n)
        counts << QStringLiteral("%1 Projectors").arg(n);
    NumOfScreenComboBox = selectionList("NumOfScreenComboBox", counts, box);
    ImageAlignComboBox =
        selectionList("ImageAlignComboBox", {QStringLiteral("Left Justified"), QStringLiteral("Centered")}, box);
    // Both lists wait for the first successful calculation.
    NumOfScreenComboBox->setEnabled(false);
    ImageAlignComboBox->setEnabled(false);

    OWidthPlanningEdit = named(new QLineEdit(QStringLiteral("64"), box), "OWidthPlanningEdit");
    OWidthPlanningEdit->setFixedWidth(48);
    OWidthPlanningUpDown = named(new SpinButton(clock, 1000, box), "OWidthPlanningUpDown");
    auto *overlap = new QHBoxLayout;
    overlap->addWidget(OWidthPlanningEdit);
    overlap->addWidget(OWidthPlanningUpDown);
    overlap->addStretch();

    ImageSizeHLabel = label("ImageSizeHLabel", QStringLiteral("N/A"), box);
    ImageSizeVLabel = label("ImageSizeVLabel", QStringLiteral("N/A"), box);
    auto *imageSize = new QHBoxLayout;
    imageSize->addWidget(ImageSizeHLabel);
    imageSize->addWidget(label("ImageXLabel", QStringLiteral("x"), box));
    imageSize->addWidget(ImageSizeVLabel);
    imageSize->addStretch();

    OutAspectRatioLabel = label("OutAspectRatioLabel", QStringLiteral("?"), box);
    auto *aspect = new QHBoxLayout;
    aspect->addWidget(OutAspectRatioLabel);
    aspect->addWidget(label("AspectTo1Label", QStringLiteral(":1"), box));
    aspect->addStretch();

    NumOfQuorexLabel = label("NumOfQuorexLabel", QStringLiteral("N/A"), box);

    // Two columns: what the user enters on the left, what follows on the
    // right, each caption above its control.
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(1);
    grid->setHorizontalSpacing(10);
    grid->addWidget(sizes, 0, 0, 1, 2);
    grid->addWidget(label("ProjResLabel", QStringLiteral("Projector Native Resolution"), box), 1, 0);
    grid->addWidget(ProjectorResComboBox, 2, 0);
    grid->addWidget(label("NumOfScreenLabel", QStringLiteral("Number of Projectors"), box), 3, 0);
    grid->addWidget(NumOfScreenComboBox, 4, 0);
    grid->addWidget(label("ImageAlignLabel", QStringLiteral("Input Material Alignment"), box), 5, 0);
    grid->addWidget(ImageAlignComboBox, 6, 0);
    grid->addWidget(label("ProjOverlapLabel", QStringLiteral("Projector Overlap:"), box), 1, 1);
    grid->addLayout(overlap, 2, 1);
    grid->addWidget(label("InputImageReqLabel", QStringLiteral("Input Image Size Required:"), box), 3, 1);
    grid->addLayout(imageSize, 4, 1);
    grid->addWidget(label("ARatioLabel", QStringLiteral("Output Aspect Ratio:"), box), 5, 1);
    grid->addLayout(aspect, 6, 1);
    auto *units = new QHBoxLayout;
    units->addWidget(label("MinQuorexLabel", QStringLiteral("Number of Quorex(s) required:"), box));
    units->addSpacing(4);
    units->addWidget(NumOfQuorexLabel);
    units->addStretch();
    grid->addLayout(units, 7, 0, 1, 2);
    // The title is wider than the group: a smaller font for it alone.
    box->setStyleSheet(QStringLiteral("QGroupBox#PlanCalcGroupBox { font-size: 7pt; }"));
    return box;
}

QWidget *PlanningControls::buildLensGroup(QWidget &page, PageContext &context, LensEntered lensEntered)
{
    auto *box = named(new QGroupBox(QStringLiteral("Lens Throw Distance"), &page), "LensDistanceGroupBox");
    FieldDescription desc = planningField(context.refills, context.state, LensMagnificationField);
    desc.enterSuccessor = [this] { return static_cast<QWidget *>(HorizontalOutEdit); };
    LensMag = std::make_unique<FieldBinding>(
        context.fields, box, std::move(desc),
        [entered = std::move(lensEntered)](const std::vector<double> &values) { entered(values[0]); });
    LensMag->edit()->setFixedWidth(48);
    ProjectedWidthLabel = label("ProjectedWidthLabel", QStringLiteral("N/A"), box);
    LensThrowLabel = label("LensThrowLabel", QStringLiteral("N/A"), box);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(4, 0, 4, 0);
    grid->setVerticalSpacing(0);
    grid->addWidget(plainLabel(QStringLiteral("Projected Width :"), box), 0, 0);
    grid->addWidget(ProjectedWidthLabel, 0, 1, 1, 2);
    grid->addWidget(plainLabel(QStringLiteral("Lens Throw Distance"), box), 0, 3);
    grid->addWidget(LensThrowLabel, 0, 4);
    grid->addWidget(plainLabel(QStringLiteral("Lens Magnification :"), box), 1, 0);
    grid->addWidget(LensMag->edit(), 1, 1);
    grid->addWidget(plainLabel(QStringLiteral(":1"), box), 1, 2);
    grid->setColumnStretch(4, 1);
    return box;
}

QWidget *PlanningControls::buildLegend(QWidget &page)
{
    auto *box = named(new QGroupBox(QStringLiteral("Projector Color Legend"), &page), "ScreenLegendGroupBox");
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setSpacing(2);
    for (int k = 1; k <= 8; ++k) {
        auto *swatch = new QLabel(QStringLiteral("Projector %1").arg(k), box);
        swatch->setObjectName(QStringLiteral("Screen%1Label").arg(k));
        swatch->setAutoFillBackground(true);
        QPalette palette = swatch->palette();
        palette.setColor(QPalette::Window, ProjectorColours[std::size_t(k - 1)]);
        // Dark colours carry light text.
        const QColor colour = ProjectorColours[std::size_t(k - 1)];
        const bool dark = 299 * colour.red() + 587 * colour.green() + 114 * colour.blue() < 128000;
        palette.setColor(QPalette::WindowText, dark ? Qt::white : Qt::black);
        swatch->setPalette(palette);
        legend[std::size_t(k - 1)] = swatch;
        grid->addWidget(swatch, (k - 1) / 4, (k - 1) % 4);
    }
    return box;
}

QWidget *PlanningControls::buildContentGroup(QWidget &page)
{
    auto *box =
        named(new QGroupBox(QStringLiteral("Image Content Creation Requirement"), &page), "ImageContentReqGroupBox");
    ImageContentInfoMemo = named(new QPlainTextEdit(box), "ImageContentInfoMemo");
    ImageContentInfoMemo->setReadOnly(true);
    ImageContentInfoMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette palette = ImageContentInfoMemo->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    ImageContentInfoMemo->setPalette(palette);
    QFont small = ImageContentInfoMemo->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    ImageContentInfoMemo->setFont(small);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(1, 0, 1, 1);
    column->addWidget(ImageContentInfoMemo);
    return box;
}

QWidget *PlanningControls::buildPlacementGroup(QWidget &page)
{
    auto *box = named(new QGroupBox(QStringLiteral("Projector Placement"), &page), "ProjectorPlacementGroupBox");
    ProjPlaceImage = named(new QLabel(box), "ProjPlaceImage");
    ProjPlaceImage->setFixedSize(planning::PlacementWidth, planning::PlacementHeight);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(1, 1, 1, 1);
    column->addWidget(ProjPlaceImage);
    return box;
}

}  // namespace tess
