#pragma once

// The program's memory of what each Quorex unit holds. The records below are
// laid out byte for byte as the configuration file stores them: every offset
// and width is part of that file format, so each one is checked at compile
// time. Bytes named Pad... are padding; nothing but loading a configuration
// file writes them, and they are saved as held.

#include <QString>

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <type_traits>

namespace tess {

// The file holds the records' memory image, and the file is little-endian with
// IEEE-754 single-precision reals. Every Linux host the program targets
// (x86-64, AArch64, RISC-V) is little-endian; a big-endian port would need the
// records swapped field by field on the way to and from the file.
static_assert(std::endian::native == std::endian::little,
              "Tessaline stores its settings records as their memory image, which must be little-endian");
static_assert(std::numeric_limits<float>::is_iec559 && sizeof(float) == 4,
              "settings records need IEEE-754 single-precision floats");

// One input channel of a unit (84 bytes).
struct InputRecord {
    std::uint8_t VideoLoaded{};  // 1 = video present
    std::uint8_t VideoLocked{};  // 1 = the unit is locked to the video
    std::uint8_t Pad2[2]{};
    std::int32_t Phase{};  // sampling phase offset
    std::uint8_t Reserved8{};
    std::uint8_t Reserved9{};
    std::uint8_t Pad10[2]{};
    std::int32_t HTotal{};
    std::int32_t HPositionRef{};  // H position may move +-128 around this
    std::int32_t HPosition{};
    std::int32_t VPositionRef{};  // V position may move +-16 around this
    std::int32_t VPosition{};
    std::int32_t HActive{};
    std::int32_t VActive{};
    std::uint8_t InputSync{};    // 0 SOG, 1 COMP, 2 H/V, 3 AUTO
    std::uint8_t Termination{};  // 0 HI-Z, else 75 Ohm
    std::uint8_t Pad42[2]{};
    float ContrastC{};  // percent
    float BrightnessC{};
    float ContrastR{};
    float BrightnessR{};
    float ContrastG{};
    float BrightnessG{};
    float ContrastB{};
    float BrightnessB{};
    std::int32_t HPositionMax{};  // -1 = not reported
    std::int32_t VPositionMax{};  // -1 = not reported
};

// One output screen of a unit (88 bytes). Fields marked unit-wide are held in
// record 1 of the unit; records 2 to 4 carry them only as reported.
struct OutputRecord {
    std::uint8_t OutputFormat{};  // 0 640x480, 1 800x600, 2 1024x768, 3 1280x1024
    std::uint8_t FrameRate{};     // 0 50 Hz, 1 59.94 Hz, 2 75 Hz
    std::uint8_t OutputSync{};
    std::uint8_t AdvancedMode{};     // unit-wide: 0 basic, 1 advanced feathering
    std::uint8_t ProjectorGroup{};   // unit-wide: 0 projectors 1-4, 1 projectors 5-8
    std::uint8_t TotalProjectors{};  // unit-wide
    std::uint8_t DataDoubling{};     // unit-wide
    std::uint8_t Justification{};    // unit-wide: 0 left, 1 centered
    std::int32_t OverlapWidth{};     // unit-wide, pixels
    float BasicGamma{};              // unit-wide
    std::int16_t BasicFeather{};     // unit-wide
    std::uint8_t Pad18[2]{};
    float LeftGamma{};
    std::int16_t LeftFeather{};
    std::uint8_t Pad26[2]{};
    float RightGamma{};
    std::int16_t RightFeather{};
    std::uint8_t Pad34[2]{};
    std::int32_t HaloLeftWidth{};
    std::int32_t HaloLeftOffset{};
    std::int32_t HaloRightWidth{};
    std::int32_t HaloRightOffset{};
    std::int32_t GammaLeftWidth{};
    std::int32_t GammaLeftOffset{};
    std::int32_t GammaRightWidth{};
    std::int32_t GammaRightOffset{};
    std::uint8_t BlackLevel{};   // 0 to 255
    std::uint8_t TestPattern{};  // 0 to 10
    std::uint8_t OutputRaster{};
    std::uint8_t TestGrid{};
    std::int32_t SeamPrefix{};  // sent ahead of the eight seam gains
    std::uint8_t SeamGain1{};   // "Gain -4"
    std::uint8_t SeamGain2{};
    std::uint8_t SeamGain3{};
    std::uint8_t SeamGain4{};  // "Gain -1"
    std::uint8_t SeamGain5{};  // "Gain +1"
    std::uint8_t SeamGain6{};
    std::uint8_t SeamGain7{};
    std::uint8_t SeamGain8{};        // "Gain +4"
    std::uint8_t SeamBridge{};       // unit-wide
    std::uint8_t FeatherCurve{};     // unit-wide: 'S' or 'L'
    std::uint8_t BridgeThreshold{};  // unit-wide, 0 to 255
    std::uint8_t Pad87{};
};

// SeamGain1 to SeamGain8 in order, for code that walks the eight gains:
// record.*SeamGainFields[i] is SeamGain(i + 1).
inline constexpr std::array<std::uint8_t OutputRecord::*, 8> SeamGainFields = {
    &OutputRecord::SeamGain1, &OutputRecord::SeamGain2, &OutputRecord::SeamGain3, &OutputRecord::SeamGain4,
    &OutputRecord::SeamGain5, &OutputRecord::SeamGain6, &OutputRecord::SeamGain7, &OutputRecord::SeamGain8,
};

// Record 0 of a block is never used by the program; records 1 to 4 are the
// unit's input channels or screens 1 to 4.
struct UnitInputBlock {
    InputRecord Records[5];
};

struct UnitOutputBlock {
    OutputRecord Records[5];
};

// Eight bytes of text: the SYINFOQX payload with the eighth byte zeroed.
using FirmwareVersionBytes = std::array<char, 8>;

// Unit and screen (both 1-based) of a projector or input channel 1 to 8.
struct UnitScreen {
    int unit;
    int screen;
    bool operator==(const UnitScreen &) const = default;
};

// Projectors and input channels 1 to 4 are unit 1, screens 1 to 4; 5 to 8 are
// unit 2, screens 1 to 4. Anything else has no unit.
constexpr std::optional<UnitScreen> unitScreenOf(int projectorOrChannel)
{
    if (projectorOrChannel < 1 || projectorOrChannel > 8)
        return std::nullopt;
    return UnitScreen{(projectorOrChannel - 1) / 4 + 1, (projectorOrChannel - 1) % 4 + 1};
}

// The settings of both units. Every byte is zero when constructed.
//
// Accessors take 1-based numbers. A unit other than 1 or 2, a record other
// than 1 to 4, or a projector or channel other than 1 to 8 is a caller's
// mistake: it is reported with a warning and answered with a detached record
// that reads as zero and whose changes go nowhere, so the model itself is
// never touched and nothing outside it is either.
class SettingsModel {
public:
    static constexpr int UnitCountMax = 2;
    static constexpr int ScreensPerUnit = 4;

