#include "fields/FieldBinding.h"

#include "fields/FieldEnv.h"
#include "fields/SpinButton.h"
#include "fields/TypedLength.h"
#include "model/NumberFormat.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <cmath>

namespace tess {

struct FieldBinding::Field {
    FieldDescription desc;
    QLineEdit *edit = nullptr;
    SpinButton *spin = nullptr;
};

namespace {

std::optional<double> convert(FieldKind kind, const QString &text)
{
    if (kind == FieldKind::Whole) {
        if (const auto whole = parseWhole(text))
            return double(*whole);
        return std::nullopt;
    }
    return parseReal(text);
}

QString formatStep(FieldKind kind, double value)
{
    if (kind == FieldKind::Whole)
        return QString::number(std::llround(value));
    return QString::number(value, 'f', 1);
}

}  // namespace

QString genericConversionMessage(FieldKind kind, const QString &text)
{
    return QStringLiteral("'%1' is not a valid %2")
        .arg(text,
             kind == FieldKind::Whole ? QStringLiteral("integer value") : QStringLiteral("floating point value"));
}

bool canTakeFocus(const QWidget *control)
{
    return control && control->isVisible() && control->isEnabled() && control->focusPolicy() != Qt::NoFocus;
}

QWidget *firstFocusable(std::initializer_list<QWidget *> candidates)
{
    for (QWidget *candidate : candidates) {
        if (canTakeFocus(candidate))
            return candidate;
    }
    return nullptr;
}

FieldBinding::FieldBinding(FieldEnv &env, QWidget *parent, FieldDescription desc, Commit commit)
    : QObject(parent), env_(env), commit_(std::move(commit))
{
    build(parent, std::move(desc));
}

FieldBinding::FieldBinding(FieldEnv &env, QWidget *parent, FieldDescription first, FieldDescription second,
                           Commit commit)
    : QObject(parent), env_(env), commit_(std::move(commit))
{
    build(parent, std::move(first));
    build(parent, std::move(second));
}

FieldBinding::~FieldBinding() = default;

void FieldBinding::build(QWidget *parent, FieldDescription desc)
{
    auto field = std::make_unique<Field>();
    field->edit = new QLineEdit(desc.defaultText, parent);
    field->edit->setObjectName(desc.edit);
    if (desc.maxLength > 0)
        limitTypedLength(field->edit, desc.maxLength);
    field->edit->installEventFilter(this);
    if (!desc.spin.isEmpty()) {
        field->spin = new SpinButton(env_.clock, desc.repeatMs, parent);
        field->spin->setObjectName(desc.spin);
        const int index = int(fields_.size());
        connect(field->spin, &SpinButton::upClicked, this, [this, index] { upClick(index); });
        connect(field->spin, &SpinButton::downClicked, this, [this, index] { downClick(index); });
    }
    field->desc = std::move(desc);
    fields_.push_back(std::move(field));
}

QLineEdit *FieldBinding::edit(int index) const
{
    return fields_.at(std::size_t(index))->edit;
}

SpinButton *FieldBinding::spin(int index) const
{
    return fields_.at(std::size_t(index))->spin;
}

const FieldDescription &FieldBinding::desc(int index) const
{
    return fields_.at(std::size_t(index))->desc;
}

std::optional<double> FieldBinding::value(int index) const
{
    const Field &field = *fields_.at(std::size_t(index));
    return convert(field.desc.kind, field.edit->text());
}

bool FieldBinding::exitCheck()
{
    return check(false);
}

void FieldBinding::upClick(int index)
{
    spinClick(index, +1);
}

void FieldBinding::downClick(int index)
{
    spinClick(index, -1);
}

bool FieldBinding::eventFilter(QObject *watched, QEvent *event)
{
    if (env_.closing)
        return false;
    if (event->type() == QEvent::FocusOut) {
        // Another window coming to the front (a message box, a menu) is not
        // leaving the field; nor is the move a refused check takes back.
        switch (static_cast<QFocusEvent *>(event)->reason()) {
        case Qt::ActiveWindowFocusReason:
        case Qt::PopupFocusReason:
        case Qt::MenuBarFocusReason:
            return false;
        default:
            break;
        }
        if (env_.focusReturning == watched)
            return false;
        // Nor is the page being disabled around an exchange with a unit:
        // the field is not left, and its check would start a second
        // exchange inside the first.
        if (!static_cast<QWidget *>(watched)->isEnabled())
            return false;
        check(true);
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            for (const auto &field : fields_) {
                if (field->edit == watched)
                    enterPressed(*field);
            }
            return true;
        }
    }
    return false;
}

