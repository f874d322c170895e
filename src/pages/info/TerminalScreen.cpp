#include "pages/info/TerminalScreen.h"

#include <QtGlobal>

namespace tess {

TerminalScreen::TerminalScreen(int rows, int columns) : columns_(qMax(columns, 1))
{
    lines_.assign(size_t(qMax(rows, 1)), QByteArray(columns_, ' '));
}

void TerminalScreen::clear()
{
    for (QByteArray &line : lines_)
        line.fill(' ');
    row_ = 0;
    column_ = 0;
}

QString TerminalScreen::row(int i) const
{
    if (i < 0 || i >= rows())
        return {};
    return QString::fromLatin1(lines_[size_t(i)]);
}

void TerminalScreen::lineFeed()
{
    if (row_ + 1 < rows()) {
        ++row_;
        return;
    }
    // The top row goes; a blank one comes in at the bottom.
    QByteArray reused = std::move(lines_.front());
    lines_.pop_front();
    reused.fill(' ');
    lines_.push_back(std::move(reused));
}

void TerminalScreen::putPrintable(char c)
{
    if (column_ >= columns_) {
        column_ = 0;
        lineFeed();
    }
    lines_[size_t(row_)][column_++] = c;
}

void TerminalScreen::put(QByteArrayView bytes)
{
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        switch (u) {
        case '\r':
            column_ = 0;
            break;
        case '\n':
            lineFeed();
            break;
        case '\b':
            if (column_ > 0)
                column_ = qMin(column_, columns_) - 1;
            break;
        case '\t':
            do
                putPrintable(' ');
            while (column_ < columns_ && column_ % 8 != 0);
            break;
        default:
            // Other control characters (the bell, escapes, zero bytes) are
            // not drawn.
            if (u >= 32 && u != 127)
                putPrintable(c);
            break;
        }
    }
}

}  // namespace tess
