#include "pages/planning/PlanningPage.h"

#include "device/Refills.h"
#include "fields/FieldBinding.h"
#include "fields/SpinButton.h"
#include "fields/TypedLength.h"
#include "model/NumberFormat.h"
#include "model/PlanningPreferences.h"
#include "pages/PageContext.h"
#include "pages/Wall.h"
#include "pages/planning/PlanningControls.h"
#include "pages/planning/PlanningMath.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

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
    list->setCurrentIndex(-1);   // the first show chooses, unless the preferences did
    return list;
}

QLabel *label(const char *name, const QString &text, QWidget *parent)
{
    return named(new QLabel(text, parent), name);
}

QLabel *plainLabel(const QString &text, QWidget *parent) { return new QLabel(text, parent); }

QStringList instructions()
{
    return {
        QStringLiteral("- If Quorex(s) are connected to the PC/laptop, click on the \"Serial Port->Search for "
                       "Quorex(s)->Search\" menu and establish connection to the Quorex(s)."),
        QStringLiteral("- If connection with Quorex(s) has been established and changes done to Quorex(s) via front "
                       "panel, click on the \"Serial Port->Read from Quorex(s)\" to update the Tessaline."),
        QString(),
        QStringLiteral("1) Enter the Horizontal size and Vertical size of the output screen in the given edit boxes. "),
        QStringLiteral("2) Select the Projectors Native Resolution from the drop down box. "),
        QStringLiteral("When done, click the \"Calculate\" button. Tessaline will calculate the output aspect ratio, "
                       "number of projectors, projector overlap, and input image size requirements."),
        QStringLiteral("NOTE: Manually selecting number of projectors required will alter Image Size, Output Aspect "
                       "Ratio requirements"),
        QString(12, u' ') + QStringLiteral("If number of projectors exceed 4, a second Quorex unit is required."),
    };
}

}  // namespace

PlanningPage::PlanningPage(PageContext &context, QWidget *parent)
    : TabPage("PlanningTabSheet", QStringLiteral("Planning"), parent), context_(context),
      c_(std::make_unique<Controls>())
{
    auto *panel = named(new QFrame(this), "PlanningPanel");
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

    c_->ProjectorImage = named(new QLabel(this), "ProjectorImage");
    c_->ProjectorImage->setFixedSize(planning::StripWidth, planning::StripHeight);
    strip_ = QImage(planning::StripWidth, planning::StripHeight, QImage::Format_RGB32);
    strip_.fill(PictureBackground);

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(4);
    auto *left = new QVBoxLayout;
    left->addWidget(buildCalculator());
    left->addWidget(buildLegend());
    left->addWidget(buildLensGroup());
        bottom->addLayout(left);
    auto *right = new QVBoxLayout;
    right->addWidget(buildContentGroup(), 1);
    right->addWidget(buildPlacementGroup());
    bottom->addLayout(right);

    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(1, 1, 1, 1);
    page->setSpacing(2);
    page->addWidget(panel);
    page->addWidget(c_->ProjectorImage);
    page->addLayout(bottom, 1);

    context_.refills.provide(Refill::PlanningFromUnits, [this](int) { SyncPlanningFromUnits(); });

    // The user's choices only: the program's own selections run no handler.
    connect(c_->CalcOutButton, &QPushButton::clicked, this, &PlanningPage::CalcOutButtonClick);
    connect(c_->ProjectorResComboBox, &QComboBox::activated, this, &PlanningPage::ProjectorResComboBoxChange);
    connect(c_->NumOfScreenComboBox, &QComboBox::activated, this, &PlanningPage::NumOfScreenComboBoxChange);
    connect(c_->ImageAlignComboBox, &QComboBox::activated, this, &PlanningPage::ImageAlignComboBoxChange);
    // The overlap spin button runs the Display Setup page's overlap spin.
    connect(c_->OWidthPlanningUpDown, &SpinButton::upClicked, this, [this] { emit overlapSpinClicked(+1); });
    connect(c_->OWidthPlanningUpDown, &SpinButton::downClicked, this, [this] { emit overlapSpinClicked(-1); });
    // The user's picks; the program's own selections tell the wall
    // themselves.
    for (QComboBox *list : {c_->NumOfScreenComboBox, c_->ImageAlignComboBox})
        connect(list, &QComboBox::currentIndexChanged, this, &PlanningPage::publishLists);
    connect(&context_.wall, &Wall::overlapWidthEntered, this, &PlanningPage::followOverlapWidth);
    for (QLineEdit *edit : {c_->HorizontalOutEdit, c_->VerticalOutEdit, c_->OWidthPlanningEdit})
        edit->installEventFilter(this);
}