    InputRecord &input(int unit, int record);
    const InputRecord &input(int unit, int record) const;
    OutputRecord &output(int unit, int record);
    const OutputRecord &output(int unit, int record) const;

    // Display Setup projectors 1 to 8.
    OutputRecord &projectorOutput(int projector);
    const OutputRecord &projectorOutput(int projector) const;
    // Source Setup / Seam Removal input channels 1 to 8.
    InputRecord &channelInput(int channel);
    const InputRecord &channelInput(int channel) const;
    OutputRecord &channelOutput(int channel);
    const OutputRecord &channelOutput(int channel) const;

    // Whole blocks, record 0 and padding included, as the configuration file
    // holds them.
    UnitInputBlock &inputBlock(int unit);
    const UnitInputBlock &inputBlock(int unit) const;
    UnitOutputBlock &outputBlock(int unit);
    const UnitOutputBlock &outputBlock(int unit) const;

    // True exactly when VideoLocked of that input is 1.
    bool IsChannelLocked(int unit, int screen) const;

    // Unit 1's first input's active size when the unit reported one (not 0),
    // else the output format's size, which the caller holds.
    int EffectiveInputWidth(int outputFormatWidth) const;
    int EffectiveInputHeight(int outputFormatHeight) const;

    // Stores an 8-byte SYINFOQX payload; the eighth byte is zeroed.
    void setFirmwareVersion(int unit, const FirmwareVersionBytes &payload);
    const FirmwareVersionBytes &firmwareVersion(int unit) const;
    // The version as shown: the text from the third byte on, up to its
    // terminating zero, at most five characters.
    QString versionText(int unit) const;

private:
    struct Unit {
        UnitInputBlock InputBlock{};
        UnitOutputBlock OutputBlock{};
        FirmwareVersionBytes FirmwareVersion{};
    };

    Unit *unitAt(int unit);
    const Unit *unitAt(int unit) const;
    InputRecord &inputSink();
    OutputRecord &outputSink();

