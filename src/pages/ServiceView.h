#pragma once

#include <QObject>

namespace tess {

// The hidden service view, switched on and off on the Information page. The
// controls it unlocks or shows live on several pages; each page follows the
// switch itself, so switching touches no page's controls from outside.
class ServiceView final : public QObject {
    Q_OBJECT
public:
    bool isOn() const { return on_; }
    // Switches the view; every page that follows it hears of the change.
    void setOn(bool on)
    {
        if (on == on_)
            return;
        on_ = on;
        emit changed(on_);
    }

signals:
    void changed(bool on);

private:
    bool on_ = false;
};

}  // namespace tess
