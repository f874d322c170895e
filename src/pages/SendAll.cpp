#include "pages/SendAll.h"

#include "device/Commands.h"
#include "fields/FieldEnv.h"
#include "model/NumberFormat.h"
#include "model/SettingsModel.h"
#include "pages/PageContext.h"
#include "pages/Pages.h"
#include "pages/Wall.h"
#include "pages/display/DisplaySetupPage.h"
#include "pages/planning/PlanningPage.h"
#include "pages/source/SeamRemovalPage.h"
#include "pages/source/SourceSetupPage.h"
#include "platform/Dialogs.h"

#include <algorithm>

namespace tess {

namespace {

// One run through the pages; each step answers false at a value that is no
// number, and the run stops there.
class Walk {
public:
    Walk(PageContext &context, Pages &pages) : c_(context), pages_(pages) {}

    bool run();
    // The units were told their feathering mode: their screens are to be
    // read back.
    bool modeSent() const { return modeSent_; }

private:
    int lastUnit() const { return c_.wall.lastUnit(); }
    bool sendWall();
    void sendUnitSettings();
    // Channels `first` to `last` of one unit; `send` sends the selected
    // channel of its page.
    template <typename Select, typename Send>
    bool sendChannels(int unit, int first, int last, Select select, Send send);

    PageContext &c_;
    Pages &pages_;
    int projectors_ = 0;
    bool modeSent_ = false;
};

bool Walk::sendWall()
{
    for (int unit = 1; unit <= lastUnit(); ++unit)
        c_.commands.PRJ(unit, projectors_);
    const int alignment = pages_.planning().alignmentSelection();
    const std::optional<int> overlap = parseWhole(pages_.displaySetup().overlapWidthText());
    if (alignment < 0 || !overlap)
        return false;
    for (int unit = 1; unit <= lastUnit(); ++unit)
        c_.commands.DISP(unit, alignment, *overlap);
    return true;
}

// The settings a unit holds once for all its screens and that no page
// field above carries: the feathering curve, the seam bridge and its
// threshold. Without them a file's wall would reach replaced units only in
// part. The values are the model's (what the file or the units hold); a
// curve that is neither S nor L and a threshold of 0 (a unit that does not
// report one) are not sent.
void Walk::sendUnitSettings()
{
    for (int unit = 1; unit <= lastUnit(); ++unit) {
        const OutputRecord &wide = c_.settings.output(unit, 1);
        if (wide.FeatherCurve == 'S' || wide.FeatherCurve == 'L')
            c_.commands.FEATHER(unit, wide.FeatherCurve == 'L');
        c_.commands.BRDGSEAM(unit, 1, wide.SeamBridge != 0 ? 1 : 0);
        if (wide.BridgeThreshold != 0)
            c_.commands.BRTHRS(unit, wide.BridgeThreshold);
    }
}

template <typename Select, typename Send>
bool Walk::sendChannels(int unit, int first, int last, Select select, Send send)
{
    for (int channel = first; channel <= last; ++channel) {
        // The page shows the channel from the model before it is sent.
        select(channel);
        if (c_.settings.IsChannelLocked(unit, channel - first + 1) && !send())
            return false;
    }
    return true;
}

bool Walk::run()
{
    const int selection = pages_.planning().projectorCountSelection();
    if (selection < 0)
        return false;
    projectors_ = selection + 1;
    const bool twoUnits = c_.wall.unitsInUse() > 1;
    SourceSetupPage &source = pages_.sourceSetup();
    DisplaySetupPage &display = pages_.displaySetup();
    SeamRemovalPage &seams = pages_.seamRemoval();
    const auto selectSource = [&source](int channel) { source.selectChannel(channel); };
    const auto sendSource = [&source] { return source.sendChannelInput(); };
    const auto selectSeams = [&seams](int channel) { seams.selectChannel(channel); };
    const auto sendSeams = [&seams] {
        // The hidden seam bridge box's handler, which would follow the
        // gains, finds HandlerBusy held and does nothing.
        seams.sendChannelGains();
        return true;
    };

    if (!sendWall())
        return false;
    if (!sendChannels(1, 1, std::min(projectors_, 4), selectSource, sendSource))
        return false;
    if (twoUnits && !sendChannels(2, 5, projectors_, selectSource, sendSource))
        return false;
    if (!display.sendScreens(1))
        return false;
    display.sendDataDoubling();
    if (!display.sendBasicFeathering())
        return false;
    // The units' screens are read back once everything is sent: read now,
    // they would replace in the model and on the page the values of unit 2
    // and the seam gains still to be sent.
    display.sendFeatherMode();
    modeSent_ = true;
    if (twoUnits && !display.sendScreens(2))
        return false;
    if (!sendChannels(1, 1, std::min(projectors_, 4), selectSeams, sendSeams))
        return false;
    if (twoUnits && !sendChannels(2, 5, projectors_, selectSeams, sendSeams))
        return false;
    sendUnitSettings();
    return true;
}

}  // namespace

void SendCurrentSettings(PageContext &context, Pages &pages)
{
    WindowState &state = context.state;
    const HandlerBusyScope busy(state);
    if (!busy || state.SuppressSend || !context.deviceConnected())
        return;
    Walk walk(context, pages);
    const bool sent = walk.run();
    if (walk.modeSent()) {
        for (int unit = 1; unit <= context.wall.lastUnit(); ++unit)
            context.commands.readScreensBack(unit);
    }
    if (!sent) {
        state.LastErrorText = QStringLiteral(
            "Error! Unable to send parameters to Quorex(s). Invalid value exist in one of the settings.");
        context.dialogs.showMessage(state.LastErrorText);
    }
}

}  // namespace tess
