#include "fields/SpinButton.h"

#include "platform/Clock.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

namespace tess {
namespace {

// Ticks that only count before the first repeated click.
constexpr int SilentTicks = 3;

}  // namespace

SpinButton::SpinButton(Clock &clock, int repeatMs, QWidget *parent)
    : QWidget(parent), repeat_(clock.createTimer()), repeatMs_(repeatMs)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(repeat_.get(), &ClockTimer::timeout, this, &SpinButton::tick);
}

SpinButton::~SpinButton() = default;

QSize SpinButton::sizeHint() const
{
    return QSize(16, 22);
}

QRect SpinButton::halfRect(Half half) const
{
    const int top = height() / 2;
    switch (half) {
    case Half::Up:
        return QRect(0, 0, width(), top);
    case Half::Down:
        return QRect(0, top, width(), height() - top);
    case Half::None:
        break;
    }
    return QRect();
}

SpinButton::Half SpinButton::halfAt(const QPoint &pos) const
{
    if (halfRect(Half::Up).contains(pos))
        return Half::Up;
    if (halfRect(Half::Down).contains(pos))
        return Half::Down;
    return Half::None;
}

void SpinButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (Half half : {Half::Up, Half::Down}) {
        QStyleOption option;
        option.initFrom(this);
        option.rect = halfRect(half);
        if (held_ == half)
            option.state |= QStyle::State_Sunken;
        else
            option.state |= QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, this);
        option.rect.adjust(3, 2, -3, -2);
        style()->drawPrimitive(half == Half::Up ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
                               &option, &painter, this);
    }
}

void SpinButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        event->ignore();
        return;
    }
    held_ = halfAt(event->position().toPoint());
    if (held_ == Half::None)
        return;
    ticks_ = 0;
    repeat_->start(repeatMs_);
    // The release reaches this button even while the pages around it are
    // disabled for an exchange, when the button itself gets no mouse events.
    qApp->installEventFilter(this);
    update();
}

void SpinButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        released(event->position().toPoint());
}

bool SpinButton::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == this && event->type() == QEvent::MouseButtonRelease && !isEnabled()) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton)
            released(mouse->position().toPoint());
        return true;
    }
    return false;
}

void SpinButton::released(const QPoint &pos)
{
    const Half pressed = held_;
    letGo();
    if (pressed != Half::None && isEnabled() && halfAt(pos) == pressed)
        click(pressed);
}

void SpinButton::tick()
{
    if (held_ == Half::None) {
        letGo();
        return;
    }
    // Disabled with the pages while a unit is awaited: the tick counts but
    // clicks nothing.
    if (++ticks_ > SilentTicks && isEnabled())
        click(held_);
}

void SpinButton::click(Half half)
{
    if (half == Half::Up)
        emit upClicked();
    else
        emit downClicked();
}

void SpinButton::letGo()
{
    qApp->removeEventFilter(this);
    repeat_->stop();
    ticks_ = 0;
    if (held_ != Half::None) {
        held_ = Half::None;
        update();
    }
}

void SpinButton::changeEvent(QEvent *event)
{
    // Disabled itself (not only with the pages around it): the hold ends.
    if (event->type() == QEvent::EnabledChange && testAttribute(Qt::WA_ForceDisabled))
        letGo();
    QWidget::changeEvent(event);
}

void SpinButton::hideEvent(QHideEvent *event)
{
    letGo();
    QWidget::hideEvent(event);
}

}  // namespace tess

#include "moc_SpinButton.cpp"