PlanningPage::~PlanningPage() = default;

QWidget *PlanningPage::buildCalculator()
{
    auto *box = named(new QGroupBox(QStringLiteral("Calculate Aspect Ratio, Number of Screens, Data Overlap, and "
                                                   "Input Image Size"),
                                    this),
                      "PlanCalcGroupBox");
    box->setFixedWidth(418);
    auto *sizes = named(new QGroupBox(QStringLiteral("Output Screen Size"), box), "OutputImageSizeGroupBox");
    c_->HorizontalOutEdit = sizeEdit("HorizontalOutEdit", "30", sizes);
    c_->VerticalOutEdit = sizeEdit("VerticalOutEdit", "10", sizes);
    c_->CalcOutButton = named(new QPushButton(QStringLiteral("Calculate"), sizes), "CalcOutButton");
    auto *sizeRow = new QHBoxLayout(sizes);
    sizeRow->setContentsMargins(4, 0, 4, 2);
    sizeRow->addWidget(label("HorizontalLabel", QStringLiteral("Horizontal"), sizes));
    sizeRow->addWidget(c_->HorizontalOutEdit);
    sizeRow->addSpacing(8);
    sizeRow->addWidget(label("VerticalLabel", QStringLiteral("Vertical"), sizes));
    sizeRow->addWidget(c_->VerticalOutEdit);
    sizeRow->addSpacing(8);
    sizeRow->addWidget(c_->CalcOutButton);
    sizeRow->addStretch();

    c_->ProjectorResComboBox = selectionList(
        "ProjectorResComboBox", {QStringLiteral("800x600"), QStringLiteral("1024x768"), QStringLiteral("1280x1024")},
        box);
    QStringList counts{QStringLiteral("1 Projector")};
    for (int n = 2; n <= 8; ++n)
        counts << QStringLiteral("%1 Projectors").arg(n);
    c_->NumOfScreenComboBox = selectionList("NumOfScreenComboBox", counts, box);
    c_->ImageAlignComboBox =
        selectionList("ImageAlignComboBox", {QStringLiteral("Left Justified"), QStringLiteral("Centered")}, box);
    // Both lists wait for the first successful calculation.
    c_->NumOfScreenComboBox->setEnabled(false);
    c_->ImageAlignComboBox->setEnabled(false);

    c_->OWidthPlanningEdit = named(new QLineEdit(QStringLiteral("64"), box), "OWidthPlanningEdit");
    c_->OWidthPlanningEdit->setFixedWidth(48);
    c_->OWidthPlanningUpDown = named(new SpinButton(context_.clock, 1000, box), "OWidthPlanningUpDown");
    auto *overlap = new QHBoxLayout;
    overlap->addWidget(c_->OWidthPlanningEdit);
    overlap->addWidget(c_->OWidthPlanningUpDown);
    overlap->addStretch();

    c_->ImageSizeHLabel = label("ImageSizeHLabel", QStringLiteral("N/A"), box);
    c_->ImageSizeVLabel = label("ImageSizeVLabel", QStringLiteral("N/A"), box);
    auto *imageSize = new QHBoxLayout;
    imageSize->addWidget(c_->ImageSizeHLabel);
    imageSize->addWidget(label("ImageXLabel", QStringLiteral("x"), box));
    imageSize->addWidget(c_->ImageSizeVLabel);
    imageSize->addStretch();

    c_->OutAspectRatioLabel = label("OutAspectRatioLabel", QStringLiteral("?"), box);
    auto *aspect = new QHBoxLayout;
    aspect->addWidget(c_->OutAspectRatioLabel);
    aspect->addWidget(label("AspectTo1Label", QStringLiteral(":1"), box));
    aspect->addStretch();

    c_->NumOfQuorexLabel = label("NumOfQuorexLabel", QStringLiteral("N/A"), box);

    // Two columns: what the user enters on the left, what follows on the
    // right, each caption above its control.
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(1);
    grid->setHorizontalSpacing(10);
    grid->addWidget(sizes, 0, 0, 1, 2);
    grid->addWidget(label("ProjResLabel", QStringLiteral("Projector Native Resolution"), box), 1, 0);
    grid->addWidget(c_->ProjectorResComboBox, 2, 0);
    grid->addWidget(label("NumOfScreenLabel", QStringLiteral("Number of Projectors"), box), 3, 0);
    grid->addWidget(c_->NumOfScreenComboBox, 4, 0);
    grid->addWidget(label("ImageAlignLabel", QStringLiteral("Input Material Alignment"), box), 5, 0);
    grid->addWidget(c_->ImageAlignComboBox, 6, 0);
    grid->addWidget(label("ProjOverlapLabel", QStringLiteral("Projector Overlap:"), box), 1, 1);
    grid->addLayout(overlap, 2, 1);
    grid->addWidget(label("InputImageReqLabel", QStringLiteral("Input Image Size Required:"), box), 3, 1);
    grid->addLayout(imageSize, 4, 1);
    grid->addWidget(label("ARatioLabel", QStringLiteral("Output Aspect Ratio:"), box), 5, 1);
    grid->addLayout(aspect, 6, 1);
    auto *units = new QHBoxLayout;
    units->addWidget(label("MinQuorexLabel", QStringLiteral("Number of Quorex(s) required:"), box));
    units->addSpacing(4);
    units->addWidget(c_->NumOfQuorexLabel);
    units->addStretch();
    grid->addLayout(units, 7, 0, 1, 2);
    // The title is wider than the group: a smaller font for it alone.
    box->setStyleSheet(QStringLiteral("QGroupBox#PlanCalcGroupBox { font-size: 7pt; }"));
    return box;
}

