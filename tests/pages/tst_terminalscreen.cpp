// The terminal view's screen: what arrives lands where a terminal puts it,
// and the screen never holds more than its rows and columns.
#include "pages/info/TerminalScreen.h"

#include <QTest>

using namespace tess;

class TerminalScreenTest : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void characters_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QStringList>("rows");  // a screen of 3 rows x 5 columns, blanks trimmed
        QTest::addColumn<int>("cursorRow");
        QTest::addColumn<int>("cursorColumn");
        QTest::newRow("plain") << QByteArray("abc") << QStringList{"abc", "", ""} << 0 << 3;
        QTest::newRow("line end") << QByteArray("ab\r\ncd") << QStringList{"ab", "cd", ""} << 1 << 2;
        QTest::newRow("carriage return overwrites") << QByteArray("abc\rX") << QStringList{"Xbc", "", ""} << 0 << 1;
        QTest::newRow("line feed keeps the column") << QByteArray("ab\ncd") << QStringList{"ab", "  cd", ""} << 1 << 4;
        QTest::newRow("full line wraps") << QByteArray("abcdefg") << QStringList{"abcde", "fg", ""} << 1 << 2;
        QTest::newRow("exactly full waits to wrap") << QByteArray("abcde") << QStringList{"abcde", "", ""} << 0 << 5;
        QTest::newRow("scrolls without scroll-back")
            << QByteArray("1\r\n2\r\n3\r\n4") << QStringList{"2", "3", "4"} << 2 << 1;
        QTest::newRow("erase as the terminal sends it") << QByteArray("abc\b \b") << QStringList{"ab", "", ""} << 0 << 2;
        QTest::newRow("backspace stops at the margin") << QByteArray("\b\ba") << QStringList{"a", "", ""} << 0 << 1;
        QTest::newRow("backspace after a full line") << QByteArray("abcde\bX") << QStringList{"abcdX", "", ""} << 0 << 5;
        QTest::newRow("control characters are not drawn")
            << QByteArray("a\x07\x1b\x00\x7f" "b", 6) << QStringList{"ab", "", ""} << 0 << 2;
        QTest::newRow("latin-1 shown") << QByteArray("\xe9") << QStringList{QStringLiteral("\u00e9"), "", ""} << 0 << 1;
    }
    // clang-format on

    void characters()
    {
        QFETCH(QByteArray, input);
        QFETCH(QStringList, rows);
        QFETCH(int, cursorRow);
        QFETCH(int, cursorColumn);
        TerminalScreen screen(3, 5);
        screen.put(input);
        QStringList shown;
        for (int i = 0; i < screen.rows(); ++i) {
            QString row = screen.row(i);
            QCOMPARE(row.size(), 5);
            while (row.endsWith(QLatin1Char(' ')))
                row.chop(1);
            shown << row;
        }
        QCOMPARE(shown, rows);
        QCOMPARE(screen.cursorRow(), cursorRow);
        QCOMPARE(screen.cursorColumn(), cursorColumn);
    }

    void tabsStopEveryEightColumns()
    {
        TerminalScreen screen(2, 20);
        screen.put("\tA\tB");
        QCOMPARE(screen.row(0), QStringLiteral("        A       B   "));
        screen.put("\t\tC");  // past the last stop: wraps
        QCOMPARE(screen.row(1).trimmed(), QStringLiteral("C"));
    }

    void aFloodKeepsTheScreenSize()
    {
        TerminalScreen screen(24, 80);
        const QByteArray line = QByteArray(79, 'x') + "\r\n";
        for (int i = 0; i < 20000; ++i)
            screen.put(line);
        screen.put(QByteArray(1'000'000, 'y'));
        QCOMPARE(screen.rows(), 24);
        for (int i = 0; i < screen.rows(); ++i)
            QCOMPARE(screen.row(i).size(), 80);
    }
};

QTEST_MAIN(TerminalScreenTest)
#include "tst_terminalscreen.moc"
