#pragma once

#include "pages/TabPage.h"
#include "pages/source/PositionBounds.h"

#include <array>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tess {

class ChannelSelect;
class FieldBinding;
struct PageContext;

// The Source Setup page (SourceSetupTabSheet): per input channel the
// sampling window (H and V position, phase), saving and resetting the
// channel's input configuration, and the colour balance with the unit's
// automatic colour balance.
class SourceSetupPage final : public TabPage {
    Q_OBJECT
public:
    // The colour balance rows, top to bottom.
    enum ColourRow {
        OverallContrast,
        OverallBrightness,
        RedContrast,
        RedBrightness,
        GreenContrast,
        GreenBrightness,
        BlueContrast,
        BlueBrightness,
    };
    static constexpr int ColourRows = 8;

    explicit SourceSetupPage(PageContext &context, QWidget *parent = nullptr);
    ~SourceSetupPage() override;

    // The controls that need a unit to talk to follow the connection.
    void setLinkControlsEnabled(bool enabled);
    void pageEntered(bool live) override;
    // The input channel (1-8) the page shows.
    int selectedChannel() const;
    // The wall has `projectors` channels: the channel group offers that
    // many, and channel 1 is selected as a click would select it.
    void setChannelCount(int projectors);
    // Selects channel `c` as a user's click does (the page refills).
    void selectChannel(int c);
    // "Send Current Settings" for the selected channel: its H and V
    // position and phase as the fields hold them (no page checks), then the
    // eight colour fields' exit checks, which check and send their own
    // values. False, sending nothing, when a position or the phase holds
    // no number.
    bool sendChannelInput();

    // The bounds of the position fields, set by each refill from the
    // selected channel's record.
    const PositionBounds &positionBounds() const { return bounds_; }

    // Handlers.
    void SourceScreenSelectRadioGroupClick();
    void SaveConfigButtonClick();
    void SaveAllConfigButtonClick();
    void AutoConfigButtonClick();
    // The colour rows' handlers (LeftOContrastEditExit is
    // ColourEditExit(OverallContrast), and so on).
    void ColourEditExit(int row);
    void AutoColorBalanceButtonClick();

    // Refills of the page (nothing is sent).
    void SyncSourceSetup();
    void SyncColourBalance(int channel);

private:
    QGroupBox *buildAlignmentGroup();
    QGroupBox *buildColourGroup();
    QWidget *buildPanel(const char *name, const char *title, std::initializer_list<const char *> texts);
    void setPositionFieldsEnabled(bool enabled);
    // Unit (1, 2) and input (1-4) of the selected channel.
    int unit() const;
    int input() const;

    PageContext &context_;
    ChannelSelect *channels_ = nullptr;
    QLabel *videoLoaded_ = nullptr;
    QLabel *videoLocked_ = nullptr;
    QGroupBox *alignmentGroup_ = nullptr;
    QLineEdit *hTotal_ = nullptr;
    std::unique_ptr<FieldBinding> hPosition_;
    std::unique_ptr<FieldBinding> vPosition_;
    std::unique_ptr<FieldBinding> phase_;
    QGroupBox *colourGroup_ = nullptr;
    QGroupBox *leftSide_ = nullptr;
    QPushButton *autoBalance_ = nullptr;
    std::array<std::unique_ptr<FieldBinding>, ColourRows> colours_;
    PositionBounds bounds_;
};

}  // namespace tess
