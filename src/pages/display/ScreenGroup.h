#pragma once

#include "pages/display/ScreenEdges.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

namespace tess {

class FieldBinding;
struct FieldRow;
struct PageContext;
namespace command {
struct ScreenValue;
}

// The controls of one screen (projector) of the Display Setup page: the
// test pattern with its grid and raster box, the screen's own values (the
// black level), and the screen's edges (the hidden halo removal pairs and
// the advanced edge feathering). The page builds eight of these, one per
// screen; every name, bound and command of a group follows from its screen
// number. The screen's own values come from the page's field table: a field
// for each row that names a screen value, in the table's order.
class ScreenGroup final : public QObject {
    Q_OBJECT
public:
    struct Actions {
        // A feathered edge's field passed its check: compose the edge from
        // its controls and send it.
        std::function<void(int k, Side side)> sendFeather;
        // The test pattern, grid or raster box changed outside another
        // handler.
        std::function<void()> patternChosen;
    };

    // Builds group `k` (1-8) under `parent`; the page owns the group.
    ScreenGroup(PageContext &context, int k, QWidget *parent, Actions actions);
    ~ScreenGroup() override;

    int number() const { return k_; }
    QGroupBox *group() const { return group_; }
    QComboBox *testPattern() const { return testPattern_; }
    ScreenEdges &edges() const { return *edges_; }

    // Refills from the settings model (nothing is sent; callers hold
    // SuppressSend where a control's handler could send).
    void syncTestPattern();
    void syncValue(const command::ScreenValue &which);
    void syncValues();
    void syncEdges();

    // Sends the test pattern with its raster and grid boxes; no selection
    // goes out as "Off", which the list then shows.
    void sendTestPattern();
    // The value of `which` as its field holds it; nothing where the field
    // holds no number or the group has none.
    std::optional<double> value(const command::ScreenValue &which) const;

    // The service view unlocks the values that only it may change (the
    // black level) and shows the feathering widths and offsets.
    void followServiceView(bool on);

private:
    struct ValueField;

    void patternChanged();
    void addValueField(const FieldRow &row);
    const ValueField *valueField(const command::ScreenValue &which) const;

    PageContext &context_;
    int k_;
    Actions actions_;
    QGroupBox *group_ = nullptr;
    QComboBox *testPattern_ = nullptr;
    QCheckBox *testGrid_ = nullptr;
    QCheckBox *outputRaster_ = nullptr;
    std::vector<ValueField> values_;
    std::unique_ptr<ScreenEdges> edges_;
};

}  // namespace tess
