// The shared sender pattern and the display commands.
#include "device/Commands.h"

#include "device/CommandTable.h"
#include "device/DeviceHost.h"
#include "device/StatusQueries.h"
#include "link/Link.h"
#include "device/Refills.h"
#include "model/SettingsModel.h"
#include "model/WindowState.h"
#include "platform/Clock.h"

#include <cstdarg>
#include <cstdio>

namespace tess {

Commands::Commands(Link &link, SettingsModel &model, WindowState &state, DeviceHost &host, StatusQueries &queries,
                   const Refills &refills)
    : link_(link), model_(model), state_(state), host_(host), queries_(queries), refills_(refills)
{
}

int Commands::address(int unit) const
{
    return unit == 1 || unit == 2 ? host_.unitIds.id(unit) : unit;
}

Commands::Route Commands::route(const command::Description &what) const
{
    if (link_.ControllerMode)
        return link_.DeviceConnected || what.relayedWhenNotConnected ? Route::Relayed : Route::None;
    return link_.DeviceConnected ? Route::Direct : Route::None;
}

bool Commands::relay(int address, int pauseCount)
{
    link_.ComputeChecksum();
    return link_.SendRelayed(address, pauseCount);
}

void Commands::sendDirect(int promptWaitTicks)
{
    if (promptWaitTicks > 0)
        link_.PromptWaitTicks = promptWaitTicks;
    link_.SendDirect();
    link_.PromptWaitTicks = Link::DefaultPromptWaitTicks;
}

Commands::Route Commands::send(const command::Description &what, int address, const char *arguments, ...)
{
    const Route way = route(what);
    if (way == Route::None)
        return way;

    char text[Link::BufferSize];
    va_list args;
    va_start(args, arguments);
    std::vsnprintf(text, sizeof text, arguments, args);
    va_end(args);

    if (way == Route::Relayed) {
        link_.formatCommand("*%d%s%s!", address, what.keyword, text);
        relay(address, what.pauseCount);
    } else {
        link_.formatCommand("%s%s\r", what.keyword, text);
        if (what.direct == command::WriteToPort)
            link_.WriteToPort(link_.command());
        else
            sendDirect(what.promptWaitTicks);
    }
    return way;
}

void Commands::sendScreenValue(const command::ScreenValue &which, int unit, int screen, int value)
{
    which.write(model_.output(unit, screen), value);
    send(which.what, address(unit), " %d %d", screen, value);
}

void Commands::BLKGN(int unit, int screen, int level)
{
    sendScreenValue(command::BlackLevel, unit, screen, level);
}

void Commands::OTPMQX(int unit, int screen, int pattern, int raster, int grid)
{
    const bool allScreens = screen == 5;
    for (int s = allScreens ? 1 : screen; s <= (allScreens ? 4 : screen); ++s) {
        OutputRecord &record = model_.output(unit, s);
        record.TestPattern = std::uint8_t(pattern);
        record.OutputRaster = std::uint8_t(raster);
        record.TestGrid = std::uint8_t(grid);
    }
    send(command::OTPMQX, address(unit), " %d %d %d %d", screen, pattern, raster, grid);
}

void Commands::HALO(int unit, int screen, int side, int width, int offset)
{
    const bool left = side == 0;
    if (unit == 1 || unit == 2) {
        OutputRecord &record = model_.output(unit, screen);
        (left ? record.HaloLeftWidth : record.HaloRightWidth) = width;
        (left ? record.HaloLeftOffset : record.HaloRightOffset) = offset;
    }
    send(command::HALO, address(unit), " %d %c %d %d", screen, left ? 'L' : 'R', width, offset);
}

void Commands::QXCTRL(int unit, int mode, bool readBack)
{
    host_.setBusyCursor(true);
    model_.output(unit, 1).AdvancedMode = std::uint8_t(mode);

    const Route way = route(command::QXCTRL);
    if (way == Route::Relayed) {
        // Through the controller only the two modes it knows go out.
        if (mode == 0 || mode == 1) {
            command::Description what = command::QXCTRL;
            if (mode == 0)
                what.pauseCount = command::QXCTRLBasicPauseCount;
            send(what, address(unit), " %d", mode);
            link_.clock().processPendingEvents();
        }
    } else {
        send(command::QXCTRL, address(unit), " %d", mode);
    }

    // The unit recomputes its screens: read them back.
    if (readBack)
        readScreensBack(unit);
    host_.setBusyCursor(false);
}

void Commands::readScreensBack(int unit)
{
    host_.setBusyCursor(true);
    for (int screen = 1; screen <= SettingsModel::ScreensPerUnit; ++screen)
        queries_.QueryOutputInfo(unit, screen);
    {
        const SuppressSendScope quiet(state_);
        refills_.run(Refill::DisplaySetup);
    }
    host_.setBusyCursor(false);
}

void Commands::DDBL(int unit, int on)
{
    model_.output(unit, 1).DataDoubling = std::uint8_t(on);
    send(command::DDBL, address(unit), " %d", on);
}

void Commands::DISP(int unit, int justification, int overlapWidth)
{
    OutputRecord &record = model_.output(unit, 1);
    record.Justification = std::uint8_t(justification);
    record.OverlapWidth = overlapWidth;
    send(command::DISP, address(unit), " %d %d", justification, overlapWidth);
}

void Commands::EFTB(int unit, int on, float gamma)
{
    OutputRecord &record = model_.output(unit, 1);
    record.BasicFeather = std::int16_t(on);
    record.BasicGamma = gamma;
    send(command::EFTB, address(unit), " %d %4.1f", on, double(gamma));
}

void Commands::PEFT(int unit, int screen, char side, int on, float gamma, int width, int offset)
{
    // The advanced feathering fields of the model change only by status
    // reads and files.
    send(command::PEFT, address(unit), " %d %c %d %4.1f %d %d", screen, side, on, double(gamma), width, offset);
}

void Commands::FEATHER(int unit, bool linear)
{
    const char letter = linear ? 'L' : 'S';
    model_.output(unit, 1).FeatherCurve = std::uint8_t(letter);
    send(command::FEATHER, address(unit), " %c", letter);
}

void Commands::PRJ(int unit, int totalProjectors)
{
    // Unit 1 drives projectors 1-4 (group 0), unit 2 projectors 5-8 (group 1).
    const int group = unit == 2 ? 1 : 0;
    OutputRecord &record = model_.output(unit, 1);
    record.TotalProjectors = std::uint8_t(totalProjectors);
    record.ProjectorGroup = std::uint8_t(group);
    send(command::PRJ, address(unit), " %d %d", group, totalProjectors);
}

}  // namespace tess