QWidget *PlanningPage::buildLensGroup()
{
    auto *box = named(new QGroupBox(QStringLiteral("Lens Throw Distance"), this), "LensDistanceGroupBox");
    FieldDescription desc;
    desc.edit = QStringLiteral("LensMagEdit");
    desc.kind = FieldKind::Real;
    desc.lower = 0;
    desc.upper = std::numeric_limits<double>::max();
    desc.defaultText = QStringLiteral("0");
    desc.outOfBoundsMessage = QStringLiteral("Error! Lens Magnification value must be greater than 0.");
    desc.notValidNoun = QStringLiteral("Lens Magnification value");
    desc.deviceSetting = false;
    desc.enterSuccessor = [this] { return static_cast<QWidget *>(c_->HorizontalOutEdit); };
    c_->LensMag = std::make_unique<FieldBinding>(context_.fields, box, std::move(desc),
                                                 [this](const std::vector<double> &values) {
                                                     context_.planning.LensMagnification = values[0];
                                                     showLensThrow();
                                                 });
    c_->LensMag->edit()->setFixedWidth(48);
    c_->ProjectedWidthLabel = label("ProjectedWidthLabel", QStringLiteral("N/A"), box);
    c_->LensThrowLabel = label("LensThrowLabel", QStringLiteral("N/A"), box);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(4, 0, 4, 0);
    grid->setVerticalSpacing(0);
    grid->addWidget(plainLabel(QStringLiteral("Projected Width :"), box), 0, 0);
    grid->addWidget(c_->ProjectedWidthLabel, 0, 1, 1, 2);
    grid->addWidget(plainLabel(QStringLiteral("Lens Throw Distance"), box), 0, 3);
    grid->addWidget(c_->LensThrowLabel, 0, 4);
    grid->addWidget(plainLabel(QStringLiteral("Lens Magnification :"), box), 1, 0);
    grid->addWidget(c_->LensMag->edit(), 1, 1);
    grid->addWidget(plainLabel(QStringLiteral(":1"), box), 1, 2);
    grid->setColumnStretch(4, 1);
    return box;
}

