#include "support/ScriptedDialogs.h"

#include <QTest>

namespace tess::test {

void ScriptedDialogs::answer(bool yesOrOk)
{
    answers_.append(yesOrOk);
}

void ScriptedDialogs::whileNextBoxOpen(std::function<void()> whileOpen)
{
    whileOpen_ = std::move(whileOpen);
}

void ScriptedDialogs::chooseFile(const QString &path)
{
    files_.append(path);
}

QStringList ScriptedDialogs::takeMessages()
{
    QStringList out;
    out.swap(untakenMessages_);
    return out;
}

QList<ScriptedDialogs::Shown> ScriptedDialogs::takeQuestions()
{
    QList<Shown> out;
    out.swap(untakenQuestions_);
    return out;
}

void ScriptedDialogs::verifyAllTaken(const char *file, int line)
{
    QStringList problems;
    for (const QString &text : std::as_const(untakenMessages_))
        problems << QStringLiteral("message not checked: ") + text;
    for (const Shown &q : std::as_const(untakenQuestions_))
        problems << QStringLiteral("question not checked: ") + q.text;
    if (!answers_.isEmpty())
        problems << QStringLiteral("%1 scripted answer(s) unused").arg(answers_.size());
    if (!files_.isEmpty())
        problems << QStringLiteral("%1 scripted file name(s) unused").arg(files_.size());
    untakenMessages_.clear();
    untakenQuestions_.clear();
    answers_.clear();
    files_.clear();
    whileOpen_ = nullptr;
    if (!problems.isEmpty())
        QTest::qFail(qPrintable(problems.join(QLatin1String("; "))), file, line);
}

void ScriptedDialogs::runWhileOpen()
{
    if (whileOpen_) {
        auto fn = std::move(whileOpen_);
        whileOpen_ = nullptr;
        fn();
    }
}

void ScriptedDialogs::showMessage(const QString &text, const QString &caption)
{
    shown_.append({Kind::Message, caption, text});
    untakenMessages_.append(text);
    runWhileOpen();
}

bool ScriptedDialogs::nextAnswer(Kind kind, const QString &caption, const QString &text)
{
    shown_.append({kind, caption, text});
    untakenQuestions_.append({kind, caption, text});
    runWhileOpen();
    if (answers_.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unscripted question: ") + caption + QStringLiteral(" / ") + text),
                     __FILE__, __LINE__);
        return false;
    }
    return answers_.takeFirst();
}

bool ScriptedDialogs::askOkCancel(const QString &caption, const QString &text)
{
    return nextAnswer(Kind::OkCancel, caption, text);
}

bool ScriptedDialogs::askYesNo(const QString &caption, const QString &text)
{
    return nextAnswer(Kind::YesNo, caption, text);
}

QString ScriptedDialogs::openFileName(const FileRequest &request)
{
    lastFileRequest = request;
    shown_.append({Kind::OpenFile, request.caption, QString()});
    if (files_.isEmpty()) {
        QTest::qFail("unscripted open-file dialog", __FILE__, __LINE__);
        return QString();
    }
    return files_.takeFirst();
}

QString ScriptedDialogs::saveFileName(const FileRequest &request)
{
    lastFileRequest = request;
    shown_.append({Kind::SaveFile, request.caption, QString()});
    if (files_.isEmpty()) {
        QTest::qFail("unscripted save-file dialog", __FILE__, __LINE__);
        return QString();
    }
    return files_.takeFirst();
}

}  // namespace tess::test
