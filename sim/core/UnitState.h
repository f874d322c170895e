#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <array>

namespace tess::sim {

// What one Quorex holds. Reals are kept as the unit keeps them: whole
// numbers of tenths (a gamma of 2.2 is 22, a contrast of 100.5 is 1005).

// The video signal on one input: what the unit measures, not a setting.
struct InputSignal {
    bool present = false;
    bool locked = false;
    qint32 hTotal = 0;
    qint32 hActive = 0;
    qint32 vActive = 0;
    qint32 hPositionRef = 0;
    qint32 vPositionRef = 0;
    qint32 hPositionMax = -1;  // sent only in the 'N' input layout
    qint32 vPositionMax = -1;
    quint8 inputSync = 3;    // 0 SOG, 1 COMP, 2 H/V, 3 AUTO
    quint8 termination = 1;  // 0 HI-Z, else 75 Ohm
    quint8 reserved8 = 0;
    quint8 reserved9 = 0;

    // Present and locked at the given active size, with the timing of the
    // nearest common mode.
    static InputSignal lockedAt(int width, int height);
    static InputSignal none() { return {}; }
};

// The settings of one input channel.
struct InputSettings {
    qint32 phase = 0;
    qint32 hPosition = 0;
    qint32 vPosition = 0;
    qint32 contrastC = 1000;
    qint32 brightnessC = 1000;
    qint32 contrastR = 0;
    qint32 brightnessR = 0;
    qint32 contrastG = 0;
    qint32 brightnessG = 0;
    qint32 contrastB = 0;
    qint32 brightnessB = 0;

    // The channel's defaults for the signal it sees.
    static InputSettings defaultsFor(const InputSignal &signal);
    bool operator==(const InputSettings &) const = default;
};

// The output format of one screen: how the unit is built, not a setting.
struct OutputSignal {
    quint8 format = 3;     // 0 640x480, 1 800x600, 2 1024x768, 3 1280x1024
    quint8 frameRate = 1;  // 0 50 Hz, 1 59.94 Hz, 2 75 Hz
    quint8 sync = 0;
};

// The settings of one output screen.
struct ScreenSettings {
    quint8 blackLevel = 0;
    quint8 testPattern = 0;
    quint8 outputRaster = 0;
    quint8 testGrid = 0;
    qint32 leftGamma = 22;
    quint16 leftFeather = 0;
    qint32 rightGamma = 22;
    quint16 rightFeather = 0;
    qint32 haloLeftWidth = 0;
    qint32 haloLeftOffset = 0;
    qint32 haloRightWidth = 0;
    qint32 haloRightOffset = 0;
    qint32 gammaLeftWidth = 0;
    qint32 gammaLeftOffset = 0;
    qint32 gammaRightWidth = 0;
    qint32 gammaRightOffset = 0;
    qint32 seamPrefix = -4;
    std::array<quint8, 8> seamGains{128, 128, 128, 128, 128, 128, 128, 128};
    bool operator==(const ScreenSettings &) const = default;
};

// Settings a unit has once.
struct UnitWideSettings {
    quint8 advancedMode = 0;
    quint8 projectorGroup = 0;
    quint8 totalProjectors = 4;
    quint8 dataDoubling = 1;
    quint8 justification = 0;
    qint32 overlapWidth = 256;
    qint32 basicGamma = 22;
    quint16 basicFeather = 1;
    quint8 seamBridge = 0;
    quint8 featherCurve = 'S';
    quint8 bridgeThreshold = 32;
    bool operator==(const UnitWideSettings &) const = default;
};

// Everything a factory reset restores and a system save keeps.
struct UnitSettings {
    std::array<InputSettings, 4> inputs{};
    std::array<ScreenSettings, 4> screens{};
    UnitWideSettings wide{};
    bool operator==(const UnitSettings &) const = default;
};

}  // namespace tess::sim
