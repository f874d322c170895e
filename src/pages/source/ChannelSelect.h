#pragma once

#include <QGroupBox>
#include <array>
#include <functional>

class QRadioButton;

namespace tess {

struct PageContext;

// The "Channel Select" radio group of the Source Setup and Seam Removal
// pages: items "1" to "8" in one row, as many shown as the wall has
// projectors. Channel c (1-8) is unit 1, input c for 1-4 and unit 2,
// input c - 4 for 5-8.
class ChannelSelect final : public QGroupBox {
    Q_OBJECT
public:
    static constexpr int MaxChannels = 8;

    ChannelSelect(const char *name, QWidget *parent = nullptr);

    // The selected channel, 1 to 8.
    int selected() const { return selected_; }
    // Selects channel `c` as the program does: clicked() is not emitted.
    void select(int c);
    // The wall's channel count: items "1" to "n" are shown. A count outside
    // 1 to 8 is held to that range.
    void setCount(int n);
    int count() const { return count_; }

    // The unit (1 or 2) and its input or screen (1-4) of the selected channel.
    int unit() const { return (selected_ - 1) / 4 + 1; }
    int input() const { return (selected_ - 1) % 4 + 1; }

signals:
    // The user picked another channel.
    void clicked(int channel);

private:
    std::array<QRadioButton *, MaxChannels> items_{};
    int selected_ = 1;
    int count_ = MaxChannels;
};

// A button for the selected channel or for all channels: under
// HandlerBusy, and only while SuppressSend is clear and a unit is connected,
// runs `action(unit, input)` for the selected channel, or (`all`) for
// inputs 1 to 4 of unit 1 and then, with more than one unit in use, of
// unit 2.
void runForChannels(PageContext &context, const ChannelSelect &channels, bool all,
                    const std::function<void(int unit, int input)> &action);

}  // namespace tess
