#include "pages/display/ProjAlignPage.h"

#include "device/Commands.h"
#include "device/Refills.h"
#include "fields/FieldEnv.h"
#include "model/WindowState.h"
#include "pages/PageContext.h"
#include "pages/Wall.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tess {

namespace {

// Pattern numbers as the screens' test pattern lists number them.
enum Pattern {
    Off = 0,
    AlignmentPosition = 1,
    OnePixel = 2,
    TwoPixel = 3,
    HorizontalBars = 4,
    Black = 5,
    Grey25 = 6,
    Grey50 = 7,
    Grey75 = 8,
    White = 9,
};

struct Item {
    const char *caption;
    int pattern;
};

struct GroupDescription {
    const char *groupBox;
    const char *radioGroup;
    std::vector<Item> items;
    const char *checkBoxName;  // nullptr: the group has none
    const char *checkBoxCaption;
};

const std::array<GroupDescription, ProjAlignPage::GroupCount> &descriptions()
{
    static const std::array<GroupDescription, ProjAlignPage::GroupCount> groups{{
        {"ProjPhaseGroupBox",
         "ProjTest1RadioGroup",
         {{"Off", Off},
          {"Resolution 1 Pixel ON/ 1 Pixel OFF", OnePixel},
          {"Resolution 2 Pixel ON/ 2 Pixel OFF", TwoPixel}},
         "ProjTest1RasterCheckBox",
         "Output Raster Box"},
        {"ProjInputSizeGroupBox",
         "ProjTest2RadioGroup",
         {{"Off", Off}, {"Black with Raster Box", Black}, {"Gray Scale with Raster Box", HorizontalBars}},
         nullptr,
         nullptr},
        {"DisplayImageGroupBox",
         "ProjTest3RadioGroup",
         {{"Off", Off}, {"Image Overlap Alignment with Raster Box", AlignmentPosition}},
         "ProjTest3GridCheckBox",
         "Output Test Grid"},
        {"ProjColorGroupBox",
         "ProjTest4RadioGroup",
         {{"Off", Off},
          {"Black", Black},
          {"Gray - 25%", Grey25},
          {"Gray - 50%", Grey50},
          {"Gray - 75%", Grey75},
          {"White", White},
          {"H Bars", HorizontalBars}},
         nullptr,
         nullptr},
    }};
    return groups;
}

}  // namespace

