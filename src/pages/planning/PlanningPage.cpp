#include "pages/planning/PlanningPage.h"

#include "device/Refills.h"
#include "fields/FieldBinding.h"
#include "fields/SpinButton.h"
#include "model/NumberFormat.h"
#include "model/PlanningPreferences.h"
#include "pages/PageContext.h"
#include "pages/Wall.h"
#include "pages/planning/PlanningControls.h"
#include "pages/planning/PlanningMath.h"
#include "pages/planning/PlanningPictures.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace tess {

PlanningPage::PlanningPage(PageContext &context, QWidget *parent)
    : TabPage("PlanningTabSheet", QStringLiteral("Planning"), parent), context_(context),
      c_(std::make_unique<PlanningControls>())
{
    c_->build(*this, context_, [this](double magnification) {
        context_.planning.LensMagnification = magnification;
        showLensThrow();
    });
    pictures_ = std::make_unique<PlanningPictures>(*c_->ProjectorImage, *c_->ProjPlaceImage, c_->legend);

    context_.refills.provide(Refill::PlanningFromUnits, [this](int) { SyncPlanningFromUnits(); });
    context_.wall.provideOverlapFocusElsewhere([this] { return focusOverlapFieldIfInView(); });

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

bool PlanningPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        // Enter moves the focus on; leaving the field runs its exit.
        QWidget *next = watched == c_->VerticalOutEdit     ? static_cast<QWidget *>(c_->CalcOutButton)
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
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
            || reason == Qt::MenuBarFocusReason || context_.fields.focusReturning == watched
            || !static_cast<QWidget *>(watched)->isEnabled())
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

int PlanningPage::projectorCountSelection() const
{
    return c_->NumOfScreenComboBox->currentIndex();
}

int PlanningPage::alignmentSelection() const
{
    return c_->ImageAlignComboBox->currentIndex();
}

int PlanningPage::projectorCount() const
{
    return c_->NumOfScreenComboBox->currentIndex() + 1;
}

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

#include "moc_PlanningPage.cpp"
