#pragma once

#include <QObject>
#include <functional>
#include <memory>

class QCheckBox;
class QGroupBox;
class QWidget;

namespace tess {

class FieldBinding;
struct PageContext;

// The Display Setup page's seam bridge group (GroupBox4): the "Enable" box
// and the bridge threshold, repeating the Seam Removal page's and acting
// through it (the window connects the two), so that both pages' boxes and
// thresholds show the same.
class SeamBridgeMirror final : public QObject {
    Q_OBJECT
public:
    // Builds the group under `parent`.
    // `enterSuccessor` names the control Enter moves to from the threshold.
    SeamBridgeMirror(PageContext &context, QWidget *parent, std::function<QWidget *()> enterSuccessor);
    ~SeamBridgeMirror() override;

    QGroupBox *group() const { return group_; }

    // Handlers.
    void DisplaySetupSeamBridgeAllConfigCheckBoxClick();

    // What the seam bridge last set shows here (no handler runs).
    void showBridge(bool on);
    void showThreshold(const QString &text);
    // The Display Setup refill's part: unit 1's bridge state, and its
    // threshold when that is not 0.
    void sync();

signals:
    // The user clicked the box (not while SuppressSend is set), or entered a
    // threshold that passed this field's check: the Seam Removal page acts.
    void bridgeClicked(bool on);
    void thresholdEntered(const QString &text, int threshold);

private:
    PageContext &context_;
    QGroupBox *group_ = nullptr;
    QCheckBox *enable_ = nullptr;
    std::unique_ptr<FieldBinding> threshold_;
};

}  // namespace tess
