#include "app/PageGate.h"

#include "fields/FieldDescription.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace tess {

void PageGate::setEnabled(bool enabled)
{
    if (!pages_)
        return;
    if (enabled) {
        if (pages_->isEnabled() || enablePending_)
            return;
        enablePending_ = true;
        QMetaObject::invokeMethod(this, &PageGate::enableNow, Qt::QueuedConnection);
        // A press that set off the exchange just ended (a click on a box
        // while a field had the focus: the field's exit check sends first)
        // is delivered before the event loop runs again; it must find the
        // pages taking input.
        qApp->installEventFilter(this);
        return;
    }
    enablePending_ = false;
    if (!pages_->isEnabled())
        return;
    // Disabling the pages takes the focus out of them; it comes back when
    // they take input again, so the user types on where they were.
    QWidget *focus = QApplication::focusWidget();
    focusBeforeWait_ = focus && pages_->isAncestorOf(focus) ? focus : nullptr;
    pages_->setEnabled(false);
}

bool PageGate::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
        enableNow();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void PageGate::enableNow()
{
    qApp->removeEventFilter(this);
    if (!enablePending_ || !pages_)
        return;  // disabled again meanwhile
    enablePending_ = false;
    pages_->setEnabled(true);
    if (focusBeforeWait_ && canTakeFocus(focusBeforeWait_) && !QApplication::focusWidget())
        focusBeforeWait_->setFocus(Qt::OtherFocusReason);
    focusBeforeWait_ = nullptr;
}

}  // namespace tess
