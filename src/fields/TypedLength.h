#pragma once

class QLineEdit;

namespace tess {

// Limits what the user can type or paste into `edit` to `maxLength`
// characters. Unlike QLineEdit::setMaxLength, a longer text the program
// puts into the field with setText() stays whole (a size shown as
// "0.00012346" is not cut to "0.0001"); the user can then shorten it but
// not lengthen it.
void limitTypedLength(QLineEdit *edit, int maxLength);

// The limit set by limitTypedLength, or -1.
int typedLengthLimit(const QLineEdit *edit);

}  // namespace tess
