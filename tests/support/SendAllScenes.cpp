#include "support/SendAllScenes.h"

#include "support/WindowRig.h"

#include <limits>

namespace tess::test {

void prepareWall(sim::Simulator &sim, int projectors, const QList<int> &unlocked)
{
    for (int unit = 1; unit <= sim.unitCount(); ++unit) {
        sim.unit(unit).settings.wide.totalProjectors = quint8(projectors);
        for (int input = 1; input <= 4; ++input) {
            const int channel = (unit - 1) * 4 + input;
            sim.unit(unit).setInputSignal(input, unlocked.contains(channel) ? sim::InputSignal::none()
                                                                            : sim::InputSignal::lockedAt(1280, 1024));
        }
    }
}

void damage(SettingsModel &model, Damage what)
{
    constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
    for (int unit = 1; unit <= 2; ++unit) {
        OutputRecord &wide = model.output(unit, 1);
        switch (what) {
        case Damage::BasicGammaNaN:
            wide.BasicGamma = NaN;
            break;
        case Damage::AlignmentPastList:
            wide.Justification = 90;
            break;
        case Damage::CountPastList:
            wide.TotalProjectors = 200;
            break;
        case Damage::UnitWideUnknown:
            wide.FeatherCurve = 'X';
            wide.BridgeThreshold = 0;
            break;
        default:
            break;
        }
    }
    for (int k = 1; k <= 8; ++k) {
        OutputRecord &screen = model.projectorOutput(k);
        if (what == Damage::PatternPastList)
            screen.TestPattern = 200;
        if (what == Damage::WidthsBeyondBounds) {
            screen.HaloLeftWidth = screen.HaloRightWidth = 1 << 30;
            screen.GammaLeftWidth = screen.GammaRightWidth = -(1 << 30);
        }
    }
    if (what == Damage::EdgeGammaInfinite)
        model.projectorOutput(3).RightGamma = std::numeric_limits<float>::infinity();
    if (what == Damage::ContrastNaN)
        model.channelInput(2).ContrastC = NaN;
    if (what == Damage::ContrastOutOfBounds) {
        model.channelInput(1).ContrastR = 40.25f;
        model.channelInput(6).BrightnessC = 74.99f;
    }
}

WindowSend windowSendsFile(const sim::Setup &setup, const QString &file)
{
    WindowRig rig(setup);
    rig.showAndConnect();
    rig.h.dialogs.takeMessages();
    rig.h.dialogs.chooseFile(file);
    rig.chooseMenu("OpenConfigurationFile1");
    // Opening says so, and may warn that the planning follows the file.
    rig.h.dialogs.takeMessages();
    rig.sim.log().clear();
    rig.chooseMenu("SendCurrentSettingstoQuorexs1");
    WindowSend sent;
    sent.lines = rig.sim.log().received();
    sent.messages = rig.h.dialogs.takeMessages();
    VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    return sent;
}

}  // namespace tess::test