void FieldBinding::enterPressed(const Field &field)
{
    QWidget *next = field.desc.enterSuccessor ? field.desc.enterSuccessor() : nullptr;
    if (canTakeFocus(next))
        next->setFocus(Qt::TabFocusReason);
}

bool FieldBinding::check(bool fromFocus)
{
    WindowState &state = env_.state;
    if (fromFocus && fields_.front()->desc.skipFocusExitWhileBusy && state.HandlerBusy == 1)
        return false;

    std::vector<double> values;
    for (const auto &field : fields_) {
        // Read afresh: a message box in between may have let the text change.
        const QString text = field->edit->text();
        if (field->desc.emptyValue && text.isEmpty())
            return true;
        const std::optional<double> value = convert(field->desc.kind, text);
        if (!value && field->desc.exitReportsGenericConversion) {
            state.LastErrorText = genericConversionMessage(field->desc.kind, text);
            env_.dialogs.showMessage(state.LastErrorText);
            return false;
        }
        if (!value) {
            state.LastErrorText = QStringLiteral("Error! '") + text + QStringLiteral("' is not a valid ")
                                  + field->desc.notValidNoun + u'.';
            env_.dialogs.showMessage(state.LastErrorText);
            refuse(*field);
            return false;
        }
        if (*value < field->desc.lower() || *value > field->desc.upper()) {
            state.LastErrorText = field->desc.boundsMessage();
            env_.dialogs.showMessage(state.LastErrorText);
            if (field->desc.refill)
                field->desc.refill();
            refuse(*field);
            return false;
        }
        values.push_back(*value);
    }
    const bool deviceSetting = fields_.front()->desc.deviceSetting;
    if (commit_ && (!deviceSetting || (!state.SuppressSend && env_.deviceConnected && env_.deviceConnected())))
        commit_(values);
    return true;
}

void FieldBinding::refuse(const Field &field)
{
    // Qt has already given the focus to the control it was heading to; that
    // control loses it again at once and must not take that for its exit.
    QWidget *heading = QApplication::focusWidget();
    if (heading && heading != field.edit)
        env_.focusReturning = heading;
    if (!field.desc.takeErrorFocus || !field.desc.takeErrorFocus())
        field.edit->setFocus(Qt::OtherFocusReason);
    env_.focusReturning = nullptr;
}

void FieldBinding::spinClick(int index, int direction)
{
    const HandlerBusyScope busy(env_.state);
    if (!busy)
        return;
    const Field &field = *fields_.at(std::size_t(index));
    const FieldDescription &desc = field.desc;
    const QString text = field.edit->text();
    const std::optional<double> value =
        desc.emptyValue && text.isEmpty() ? desc.emptyValue : convert(desc.kind, text);
    if (!value) {
        if (desc.spinReportsNotValid) {
            env_.state.LastErrorText =
                QStringLiteral("Error! '") + text + QStringLiteral("' is not a valid ") + desc.notValidNoun + u'.';
            env_.dialogs.showMessage(env_.state.LastErrorText);
            refuse(field);
        } else {
            env_.state.LastErrorText = genericConversionMessage(desc.kind, text);
            env_.dialogs.showMessage(env_.state.LastErrorText);
        }
        return;
    }
    const double lower = desc.lower();
    const double upper = desc.upper();
    double next = 0;
    if (direction > 0) {
        if (!(lower <= *value && *value < upper))
            return;
        next = *value + desc.step();
    } else {
        if (!(lower < *value && *value <= upper))
            return;
        next = *value - desc.step();
    }
    field.edit->setText(formatStep(desc.kind, next));
    check(false);
}

}  // namespace tess

#include "moc_FieldBinding.cpp"
