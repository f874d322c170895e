// The input, seam, colour balance and system commands.
#include "device/CommandTable.h"
#include "device/Commands.h"
#include "device/DeviceHost.h"
#include "device/StatusQueries.h"
#include "link/Link.h"
#include "device/Refills.h"
#include "model/SettingsModel.h"
#include "model/WindowState.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

#include <QtGlobal>

namespace tess {
namespace {

// Colour 0 to 3 of the contrast and brightness commands.
constexpr char kColourLetter[] = {'C', 'R', 'G', 'B'};
constexpr float InputRecord::*kContrast[] = {&InputRecord::ContrastC, &InputRecord::ContrastR,
                                             &InputRecord::ContrastG, &InputRecord::ContrastB};
constexpr float InputRecord::*kBrightness[] = {&InputRecord::BrightnessC, &InputRecord::BrightnessR,
                                               &InputRecord::BrightnessG, &InputRecord::BrightnessB};

bool validColour(int colour)
{
    if (colour >= 0 && colour < 4)
        return true;
    qWarning("tess: colour %d is not one of 0 to 3; nothing stored or sent", colour);
    return false;
}

const QString kColourBalanceRunning = QStringLiteral("Automatic Color Balance in progress. Please wait....");
const QString kNoInput =
    QStringLiteral("Error! Quorex detect no input on input channel 1. Auto Color Balance aborted.");

}  // namespace

void Commands::ICPHOQX(int unit, int screen, int phase)
{
    model_.input(unit, screen).Phase = phase;
    send(command::ICPHOQX, address(unit), " %d M %d", screen, phase);
}

void Commands::IRSPQX_H(int unit, int screen, int position)
{
    model_.input(unit, screen).HPosition = position;
    send(command::IRSPQX, address(unit), " %d M H %d", screen, position);
}

void Commands::IRSPQX_V(int unit, int screen, int position)
{
    model_.input(unit, screen).VPosition = position;
    send(command::IRSPQX, address(unit), " %d M V %d", screen, position);
}

void Commands::ICNTQX(int unit, int screen, int colour, float value)
{
    if (!validColour(colour))
        return;
    model_.input(unit, screen).*kContrast[colour] = value;
    send(command::ICNTQX, address(unit), " %d %c %4.1f", screen, kColourLetter[colour], double(value));
}

void Commands::IBRTQX(int unit, int screen, int colour, float value)
{
    if (!validColour(colour))
        return;
    model_.input(unit, screen).*kBrightness[colour] = value;
    send(command::IBRTQX, address(unit), " %d %c %4.1f", screen, kColourLetter[colour], double(value));
}

void Commands::ICSAVQX(int unit, int screen)
{
    send(command::ICSAVQX, address(unit), " %d", screen);
}

void Commands::ICRSTQX(int unit, int screen)
{
    if (send(command::ICRSTQX, address(unit), " %d", screen) == Route::None)
        return;
    for (int s = 1; s <= SettingsModel::ScreensPerUnit; ++s)
        queries_.QueryInputInfo(unit, s);
    const SuppressSendScope quiet(state_);
    refills_.run(Refill::SourceSetup);
}

void Commands::MANSEAM(int unit, int screen, int prefix, const std::array<int, 8> &gains)
{
    OutputRecord &record = model_.output(unit, screen);
    record.SeamPrefix = prefix;
    for (std::size_t i = 0; i < gains.size(); ++i)
        record.*SeamGainFields[i] = std::uint8_t(gains[i]);
    send(command::MANSEAM, address(unit), " %d %d %d %d %d %d %d %d %d %d", screen, prefix, gains[0], gains[1],
         gains[2], gains[3], gains[4], gains[5], gains[6], gains[7]);
}

void Commands::BRDGSEAM(int unit, int /*screen*/, int on)
{
    model_.output(unit, 1).SeamBridge = std::uint8_t(on);
    send(command::BRDGSEAM, address(unit), " %d", on);
}

void Commands::AUTOSEAM(int unit, int screen)
{
    switch (send(command::AUTOSEAM, address(unit), " %d", screen)) {
    case Route::Relayed:
        link_.clock().processPendingEvents();
        if (!queries_.QueryOutputInfo(unit, screen))
            queries_.QueryOutputInfo(unit, screen);
        break;
    case Route::Direct:
        queries_.QueryOutputInfo(unit, screen);
        break;
    case Route::None:
        break;
    }
    const SuppressSendScope quiet(state_);
    refills_.run(Refill::SeamRemoval);
}

void Commands::BRTHRS(int unit, int threshold)
{
    model_.output(unit, 1).BridgeThreshold = std::uint8_t(threshold);
    send(command::BRTHRS, address(unit), " %d", threshold);
}

void Commands::RGBADJ(int unit)
{
    const int id = address(unit);
    const auto readInputs = [&] {
        for (int screen = 1; screen <= SettingsModel::ScreensPerUnit; ++screen)
            queries_.QueryInputInfo(unit, screen);
    };

    readInputs();
    {
        const SuppressSendScope quiet(state_);
        refills_.run(Refill::SourceSetup);
    }
    if (model_.input(unit, 1).VideoLoaded == 0) {
        link_.dialogs().showMessage(kNoInput);
        return;
    }

    host_.setBusyCursor(true);
    switch (route(command::RGBADJ)) {
    case Route::Relayed: {
        host_.setStatusText(kColourBalanceRunning);
        const int pauses = model_.output(unit, 1).TotalProjectors * command::RGBADJPausePerProjector;
        link_.formatCommand("*%dRGBADJ!", id);
        // The empty command is answered only once the unit is free again;
        // until then the controller reports that the unit does not respond
        // and the link asks again every 5 s without a message.
        if (relay(id, command::RGBADJ.pauseCount)) {
            link_.ColorBalanceInProgress = true;
            link_.formatCommand("*%d !", id);
            relay(id, pauses);
            link_.clock().processPendingEvents();
            link_.ColorBalanceInProgress = false;
        }
        break;
    }
    case Route::Direct:
        link_.formatCommand("RGBADJ\r\r");
        host_.setStatusText(kColourBalanceRunning);
        sendDirect(command::RGBADJ.promptWaitTicks);
        break;
    case Route::None:
        break;
    }

    host_.setStatusText(QString());
    readInputs();
    host_.setBusyCursor(false);
    const SuppressSendScope quiet(state_);
    refills_.run(Refill::ColourBalance);
}

void Commands::SYSAVE(int unit)
{
    send(command::SYSAVE, address(unit), "%s", "");
}

void Commands::RESETQX(int unit, char letter)
{
    // The one command addressed by the unit number rather than the ID.
    send(command::RESETQX, unit, " %c", letter);
}

}  // namespace tess
