#include "pages/display/ScreenGroup.h"

#include "device/CommandTable.h"
#include "device/Commands.h"
#include "fields/FieldBinding.h"
#include "fields/SpinButton.h"
#include "model/SettingNames.h"
#include "model/SettingsModel.h"
#include "model/WindowState.h"
#include "pages/PageContext.h"
#include "pages/display/DisplayFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace tess {

namespace {

QString screenName(const char *pattern, int k)
{
    return QString::fromLatin1(pattern).arg(k);
}

}  // namespace

struct ScreenGroup::ValueField {
    const FieldRow *row;
    QLabel *label;
    std::unique_ptr<FieldBinding> binding;
};

ScreenGroup::ScreenGroup(PageContext &context, int k, QWidget *parent, Actions actions)
    : context_(context), k_(k), actions_(std::move(actions))
{
    group_ = new QGroupBox(screenName("Screen %1 Controls", k), parent);
    group_->setObjectName(screenName("Screen%1GroupBox", k));

    auto *patternLabel = new QLabel(QStringLiteral("Test Pattern"), group_);
    patternLabel->setObjectName(screenName("TestPatternLabel%1", k));
    testPattern_ = new QComboBox(group_);
    testPattern_->setObjectName(screenName("TestPattern%1ComboBox", k));
    testPattern_->addItems(settingnames::testPatternNames());
    testPattern_->setMaxVisibleItems(11);
    // Four groups share the width: the list need not be as wide as its
    // longest item, which shows in full when it opens.
    testPattern_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    testPattern_->setMinimumContentsLength(12);
    testPattern_->setCurrentIndex(-1);
    testGrid_ = new QCheckBox(QStringLiteral("Test Grid"), group_);
    testGrid_->setObjectName(screenName("TestGrid%1CheckBox", k));
    outputRaster_ = new QCheckBox(QStringLiteral("Output Raster Box"), group_);
    outputRaster_->setObjectName(screenName("OutputRaster%1CheckBox", k));

    for (const FieldRow &row : displayFields()) {
        if (row.screenValue && k >= row.first && k <= row.last)
            addValueField(row);
    }

    auto *grid = new QGridLayout(group_);
    grid->addWidget(patternLabel, 0, 0, 1, 3);
    grid->addWidget(testPattern_, 1, 0, 1, 3);
    grid->addWidget(testGrid_, 2, 0, 1, 3);
    grid->addWidget(outputRaster_, 3, 0, 1, 3);
    int line = 4;
    for (const ValueField &field : values_) {
        grid->addWidget(field.label, line, 0);
        grid->addWidget(field.binding->edit(), line, 1);
        grid->addWidget(field.binding->spin(), line, 2);
        ++line;
    }
    edges_ = std::make_unique<ScreenEdges>(
        context_, k, group_, testPattern_,
        ScreenEdges::Actions{[this](Side side, int width, int offset) {
                                 context_.commands.HALO(unitOfScreen(k_), screenInUnit(k_),
                                                        side == Side::Left ? 0 : 1, width, offset);
                             },
                             [this](Side side) { actions_.sendFeather(k_, side); }});
    grid->addWidget(edges_->haloGroup(), line, 0, 1, 3);
    grid->addWidget(edges_->featherGroup(), line + 1, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->setHorizontalSpacing(4);
    grid->setContentsMargins(2, 4, 2, 4);

    // A pick, a grid click and a raster click all send the group's whole
    // state. The handlers also run when the program sets these controls.
    connect(testPattern_, &QComboBox::currentIndexChanged, this, &ScreenGroup::patternChanged);
    connect(testGrid_, &QCheckBox::toggled, this, &ScreenGroup::patternChanged);
    connect(outputRaster_, &QCheckBox::toggled, this, &ScreenGroup::patternChanged);
}

ScreenGroup::~ScreenGroup() = default;

void ScreenGroup::addValueField(const FieldRow &row)
{
    const command::ScreenValue &which = *row.screenValue;
    FieldDescription description = displayField(context_, row, k_);
    // Enter has no effect: its successor, the screen's first halo removal
    // field, is never shown.
    auto binding = std::make_unique<FieldBinding>(
        context_.fields, group_, std::move(description), [this, &which](const std::vector<double> &values) {
            context_.commands.sendScreenValue(which, unitOfScreen(k_), screenInUnit(k_), int(values[0]));
        });
    binding->edit()->setFixedWidth(44);
    auto *label = new QLabel(QString::fromLatin1(row.caption), group_);
    label->setObjectName(screenName(row.label, k_));
    values_.push_back({&row, label, std::move(binding)});
}

const ScreenGroup::ValueField *ScreenGroup::valueField(const command::ScreenValue &which) const
{
    for (const ValueField &field : values_) {
        if (field.row->screenValue == &which)
            return &field;
    }
    return nullptr;
}

void ScreenGroup::patternChanged()
{
    WindowState &state = context_.state;
    const HandlerBusyScope busy(state);
    if (!busy)
        return;
    actions_.patternChosen();
    if (state.SuppressSend || !context_.deviceConnected())
        return;
    sendTestPattern();
}

void ScreenGroup::sendTestPattern()
{
    if (testPattern_->currentIndex() < 0) {
        // A grid or raster click before any pattern was chosen: the box
        // goes on over "Off" rather than over a pattern number the unit
        // does not have.
        const QSignalBlocker quiet(testPattern_);
        testPattern_->setCurrentIndex(0);
    }
    context_.commands.OTPMQX(unitOfScreen(k_), screenInUnit(k_), testPattern_->currentIndex(),
                             outputRaster_->isChecked() ? 1 : 0, testGrid_->isChecked() ? 1 : 0);
}

std::optional<double> ScreenGroup::value(const command::ScreenValue &which) const
{
    const ValueField *field = valueField(which);
    return field ? field->binding->value() : std::nullopt;
}

void ScreenGroup::syncTestPattern()
{
    const OutputRecord &record = context_.settings.projectorOutput(k_);
    // A stored number past the list shows no selection.
    testPattern_->setCurrentIndex(record.TestPattern < testPattern_->count() ? record.TestPattern : -1);
    testGrid_->setChecked(record.TestGrid != 0);
    outputRaster_->setChecked(record.OutputRaster != 0);
}

void ScreenGroup::syncValue(const command::ScreenValue &which)
{
    if (const ValueField *field = valueField(which))
        field->binding->edit()->setText(QString::number(which.read(context_.settings.projectorOutput(k_))));
}

void ScreenGroup::syncValues()
{
    for (const ValueField &field : values_)
        syncValue(*field.row->screenValue);
}

void ScreenGroup::syncEdges()
{
    const OutputRecord &record = context_.settings.projectorOutput(k_);
    edges_->syncHalo(record);
    edges_->syncFeather(record);
}

void ScreenGroup::followServiceView(bool on)
{
    for (const ValueField &field : values_) {
        const bool enabled = on || (field.row->flags & ServiceViewOnly) == 0;
        field.label->setEnabled(enabled);
        field.binding->edit()->setEnabled(enabled);
        field.binding->spin()->setEnabled(enabled);
    }
    edges_->showWidthsAndOffsets(on);
}

}  // namespace tess

#include "moc_ScreenGroup.cpp"
