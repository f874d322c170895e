#include "device/StatusRecords.h"

#include "model/RecordTypes.h"

#include <algorithm>

namespace tess::records {
namespace {

// Reads fields at payload offsets. A field that does not lie wholly within
// the payload is left as it was.
class PayloadReader {
public:
    PayloadReader(std::uint8_t type, Bytes payload)
        : bytes_(payload.first(std::min<std::size_t>(payload.size(), std::size_t(payloadLength(type)))))
    {
    }

    bool has(std::size_t offset, std::size_t width) const { return offset + width <= bytes_.size(); }

    void byte(std::size_t offset, std::uint8_t &field) const
    {
        if (has(offset, 1))
            field = bytes_[offset];
    }
    void int16(std::size_t offset, std::int16_t &field) const
    {
        if (has(offset, 2))
            field = std::int16_t(std::uint16_t(bytes_[offset] << 8 | bytes_[offset + 1]));
    }
    void int32(std::size_t offset, std::int32_t &field) const
    {
        if (has(offset, 4))
            field = raw32(offset);
    }
    // A signed 32-bit count of tenths, kept in single precision.
    void tenths(std::size_t offset, float &field) const
    {
        if (has(offset, 4))
            field = float(double(raw32(offset)) * 0.1);
    }

private:
    std::int32_t raw32(std::size_t offset) const
    {
        return std::int32_t(std::uint32_t(bytes_[offset]) << 24 | std::uint32_t(bytes_[offset + 1]) << 16
                            | std::uint32_t(bytes_[offset + 2]) << 8 | std::uint32_t(bytes_[offset + 3]));
    }

    Bytes bytes_;
};

}  // namespace

int payloadLength(std::uint8_t type)
{
    return statusRecordPayloadLength(type);
}

std::optional<Record> findRecord(Bytes reply, std::string_view types)
{
    const std::size_t end = std::min<std::size_t>(HeaderSearchPositions, reply.size());
    for (std::size_t p = 0; p < end; ++p) {
        if (reply[p] != StartOfHeading || p + 1 >= reply.size())
            continue;
        const std::uint8_t type = reply[p + 1];
        if (types.find(char(type)) == std::string_view::npos)
            continue;
        const Bytes rest = reply.subspan(p + 2);
        const std::size_t length = std::min<std::size_t>(rest.size(), std::size_t(payloadLength(type)));
        return Record{type, int(p), rest.first(length)};
    }
    return std::nullopt;
}

void decodeSystemInfo(Bytes payload, FirmwareVersionBytes &version)
{
    const std::size_t n = std::min(payload.size(), version.size());
    std::copy_n(payload.begin(), n, version.begin());
}

void decodeInputInfo(std::uint8_t type, Bytes payload, InputRecord &r)
{
    const PayloadReader in(type, payload);
    in.byte(0, r.VideoLoaded);
    in.byte(1, r.VideoLocked);
    in.int32(2, r.Phase);
    in.byte(6, r.Reserved8);
    in.byte(7, r.Reserved9);
    in.int32(8, r.HTotal);
    in.int32(12, r.HPositionRef);
    in.int32(16, r.HPosition);
    in.int32(20, r.VPositionRef);
    in.int32(24, r.VPosition);
    in.int32(28, r.HActive);
    in.int32(32, r.VActive);
    in.byte(36, r.InputSync);
    in.byte(37, r.Termination);
    in.tenths(38, r.ContrastC);
    in.tenths(42, r.BrightnessC);
    in.tenths(46, r.ContrastR);
    in.tenths(50, r.BrightnessR);
    in.tenths(54, r.ContrastG);
    in.tenths(58, r.BrightnessG);
    in.tenths(62, r.ContrastB);
    in.tenths(66, r.BrightnessB);
    if (type == 'N') {
        in.int32(70, r.HPositionMax);
        in.int32(74, r.VPositionMax);
    } else {
        r.HPositionMax = -1;
        r.VPositionMax = -1;
    }
}

void decodeOutputInfo(std::uint8_t type, Bytes payload, OutputRecord &r)
{
    const PayloadReader out(type, payload);
    out.byte(0, r.OutputFormat);
    out.byte(1, r.FrameRate);
    out.byte(2, r.OutputSync);
    out.byte(3, r.AdvancedMode);
    out.byte(4, r.ProjectorGroup);
    out.byte(5, r.TotalProjectors);
    out.byte(6, r.DataDoubling);
    out.byte(7, r.Justification);
    out.int32(8, r.OverlapWidth);
    out.tenths(12, r.BasicGamma);
    out.int16(16, r.BasicFeather);
    out.tenths(18, r.LeftGamma);
    out.int16(22, r.LeftFeather);
    out.tenths(24, r.RightGamma);
    out.int16(28, r.RightFeather);
    // One group of four at 30-45: halo removal in the older layouts, the
    // feathering widths and offsets in 'B'.
    const bool current = type == 'B';
    out.int32(30, current ? r.GammaLeftWidth : r.HaloLeftWidth);
    out.int32(34, current ? r.GammaLeftOffset : r.HaloLeftOffset);
    out.int32(38, current ? r.GammaRightWidth : r.HaloRightWidth);
    out.int32(42, current ? r.GammaRightOffset : r.HaloRightOffset);
    out.byte(46, r.BlackLevel);
    out.byte(47, r.TestPattern);
    out.byte(48, r.OutputRaster);
    out.byte(49, r.TestGrid);
    out.int32(50, r.SeamPrefix);
    for (std::size_t i = 0; i < SeamGainFields.size(); ++i)
        out.byte(54 + i, r.*SeamGainFields[i]);
    // '>' ends before the seam bridge and '?' before the feather curve:
    // those keep their values.
    out.byte(62, r.SeamBridge);
    out.byte(63, r.FeatherCurve);
    if (current)
        out.byte(64, r.BridgeThreshold);
    else
        r.BridgeThreshold = 0;
}

}  // namespace tess::records
