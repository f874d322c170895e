#include "pages/display/DataDoublingGroup.h"

#include "device/Commands.h"
#include "fields/FieldBinding.h"
#include "fields/SpinButton.h"
#include "model/SettingsModel.h"
#include "model/WindowState.h"
#include "pages/PageContext.h"
#include "pages/Wall.h"
#include "pages/display/DisplayFields.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace tess {

DataDoublingGroup::DataDoublingGroup(PageContext &context, QWidget *parent, std::function<QWidget *()> enterSuccessor)
    : QObject(parent), context_(context)
{
    group_ = new QGroupBox(QStringLiteral("Data Doubling"), parent);
    group_->setObjectName(QStringLiteral("DataDoubleGroupBox"));
    auto *label = new QLabel(QStringLiteral("Overlap Width"), group_);
    label->setObjectName(QStringLiteral("OWidthLabel"));

    FieldDescription desc = displayField(context_, OverlapWidthField);
    desc.enterSuccessor = std::move(enterSuccessor);
    desc.takeErrorFocus = [this] { return context_.wall.focusOverlapElsewhere(); };
    overlap_ = std::make_unique<FieldBinding>(
        context_.fields, group_, std::move(desc),
        [this](const std::vector<double> &values) { overlapAccepted(int(values[0])); });
    overlap_->edit()->setFixedWidth(64);

    enable_ = new QCheckBox(QStringLiteral("Enable"), group_);
    enable_->setObjectName(QStringLiteral("EnDataDoubleCheckBox"));
    connect(enable_, &QCheckBox::clicked, this, &DataDoublingGroup::EnDataDoubleCheckBoxClick);

    // Two rows, so the page's feathering group beside it keeps its width.
    auto *rows = new QGridLayout(group_);
    rows->addWidget(label, 0, 0);
    rows->addWidget(overlap_->edit(), 0, 1);
    rows->addWidget(overlap_->spin(), 0, 2);
    rows->addWidget(enable_, 1, 0, 1, 3);
    rows->setColumnStretch(3, 1);
    // Shown once the wall has more than one projector.
    group_->hide();

    // The wall's overlap width is this field's text, whoever sets it.
    QLineEdit *edit = overlap_->edit();
    context_.wall.setOverlapText(edit->text());
    connect(edit, &QLineEdit::textChanged, &context_.wall, &Wall::setOverlapText);
    connect(&context_.wall, &Wall::overlapTextChanged, edit, [edit](const QString &text) {
        if (edit->text() != text)
            edit->setText(text);
    });
}

DataDoublingGroup::~DataDoublingGroup() = default;

void DataDoublingGroup::setShown(bool shown)
{
    group_->setVisible(shown);
}

QWidget *DataDoublingGroup::overlapWidthField() const
{
    return overlap_->edit();
}

QString DataDoublingGroup::overlapWidthText() const
{
    return overlap_->edit()->text();
}

void DataDoublingGroup::setOverlapWidthText(const QString &text)
{
    overlap_->edit()->setText(text);
}

void DataDoublingGroup::OWidthEditExit()
{
    overlap_->exitCheck();
}

void DataDoublingGroup::OWidthUpDownUpClick()
{
    overlap_->upClick();
}

void DataDoublingGroup::OWidthUpDownDownClick()
{
    overlap_->downClick();
}

void DataDoublingGroup::overlapAccepted(int width)
{
    const WindowState &state = context_.state;
    // A one-projector wall (no computed overlap) has nothing to send.
    const int alignment = context_.wall.alignment();
    if (!state.SuppressSend && context_.deviceConnected() && context_.planning.OverlapPixels > 0 && alignment >= 0) {
        context_.commands.DISP(1, alignment, width);
        if (context_.wall.unitsInUse() > 1)
            context_.commands.DISP(2, alignment, width);
    }
    // The planning follows.
    context_.wall.enterOverlapWidth(width);
}

void DataDoublingGroup::EnDataDoubleCheckBoxClick()
{
    WindowState &state = context_.state;
    const HandlerBusyScope busy(state);
    if (!busy)
        return;
    if (state.SuppressSend || !context_.deviceConnected())
        return;
    const int on = enable_->isChecked() ? 1 : 0;
    context_.commands.DDBL(1, on);
    if (context_.wall.unitsInUse() > 1)
        context_.commands.DDBL(2, on);
}

bool DataDoublingGroup::dataDoublingOn() const
{
    return enable_->isChecked();
}

void DataDoublingGroup::SyncDataDoubling()
{
    const OutputRecord &record = context_.settings.output(1, 1);
    overlap_->edit()->setText(QString::number(record.OverlapWidth));
    enable_->setChecked(record.DataDoubling != 0);
}

}  // namespace tess

#include "moc_DataDoublingGroup.cpp"
