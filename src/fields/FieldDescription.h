#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace tess {

// A bound of a numeric field: a constant, or a value held elsewhere in the
// program and read at the moment of the check.
class Bound {
public:
    Bound(double value = 0) : value_(value) {}  // NOLINT: a constant is a bound
    static Bound heldBy(std::function<double()> read)
    {
        Bound bound;
        bound.read_ = std::move(read);
        return bound;
    }
    double operator()() const { return read_ ? read_() : value_; }

private:
    double value_ = 0;
    std::function<double()> read_;
};

enum class FieldKind {
    Whole,  // decimal integer, optional sign; steps by 1
    Real,   // decimal number; steps by 0.1 and is written with one decimal
};

// Everything that sets one numeric field apart from the others. The owning
// page fills one in per field (a family of eight is a function of the
// projector or channel number); the binding does the rest.
struct FieldDescription {
    QString edit;  // objectName of the edit field, e.g. "Black1Edit"
    QString spin;  // objectName of its spin button; empty: none
    FieldKind kind = FieldKind::Whole;
    Bound lower;
    Bound upper;
    QString defaultText;  // what the field shows at start
    QString rangeText;    // "(0 - 255)": the tail of the bounds message
    int maxLength = 0;    // characters the user can type; 0: unlimited
    // Shown for a value out of bounds; empty: "Error! Value out of bounds! "
    // followed by the range text.
    QString outOfBoundsMessage;
    // A message that names bounds held elsewhere, composed at the moment of
    // the check; when set it is shown in place of the one above.
    std::function<QString()> composeBoundsMessage;
    // Ends the message for a text that is no number: "Error! '<text>' is not
    // a valid <noun>."
    QString notValidNoun;
    // A spin click on a text that is no number: true shows the not-valid
    // message and puts the focus into the field, false the generic
    // conversion message.
    bool spinReportsNotValid = false;
    // The exit check leaves a text that is no number to the generic
    // conversion message: the focus is not put back and nothing is sent.
    bool exitReportsGenericConversion = false;
    int repeatMs = 250;  // spin repeat interval while held
    // A device setting sends only while SuppressSend is clear and a unit is
    // connected; other fields (planning sizes, IDs) always act on a good
    // value.
    bool deviceSetting = true;
    // The exit check returns at once when the focus leaves the field while
    // another handler runs.
    bool skipFocusExitWhileBusy = false;
    // After a value out of bounds: puts the field (and what goes with it)
    // back from the settings model. Empty: the typed text stays.
    std::function<void()> refill;
    // Where Enter moves the focus: the first candidate that can take it
    // now, or null (Enter then does nothing).
    std::function<QWidget *()> enterSuccessor;
    // After a refused value: puts the focus where this field's errors send
    // it and answers true, or answers false to let the field take it.
    // Empty: the field takes it.
    std::function<bool()> takeErrorFocus;

    double step() const { return kind == FieldKind::Whole ? 1.0 : 0.1; }
    // Set: an empty field is no error. Its exit check does nothing, and a
    // spin click counts it as this value.
    std::optional<double> emptyValue;

    QString boundsMessage() const
    {
        if (composeBoundsMessage)
            return composeBoundsMessage();
        return outOfBoundsMessage.isEmpty() ? QStringLiteral("Error! Value out of bounds! ") + rangeText
                                            : outOfBoundsMessage;
    }
};

// The generic message for a text that is no number of `kind`: "'<text>' is
// not a valid integer value" or "... floating point value".
QString genericConversionMessage(FieldKind kind, const QString &text);

// Whether the focus can go to `control` now: shown (on the page in front,
// its group visible) and enabled.
bool canTakeFocus(const QWidget *control);

// The first of `candidates` that can take the focus now, or null.
QWidget *firstFocusable(std::initializer_list<QWidget *> candidates);

}  // namespace tess
