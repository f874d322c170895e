#include "app/TessalineApplication.h"

#include "platform/Dialogs.h"

#include <cstdio>
#include <exception>

namespace tess {

TessalineApplication::TessalineApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool TessalineApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        report(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        report(QStringLiteral("Error! An unexpected error occurred."));
    }
    return false;
}

void TessalineApplication::report(const QString &text)
{
    if (dialogs_)
        dialogs_->showMessage(text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

}  // namespace tess

#include "moc_TessalineApplication.cpp"
