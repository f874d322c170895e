#include "pages/planning/PlanningPage.h"

#include "device/Refills.h"
#include "fields/TypedLength.h"
#include "model/NumberFormat.h"
#include "model/PlanningPreferences.h"
#include "model/WindowState.h"
#include "pages/PageContext.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tess {
namespace {

QLineEdit *sizeEdit(const char *name, const char *text, QWidget *parent)
{
    auto *edit = named(new QLineEdit(QString::fromLatin1(text), parent), name);
    limitTypedLength(edit, 6);
    edit->setFixedWidth(64);
    return edit;
}

QComboBox *selectionList(const char *name, const QStringList &items, QWidget *parent)
{
    auto *list = named(new QComboBox(parent), name);
    list->addItems(items);
    list->setCurrentIndex(-1);   // the first show chooses, unless the preferences did
    return list;
}

}  // namespace

PlanningPage::PlanningPage(PageContext &context, QWidget *parent)
    : TabPage("PlanningTabSheet", QStringLiteral("Planning"), parent), context_(context)
{
    auto *PlanCalcGroupBox = named(new QGroupBox(QStringLiteral("Calculate Aspect Ratio, Number of Screens, "
                                                          "Data Overlap, and Input Image Size"),
                                           this),
                             "PlanCalcGroupBox");
    auto *OutputImageSizeGroupBox =
        named(new QGroupBox(QStringLiteral("Output Screen Size"), PlanCalcGroupBox), "OutputImageSizeGroupBox");

    auto *HorizontalLabel = named(new QLabel(QStringLiteral("Horizontal"), OutputImageSizeGroupBox), "HorizontalLabel");
    QLineEdit *HorizontalOutEdit = horizontalOut_ = sizeEdit("HorizontalOutEdit", "30", OutputImageSizeGroupBox);
    auto *VerticalLabel = named(new QLabel(QStringLiteral("Vertical"), OutputImageSizeGroupBox), "VerticalLabel");
    QLineEdit *VerticalOutEdit = verticalOut_ = sizeEdit("VerticalOutEdit", "10", OutputImageSizeGroupBox);
    auto *CalcOutButton = named(new QPushButton(QStringLiteral("Calculate"), OutputImageSizeGroupBox), "CalcOutButton");

    auto *sizeRow = new QHBoxLayout(OutputImageSizeGroupBox);
    sizeRow->addWidget(HorizontalLabel);
    sizeRow->addWidget(HorizontalOutEdit);
    sizeRow->addWidget(VerticalLabel);
    sizeRow->addWidget(VerticalOutEdit);
    sizeRow->addWidget(CalcOutButton);
    sizeRow->addStretch();

    auto *ProjResLabel = named(new QLabel(QStringLiteral("Projector Native Resolution"), PlanCalcGroupBox), "ProjResLabel");
    QComboBox *ProjectorResComboBox = projectorRes_ = selectionList("ProjectorResComboBox",
                                         {QStringLiteral("800x600"), QStringLiteral("1024x768"),
                                          QStringLiteral("1280x1024")},
                                         PlanCalcGroupBox);
    auto *NumOfScreenLabel = named(new QLabel(QStringLiteral("Number of Projectors"), PlanCalcGroupBox), "NumOfScreenLabel");
    QStringList counts{QStringLiteral("1 Projector")};
    for (int n = 2; n <= 8; ++n)
        counts << QStringLiteral("%1 Projectors").arg(n);
    QComboBox *NumOfScreenComboBox = projectorCount_ = selectionList("NumOfScreenComboBox", counts, PlanCalcGroupBox);
    auto *ImageAlignLabel = named(new QLabel(QStringLiteral("Input Material Alignment"), PlanCalcGroupBox), "ImageAlignLabel");
    QComboBox *ImageAlignComboBox = imageAlign_ = selectionList("ImageAlignComboBox",
                                       {QStringLiteral("Left Justified"), QStringLiteral("Centered")},
                                       PlanCalcGroupBox);
    // Both lists wait for the first successful calculation.
    NumOfScreenComboBox->setEnabled(false);
    ImageAlignComboBox->setEnabled(false);

    auto *lists = new QFormLayout;
    lists->addRow(ProjResLabel, ProjectorResComboBox);
    lists->addRow(NumOfScreenLabel, NumOfScreenComboBox);
    lists->addRow(ImageAlignLabel, ImageAlignComboBox);

    auto *calc = new QVBoxLayout(PlanCalcGroupBox);
    calc->addWidget(OutputImageSizeGroupBox);
    calc->addLayout(lists);

    auto *page = new QVBoxLayout(this);
    page->addWidget(PlanCalcGroupBox, 0, Qt::AlignLeft | Qt::AlignTop);
    page->addStretch();

    context_.refills.provide(Refill::PlanningFromUnits, [this](int) { SyncPlanningFromUnits(); });

    // The user's choices only: the program's own selections run no handler.
    connect(CalcOutButton, &QPushButton::clicked, this, &PlanningPage::CalcOutButtonClick);
    connect(ProjectorResComboBox, &QComboBox::activated, this, &PlanningPage::ProjectorResComboBoxChange);
    connect(NumOfScreenComboBox, &QComboBox::activated, this, &PlanningPage::NumOfScreenComboBoxChange);
    connect(ImageAlignComboBox, &QComboBox::activated, this, &PlanningPage::ImageAlignComboBoxChange);
}

