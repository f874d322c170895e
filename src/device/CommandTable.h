#pragma once

// One description per command keyword: how its two text forms are sent.
//
// Every command has a controller form, "*" + RS-485 ID + keyword + arguments
// + "!", which the link frames as "PASS ... checksum \r\r", and a direct
// form, keyword + arguments + "\r". The arguments (each preceded by one
// space) are the same in both forms, so a description needs only the
// keyword; the senders (Commands) format the arguments and store the values
// in the settings model.

#include "model/SettingsModel.h"

#include <type_traits>

namespace tess::command {

enum class DirectSend {
    // Written without waiting for the unit's prompt: values that follow a
    // spin button or an edit field.
    WriteToPort,
    // Written, then the unit's prompt awaited (with recovery).
    SendDirect,
};

struct Description {
    const char *keyword;
    // 1 ms pauses with event processing after the controller's good answer.
    int pauseCount;
    DirectSend direct;
    // Prompt wait of the direct send in 55 ms ticks; 0 = the standing wait.
    int promptWaitTicks;
    // Relayed through the controller even while DeviceConnected is clear
    // (as long as the port is open).
    bool relayedWhenNotConnected;
};

using enum DirectSend;

// Display
inline constexpr Description BLKGN{"BLKGN", 0, WriteToPort, 0, false};
inline constexpr Description OTPMQX{"OTPMQX", 0, SendDirect, 0, false};
inline constexpr Description HALO{"HALO", 0, WriteToPort, 0, false};
// The pause depends on the mode: 1550 advanced, 350 basic.
inline constexpr Description QXCTRL{"QXCTRL", 1550, SendDirect, 630, false};
inline constexpr int QXCTRLBasicPauseCount = 350;
inline constexpr Description DDBL{"DDBL", 0, SendDirect, 0, false};
inline constexpr Description DISP{"DISP", 500, SendDirect, 0, false};
inline constexpr Description EFTB{"EFTB", 6, SendDirect, 0, false};
inline constexpr Description PEFT{"PEFT", 50, SendDirect, 0, false};
inline constexpr Description FEATHER{"FEATHER", 500, SendDirect, 0, false};
inline constexpr Description PRJ{"PRJ", 160, SendDirect, 180, true};

// Input
inline constexpr Description ICPHOQX{"ICPHOQX", 0, WriteToPort, 0, false};
inline constexpr Description IRSPQX{"IRSPQX", 0, WriteToPort, 0, false};
inline constexpr Description ICNTQX{"ICNTQX", 0, WriteToPort, 0, false};
inline constexpr Description IBRTQX{"IBRTQX", 0, WriteToPort, 0, false};
inline constexpr Description ICSAVQX{"ICSAVQX", 200, SendDirect, 0, false};
inline constexpr Description ICRSTQX{"ICRSTQX", 200, SendDirect, 0, true};

// Seams
inline constexpr Description MANSEAM{"MANSEAM", 0, SendDirect, 0, true};
inline constexpr Description BRDGSEAM{"BRDGSEAM", 20, SendDirect, 120, false};
inline constexpr Description AUTOSEAM{"AUTOSEAM", 100, SendDirect, 120, false};
inline constexpr Description BRTHRS{"BRTHRS", 100, SendDirect, 0, true};

// Automatic colour balance: the keyword, then (through the controller) an
// empty command whose answer comes when the unit is free again, after
// TotalProjectors x 5300 pauses; directly, a prompt wait of 37810 ticks.
inline constexpr Description RGBADJ{"RGBADJ", 0, SendDirect, 37810, false};
inline constexpr int RGBADJPausePerProjector = 5300;

// A screen's own value: a command that carries one whole number for one
// screen, " <screen> <value>", and the member of the screen's output record
// that keeps it. One sender serves them all (Commands::sendScreenValue);
// each screen group of the Display Setup page has a field for every row of
// its field table that names one, and a send of everything sends them all,
// value by value, screen by screen, after the test patterns.
struct ScreenValue {
    Description what;
    const char *name;  // how a send of everything names it: "black level"
    int (*read)(const OutputRecord &record);
    void (*write)(OutputRecord &record, int value);
};

// The ScreenValue of output record member `Member`.
template <auto Member>
constexpr ScreenValue screenValue(const Description &what, const char *name)
{
    using Stored = std::remove_cvref_t<decltype(std::declval<OutputRecord &>().*Member)>;
    static_assert(std::is_integral_v<Stored>, "a screen value is a whole number");
    return {what, name, [](const OutputRecord &record) { return int(record.*Member); },
            [](OutputRecord &record, int value) { record.*Member = Stored(value); }};
}

inline constexpr ScreenValue BlackLevel = screenValue<&OutputRecord::BlackLevel>(BLKGN, "black level");

// Every screen value, in the order a send of everything sends them.
inline constexpr const ScreenValue *ScreenValues[] = {&BlackLevel};

// System
inline constexpr Description SYSAVE{"SYSAVE", 1000, SendDirect, 0, false};
// Addressed by the unit number itself, not the RS-485 ID.
inline constexpr Description RESETQX{"RESETQX", 7000, SendDirect, 810, false};

}  // namespace tess::command
