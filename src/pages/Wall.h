#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <utility>

namespace tess {

struct WindowState;

// The projector wall as every page sees it. The page that owns a value sets
// it here; the pages that show or send it read it here and follow its
// signal. No page reaches another page.
//
// Some signals tell of every setting, also of a value that stays: their
// followers show the value afresh each time (a channel page starts again
// from channel 1, a mirrored box shows what was chosen even where a fill
// left it showing another unit's state).
class Wall final : public QObject {
    Q_OBJECT
public:
    // Columns of the input image projector k shows: first and end; none
    // past the wall.
    using Span = std::optional<std::pair<qint64, qint64>>;
    using Spans = std::array<Span, 8>;

    explicit Wall(WindowState &state);

    // The projector count the Planning page's list holds (0: none chosen).
    int projectors() const { return projectors_; }
    void setProjectors(int count);
    // The planning lays the wall out for its count: the Display Setup page
    // shows that many screens, the channel pages offer that many channels.
    // Told every time, also for the count laid out before.
    void layOut();

    // The alignment of the material: 0 left justified, 1 centered, -1 none
    // chosen (the Planning page's list).
    int alignment() const { return alignment_; }
    void setAlignment(int alignment);

    // Whether the planning has calculated a wall: the screen controls take
    // input from then on.
    bool planned() const { return planned_; }
    void setPlanned(bool planned);

    // The overlap width as the Display Setup page's field holds it: a text,
    // for the field may hold what is no whole number.
    const QString &overlapText() const { return overlapText_; }
    std::optional<int> overlapWidth() const;
    void setOverlapText(const QString &text);
    // A good overlap width was entered: the planning follows it. Told every
    // time.
    void enterOverlapWidth(int width);

    // The input columns each projector shows, as the planning worked them
    // out.
    const Spans &imageSpans() const { return spans_; }
    void setImageSpans(const Spans &spans);

    // The seam bridge and its threshold (a text) as the user last set them
    // on either page. Told every time.
    bool seamBridge() const { return seamBridge_; }
    void setSeamBridge(bool on);
    const QString &bridgeThreshold() const { return bridgeThreshold_; }
    void setBridgeThreshold(const QString &text);

    // The overlap width has a second face, the Planning page's field: after
    // the Display Setup field refused a value, the focus goes there while
    // that page is in view. The page showing it provides how; true when it
    // took the focus, false to leave it to the refusing field.
    void provideOverlapFocusElsewhere(std::function<bool()> focus) { overlapFocusElsewhere_ = std::move(focus); }
    bool focusOverlapElsewhere() const { return overlapFocusElsewhere_ && overlapFocusElsewhere_(); }

    // The units in use: the window's unit count, which reading the units
    // sets.
    int unitsInUse() const;
    // The last unit a unit-wide setting goes to: unit 2 while more than one
    // unit is in use, else unit 1.
    int lastUnit() const { return unitsInUse() > 1 ? 2 : 1; }

signals:
    void projectorsChanged(int count);
    void laidOut(int projectors);
    void alignmentChanged(int alignment);
    void plannedChanged(bool planned);
    void overlapTextChanged(const QString &text);
    void overlapWidthEntered(int width);
    void imageSpansChanged(const Spans &spans);
    void seamBridgeChanged(bool on);
    void bridgeThresholdChanged(const QString &text);

private:
    WindowState &state_;
    int projectors_ = 0;
    int alignment_ = -1;
    bool planned_ = false;
    QString overlapText_;
    Spans spans_{};
    bool seamBridge_ = false;
    QString bridgeThreshold_;
    std::function<bool()> overlapFocusElsewhere_;
};

}  // namespace tess
