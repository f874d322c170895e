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

// The Display Setup page's "Data Doubling" group: the overlap width field
// with its spin button, which the Planning page mirrors both ways, and the
// data doubling "Enable" box. Both are unit-wide.
class DataDoublingGroup final : public QObject {
    Q_OBJECT
public:
    // `enterSuccessor` names the control Enter moves to from the overlap
    // width field.
    DataDoublingGroup(PageContext &context, QWidget *parent, std::function<QWidget *()> enterSuccessor);
    ~DataDoublingGroup() override;

    QGroupBox *group() const { return group_; }
    // The overlap width field, as an Enter successor of other fields.
    QWidget *overlapWidthField() const;

    // Shown for a wall of more than one projector.
    void setShown(bool shown);

    QString overlapWidthText() const;
    bool dataDoublingOn() const;
    void setOverlapWidthText(const QString &text);

    void OWidthEditExit();
    void OWidthUpDownUpClick();
    void OWidthUpDownDownClick();
    void EnDataDoubleCheckBoxClick();
    // Overlap width and data doubling from unit 1's stored values.
    void SyncDataDoubling();

private:
    // A good overlap width: sent while allowed, then the planning follows.
    void overlapAccepted(int width);

    PageContext &context_;
    QGroupBox *group_ = nullptr;
    std::unique_ptr<FieldBinding> overlap_;
    QCheckBox *enable_ = nullptr;
};

}  // namespace tess
