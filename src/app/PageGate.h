#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace tess {

// Takes the pages out of the user's reach while the program waits for a
// unit, and gives them back. Disabling is at once. Enabling every control
// of the pages takes the better part of a millisecond and repaints them
// all, so it waits until the program is back in the event loop (where user
// input is taken anyway): the next command of a series (a held spin button,
// sending everything) leaves at once and the pages stay as they are in
// between. The first press or key meanwhile gives them back before it is
// delivered. The focus the pages had comes back with them.
class PageGate final : public QObject {
public:
    explicit PageGate(QWidget &pages) : pages_(&pages) {}

    void setEnabled(bool enabled);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void enableNow();

    QPointer<QWidget> pages_;
    QPointer<QWidget> focusBeforeWait_;
    bool enablePending_ = false;
};

}  // namespace tess