// The calculator comes with the planning arithmetic; until then these
// handlers change nothing.
void PlanningPage::CalcOutButtonClick() {}
void PlanningPage::ProjectorResComboBoxChange() {}
void PlanningPage::NumOfScreenComboBoxChange() {}
void PlanningPage::ImageAlignComboBoxChange() {}
void PlanningPage::SyncPlanningFromUnits() {}

void PlanningPage::applyStartupDefaults(bool preferencesLoaded)
{
    PlanningState &planning = context_.planning;
    planning.OutputSizeH = parseReal(horizontalOut_->text()).value_or(planning.OutputSizeH);
    planning.OutputSizeV = parseReal(verticalOut_->text()).value_or(planning.OutputSizeV);
    planning.OverlapPixels = 0;

    // A list the preferences left without a selection (an index outside the
    // list) gets the default too.
    const auto needsDefault = [preferencesLoaded](const QComboBox *list) {
        return !preferencesLoaded || list->currentIndex() < 0;
    };
    if (needsDefault(projectorRes_))
        selectQuietly(projectorRes_, projectorRes_->findText(QStringLiteral("1280x1024")));
    ProjectorResComboBoxChange();
    if (needsDefault(projectorCount_))
        selectQuietly(projectorCount_, projectorCount_->findText(QStringLiteral("1 Projector")));
    NumOfScreenComboBoxChange();
    if (needsDefault(imageAlign_))
        selectQuietly(imageAlign_, imageAlign_->findText(QStringLiteral("Centered")));
}

void PlanningPage::restore(const PlanningPreferences &prefs)
{
    horizontalOut_->setText(formatGeneral(prefs.HorizontalSize, 5));
    verticalOut_->setText(formatGeneral(prefs.VerticalSize, 5));
    selectQuietly(projectorCount_, prefs.ProjectorCountIndex);
    selectQuietly(imageAlign_, prefs.AlignmentIndex);
    selectQuietly(projectorRes_, prefs.ResolutionIndex);
}

std::optional<PlanningPreferences> PlanningPage::preferences() const
{
    const auto horizontal = parseReal(horizontalOut_->text());
    const auto vertical = parseReal(verticalOut_->text());
    if (!horizontal || !vertical)
        return std::nullopt;
    PlanningPreferences prefs;
    prefs.HorizontalSize = *horizontal;
    prefs.VerticalSize = *vertical;
    prefs.ProjectorCountIndex = projectorCount_->currentIndex();
    prefs.AlignmentIndex = imageAlign_->currentIndex();
    prefs.ResolutionIndex = projectorRes_->currentIndex();
    return prefs;
}

int PlanningPage::projectorCountSelection() const
{
    return projectorCount_->currentIndex();
}

}  // namespace tess