    std::array<Unit, UnitCountMax> units_{};
    // What out-of-range accessors hand out; cleared on every such call.
    Unit sink_{};
};

// The layout is the file format: check every field's place and every size.
static_assert(std::is_standard_layout_v<InputRecord> && std::is_trivially_copyable_v<InputRecord>);
static_assert(std::is_standard_layout_v<OutputRecord> && std::is_trivially_copyable_v<OutputRecord>);
static_assert(std::is_trivially_copyable_v<UnitInputBlock> && std::is_trivially_copyable_v<UnitOutputBlock>);

static_assert(offsetof(InputRecord, VideoLoaded) == 0);
static_assert(offsetof(InputRecord, VideoLocked) == 1);
static_assert(offsetof(InputRecord, Pad2) == 2);
static_assert(offsetof(InputRecord, Phase) == 4);
static_assert(offsetof(InputRecord, Reserved8) == 8);
static_assert(offsetof(InputRecord, Reserved9) == 9);
static_assert(offsetof(InputRecord, Pad10) == 10);
static_assert(offsetof(InputRecord, HTotal) == 12);
static_assert(offsetof(InputRecord, HPositionRef) == 16);
static_assert(offsetof(InputRecord, HPosition) == 20);
static_assert(offsetof(InputRecord, VPositionRef) == 24);
static_assert(offsetof(InputRecord, VPosition) == 28);
static_assert(offsetof(InputRecord, HActive) == 32);
static_assert(offsetof(InputRecord, VActive) == 36);
static_assert(offsetof(InputRecord, InputSync) == 40);
static_assert(offsetof(InputRecord, Termination) == 41);
static_assert(offsetof(InputRecord, Pad42) == 42);
static_assert(offsetof(InputRecord, ContrastC) == 44);
static_assert(offsetof(InputRecord, BrightnessC) == 48);
static_assert(offsetof(InputRecord, ContrastR) == 52);
static_assert(offsetof(InputRecord, BrightnessR) == 56);
static_assert(offsetof(InputRecord, ContrastG) == 60);
static_assert(offsetof(InputRecord, BrightnessG) == 64);
static_assert(offsetof(InputRecord, ContrastB) == 68);
static_assert(offsetof(InputRecord, BrightnessB) == 72);
static_assert(offsetof(InputRecord, HPositionMax) == 76);
static_assert(offsetof(InputRecord, VPositionMax) == 80);
static_assert(sizeof(InputRecord) == 84);

static_assert(offsetof(OutputRecord, OutputFormat) == 0);
static_assert(offsetof(OutputRecord, FrameRate) == 1);
static_assert(offsetof(OutputRecord, OutputSync) == 2);
static_assert(offsetof(OutputRecord, AdvancedMode) == 3);
static_assert(offsetof(OutputRecord, ProjectorGroup) == 4);
static_assert(offsetof(OutputRecord, TotalProjectors) == 5);
static_assert(offsetof(OutputRecord, DataDoubling) == 6);
static_assert(offsetof(OutputRecord, Justification) == 7);
static_assert(offsetof(OutputRecord, OverlapWidth) == 8);
static_assert(offsetof(OutputRecord, BasicGamma) == 12);
static_assert(offsetof(OutputRecord, BasicFeather) == 16);
static_assert(offsetof(OutputRecord, Pad18) == 18);
static_assert(offsetof(OutputRecord, LeftGamma) == 20);
static_assert(offsetof(OutputRecord, LeftFeather) == 24);
static_assert(offsetof(OutputRecord, Pad26) == 26);
static_assert(offsetof(OutputRecord, RightGamma) == 28);
static_assert(offsetof(OutputRecord, RightFeather) == 32);
static_assert(offsetof(OutputRecord, Pad34) == 34);
static_assert(offsetof(OutputRecord, HaloLeftWidth) == 36);
static_assert(offsetof(OutputRecord, HaloLeftOffset) == 40);
static_assert(offsetof(OutputRecord, HaloRightWidth) == 44);
static_assert(offsetof(OutputRecord, HaloRightOffset) == 48);
static_assert(offsetof(OutputRecord, GammaLeftWidth) == 52);
static_assert(offsetof(OutputRecord, GammaLeftOffset) == 56);
static_assert(offsetof(OutputRecord, GammaRightWidth) == 60);
static_assert(offsetof(OutputRecord, GammaRightOffset) == 64);
static_assert(offsetof(OutputRecord, BlackLevel) == 68);
static_assert(offsetof(OutputRecord, TestPattern) == 69);
static_assert(offsetof(OutputRecord, OutputRaster) == 70);
static_assert(offsetof(OutputRecord, TestGrid) == 71);
static_assert(offsetof(OutputRecord, SeamPrefix) == 72);
static_assert(offsetof(OutputRecord, SeamGain1) == 76);
static_assert(offsetof(OutputRecord, SeamGain2) == 77);
static_assert(offsetof(OutputRecord, SeamGain3) == 78);
static_assert(offsetof(OutputRecord, SeamGain4) == 79);
static_assert(offsetof(OutputRecord, SeamGain5) == 80);
static_assert(offsetof(OutputRecord, SeamGain6) == 81);
static_assert(offsetof(OutputRecord, SeamGain7) == 82);
static_assert(offsetof(OutputRecord, SeamGain8) == 83);
static_assert(offsetof(OutputRecord, SeamBridge) == 84);
static_assert(offsetof(OutputRecord, FeatherCurve) == 85);
static_assert(offsetof(OutputRecord, BridgeThreshold) == 86);
static_assert(offsetof(OutputRecord, Pad87) == 87);
static_assert(sizeof(OutputRecord) == 88);

static_assert(sizeof(UnitInputBlock) == 420);
static_assert(sizeof(UnitOutputBlock) == 440);
static_assert(sizeof(FirmwareVersionBytes) == 8);

}  // namespace tess