QWidget *PlanningPage::buildLegend()
{
    auto *box = named(new QGroupBox(QStringLiteral("Projector Color Legend"), this), "ScreenLegendGroupBox");
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setSpacing(2);
    for (int k = 1; k <= 8; ++k) {
        auto *legend = new QLabel(QStringLiteral("Projector %1").arg(k), box);
        legend->setObjectName(QStringLiteral("Screen%1Label").arg(k));
        legend->setAutoFillBackground(true);
        QPalette palette = legend->palette();
        palette.setColor(QPalette::Window, ProjectorColours[std::size_t(k - 1)]);
        // Dark colours carry light text.
        const QColor colour = ProjectorColours[std::size_t(k - 1)];
        const bool dark = 299 * colour.red() + 587 * colour.green() + 114 * colour.blue() < 128000;
        palette.setColor(QPalette::WindowText, dark ? Qt::white : Qt::black);
        legend->setPalette(palette);
        c_->legend[std::size_t(k - 1)] = legend;
        grid->addWidget(legend, (k - 1) / 4, (k - 1) % 4);
    }
    return box;
}

QWidget *PlanningPage::buildContentGroup()
{
    auto *box = named(new QGroupBox(QStringLiteral("Image Content Creation Requirement"), this),
                      "ImageContentReqGroupBox");
    c_->ImageContentInfoMemo = named(new QPlainTextEdit(box), "ImageContentInfoMemo");
    c_->ImageContentInfoMemo->setReadOnly(true);
    c_->ImageContentInfoMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette palette = c_->ImageContentInfoMemo->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    c_->ImageContentInfoMemo->setPalette(palette);
    QFont small = c_->ImageContentInfoMemo->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    c_->ImageContentInfoMemo->setFont(small);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(1, 0, 1, 1);
    column->addWidget(c_->ImageContentInfoMemo);
    return box;
}

QWidget *PlanningPage::buildPlacementGroup()
{
    auto *box = named(new QGroupBox(QStringLiteral("Projector Placement"), this), "ProjectorPlacementGroupBox");
    c_->ProjPlaceImage = named(new QLabel(box), "ProjPlaceImage");
    c_->ProjPlaceImage->setFixedSize(planning::PlacementWidth, planning::PlacementHeight);
    placement_ = QImage(planning::PlacementWidth, planning::PlacementHeight, QImage::Format_RGB32);
    placement_.fill(PictureBackground);
    c_->ProjPlaceImage->setPixmap(QPixmap::fromImage(placement_));
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(1, 1, 1, 1);
    column->addWidget(c_->ProjPlaceImage);
    return box;
}

bool PlanningPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        // Enter moves the focus on; leaving the field runs its exit.
        QWidget *next = watched == c_->VerticalOutEdit ? static_cast<QWidget *>(c_->CalcOutButton)
                        : watched == c_->HorizontalOutEdit ? static_cast<QWidget *>(c_->VerticalOutEdit)
                                                            : static_cast<QWidget *>(c_->HorizontalOutEdit);
        if (canTakeFocus(next))
            next->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (event->type() == QEvent::FocusOut) {
        // Another window coming to the front is not leaving the field, nor
        // is a refused check taking the focus back, nor the page being
        // disabled around an exchange with a unit.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
            reason == Qt::MenuBarFocusReason || context_.fields.focusReturning == watched ||
            !static_cast<QWidget *>(watched)->isEnabled())
            return false;
        if (watched == c_->VerticalOutEdit)
            VerticalOutEditExit();
        else if (watched == c_->OWidthPlanningEdit)
            OWidthPlanningEditExit();
    }
    return false;
}

