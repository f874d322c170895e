#pragma once

#include "pages/TabPage.h"

#include <array>
#include <memory>

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace tess {

class ChannelSelect;
class FieldBinding;
struct PageContext;

// The Seam Removal page (SeamRemovalTabSheet): the eight seam gains of a
// channel, the automatic seam gain, and the units' seam bridge with its
// threshold. Its tab is hidden until the service view shows it. The Display
// Setup page repeats the seam bridge box and threshold; both act through
// this page, and the wall tells that page what to show.
class SeamRemovalPage final : public TabPage {
    Q_OBJECT
public:
    static constexpr int GainCount = 8;

    explicit SeamRemovalPage(PageContext &context, QWidget *parent = nullptr);
    ~SeamRemovalPage() override;

    // The controls that need a unit to talk to follow the connection.
    void setLinkControlsEnabled(bool enabled);
    void pageEntered(bool live) override;
    // The wall has `projectors` channels: the channel group offers that
    // many, and channel 1 is selected as a click would select it.
    void setChannelCount(int projectors);
    // Selects channel `c` (1-8) as a user's click does (the page refills).
    void selectChannel(int c);
    int selectedChannel() const;

    // Handlers; gain fields are numbered 1 ("Gain -4") to 8 ("Gain +4").
    void SeamScreenSelectRadioGroupClick();
    void SeamGainEditExit(int n);
    void SendSeamGains();
    // "Send Current Settings" for the selected channel: the eight gain
    // fields' exit checks in order, each of which checks its field and
    // sends the channel's gains.
    void sendChannelGains();
    void ResetSeamGainButtonClick();
    void SeamAutoSingleConfigButtonClick();
    void SeamAutoAllConfigButtonClick();
    void SeamBridgeAllConfigCheckBoxClick();
    void SeamBridgeSingleConfigCheckBoxClick();

    // What the Display Setup page's seam bridge controls do through this
    // page: tick the "Enable" box and run its click handler; and, for a
    // threshold its own check found good, what a good threshold here does
    // (both fields show the text, BRTHRS goes to the units).
    void clickBridgeBox(bool on);
    void applyBridgeThreshold(const QString &text, int threshold);

    // Refill of the page for the channel it shows (nothing is sent).
    void SyncSeamRemoval();

private:
    QGroupBox *buildGainGroup();
    QGroupBox *buildBridgeGroup();
    int unit() const;
    int screen() const;

    PageContext &context_;
    ChannelSelect *channels_ = nullptr;
    QGroupBox *gainGroup_ = nullptr;
    std::array<std::unique_ptr<FieldBinding>, GainCount> gains_;
    QCheckBox *bridgeSingle_ = nullptr;
    QPushButton *autoAll_ = nullptr;
    QCheckBox *bridgeAll_ = nullptr;
    std::unique_ptr<FieldBinding> threshold_;
};

}  // namespace tess
