#pragma once

#include "fields/FieldDescription.h"
#include "pages/display/EdgeFields.h"

#include <QObject>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QWidget;

namespace tess {

class FieldBinding;
struct OutputRecord;
struct PageContext;

// What one feathered edge's controls hold, read as a send carries it.
struct FeatherReading {
    int on = 0;
    float gamma = 0;
    int width = 0;
    int offset = 0;
};

// The edge controls of one screen group: its halo removal pairs (in a group
// that stays hidden) and its feathered edges (a group shown in advanced
// mode, holding the width/offset group the service view shows). The page
// says what a good value does; these controls know their names, fields,
// successors and fills.
class ScreenEdges final : public QObject {
    Q_OBJECT
public:
    struct Actions {
        // A halo pair's exit check passed: send the pair.
        std::function<void(Side side, int width, int offset)> sendHalo;
        // A feathered edge's field passed its check: send the edge.
        std::function<void(Side side)> sendFeather;
    };

    // Builds both groups into the screen group `group`; `testPattern` is
    // the screen's test pattern list, where Enter leads from the edges.
    ScreenEdges(PageContext &context, int k, QGroupBox *group, QWidget *testPattern, Actions actions);
    ~ScreenEdges() override;

    QGroupBox *haloGroup() const { return haloGroup_; }
    QGroupBox *featherGroup() const { return featherGroup_; }

    // The exit checks: a halo pair, an edge gamma (also the enable box's
    // click), an edge's width/offset pair. True when the values were good.
    bool haloExitCheck(Side side);
    bool gammaExitCheck(Side side);
    bool widthExitCheck(Side side);

    // The edge's controls as they stand; nothing where a field holds no
    // number (`failedText` then says which text, `failedKind` its kind).
    std::optional<FeatherReading> readFeather(Side side, QString *failedText, FieldKind *failedKind) const;

    // The halo pair's width and offset as they stand; nothing where the side
    // has no pair or a field holds no number.
    std::optional<std::pair<int, int>> readHalo(Side side) const;
    // Fills from the screen's record (nothing is sent; the caller holds
    // SuppressSend).
    void syncHalo(const OutputRecord &record);
    void syncFeather(const OutputRecord &record);

    // The right-hand enable box, gamma and halo pair show only while the
    // screen has a right-hand neighbour.
    void showRightEdge(bool shown);
    void showAdvanced(bool shown);
    void showWidthsAndOffsets(bool shown);

private:
    struct Halo;
    struct Edge;

    void buildHalo(Side side);
    void buildEdge(Side side);
    Halo *halo(Side side) const;
    Edge *edge(Side side) const;

    PageContext &context_;
    int k_;
    QWidget *testPattern_;
    Actions actions_;
    QGroupBox *haloGroup_ = nullptr;
    QGroupBox *featherGroup_ = nullptr;
    QGroupBox *advGroup_ = nullptr;
    std::array<std::unique_ptr<Halo>, 2> halos_;
    std::array<std::unique_ptr<Edge>, 2> edges_;
};

}  // namespace tess
