#include "pages/planning/PlanningPage.h"

#include "app/TypedLength.h"

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

PlanningPage::PlanningPage(QWidget *parent) : TabPage("PlanningTabSheet", QStringLiteral("Planning"), parent)
{
    PlanCalcGroupBox = named(new QGroupBox(QStringLiteral("Calculate Aspect Ratio, Number of Screens, "
                                                          "Data Overlap, and Input Image Size"),
                                           this),
                             "PlanCalcGroupBox");
    OutputImageSizeGroupBox =
        named(new QGroupBox(QStringLiteral("Output Screen Size"), PlanCalcGroupBox), "OutputImageSizeGroupBox");

    HorizontalLabel = named(new QLabel(QStringLiteral("Horizontal"), OutputImageSizeGroupBox), "HorizontalLabel");
    HorizontalOutEdit = sizeEdit("HorizontalOutEdit", "30", OutputImageSizeGroupBox);
    VerticalLabel = named(new QLabel(QStringLiteral("Vertical"), OutputImageSizeGroupBox), "VerticalLabel");
    VerticalOutEdit = sizeEdit("VerticalOutEdit", "10", OutputImageSizeGroupBox);
    CalcOutButton = named(new QPushButton(QStringLiteral("Calculate"), OutputImageSizeGroupBox), "CalcOutButton");

    auto *sizeRow = new QHBoxLayout(OutputImageSizeGroupBox);
    sizeRow->addWidget(HorizontalLabel);
    sizeRow->addWidget(HorizontalOutEdit);
    sizeRow->addWidget(VerticalLabel);
    sizeRow->addWidget(VerticalOutEdit);
    sizeRow->addWidget(CalcOutButton);
    sizeRow->addStretch();

    ProjResLabel = named(new QLabel(QStringLiteral("Projector Native Resolution"), PlanCalcGroupBox), "ProjResLabel");
    ProjectorResComboBox = selectionList("ProjectorResComboBox",
                                         {QStringLiteral("800x600"), QStringLiteral("1024x768"),
                                          QStringLiteral("1280x1024")},
                                         PlanCalcGroupBox);
    NumOfScreenLabel = named(new QLabel(QStringLiteral("Number of Projectors"), PlanCalcGroupBox), "NumOfScreenLabel");
    QStringList counts{QStringLiteral("1 Projector")};
    for (int n = 2; n <= 8; ++n)
        counts << QStringLiteral("%1 Projectors").arg(n);
    NumOfScreenComboBox = selectionList("NumOfScreenComboBox", counts, PlanCalcGroupBox);
    ImageAlignLabel = named(new QLabel(QStringLiteral("Input Material Alignment"), PlanCalcGroupBox), "ImageAlignLabel");
    ImageAlignComboBox = selectionList("ImageAlignComboBox",
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

}  // namespace tess
