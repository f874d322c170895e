#pragma once

#include "fields/FieldDescription.h"

#include <QObject>
#include <functional>
#include <optional>
#include <vector>

class QLineEdit;
class QWidget;

namespace tess {

class SpinButton;
struct FieldEnv;

// One numeric field (or a width and its offset that share one exit check)
// with all the behaviour such fields share, built from its description:
//
// - the exit check, when the focus leaves the field: converts and bounds-
//   checks the text, shows the field's message and puts the focus back on a
//   bad value (refilling from the model where the description says so),
//   and otherwise hands the value to the commit function: a device setting
//   only while SuppressSend is clear and a unit is connected. The text stays
//   as typed. A refused check cancels the focus move it interrupted: the
//   control the focus was heading to does not run its own exit check.
// - Enter moves the focus to the Enter successor, which runs the exit check;
//   with no successor that can take the focus Enter does nothing.
// - the spin halves step the value within the bounds (whole numbers by 1,
//   real numbers by 0.1 written with one decimal) and run the exit check,
//   under HandlerBusy: a click that arrives while another handler runs is
//   lost.
class FieldBinding final : public QObject {
    Q_OBJECT
public:
    // The values of the field or pair, in order, once every one is good.
    using Commit = std::function<void(const std::vector<double> &values)>;

    // Builds the edit (and its spin button) under `parent`.
    FieldBinding(FieldEnv &env, QWidget *parent, FieldDescription desc, Commit commit);
    // A pair: both fields share one exit check, which checks the first and
    // then the second and commits both values at once.
    FieldBinding(FieldEnv &env, QWidget *parent, FieldDescription first, FieldDescription second, Commit commit);
    ~FieldBinding() override;

    QLineEdit *edit(int index = 0) const;
    SpinButton *spin(int index = 0) const;  // null where the field has none
    const FieldDescription &desc(int index = 0) const;

    // The exit check as the program calls it (a check box that re-sends a
    // field's value, a mirror field): true when the values were good.
    bool exitCheck();
    // The spin handlers of field `index`.
    void upClick(int index = 0);
    void downClick(int index = 0);

    // The text of a field as a number of its kind, or nothing.
    std::optional<double> value(int index = 0) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Field;

    void build(QWidget *parent, FieldDescription desc);
    bool check(bool fromFocus);
    void spinClick(int index, int direction);
    void refuse(const Field &field);
    void enterPressed(const Field &field);

    FieldEnv &env_;
    std::vector<std::unique_ptr<Field>> fields_;
    Commit commit_;
};

}  // namespace tess
