#include "app/WidgetDialogs.h"

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

// Questions whose safe answer is No, so that Enter does not take the other
// one: leaving the program, resetting the units or their seam gains, going
// on with settings known to be invalid, and driving one unit of the two the
// plan needs. Every other question offers what its caption asks for (a
// search, a read, trying again) and changes nothing that cannot be undone.
struct SafeAnswerNo {
    const char *caption;
    const char *textStart;  // null: any question with this caption
};
const SafeAnswerNo SafeAnswerNoQuestions[] = {
    {"VKS - Tessaline :Confirm Exit", nullptr},
    {"Tessaline - Factory Reset Verification", nullptr},
    {"Tessaline - Reset Seam Gain Verification", nullptr},
    {"VKS - Tessaline :Error reading from Quorex(s)", nullptr},
    {"VKS - Tessaline :Establish COM port communication with Quorex(s)", "Quorex total # of projectors"},
};

bool safeAnswerIsNo(const QString &caption, const QString &text)
{
    for (const SafeAnswerNo &question : SafeAnswerNoQuestions) {
        if (caption == QLatin1String(question.caption)
            && (!question.textStart || text.startsWith(QLatin1String(question.textStart))))
            return true;
    }
    return false;
}

QString captionOr(const QString &caption)
{
    // Not QApplication::applicationDisplayName(): without a display name it
    // is the application's name, "Tessaline"; and setting one would make Qt
    // append it to every window caption on X11.
    return caption.isEmpty() ? QLatin1String(ApplicationTitle) : caption;
}

}  // namespace

QMessageBox::StandardButton WidgetDialogs::runBox(int icon, const QString &caption, const QString &text, int buttons,
                                                  int defaultButton)
{
    QMessageBox box(QMessageBox::Icon(icon), captionOr(caption), text, QMessageBox::StandardButtons(buttons),
                    parent_);
    box.setDefaultButton(QMessageBox::StandardButton(defaultButton));
    // Above the stay-on-top wait window, which may be showing.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return QMessageBox::StandardButton(box.exec());
}

void WidgetDialogs::showMessage(const QString &text, const QString &caption)
{
    runBox(iconFor(text), caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool WidgetDialogs::askOkCancel(const QString &caption, const QString &text)
{
    // The one OK / Cancel question retries with OK; Cancel ends the program.
    return runBox(QMessageBox::Warning, caption, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
           == QMessageBox::Ok;
}

bool WidgetDialogs::askYesNo(const QString &caption, const QString &text)
{
    const auto safe = safeAnswerIsNo(caption, text) ? QMessageBox::No : QMessageBox::Yes;
    return runBox(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, safe) == QMessageBox::Yes;
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