ProjAlignPage::ProjAlignPage(PageContext &context, QWidget *parent)
    : TabPage("ProjAlignTabSheet", QStringLiteral("Projector Setup"), parent), context_(context)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(6);
    auto *note = named(
        new QLabel(QStringLiteral(
                       "Note:  Please see projector documentation for correct projector adjustment instructions. "),
                   this),
        "Label25");
    grid->addWidget(note, 0, 0, 1, 2);

    const std::array<QWidget *, GroupCount> panels{
        buildHelpPanel("Panel2",
                       {QStringLiteral("Projector Phase Adjust:"),
                        QStringLiteral("- Select one of the available Resolution test patterns."),
                        QStringLiteral("- For each projector, adjusts input sample clock phase to achieve one-to-one "
                                       "sampling of the test pattern.")}),
        buildHelpPanel(
            "Panel1", {QStringLiteral("Projector Input Size Adjust:"),
                       QStringLiteral("- Select the Black Test Pattern With Raster Box"),
                       QStringLiteral("- The Raster Box is a one-pixel outline of the of active display raster being "
                                      "input to the projector.  For each projector, adjust Input Horizontal and "
                                      "Vertical Position until the Raster Box test pattern is aligned "
                                      "with the projector's output display raster.")}),
        buildHelpPanel("Panel3",
                       {QStringLiteral("Display Image Alignment:"),
                        QStringLiteral("Select the Projector Overlap Alignment Test Pattern.  The Overlap Alignment "
                                       "Test pattern displays a broken vertical line on each side of the image.  The "
                                       "position of the line has been calculated based on the required amount of "
                                       "image overlap. "),
                        QStringLiteral("Projectors will be correctly overlapped when the two broken Alignment lines "
                                       "from adjacent projectors combine to create a single solid vertical line.")}),
        buildHelpPanel("Panel4",
                       {QStringLiteral("Projector Color Balance Adjustment:"),
                        QStringLiteral("- Select available test patterns, as required.  For each projector, adjust "
                                       "color balance, as required, to match all projectors.")}),
    };
    for (int g = 1; g <= GroupCount; ++g) {
        grid->addWidget(buildGroup(g), g, 0);
        panels[std::size_t(g - 1)]->setParent(this);
        grid->addWidget(panels[std::size_t(g - 1)], g, 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(GroupCount + 1, 1);
}

QWidget *ProjAlignPage::buildGroup(int g)
{
    const GroupDescription &d = descriptions()[std::size_t(g - 1)];
    Group &group = groups_[std::size_t(g - 1)];
    auto *box = new QGroupBox(this);
    box->setObjectName(QLatin1String(d.groupBox));
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(6, 2, 6, 2);
    column->setSpacing(2);
    group.radioGroup = new QGroupBox(QStringLiteral("Test Patterns"), box);
    group.radioGroup->setObjectName(QLatin1String(d.radioGroup));
    group.items = new QButtonGroup(group.radioGroup);
    // A long list takes two columns so that the four groups fit the page's
    // height one above the other.
    const int rows = d.items.size() > 4 ? int(d.items.size() + 1) / 2 : int(d.items.size());
    auto *itemGrid = new QGridLayout(group.radioGroup);
    itemGrid->setContentsMargins(6, 2, 6, 2);
    itemGrid->setVerticalSpacing(0);
    int id = 0;
    for (const Item &item : d.items) {
        auto *button = new QRadioButton(QString::fromLatin1(item.caption), group.radioGroup);
        group.items->addButton(button, id);
        itemGrid->addWidget(button, id % rows, id / rows);
        ++id;
    }
    connect(group.items, &QButtonGroup::idClicked, this, [this, g] { ProjTestRadioGroupClick(g); });
    column->addWidget(group.radioGroup);
    if (d.checkBoxName) {
        group.checkBox = new QCheckBox(QString::fromLatin1(d.checkBoxCaption), box);
        group.checkBox->setObjectName(QLatin1String(d.checkBoxName));
        connect(group.checkBox, &QCheckBox::clicked, this, [this, g] { ProjTestRadioGroupClick(g); });
        column->addWidget(group.checkBox);
    }
    box->setFixedWidth(330);
    return box;
}

QWidget *ProjAlignPage::buildHelpPanel(const char *name, const QStringList &lines)
{
    auto *panel = new QFrame;
    panel->setObjectName(QLatin1String(name));
    panel->setFrameShape(QFrame::StyledPanel);
    auto *column = new QVBoxLayout(panel);
    column->setSpacing(4);
    for (const QString &line : lines) {
        auto *label = new QLabel(line, panel);
        label->setWordWrap(true);
        column->addWidget(label);
    }
    column->addStretch(1);
    return panel;
}

void ProjAlignPage::clearSelection(int g)
{
    QButtonGroup *items = groups_[std::size_t(g - 1)].items;
    // An exclusive group keeps one item checked; let go of it for a moment.
    items->setExclusive(false);
    for (QAbstractButton *button : items->buttons())
        button->setChecked(false);
    items->setExclusive(true);
}

void ProjAlignPage::ClearProjectorTests()
{
    const SuppressSendScope quiet(context_.state);
    for (int g = 1; g <= GroupCount; ++g)
        clearSelection(g);
}

void ProjAlignPage::ProjTestRadioGroupClick(int g)
{
    WindowState &state = context_.state;
    if (state.SuppressSend)
        return;
    const HandlerBusyScope busy(state);
    if (!busy)
        return;

    const GroupDescription &d = descriptions()[std::size_t(g - 1)];
    Group &group = groups_[std::size_t(g - 1)];
    if (group.items->checkedId() < 0) {
        // Only a check box click gets here without a selection: it goes on
        // over "Off".
        group.items->button(0)->setChecked(true);
    }
    const int pattern = d.items[std::size_t(group.items->checkedId())].pattern;
    const bool boxOn = group.checkBox && group.checkBox->isChecked();
    int raster = 0;
    int testGrid = 0;
    switch (g) {
    case 1:
        raster = boxOn ? 1 : 0;
        break;
    case 2:
        raster = pattern == Off ? 0 : 1;
        break;
    case 3:
        raster = pattern == Off ? 0 : 1;
        testGrid = boxOn ? 1 : 0;
        break;
    default:
        break;
    }

    const int units = context_.wall.lastUnit();
    for (int unit = 1; unit <= units; ++unit) {
        context_.commands.OTPMQX(unit, 5, pattern, raster, testGrid);
        const SuppressSendScope quiet(state);
        for (int screen = 1; screen <= 4; ++screen)
            context_.refills.run(Refill::TestPattern, (unit - 1) * 4 + screen);
    }

    const SuppressSendScope quiet(state);
    for (int other = 1; other <= GroupCount; ++other) {
        if (other != g)
            clearSelection(other);
    }
    if (g != 1)
        groups_[0].checkBox->setChecked(false);
    if (g != 3)
        groups_[2].checkBox->setChecked(false);
}

}  // namespace tess

#include "moc_ProjAlignPage.cpp"
