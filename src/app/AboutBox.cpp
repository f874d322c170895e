#include "app/AboutBox.h"

#include "app/Version.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace tess {
namespace {

QLabel *aboutLabel(const char *name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

}  // namespace

AboutBox::AboutBox(const QString &versionText, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Tessaline"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto *icon = aboutLabel("AboutIcon", QString(), this);
    const QIcon appIcon = QApplication::windowIcon().isNull() ? applicationIcon() : QApplication::windowIcon();
    icon->setPixmap(appIcon.pixmap(64, 64));

    auto *product = aboutLabel("AboutProductLabel", QStringLiteral("Vekslan : Tessaline"), this);
    QFont large = product->font();
    large.setPointSize(19);
    product->setFont(large);
    auto *version = aboutLabel("AboutVersionLabel", versionText, this);

    const QString web = QString::fromLatin1(WebAddress);
    const QString mail = QString::fromLatin1(SupportAddress);
    auto *description = aboutLabel(
        "AboutDescriptionLabel",
        QStringLiteral("Minimum resolution required is 1024x768.\n\n"
                       "For the most current version of Tessaline, and Quorex documentation, please visit our "
                       "website (%1)")
            .arg(web),
        this);
    description->setWordWrap(true);
    auto *notice = aboutLabel("AboutNoticeLabel", QStringLiteral("Copyright \u00A9 The Tessaline developers."), this);
    auto *contact = aboutLabel(
        "AboutContactLabel",
        QStringLiteral("Support: <a href=\"mailto:%1\">%1</a><br><a href=\"%2\">%2</a>").arg(mail, web), this);
    contact->setTextFormat(Qt::RichText);
    contact->setOpenExternalLinks(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("AboutOkButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *head = new QHBoxLayout;
    head->addWidget(icon, 0, Qt::AlignTop);
    auto *names = new QVBoxLayout;
    names->addWidget(product);
    names->addWidget(version);
    head->addLayout(names, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addSpacing(8);
    layout->addWidget(description);
    layout->addSpacing(8);
    layout->addWidget(notice);
    layout->addWidget(contact);
    layout->addWidget(buttons);
    // Word-wrapped lines: the height follows from the width.
    const int width = 480;
    setFixedSize(width, heightForWidth(width));
}

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor colours[] = {QColor(220, 60, 60), QColor(60, 170, 80), QColor(60, 110, 220),
                                  QColor(230, 180, 40)};
        const qreal width = size * 0.4;
        const qreal step = (size - width) / 3.0;
        for (int i = 0; i < 4; ++i) {
            QColor colour = colours[i];
            colour.setAlpha(170);
            painter.fillRect(QRectF(i * step, size * 0.22, width, size * 0.56), colour);
        }
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace tess

#include "moc_AboutBox.cpp"
