#pragma once

#include <QWidget>

class QLabel;

namespace tess {

class Clock;

// The wait window (InfoForm): a small stay-on-top tool window without
// buttons that tells the user a long operation runs. Callers set its texts,
// show it, do their work and hide it again.
class TInfoForm final : public QWidget {
    Q_OBJECT
public:
    explicit TInfoForm(Clock &clock, QWidget *parent = nullptr);

    QLabel *InfoLabel = nullptr;
    QLabel *InfoProgressLabel = nullptr;

    void setVisible(bool visible) override;

    // The labels' family: "Comic Sans MS" where it is installed, otherwise
    // a plain sans-serif family that is.
    static QString labelFamily();

private:
    // Runs when the window appears: lets it paint before the caller goes on.
    void FormShow();

    Clock &clock_;
    bool placed_ = false;
};

}  // namespace tess
