#pragma once

#include "device/SendAllSource.h"
#include "model/SettingsModel.h"

namespace tess {

// The settings of a model as the window's fields show them once the model
// is in the window (after opening a configuration file or reading the
// units): every text is the one the window's refills put into the field.
// Holds its own copy of the model, taken when it is made.
class ModelSendAllSource final : public SendAllSource {
public:
    explicit ModelSendAllSource(const SettingsModel &model) : model_(model) {}

    int projectorCountSelection() const override;
    int alignmentSelection() const override;
    QString overlapWidthText() const override;

    void showSourceChannel(int channel) override { sourceChannel_ = channel; }
    QString positionText(Position which) const override;
    QString colourText(int row) const override;

    int testPatternSelection(int k) const override;
    bool testGrid(int k) const override;
    bool outputRaster(int k) const override;
    QString screenValueText(int k, const command::ScreenValue &which) const override;
    QString haloText(int k, Side side, bool offset) const override;
    bool featherEnabled(int k, Side side) const override;
    QString featherText(int k, Side side, Feather which) const override;
    bool dataDoubling() const override;
    bool basicFeathering() const override;
    QString basicGammaText() const override;
    bool advancedMode() const override;

    void showSeamChannel(int channel) override { seamChannel_ = channel; }
    QString seamGainText(int n) const override;

private:
    const OutputRecord &unitWide() const { return model_.output(1, 1); }

    SettingsModel model_;
    int sourceChannel_ = 1;
    int seamChannel_ = 1;
};

}  // namespace tess
