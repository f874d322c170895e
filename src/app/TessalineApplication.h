#pragma once

#include <QApplication>

namespace tess {

class Dialogs;

// The application object. An error that escapes an event handler is shown
// in a message box and the event loop goes on.
class TessalineApplication final : public QApplication {
    Q_OBJECT
public:
    TessalineApplication(int &argc, char **argv);

    void setErrorDialogs(Dialogs *dialogs) { dialogs_ = dialogs; }
    bool notify(QObject *receiver, QEvent *event) override;

private:
    void report(const QString &text);

    Dialogs *dialogs_ = nullptr;
};

}  // namespace tess
