#pragma once

#include <array>

namespace tess {

class DeviceHost;
class Link;
class Refills;
class SettingsModel;
class StatusQueries;
struct WindowState;
namespace command {
struct Description;
struct ScreenValue;
}  // namespace command

// One sender per command keyword, and one for all screen values. Each stores
// the caller's values in the settings model first (so the model holds the
// user's last value, sent or not), then sends the command in the form the connection mode needs:
// through the controller while RS485CheckBox is ticked, directly otherwise,
// and only while DeviceConnected is set unless the keyword says otherwise.
// The caller has validated the values. Units are 1 or 2, screens 1 to 4.
// Every sender leaves PromptWaitTicks at 80 and ColorBalanceInProgress clear.
class Commands {
public:
    // `refills` brings the window in line after a command that reads the
    // units back; `state` holds SuppressSend, set around those refills.
    Commands(Link &link, SettingsModel &model, WindowState &state, DeviceHost &host, StatusQueries &queries,
             const Refills &refills);

    // Display
    // A screen's own value, one of command::ScreenValues; BLKGN is one.
    void sendScreenValue(const command::ScreenValue &which, int unit, int screen, int value);
    void BLKGN(int unit, int screen, int level);
    // Screen 5 means all four screens of the unit.
    void OTPMQX(int unit, int screen, int pattern, int raster, int grid);
    // side 0 is the left edge, anything else the right.
    void HALO(int unit, int screen, int side, int width, int offset);
    // mode 1 advanced, 0 basic. Reads the four screens back and refills the
    // Display Setup page, also when nothing was sent; with `readBack` false
    // it only stores and sends the mode (the caller reads back later).
    void QXCTRL(int unit, int mode, bool readBack = true);
    // Reads the unit's four screens back into the model (failures ignored)
    // and refills the Display Setup page from it.
    void readScreensBack(int unit);
    void DDBL(int unit, int on);
    void DISP(int unit, int justification, int overlapWidth);
    void EFTB(int unit, int on, float gamma);
    // side 'L' or 'R'. Stores nothing.
    void PEFT(int unit, int screen, char side, int on, float gamma, int width, int offset);
    void FEATHER(int unit, bool linear);
    void PRJ(int unit, int totalProjectors);

    // Input
    void ICPHOQX(int unit, int screen, int phase);
    void IRSPQX_H(int unit, int screen, int position);
    void IRSPQX_V(int unit, int screen, int position);
    // colour 0 C, 1 R, 2 G, 3 B.
    void ICNTQX(int unit, int screen, int colour, float value);
    void IBRTQX(int unit, int screen, int colour, float value);
    void ICSAVQX(int unit, int screen);
    // Reads the four channels back and refills the Source Setup page.
    void ICRSTQX(int unit, int screen);

    // Seams
    void MANSEAM(int unit, int screen, int prefix, const std::array<int, 8> &gains);
    // The screen is not part of the command; the bridge is unit-wide.
    void BRDGSEAM(int unit, int screen, int on);
    // Reads the screen back and refills the Seam Removal page.
    void AUTOSEAM(int unit, int screen);
    void BRTHRS(int unit, int threshold);

    // Automatic colour balance of one unit; runs for minutes.
    void RGBADJ(int unit);

    // System
    void SYSAVE(int unit);
    // letter 'F' for the factory reset.
    void RESETQX(int unit, char letter);

private:
    enum class Route { None, Relayed, Direct };

    // The RS-485 ID of unit 1 or 2; any other unit value is used unchanged.
    int address(int unit) const;
    // Formats and sends one command as `what` describes; `arguments` is a
    // printf format for the text between the keyword and the end.
    Route send(const command::Description &what, int address, const char *arguments, ...)
        __attribute__((format(printf, 4, 5)));
    Route route(const command::Description &what) const;
    bool relay(int address, int pauseCount);
    void sendDirect(int promptWaitTicks);

    Link &link_;
    SettingsModel &model_;
    WindowState &state_;
    DeviceHost &host_;
    StatusQueries &queries_;
    const Refills &refills_;
};

}  // namespace tess
