#include "cli/Terminal.h"

#include "device/StatusQueries.h"

#include <QRegularExpression>

namespace tess::cli {
namespace {

// The link's questions whose Yes tries again: with --yes they are answered
// Yes only a few times, so that a dead line still ends the run.
bool triesAgain(const QString &caption)
{
    return caption == QLatin1String("VKS - Tessaline :No answer") || caption == QLatin1String("COM Port error");
}

QStringList linesOf(const QString &text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineEnd);
    for (QString &line : lines)
        line = line.trimmed();
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

}  // namespace

void Terminal::err(const QByteArray &bytes)
{
    if (console_.err)
        console_.err(bytes);
}

void Terminal::out(const QString &text)
{
    endProgress();
    if (console_.out)
        console_.out(text.toUtf8());
}

void Terminal::say(const QString &text)
{
    endProgress();
    const QStringList lines = linesOf(text);
    QString shown = QStringLiteral("tessaline-cli: ") + lines.value(0) + u'\n';
    for (qsizetype i = 1; i < lines.size(); ++i)
        shown += QStringLiteral("  ") + lines.at(i) + u'\n';
    err(shown.toUtf8());
}

void Terminal::note(const QString &text)
{
    if (!quiet_)
        say(text);
}

void Terminal::progress(const QString &line)
{
    if (quiet_ || !console_.errIsTerminal)
        return;
    // Back to the line's start, the text, the rest of the line cleared.
    err(("\r" + line.left(200) + QStringLiteral("\x1b[K")).toUtf8());
    progressShown_ = true;
}

void Terminal::endProgress()
{
    if (!progressShown_)
        return;
    progressShown_ = false;
    err("\r\x1b[K");
}

void TerminalDialogs::showMessage(const QString &text, const QString &)
{
    if (!silenced_)
        terminal_.say(text);
}

bool TerminalDialogs::askOkCancel(const QString &caption, const QString &text)
{
    return ask(caption, text, true);
}

bool TerminalDialogs::askYesNo(const QString &caption, const QString &text)
{
    return ask(caption, text, false);
}

bool TerminalDialogs::ask(const QString &caption, const QString &text, bool okCancel)
{
    const QString yesWord = okCancel ? QStringLiteral("OK") : QStringLiteral("Yes");
    const QString noWord = okCancel ? QStringLiteral("Cancel") : QStringLiteral("No");
    bool answer = false;
    QString how;
    if (silenced_) {
        how = QStringLiteral("(interrupted)");
    } else if (answer_ == Options::Answer::Ask && terminal_.console().readLine) {
        terminal_.say(caption + QStringLiteral(":\n") + text);
        terminal_.console().err(QStringLiteral("  %1 or %2? [%3/%4] ")
                                    .arg(yesWord, noWord, yesWord.left(1).toLower(), noWord.left(1))
                                    .toUtf8());
        const std::optional<QByteArray> typed = terminal_.console().readLine();
        const QString reply = typed ? QString::fromUtf8(*typed).trimmed().toLower() : QString();
        answer = !reply.isEmpty() && reply.at(0) == yesWord.at(0).toLower();
        // A terminal shows what was typed; an answer from a pipe is shown
        // here, so the question and its answer stand together.
        if (!typed || !terminal_.console().inIsTerminal)
            terminal_.console().err((typed ? QString::fromUtf8(*typed).trimmed() : QString()).toUtf8() + "\n");
        how = QStringLiteral("(typed)");
    } else if (answer_ == Options::Answer::Yes) {
        answer = !triesAgain(caption) || keepTryingInARow_ < KeepTryingYes;
        how = answer ? QStringLiteral("(--yes)")
                     : QStringLiteral("(--yes tries again at most %1 times)").arg(KeepTryingYes);
    } else {
        how = answer_ == Options::Answer::No ? QStringLiteral("(--no)")
                                             : QStringLiteral("(the default; --yes or --ask to answer otherwise)");
    }
    if (answer_ != Options::Answer::Ask || silenced_)
        terminal_.say(caption + QStringLiteral(":\n") + text + QStringLiteral("\nAnswered ")
                      + (answer ? yesWord : noWord) + u' ' + how + u'.');

    if (triesAgain(caption)) {
        keepTryingInARow_ = answer ? keepTryingInARow_ + 1 : 0;
        if (!answer)
            gaveUp_ = true;
    }
    if (caption == StatusQueries::ErrorReadingCaption && answer)
        ++screensSkipped_;
    return answer;
}

}  // namespace tess::cli
