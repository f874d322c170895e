#pragma once

#include "pages/display/ScreenEdges.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

namespace tess {

class FieldBinding;
struct PageContext;

// The controls of one screen (projector) of the Display Setup page: the
// test pattern with its grid and raster box, the black level, and the
// screen's edges (the hidden halo removal pairs and the advanced edge
// feathering). The page builds eight of these, one per screen; every name,
// bound and command of a group follows from its screen number.
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
    void syncBlackLevel();
    void syncEdges();

    // Sends the test pattern with its raster and grid boxes; no selection
    // goes out as "Off", which the list then shows.
    void sendTestPattern();
    // The black level as the field holds it; nothing where it holds no
    // number.
    std::optional<double> blackLevel() const;

    // The service view unlocks the black level and shows the feathering
    // widths and offsets.
    void followServiceView(bool on);

private:
    void patternChanged();

    PageContext &context_;
    int k_;
    Actions actions_;
    QGroupBox *group_ = nullptr;
    QComboBox *testPattern_ = nullptr;
    QCheckBox *testGrid_ = nullptr;
    QCheckBox *outputRaster_ = nullptr;
    QLabel *blackLabel_ = nullptr;
    std::unique_ptr<FieldBinding> black_;
    std::unique_ptr<ScreenEdges> edges_;
};

}  // namespace tess
