#include "platform/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace tess {
namespace {

QMessageBox::Icon iconFor(const QString &text)
{
    if (text.startsWith(QLatin1String("Error")))
        return QMessageBox::Critical;
    if (text.startsWith(QLatin1String("Warning")))
        return QMessageBox::Warning;
    return QMessageBox::Information;
}

QString captionOr(const QString &caption)
{
    // Not QApplication::applicationDisplayName(): without a display name it
    // is the application's name, "Tessaline"; and setting one would make Qt
    // append it to every window caption on X11.
    return caption.isEmpty() ? QLatin1String(ApplicationTitle) : caption;
}

}  // namespace

QMessageBox::StandardButton WidgetDialogs::runBox(int icon, const QString &caption, const QString &text,
                                                  int buttons)
{
    QMessageBox box(QMessageBox::Icon(icon), captionOr(caption), text, QMessageBox::StandardButtons(buttons),
                    parent_);
    // Above the stay-on-top wait window, which may be showing.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return QMessageBox::StandardButton(box.exec());
}

void WidgetDialogs::showMessage(const QString &text, const QString &caption)
{
    runBox(iconFor(text), caption, text, QMessageBox::Ok);
}

bool WidgetDialogs::askOkCancel(const QString &caption, const QString &text)
{
    return runBox(QMessageBox::Warning, caption, text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

bool WidgetDialogs::askYesNo(const QString &caption, const QString &text)
{
    return runBox(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

QString WidgetDialogs::openFileName(const FileRequest &request)
{
    QFileDialog dialog(parent_, request.caption);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString WidgetDialogs::saveFileName(const FileRequest &request)
{
    QFileDialog dialog(parent_, request.caption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // Replacing an existing file is not asked about.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

}  // namespace tess
