#pragma once

#include "device/ScreenEdgesLayout.h"

#include <QString>

namespace tess {

namespace command {
struct ScreenValue;
}

// Where sending everything (SendAllWalker) takes each setting from: the
// text a field of the window holds, a list's selection, a box's tick. The
// window's pages are one such source; a configuration file read into a
// settings model is another (ModelSendAllSource), giving exactly the texts
// the window's fields show after opening that file.
class SendAllSource {
public:
    virtual ~SendAllSource() = default;

    // The Planning page: selections (-1: none) and the overlap width field
    // (OWidthEdit).
    virtual int projectorCountSelection() const = 0;  // 0 = "1 Projector"
    virtual int alignmentSelection() const = 0;       // 0 left, 1 centered
    virtual QString overlapWidthText() const = 0;

    // The Source Setup page shows input channel `channel` (1-8) from the
    // model; the texts below are then that channel's.
    virtual void showSourceChannel(int channel) = 0;
    enum class Position { H, V, Phase };
    virtual QString positionText(Position which) const = 0;
    // Colour field `row` (0-7, ColourFields).
    virtual QString colourText(int row) const = 0;
    // A colour field's value was refused (no number, or out of bounds) and
    // its message shown: the window puts the channel back from the model.
    virtual void colourRefused(int row) { (void)row; }

    // The Display Setup page, screen group k (1-8).
    virtual int testPatternSelection(int k) const = 0;  // -1: none
    virtual bool testGrid(int k) const = 0;
    virtual bool outputRaster(int k) const = 0;
    // The screen's own value `which` (command::ScreenValues).
    virtual QString screenValueText(int k, const command::ScreenValue &which) const = 0;
    virtual QString haloText(int k, Side side, bool offset) const = 0;
    enum class Feather { Gamma, Width, Offset };
    virtual bool featherEnabled(int k, Side side) const = 0;
    virtual QString featherText(int k, Side side, Feather which) const = 0;
    // Page-wide: data doubling, basic feathering and the feathering mode.
    virtual bool dataDoubling() const = 0;
    virtual bool basicFeathering() const = 0;
    virtual QString basicGammaText() const = 0;
    virtual bool advancedMode() const = 0;

    // The Seam Removal page shows input channel `channel` (1-8); the gains
    // (1-8) are then that channel's.
    virtual void showSeamChannel(int channel) = 0;
    virtual QString seamGainText(int n) const = 0;
};

}  // namespace tess
