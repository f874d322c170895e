#pragma once

#include "model/RecordTypes.h"

// Where each field of a status record's payload lies. The payload follows
// byte 1 and the type byte; values are big-endian, reals travel as signed
// 32-bit tenths. The type byte states how much of a layout a record
// carries, so the older layouts are the newer ones cut short.

namespace tess::statusrecord {

struct Field {
    int offset;
    int width;  // bytes
    constexpr int end() const { return offset + width; }
};

// True when every field starts where the one before ends.
template <typename... Fields>
constexpr bool contiguous(Field first, Fields... rest)
{
    int end = first.end();
    bool ok = true;
    ((ok = ok && rest.offset == end, end = rest.end()), ...);
    return ok;
}

// The input record, types 'F' and 'N'.
namespace input {
inline constexpr Field VideoLoaded{0, 1};
inline constexpr Field VideoLocked{1, 1};
inline constexpr Field Phase{2, 4};
inline constexpr Field Reserved8{6, 1};
inline constexpr Field Reserved9{7, 1};
inline constexpr Field HTotal{8, 4};
inline constexpr Field HPositionRef{12, 4};
inline constexpr Field HPosition{16, 4};
inline constexpr Field VPositionRef{20, 4};
inline constexpr Field VPosition{24, 4};
inline constexpr Field HActive{28, 4};
inline constexpr Field VActive{32, 4};
inline constexpr Field InputSync{36, 1};
inline constexpr Field Termination{37, 1};
// The colour balance, tenths: overall, red, green, blue; contrast before
// brightness.
inline constexpr Field ContrastC{38, 4};
inline constexpr Field BrightnessC{42, 4};
inline constexpr Field ContrastR{46, 4};
inline constexpr Field BrightnessR{50, 4};
inline constexpr Field ContrastG{54, 4};
inline constexpr Field BrightnessG{58, 4};
inline constexpr Field ContrastB{62, 4};
inline constexpr Field BrightnessB{66, 4};
// 'N' only.
inline constexpr Field HPositionMax{70, 4};
inline constexpr Field VPositionMax{74, 4};

static_assert(contiguous(VideoLoaded, VideoLocked, Phase, Reserved8, Reserved9, HTotal, HPositionRef, HPosition,
                         VPositionRef, VPosition, HActive, VActive, InputSync, Termination, ContrastC, BrightnessC,
                         ContrastR, BrightnessR, ContrastG, BrightnessG, ContrastB, BrightnessB, HPositionMax,
                         VPositionMax));
static_assert(BrightnessB.end() == statusRecordPayloadLength('F'));
static_assert(VPositionMax.end() == statusRecordPayloadLength('N'));
}  // namespace input

// The output record, types '>', '?', '@' and 'B'.
namespace output {
inline constexpr Field OutputFormat{0, 1};
inline constexpr Field FrameRate{1, 1};
inline constexpr Field OutputSync{2, 1};
inline constexpr Field AdvancedMode{3, 1};
inline constexpr Field ProjectorGroup{4, 1};
inline constexpr Field TotalProjectors{5, 1};
inline constexpr Field DataDoubling{6, 1};
inline constexpr Field Justification{7, 1};
inline constexpr Field OverlapWidth{8, 4};
inline constexpr Field BasicGamma{12, 4};  // tenths
inline constexpr Field BasicFeather{16, 2};
inline constexpr Field LeftGamma{18, 4};  // tenths
inline constexpr Field LeftFeather{22, 2};
inline constexpr Field RightGamma{24, 4};  // tenths
inline constexpr Field RightFeather{28, 2};
// One group of four: halo removal in the older layouts, the feathering
// widths and offsets in 'B'.
inline constexpr Field EdgeLeftWidth{30, 4};
inline constexpr Field EdgeLeftOffset{34, 4};
inline constexpr Field EdgeRightWidth{38, 4};
inline constexpr Field EdgeRightOffset{42, 4};
inline constexpr Field BlackLevel{46, 1};
inline constexpr Field TestPattern{47, 1};
inline constexpr Field OutputRaster{48, 1};
inline constexpr Field TestGrid{49, 1};
inline constexpr Field SeamPrefix{50, 4};
inline constexpr Field SeamGains{54, 8};  // one byte a gain, -4 to +4 without 0
inline constexpr Field SeamBridge{62, 1};
inline constexpr Field FeatherCurve{63, 1};
inline constexpr Field BridgeThreshold{64, 1};

static_assert(contiguous(OutputFormat, FrameRate, OutputSync, AdvancedMode, ProjectorGroup, TotalProjectors,
                         DataDoubling, Justification, OverlapWidth, BasicGamma, BasicFeather, LeftGamma, LeftFeather,
                         RightGamma, RightFeather, EdgeLeftWidth, EdgeLeftOffset, EdgeRightWidth, EdgeRightOffset,
                         BlackLevel, TestPattern, OutputRaster, TestGrid, SeamPrefix, SeamGains, SeamBridge,
                         FeatherCurve, BridgeThreshold));
// '>' ends before the seam bridge, '?' before the feather curve, '@' before
// the bridge threshold; 'B' carries everything and one spare byte.
static_assert(SeamBridge.offset == statusRecordPayloadLength('>'));
static_assert(FeatherCurve.offset == statusRecordPayloadLength('?'));
static_assert(BridgeThreshold.offset == statusRecordPayloadLength('@'));
static_assert(BridgeThreshold.end() + 1 == statusRecordPayloadLength('B'));
}  // namespace output

}  // namespace tess::statusrecord
