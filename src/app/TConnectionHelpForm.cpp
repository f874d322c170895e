#include "app/TConnectionHelpForm.h"

#include "app/WindowPlacement.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <algorithm>

namespace tess {
namespace {

const QString SerialSettingsLines[] = {
    QStringLiteral("\u00B7   Baud Rate          38.4K"),
    QStringLiteral("\u00B7   Data Bit                     8"),
    QStringLiteral("\u00B7   Stop Bit                     1"),
    QStringLiteral("\u00B7   Parity                  NONE"),
};

const QString WithControllerLines[] = {
    QStringLiteral("Setup Quorexs Serial settings to the settings shown above."),
    QString(),
    QStringLiteral("Setup Quorex's serial mode to RS-485 in the SYSTEM OPTIONS menu and select a RS-485 ID.(this "
                   "setting can be found in "),
    QStringLiteral("SYSTEM OPTIONS->CONFIG SERIAL menu.) The RS-485 ID number can be set from 1 to 32. The Quorex "
                   "RS-485 ID in a multi-screen configuration must "),
    QStringLiteral("be set to follow the Panorel IDs. In a four-screen configuration the Quorex ID must be set to 5. "
                   "In a five-screen Configuration the first Quorex ID must "),
    QStringLiteral("be set to 6 and the second Quorex ID must be set to 7. In a six-screen configuration the first "
                   "Quorex ID must be set to 7 and the second "),
    QStringLiteral("Quorex ID must be set to 8."),
    QString(),
    QStringLiteral("The Controller must be turned on after Quorex and Panorel Plus have booted completely. The "
                   "Controller display will show QX: N "),
    QStringLiteral("(N being the number of Quorex(s) it detects.) If QX: 0 is shown, check the connection form the "
                   "Panorel Plus frame to the Quorex and make sure "),
    QStringLiteral("that the Quorex serial mode is set to RS-485 and the proper RS-485 ID has been selected as "
                   "explained above. Reboot the Controller until it detects "),
    QStringLiteral("the number of Quorex(s) that are connected to the Panorel Plus chassis. "),
    QString(),
    QStringLiteral("At this time. click on the \"Serial Port->Search for Quorex(s)->Search\" menu and establish "
                   "connection to the Quorex(s)."),
};

const QString WithoutControllerLines[] = {
    QStringLiteral("Setup Quorexs Serial settings to the settings shown above."),
    QString(),
    QStringLiteral("Tessaline can be interfaced directly from the PC to a single Quorex using a serial "
                   "communications cable from the PC serial port to the Quorex's REMOTE "),
    QStringLiteral("serial port.  If this connection is used, the Quorex's serial port must be configured for "
                   "RS-232 operation and the serial port settings of the Quorex must "),
    QStringLiteral("be configured for the same baud rate, data bits, stop bits, parity, and handshake settings "
                   "shown above."),
};

// A list used as static text: no border, the window's background, lines
// 13 pixels apart, nothing to select or scroll.
template <std::size_t N>
QListWidget *staticList(const char *name, const QString (&lines)[N], const QRect &geometry, QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(geometry);
    list->setFrameShape(QFrame::NoFrame);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(Qt::ElideNone);
    list->viewport()->setAutoFillBackground(false);
    list->setStyleSheet(QStringLiteral("QListWidget { background: transparent; }"));
    // The lines were broken for a narrow font: where this system's font is
    // wider, a narrower or smaller one keeps every word in sight.
    QFont font = parent->font();
    font.setStretch(QFont::SemiCondensed);
    const int room = geometry.width() - 8;
    const auto widest = [&lines](const QFont &f) {
        const QFontMetrics metrics(f);
        int widest = 0;
        for (const QString &line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        return widest;
    };
    while (widest(font) > room && font.pixelSize() > 8)
        font.setPixelSize(font.pixelSize() - 1);
    list->setFont(font);
    for (const QString &line : lines) {
        auto *item = new QListWidgetItem(line, list);
        item->setFlags(Qt::ItemIsEnabled);
        item->setSizeHint(QSize(geometry.width(), 13));
    }
    return list;
}

QLabel *heading(const char *name, const QString &text, const QPoint &at, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setPixelSize(13);
    font.setBold(true);
    label->setFont(font);
    label->adjustSize();
    label->move(at);
    return label;
}

}  // namespace

TConnectionHelpForm::TConnectionHelpForm(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("ConnectionHelpForm"));
    setWindowTitle(QStringLiteral("Vekslan - Tessaline : Connection Help"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(792, 400);
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    auto *settings = new QGroupBox(QStringLiteral("Default Quorex/Tessaline Serial settings"), this);
    settings->setObjectName(QStringLiteral("GroupBox1"));
    settings->setGeometry(248, 5, 249, 81);
    staticList("ListBox3", SerialSettingsLines, QRect(48, 20, 137, 53), settings);

    auto *manual =
        new QLabel(QStringLiteral("For figures and further assistance, please refer to Quorex manual."), this);
    manual->setObjectName(QStringLiteral("Label3"));
    manual->setWordWrap(true);
    manual->setFixedWidth(232);
    manual->move(520, 40);
    manual->adjustSize();

    heading("Label1", QStringLiteral("Tessaline with Controller"), QPoint(8, 88), this);
    staticList("ListBox1", WithControllerLines, QRect(16, 108, 769, 185), this);
    heading("Label2", QStringLiteral("Tessaline without Controller"), QPoint(8, 304), this);
    staticList("ListBox2", WithoutControllerLines, QRect(16, 324, 769, 69), this);
}

void TConnectionHelpForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TConnectionHelpForm::showHelp()
{
    if (!placed_) {
        centreOnScreen(this);
        placed_ = true;
    }
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

}  // namespace tess

#include "moc_TConnectionHelpForm.cpp"
