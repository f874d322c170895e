#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace tess::test {

// Answers message boxes and file dialogs from a script and records every
// box shown. A question or file dialog that nobody scripted fails the
// running test; plain OK boxes are recorded and must be taken by the test
// (takeMessages / expectMessage) before it ends, or verifyAllTaken() fails.
class ScriptedDialogs final : public Dialogs {
public:
    enum class Kind { Message, OkCancel, YesNo, OpenFile, SaveFile };
    struct Shown {
        Kind kind;
        QString caption;
        QString text;
    };

    // Answers for the next questions, in order (true = OK / Yes).
    void answer(bool yesOrOk);
    // Runs `whileOpen` while the next box of any kind is open (for example
    // to let a reply arrive while a time-out message is still up).
    void whileNextBoxOpen(std::function<void()> whileOpen);
    // Paths for the next file dialogs (empty = Cancel).
    void chooseFile(const QString &path);

    // Everything shown, in order.
    const QList<Shown> &shown() const { return shown_; }
    // Texts of OK boxes not yet taken; takes them.
    QStringList takeMessages();
    // Questions asked (caption + text) not yet taken; takes them.
    QList<Shown> takeQuestions();
    int pendingAnswers() const { return int(answers_.size()); }
    // Fails the test when OK boxes or questions were shown and not taken,
    // or when scripted answers were left unused; clears everything.
    void verifyAllTaken(const char *file, int line);

    void showMessage(const QString &text, const QString &caption = QString()) override;
    bool askOkCancel(const QString &caption, const QString &text) override;
    bool askYesNo(const QString &caption, const QString &text) override;
    QString openFileName(const FileRequest &request) override;
    QString saveFileName(const FileRequest &request) override;

    FileRequest lastFileRequest;

private:
    bool nextAnswer(Kind kind, const QString &caption, const QString &text);
    void runWhileOpen();

    QList<Shown> shown_;
    QStringList untakenMessages_;
    QList<Shown> untakenQuestions_;
    QList<bool> answers_;
    QStringList files_;
    std::function<void()> whileOpen_;
};

#define VERIFY_DIALOGS_TAKEN(d) (d).verifyAllTaken(__FILE__, __LINE__)

}  // namespace tess::test
