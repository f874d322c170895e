#include "fields/TypedLength.h"

#include <QLineEdit>
#include <QValidator>

namespace tess {
namespace {

// QLineEdit runs its validator for setText() too, but then cannot undo; a
// text the program put there clears the field's modified flag, and such a
// text passes. The user's edits are compared with the length of the text
// shown before the edit.
class TypedLengthValidator final : public QValidator {
public:
    TypedLengthValidator(QLineEdit *edit, int maxLength)
        : QValidator(edit), edit_(edit), maxLength_(maxLength), shownLength_(edit->text().size())
    {
        connect(edit, &QLineEdit::textChanged, this, [this](const QString &text) { shownLength_ = text.size(); });
    }

    State validate(QString &input, int &) const override
    {
        if (!edit_->isModified())
            return Acceptable;
        if (input.size() > maxLength_ && input.size() > shownLength_)
            return Invalid;
        return Acceptable;
    }

    int maxLength() const { return maxLength_; }

private:
    QLineEdit *edit_;
    int maxLength_;
    qsizetype shownLength_;
};

}  // namespace

void limitTypedLength(QLineEdit *edit, int maxLength)
{
    edit->setValidator(new TypedLengthValidator(edit, maxLength));
}

int typedLengthLimit(const QLineEdit *edit)
{
    const auto *validator = dynamic_cast<const TypedLengthValidator *>(edit->validator());
    return validator ? validator->maxLength() : -1;
}

}  // namespace tess
