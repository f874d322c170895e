#pragma once

#include "platform/Dialogs.h"

namespace tess {

class Journal;

// Boxes and file dialogs as they are, written down in the journal: every
// message, every question and its answer, every file chosen.
class JournalDialogs final : public Dialogs {
public:
    JournalDialogs(Dialogs &shown, Journal &journal) : shown_(shown), journal_(journal) {}

    void showMessage(const QString &text, const QString &caption = QString()) override;
    bool askOkCancel(const QString &caption, const QString &text) override;
    bool askYesNo(const QString &caption, const QString &text) override;
    QString openFileName(const FileRequest &request) override;
    QString saveFileName(const FileRequest &request) override;

private:
    bool ask(const QString &caption, const QString &text, bool yesNo);
    QString chooseFile(const FileRequest &request, bool save);

    Dialogs &shown_;
    Journal &journal_;
};

}  // namespace tess
