#include "platform/JournalDialogs.h"

#include "platform/Journal.h"

namespace tess {

void JournalDialogs::showMessage(const QString &text, const QString &caption)
{
    journal_.write(QStringLiteral("message"),
                   (caption.isEmpty() ? QString() : Journal::quote(caption) + u' ') + Journal::quote(text));
    shown_.showMessage(text, caption);
}

bool JournalDialogs::ask(const QString &caption, const QString &text, bool yesNo)
{
    // Written before the answer comes, so a question left open is on record.
    journal_.write(QStringLiteral("question"), Journal::quote(caption) + u' ' + Journal::quote(text));
    const bool answer = yesNo ? shown_.askYesNo(caption, text) : shown_.askOkCancel(caption, text);
    journal_.write(QStringLiteral("answer"), yesNo ? (answer ? QStringLiteral("yes") : QStringLiteral("no"))
                                                   : (answer ? QStringLiteral("ok") : QStringLiteral("cancel")));
    return answer;
}

bool JournalDialogs::askOkCancel(const QString &caption, const QString &text)
{
    return ask(caption, text, false);
}

bool JournalDialogs::askYesNo(const QString &caption, const QString &text)
{
    return ask(caption, text, true);
}

QString JournalDialogs::chooseFile(const FileRequest &request, bool save)
{
    const QString path = save ? shown_.saveFileName(request) : shown_.openFileName(request);
    journal_.write(save ? QStringLiteral("file-to-save") : QStringLiteral("file-to-open"),
                   path.isEmpty() ? QStringLiteral("cancelled") : Journal::quote(path));
    return path;
}

QString JournalDialogs::openFileName(const FileRequest &request)
{
    return chooseFile(request, false);
}

QString JournalDialogs::saveFileName(const FileRequest &request)
{
    return chooseFile(request, true);
}

}  // namespace tess
