#pragma once

#include <QByteArrayView>
#include <QString>
#include <deque>

namespace tess {

// The terminal view's screen: a fixed grid of character cells. What arrives
// is written at the cursor; carriage return, line feed, backspace and tab
// move it; a full line wraps; a line feed on the last row scrolls the top
// row away for good (there is no scroll-back). So the screen holds rows x
// columns characters however much arrives, and each character costs the
// same.
class TerminalScreen {
public:
    TerminalScreen(int rows, int columns);

    void put(QByteArrayView bytes);
    void clear();

    int rows() const { return int(lines_.size()); }
    int columns() const { return columns_; }
    // Row i (0 = top) as shown, padded with blanks to the full width.
    QString row(int i) const;
    int cursorRow() const { return row_; }
    int cursorColumn() const { return column_; }

private:
    void lineFeed();
    void putPrintable(char c);

    std::deque<QByteArray> lines_;
    int columns_;
    int row_ = 0;
    int column_ = 0;
};

}  // namespace tess
