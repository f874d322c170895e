#pragma once

#include <QWidget>

namespace tess {

// The connection-help window (ConnectionHelpForm): static instructions for
// cabling and setting up the units, shown without blocking the main window.
// There is one for the whole run; showing it again brings it to the front.
class TConnectionHelpForm final : public QWidget {
    Q_OBJECT
public:
    explicit TConnectionHelpForm(QWidget *parent = nullptr);

    // Shows the window, or brings it to the front when it already shows.
    void showHelp();

protected:
    // Esc closes the window, as its close button does.
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool placed_ = false;
};

}  // namespace tess
