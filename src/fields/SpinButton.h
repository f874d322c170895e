#pragma once

#include <QWidget>
#include <memory>

namespace tess {

class Clock;
class ClockTimer;

// The small up/down button beside a numeric field. It never takes the
// keyboard focus, so clicking it does not make the field beside it lose
// the focus. A press and release inside one half is one click of that half,
// delivered on release. While a half is held, a timer ticks at the repeat
// interval on the program's clock: the first three ticks only count, each
// later tick is one more click. A disabled button does nothing. While the
// pages wait for a unit (disabled around it) a held button keeps its hold:
// its ticks click nothing then, and letting go still ends it.
class SpinButton final : public QWidget {
    Q_OBJECT
public:
    enum class Half { None, Up, Down };

    SpinButton(Clock &clock, int repeatMs, QWidget *parent = nullptr);
    ~SpinButton() override;

    int repeatInterval() const { return repeatMs_; }
    // The half being held, if any.
    Half held() const { return held_; }
    // Where each half lies, for painting and for tests that click a half.
    QRect halfRect(Half half) const;

    QSize sizeHint() const override;

signals:
    void upClicked();
    void downClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void released(const QPoint &pos);
    Half halfAt(const QPoint &pos) const;
    void click(Half half);
    void tick();
    void letGo();

    std::unique_ptr<ClockTimer> repeat_;
    int repeatMs_;
    int ticks_ = 0;
    Half held_ = Half::None;
};

}  // namespace tess
