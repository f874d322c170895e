#include "pages/display/DisplaySetupPage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tess {

DisplaySetupPage::DisplaySetupPage(QWidget *parent)
    : TabPage("DisplaySetupTabSheet", QStringLiteral("Display Setup"), parent)
{
    DataDoubleGroupBox = named(new QGroupBox(QStringLiteral("Data Doubling"), this), "DataDoubleGroupBox");
    OWidthLabel = named(new QLabel(QStringLiteral("Overlap Width"), DataDoubleGroupBox), "OWidthLabel");
    OWidthEdit = named(new QLineEdit(QStringLiteral("64"), DataDoubleGroupBox), "OWidthEdit");
    OWidthEdit->setFixedWidth(64);
    auto *overlapRow = new QHBoxLayout(DataDoubleGroupBox);
    overlapRow->addWidget(OWidthLabel);
    overlapRow->addWidget(OWidthEdit);
    overlapRow->addStretch();
    // Shown once the wall has more than one projector.
    DataDoubleGroupBox->hide();

    AdvanceModeCheckBox =
        named(new QCheckBox(QStringLiteral("Edge Feathering Advanced Mode"), this), "AdvanceModeCheckBox");
    AdvanceModeCheckBox->hide();

    auto *page = new QVBoxLayout(this);
    page->addWidget(DataDoubleGroupBox, 0, Qt::AlignLeft | Qt::AlignTop);
    page->addWidget(AdvanceModeCheckBox);
    page->addStretch();

    connect(AdvanceModeCheckBox, &QCheckBox::clicked, this, &DisplaySetupPage::AdvanceModeCheckBoxClick);
}

// The edge feathering controls come with the Display Setup page's own work;
// until then there is no mode to show.
void DisplaySetupPage::AdvanceModeCheckBoxClick() {}

}  // namespace tess
