#pragma once

#include "core/UnitState.h"

#include <QByteArray>
#include <QHash>
#include <array>

namespace tess::sim {

// One Quorex: its settings, what it has saved, its inputs' video and the
// reply layouts of its firmware. It answers one command line at a time.
class Unit {
public:
    // `position` 0 is the unit that drives projectors 1-4, 1 the one that
    // drives projectors 5-8; `unitsInWall` sets the projector total.
    explicit Unit(int position = 0, int unitsInWall = 1);

    struct Answer {
        QByteArray body;      // text or record; empty for a plain acknowledgement
        bool known = true;    // false: not a command of this unit
        bool record = false;  // the body is a status record
        int busyMs = 0;       // the unit works this long before it answers again
    };
    // One command line in the direct form, without its carriage return.
    Answer handle(const QByteArray &line);

    static constexpr const char *InvalidCommand = "Invalid command";
    static constexpr const char *InvalidParameter = "Invalid parameter";

    // Settings, what the last save stored, and the factory defaults.
    UnitSettings settings;
    UnitSettings saved;
    UnitSettings factoryDefaults() const;
    // Power cycle: the saved settings come back.
    void reboot() { settings = saved; }

    std::array<InputSignal, 4> inputs{};
    std::array<OutputSignal, 4> outputs{};
    // Changes an input's video; a channel that gains video starts at the
    // reference positions of the new signal.
    void setInputSignal(int input, const InputSignal &signal);

    QByteArray version = "2.40";
    char inputLayout = 'N';
    char outputLayout = 'B';

    // How long a command keeps the unit busy (ms), by keyword; RGBADJ by
    // default. Zero for every keyword not listed.
    QHash<QByteArray, int> processingMs{{"RGBADJ", 20000}};
    // The time until which the unit is busy (set by whoever drives it).
    qint64 busyUntil = 0;
    bool responding = true;  // false: it hears nothing and says nothing
    bool present = true;     // false: not connected to the controller at all

    QByteArray systemRecord() const;
    QByteArray inputRecord(int input) const;    // 1..4
    QByteArray outputRecord(int screen) const;  // 1..4

    // The colour correction that an automatic balance finds (tenths).
    static constexpr std::array<qint32, 6> BalancedRgb{25, -10, -15, 5, 5, 15};
    // The seam gains that an automatic seam gain finds on screen s:
    // 128 + s * step, for these steps from "Gain -4" to "Gain +4".
    static constexpr std::array<int, 8> SeamSteps{-6, -4, -2, -1, 1, 2, 4, 6};

private:
    int position_;
    int unitsInWall_;
};

}  // namespace tess::sim
