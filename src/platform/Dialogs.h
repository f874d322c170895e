#pragma once

#include <QString>
#include <QStringList>

namespace tess {

// The application's title: the caption of every box that names none.
inline constexpr char ApplicationTitle[] = "VKS - Tessaline";

// Every message box and file dialog of the program goes through here, so
// that tests can answer them from a script and see every text shown.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A modal box with an OK button. The caption defaults to the
    // application's title.
    virtual void showMessage(const QString &text, const QString &caption = QString()) = 0;
    // OK / Cancel box: true for OK.
    virtual bool askOkCancel(const QString &caption, const QString &text) = 0;
    // Yes / No box: true for Yes.
    virtual bool askYesNo(const QString &caption, const QString &text) = 0;

    struct FileRequest {
        QString caption;
        QStringList filters;     // "Quorex Config Files (*.qxc)", ...
        QString defaultSuffix;   // "qxc" for the save dialog, empty otherwise
        bool mustExist = false;  // open dialog: only existing files
    };
    // Empty when the user cancelled.
    virtual QString openFileName(const FileRequest &request) = 0;
    virtual QString saveFileName(const FileRequest &request) = 0;
};

}  // namespace tess
