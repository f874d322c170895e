#pragma once

#include "platform/Dialogs.h"

#include <QMessageBox>

class QWidget;

namespace tess {

// The real boxes and dialogs, parented to `parent` when given.
class WidgetDialogs final : public Dialogs {
public:
    explicit WidgetDialogs(QWidget *parent = nullptr) : parent_(parent) {}
    void setParent(QWidget *parent) { parent_ = parent; }

    void showMessage(const QString &text, const QString &caption = QString()) override;
    bool askOkCancel(const QString &caption, const QString &text) override;
    bool askYesNo(const QString &caption, const QString &text) override;
    QString openFileName(const FileRequest &request) override;
    QString saveFileName(const FileRequest &request) override;

private:
    // Shows one modal message box; the answer is a QMessageBox button.
    // Enter takes `defaultButton`.
    QMessageBox::StandardButton runBox(int icon, const QString &caption, const QString &text, int buttons,
                                       int defaultButton);

    QWidget *parent_;
};

}  // namespace tess
