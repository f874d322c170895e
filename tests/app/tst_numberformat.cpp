#include "model/NumberFormat.h"

#include <QLocale>
#include <QTest>
#include <cmath>
#include <limits>

using tess::formatGeneral;
using tess::parseReal;
using tess::parseWhole;

class NumberFormatTest : public QObject {
    Q_OBJECT
private slots:
    void generalFormat_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("precision");
        QTest::addColumn<int>("exponentDigits");
        QTest::addColumn<QString>("expected");

        QTest::newRow("whole value has no point") << 3.0 << 15 << 2 << "3";
        QTest::newRow("rounded to 3 digits") << 2.4375 << 3 << 2 << "2.44";
        QTest::newRow("exact at 5 digits") << 24.375 << 5 << 2 << "24.375";
        QTest::newRow("resolution at 15 digits") << 1280.0 << 15 << 2 << "1280";
        QTest::newRow("15-digit fraction") << 1024.0 * 30 / 11 << 15 << 2 << "2792.72727272727";
        QTest::newRow("binary noise rounded away") << 0.1 + 0.2 << 15 << 2 << "0.3";
        QTest::newRow("integer part fills the precision") << 12345.4 << 5 << 2 << "12345";
        QTest::newRow("negative") << -2.5 << 3 << 2 << "-2.5";
        QTest::newRow("zero") << 0.0 << 5 << 2 << "0";
        QTest::newRow("negative zero") << -0.0 << 5 << 2 << "0";
        QTest::newRow("small fixed") << 0.00012345678 << 5 << 2 << "0.00012346";
        QTest::newRow("smallest fixed") << 0.00001 << 5 << 2 << "0.00001";
        QTest::newRow("rounds up to the smallest fixed") << 0.0000099999 << 3 << 2 << "0.00001";
        QTest::newRow("rounding carries into a new digit") << 9.99996 << 5 << 2 << "10";

        QTest::newRow("more integer digits than precision") << 1234567.0 << 5 << 2 << "1.2346E+06";
        QTest::newRow("six integer digits at 5") << 123456.0 << 5 << 2 << "1.2346E+05";
        QTest::newRow("rounding makes a sixth digit") << 99999.7 << 5 << 2 << "1E+05";
        QTest::newRow("below 0.00001") << 0.0000012345 << 5 << 2 << "1.2345E-06";
        QTest::newRow("still below after rounding") << 0.0000099999 << 5 << 2 << "9.9999E-06";
        QTest::newRow("negative scientific") << -1234567.0 << 3 << 2 << "-1.23E+06";
        QTest::newRow("three exponent digits kept") << 1e-300 << 15 << 2 << "1E-300";
        QTest::newRow("exponent padded to 4") << 1234567.0 << 5 << 4 << "1.2346E+0006";
        QTest::newRow("no exponent padding") << 1234567.0 << 5 << 0 << "1.2346E+6";
        QTest::newRow("large at 15") << 1e21 << 15 << 2 << "1E+21";

        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 5 << 2 << "NAN";
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << 5 << 2 << "INF";
        QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity() << 5 << 2 << "-INF";
    }

    void generalFormat()
    {
        QFETCH(double, value);
        QFETCH(int, precision);
        QFETCH(int, exponentDigits);
        QFETCH(QString, expected);
        QCOMPARE(formatGeneral(value, precision, exponentDigits), expected);
    }

    void generalFormatIgnoresTheUsersLocale()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString text = formatGeneral(2.4375, 3);
        QLocale::setDefault(before);
        QCOMPARE(text, QStringLiteral("2.44"));
    }

    void parseReal_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");

        QTest::newRow("whole") << "30" << true << 30.0;
        QTest::newRow("point") << "12.5" << true << 12.5;
        QTest::newRow("signed") << "-2.25" << true << -2.25;
        QTest::newRow("plus sign") << "+4" << true << 4.0;
        QTest::newRow("exponent") << "3e1" << true << 30.0;
        QTest::newRow("blanks around") << "  40 " << true << 40.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("trailing letters") << "30x" << false << 0.0;
        QTest::newRow("comma") << "12,5" << false << 0.0;
        QTest::newRow("group separator") << "1,000" << false << 0.0;
        QTest::newRow("infinity") << "inf" << false << 0.0;
        QTest::newRow("not a number") << "nan" << false << 0.0;
    }

    void parseReal()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        const auto parsed = ::parseReal(text);
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, value);
    }

    void parseWhole_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");

        QTest::newRow("plain") << "384" << true << 384;
        QTest::newRow("leading zeros") << "007" << true << 7;
        QTest::newRow("signed") << "-3" << true << -3;
        QTest::newRow("blanks around") << " 64 " << true << 64;
        QTest::newRow("fraction") << "64.5" << false << 0;
        QTest::newRow("exponent") << "1e3" << false << 0;
        QTest::newRow("letters") << "sixty" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("too large") << "99999999999" << false << 0;
    }

    void parseWhole()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const auto parsed = ::parseWhole(text);
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, value);
    }
};

QTEST_GUILESS_MAIN(NumberFormatTest)
#include "tst_numberformat.moc"
