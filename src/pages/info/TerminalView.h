#pragma once

#include "pages/info/TerminalScreen.h"

#include <QWidget>
#include <functional>

namespace tess {

// The terminal view (AdTerminal1): shows what arrives on the serial line
// and sends what the user types. Black background, light grey text in the
// system's fixed-pitch font, a screen of fixed size without scroll-back.
class TerminalView final : public QWidget {
public:
    explicit TerminalView(QWidget *parent = nullptr);

    // Gets the key first; true when it swallowed the key.
    std::function<bool(char key)> keyFilter;
    // Sends typed characters to the line.
    std::function<void(const QByteArray &bytes)> send;

    // Characters that arrived on the line.
    void display(QByteArrayView bytes);
    const TerminalScreen &screen() const { return screen_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    TerminalScreen screen_;
};

}  // namespace tess
