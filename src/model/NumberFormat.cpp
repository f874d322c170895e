#include "model/NumberFormat.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tess {

QString formatGeneral(double value, int precision, int exponentDigits)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");
    precision = std::clamp(precision, 1, 17);
    exponentDigits = std::clamp(exponentDigits, 0, 4);

    // Rounding to `precision` significant digits is left to the C-locale
    // conversion: "d.ddde+x".
    const QString scientific = QString::number(std::fabs(value), 'e', precision - 1);
    const qsizetype e = scientific.indexOf(QLatin1Char('e'));
    QString digits = scientific.left(e);
    digits.remove(QLatin1Char('.'));
    const int exponent = scientific.mid(e + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);

    QString out = value < 0 ? QStringLiteral("-") : QString();
    if (exponent >= precision || exponent < -5) {
        out += digits.at(0);
        if (digits.size() > 1)
            out += QLatin1Char('.') + digits.mid(1);
        out += exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
        out += QString::number(std::abs(exponent)).rightJustified(exponentDigits, QLatin1Char('0'));
    } else if (exponent >= 0) {
        const qsizetype whole = exponent + 1;
        if (digits.size() <= whole)
            out += digits + QString(whole - digits.size(), QLatin1Char('0'));
        else
            out += digits.left(whole) + QLatin1Char('.') + digits.mid(whole);
    } else {
        out += QStringLiteral("0.") + QString(-exponent - 1, QLatin1Char('0')) + digits;
    }
    return out;
}

namespace {

QLocale strictC()
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return c;
}

}  // namespace

std::optional<double> parseReal(const QString &text)
{
    bool ok = false;
    const double value = strictC().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> parseWhole(const QString &text)
{
    bool ok = false;
    const int value = strictC().toInt(text.trimmed(), &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

}  // namespace tess
