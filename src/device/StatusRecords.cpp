#include "device/StatusRecords.h"

#include "model/RecordTypes.h"
#include "model/StatusRecord.h"

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

    void byte(statusrecord::Field at, std::uint8_t &field, int index = 0) const
    {
        if (index < 0 || index >= at.width)
            return;
        const std::size_t offset = std::size_t(at.offset) + std::size_t(index);
        if (has(offset, 1))
            field = bytes_[offset];
    }
    void int16(statusrecord::Field at, std::int16_t &field) const
    {
        const auto offset = std::size_t(at.offset);
        if (has(offset, 2))
            field = std::int16_t(std::uint16_t(bytes_[offset] << 8 | bytes_[offset + 1]));
    }
    void int32(statusrecord::Field at, std::int32_t &field) const
    {
        const auto offset = std::size_t(at.offset);
        if (has(offset, 4))
            field = raw32(offset);
    }
    // A signed 32-bit count of tenths, kept in single precision.
    void tenths(statusrecord::Field at, float &field) const
    {
        const auto offset = std::size_t(at.offset);
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
    const std::size_t end = std::min<std::size_t>(StatusRecordHeaderPositions, reply.size());
    for (std::size_t p = 0; p < end; ++p) {
        if (reply[p] != StatusRecordStart || p + 1 >= reply.size())
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
    namespace at = statusrecord::input;
    const PayloadReader in(type, payload);
    in.byte(at::VideoLoaded, r.VideoLoaded);
    in.byte(at::VideoLocked, r.VideoLocked);
    in.int32(at::Phase, r.Phase);
    in.byte(at::Reserved8, r.Reserved8);
    in.byte(at::Reserved9, r.Reserved9);
    in.int32(at::HTotal, r.HTotal);
    in.int32(at::HPositionRef, r.HPositionRef);
    in.int32(at::HPosition, r.HPosition);
    in.int32(at::VPositionRef, r.VPositionRef);
    in.int32(at::VPosition, r.VPosition);
    in.int32(at::HActive, r.HActive);
    in.int32(at::VActive, r.VActive);
    in.byte(at::InputSync, r.InputSync);
    in.byte(at::Termination, r.Termination);
    in.tenths(at::ContrastC, r.ContrastC);
    in.tenths(at::BrightnessC, r.BrightnessC);
    in.tenths(at::ContrastR, r.ContrastR);
    in.tenths(at::BrightnessR, r.BrightnessR);
    in.tenths(at::ContrastG, r.ContrastG);
    in.tenths(at::BrightnessG, r.BrightnessG);
    in.tenths(at::ContrastB, r.ContrastB);
    in.tenths(at::BrightnessB, r.BrightnessB);
    if (type == 'N') {
        in.int32(at::HPositionMax, r.HPositionMax);
        in.int32(at::VPositionMax, r.VPositionMax);
    } else {
        r.HPositionMax = -1;
        r.VPositionMax = -1;
    }
}

void decodeOutputInfo(std::uint8_t type, Bytes payload, OutputRecord &r)
{
    namespace at = statusrecord::output;
    const PayloadReader out(type, payload);
    out.byte(at::OutputFormat, r.OutputFormat);
    out.byte(at::FrameRate, r.FrameRate);
    out.byte(at::OutputSync, r.OutputSync);
    out.byte(at::AdvancedMode, r.AdvancedMode);
    out.byte(at::ProjectorGroup, r.ProjectorGroup);
    out.byte(at::TotalProjectors, r.TotalProjectors);
    out.byte(at::DataDoubling, r.DataDoubling);
    out.byte(at::Justification, r.Justification);
    out.int32(at::OverlapWidth, r.OverlapWidth);
    out.tenths(at::BasicGamma, r.BasicGamma);
    out.int16(at::BasicFeather, r.BasicFeather);
    out.tenths(at::LeftGamma, r.LeftGamma);
    out.int16(at::LeftFeather, r.LeftFeather);
    out.tenths(at::RightGamma, r.RightGamma);
    out.int16(at::RightFeather, r.RightFeather);
    // The edge group: halo removal in the older layouts, the feathering
    // widths and offsets in 'B'.
    const bool current = type == 'B';
    out.int32(at::EdgeLeftWidth, current ? r.GammaLeftWidth : r.HaloLeftWidth);
    out.int32(at::EdgeLeftOffset, current ? r.GammaLeftOffset : r.HaloLeftOffset);
    out.int32(at::EdgeRightWidth, current ? r.GammaRightWidth : r.HaloRightWidth);
    out.int32(at::EdgeRightOffset, current ? r.GammaRightOffset : r.HaloRightOffset);
    out.byte(at::BlackLevel, r.BlackLevel);
    out.byte(at::TestPattern, r.TestPattern);
    out.byte(at::OutputRaster, r.OutputRaster);
    out.byte(at::TestGrid, r.TestGrid);
    out.int32(at::SeamPrefix, r.SeamPrefix);
    static_assert(SeamGainFields.size() == std::size_t(at::SeamGains.width));
    for (std::size_t i = 0; i < SeamGainFields.size(); ++i)
        out.byte(at::SeamGains, r.*SeamGainFields[i], int(i));
    // '>' ends before the seam bridge and '?' before the feather curve:
    // those keep their values.
    out.byte(at::SeamBridge, r.SeamBridge);
    out.byte(at::FeatherCurve, r.FeatherCurve);
    if (current)
        out.byte(at::BridgeThreshold, r.BridgeThreshold);
    else
        r.BridgeThreshold = 0;
}

}  // namespace tess::records
