#include "pages/info/TerminalView.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

namespace tess {
namespace {

constexpr int Width = 561;
constexpr int Height = 313;
constexpr int Margin = 3;
const QColor Background(0, 0, 0);
const QColor Text(192, 192, 192);

// "Terminal", 12 pixels high, where the system has a font of that name;
// its fixed-pitch font at that height otherwise.
QFont terminalFont()
{
    const QString terminal = QStringLiteral("Terminal");
    QFont font = QFontDatabase::families().contains(terminal, Qt::CaseInsensitive)
                     ? QFont(terminal)
                     : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(12);
    font.setStyleHint(QFont::Monospace);
    return font;
}

int fitting(int space, int cell)
{
    return qMax(1, (space - 2 * Margin) / qMax(cell, 1));
}

// The character a key sends, or 0 for none.
char keyCharacter(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return '\r';
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }
    const QString text = event.text();
    if (text.size() != 1 || text.at(0).unicode() > 0xFF)
        return 0;
    return char(text.at(0).unicode());
}

}  // namespace

TerminalView::TerminalView(QWidget *parent)
    : QWidget(parent), screen_(fitting(Height, QFontMetrics(terminalFont()).lineSpacing()),
                               fitting(Width, QFontMetrics(terminalFont()).horizontalAdvance(QLatin1Char('M'))))
{
    setObjectName(QStringLiteral("AdTerminal1"));
    setFixedSize(Width, Height);
    setFont(terminalFont());
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TerminalView::display(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    screen_.put(bytes);
    update();  // one repaint however many pieces arrive before it
}

void TerminalView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Background);
    painter.setFont(font());
    painter.setPen(Text);
    const QFontMetrics metrics(font());
    const int cell = metrics.horizontalAdvance(QLatin1Char('M'));
    for (int i = 0; i < screen_.rows(); ++i)
        painter.drawText(Margin, Margin + i * metrics.lineSpacing() + metrics.ascent(), screen_.row(i));
    // The cursor: a bar under the cell the next character goes to.
    const int column = qMin(screen_.cursorColumn(), screen_.columns() - 1);
    const int y = Margin + screen_.cursorRow() * metrics.lineSpacing() + metrics.ascent() + 1;
    painter.fillRect(Margin + column * cell, y, cell, 2, Text);
}

void TerminalView::keyPressEvent(QKeyEvent *event)
{
    const char key = keyCharacter(*event);
    if (!key) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (keyFilter && keyFilter(key))
        return;
    if (send)
        send(QByteArray(1, key));
}

}  // namespace tess
