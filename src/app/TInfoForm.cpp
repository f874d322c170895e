#include "app/TInfoForm.h"

#include "app/WindowPlacement.h"
#include "platform/Clock.h"

#include <QFontDatabase>
#include <QLabel>

namespace tess {
namespace {

QLabel *waitLabel(const char *name, const QString &text, const QRect &geometry, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    QFont font(TInfoForm::labelFamily());
    font.setPixelSize(15);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

}  // namespace

QString TInfoForm::labelFamily()
{
    // Asked of the font database rather than left to the system's font
    // matching, which may put a script or handwriting face in place of a
    // missing "Comic Sans MS".
    const QStringList installed = QFontDatabase::families();
    for (const char *family :
         {"Comic Sans MS", "DejaVu Sans", "Liberation Sans", "Noto Sans", "Arial", "Helvetica", "FreeSans"}) {
        if (installed.contains(QLatin1String(family), Qt::CaseInsensitive))
            return QLatin1String(family);
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

TInfoForm::TInfoForm(Clock &clock, QWidget *parent) : QWidget(parent, Qt::Window), clock_(clock)
{
    setObjectName(QStringLiteral("InfoForm"));
    setWindowTitle(QStringLiteral("Vekslan - Tessaline Info"));
    // A thin caption and nothing to click: no system menu, no minimize or
    // close button.
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(383, 34);

    InfoLabel = waitLabel("InfoLabel", QStringLiteral("Auto Color Balance in progress. Please wait...."),
                          QRect(6, 7, 347, 20), this);
    InfoLabel->setAlignment(Qt::AlignCenter);
    InfoProgressLabel = waitLabel("InfoProgressLabel", QString(), QRect(352, 7, 41, 20), this);
}

void TInfoForm::setVisible(bool visible)
{
    const bool appearing = visible && !isVisible();
    if (appearing && !placed_) {
        centreOnScreen(this);
        placed_ = true;
    }
    QWidget::setVisible(visible);
    if (appearing)
        FormShow();
}

void TInfoForm::FormShow()
{
    clock_.processPendingEvents();
}

}  // namespace tess

#include "moc_TInfoForm.cpp"