bool PlanningPage::focusOverlapFieldIfInView()
{
    if (!isVisible())
        return false;
    c_->OWidthPlanningEdit->setFocus(Qt::OtherFocusReason);
    return true;
}

int PlanningPage::projectorCountSelection() const { return c_->NumOfScreenComboBox->currentIndex(); }

int PlanningPage::alignmentSelection() const { return c_->ImageAlignComboBox->currentIndex(); }

int PlanningPage::projectorCount() const { return c_->NumOfScreenComboBox->currentIndex() + 1; }

void PlanningPage::setListSelection(QComboBox *list, int index)
{
    selectQuietly(list, index);
    publishLists();
}

void PlanningPage::publishLists()
{
    context_.wall.setProjectors(projectorCount());
    context_.wall.setAlignment(alignmentSelection());
}

void PlanningPage::applyStartupDefaults(bool preferencesLoaded)
{
    // The projector strip's boxes side by side until the first drawing
    // places them.
    std::array<BoxRect, 8> &boxes = context_.state.ProjectorBoxRects;
    for (int i = 0; i < int(boxes.size()); ++i)
        boxes[std::size_t(i)] = BoxRect{5 + 110 * i, 5, 115 + 110 * i, 99};
    PlanningState &planning = context_.planning;
    planning.OutputSizeH = parseReal(c_->HorizontalOutEdit->text()).value_or(planning.OutputSizeH);
    planning.OutputSizeV = parseReal(c_->VerticalOutEdit->text()).value_or(planning.OutputSizeV);
    planning.OverlapPixels = 0;

    // A list the preferences left without a selection (an index outside the
    // list) gets the default too.
    const auto needsDefault = [preferencesLoaded](const QComboBox *list) {
        return !preferencesLoaded || list->currentIndex() < 0;
    };
    if (needsDefault(c_->ProjectorResComboBox))
        selectQuietly(c_->ProjectorResComboBox, DefaultResolution);
    ProjectorResComboBoxChange();
    if (needsDefault(c_->NumOfScreenComboBox))
        setListSelection(c_->NumOfScreenComboBox, DefaultCount);
    NumOfScreenComboBoxChange();
    if (needsDefault(c_->ImageAlignComboBox))
        setListSelection(c_->ImageAlignComboBox, DefaultAlignment);
}

void PlanningPage::restore(const PlanningPreferences &prefs)
{
    c_->HorizontalOutEdit->setText(formatGeneral(prefs.HorizontalSize, 5));
    c_->VerticalOutEdit->setText(formatGeneral(prefs.VerticalSize, 5));
    setListSelection(c_->NumOfScreenComboBox, prefs.ProjectorCountIndex);
    setListSelection(c_->ImageAlignComboBox, prefs.AlignmentIndex);
    selectQuietly(c_->ProjectorResComboBox, prefs.ResolutionIndex);
}

std::optional<PlanningPreferences> PlanningPage::preferences() const
{
    const auto horizontal = parseReal(c_->HorizontalOutEdit->text());
    const auto vertical = parseReal(c_->VerticalOutEdit->text());
    if (!horizontal || !vertical)
        return std::nullopt;
    // The next start refuses the whole file for a selection of -1.
    const auto selection = [](const QComboBox *list, int fallback) {
        return list->currentIndex() >= 0 ? list->currentIndex() : fallback;
    };
    PlanningPreferences prefs;
    prefs.HorizontalSize = *horizontal;
    prefs.VerticalSize = *vertical;
    prefs.ProjectorCountIndex = selection(c_->NumOfScreenComboBox, DefaultCount);
    prefs.AlignmentIndex = selection(c_->ImageAlignComboBox, DefaultAlignment);
    prefs.ResolutionIndex = selection(c_->ProjectorResComboBox, DefaultResolution);
    return prefs;
}

}  // namespace tess
