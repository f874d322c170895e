#pragma once

#include <QString>
#include <optional>

namespace tess {

// The program's general number format: `value` rounded to `precision`
// significant digits (1 to 17), written as a plain decimal without trailing
// zeros and without a decimal point when whole (3.0 -> "3", 2.4375 at 3 ->
// "2.44"). Scientific notation is used only when the rounded value's
// integer part has more than `precision` digits or the rounded value is
// below 0.00001: mantissa without trailing zeros, "E", the exponent's sign
// always written, and at least `exponentDigits` (0 to 4) exponent digits
// (1234567 at 5 -> "1.2346E+06"). A point is the decimal separator,
// whatever the user's locale. Not-a-number and infinities are "NAN", "INF"
// and "-INF".
QString formatGeneral(double value, int precision, int exponentDigits = 2);

// Text typed into a field, as a real number: an optionally signed decimal
// number with a point, optionally with an exponent, blanks around it
// allowed. Group separators, commas and non-finite values are refused.
std::optional<double> parseReal(const QString &text);

// Text typed into a field, as a whole number: an optionally signed decimal
// integer that fits into an int, blanks around it allowed.
std::optional<int> parseWhole(const QString &text);

}  // namespace tess
