#include "support/RecordEncoder.h"

#include <cmath>

namespace tess::test {

QByteArray recordBytes(char type, const QByteArray &payload)
{
    return QByteArray("\x01", 1) + type + payload;
}

void put8(QByteArray &payload, int offset, int value)
{
    payload[offset] = char(value & 0xFF);
}

void put16(QByteArray &payload, int offset, int value)
{
    put8(payload, offset, value >> 8);
    put8(payload, offset + 1, value);
}

void put32(QByteArray &payload, int offset, qint32 value)
{
    const quint32 v = quint32(value);
    for (int i = 0; i < 4; ++i)
        put8(payload, offset + i, int(v >> (24 - 8 * i)));
}

void putTenths(QByteArray &payload, int offset, float value)
{
    put32(payload, offset, qint32(std::lround(double(value) * 10.0)));
}

QByteArray systemPayload(const FirmwareVersionBytes &version)
{
    return QByteArray(version.data(), 8);
}

QByteArray inputPayload(const InputRecord &r, char type)
{
    QByteArray p(type == 'N' ? 78 : 70, '\0');
    put8(p, 0, r.VideoLoaded);
    put8(p, 1, r.VideoLocked);
    put32(p, 2, r.Phase);
    put8(p, 6, r.Reserved8);
    put8(p, 7, r.Reserved9);
    put32(p, 8, r.HTotal);
    put32(p, 12, r.HPositionRef);
    put32(p, 16, r.HPosition);
    put32(p, 20, r.VPositionRef);
    put32(p, 24, r.VPosition);
    put32(p, 28, r.HActive);
    put32(p, 32, r.VActive);
    put8(p, 36, r.InputSync);
    put8(p, 37, r.Termination);
    const float colours[] = {r.ContrastC, r.BrightnessC, r.ContrastR, r.BrightnessR,
                             r.ContrastG, r.BrightnessG, r.ContrastB, r.BrightnessB};
    for (int i = 0; i < 8; ++i)
        putTenths(p, 38 + 4 * i, colours[i]);
    if (type == 'N') {
        put32(p, 70, r.HPositionMax);
        put32(p, 74, r.VPositionMax);
    }
    return p;
}

QByteArray outputPayload(const OutputRecord &r, char type)
{
    QByteArray p(66, '\0');
    const int header[] = {r.OutputFormat,   r.FrameRate,       r.OutputSync,   r.AdvancedMode,
                          r.ProjectorGroup, r.TotalProjectors, r.DataDoubling, r.Justification};
    for (int i = 0; i < 8; ++i)
        put8(p, i, header[i]);
    put32(p, 8, r.OverlapWidth);
    putTenths(p, 12, r.BasicGamma);
    put16(p, 16, r.BasicFeather);
    putTenths(p, 18, r.LeftGamma);
    put16(p, 22, r.LeftFeather);
    putTenths(p, 24, r.RightGamma);
    put16(p, 28, r.RightFeather);
    const bool current = type == 'B';
    put32(p, 30, current ? r.GammaLeftWidth : r.HaloLeftWidth);
    put32(p, 34, current ? r.GammaLeftOffset : r.HaloLeftOffset);
    put32(p, 38, current ? r.GammaRightWidth : r.HaloRightWidth);
    put32(p, 42, current ? r.GammaRightOffset : r.HaloRightOffset);
    put8(p, 46, r.BlackLevel);
    put8(p, 47, r.TestPattern);
    put8(p, 48, r.OutputRaster);
    put8(p, 49, r.TestGrid);
    put32(p, 50, r.SeamPrefix);
    const int gains[] = {r.SeamGain1, r.SeamGain2, r.SeamGain3, r.SeamGain4,
                         r.SeamGain5, r.SeamGain6, r.SeamGain7, r.SeamGain8};
    for (int i = 0; i < 8; ++i)
        put8(p, 54 + i, gains[i]);
    put8(p, 62, r.SeamBridge);
    put8(p, 63, r.FeatherCurve);
    put8(p, 64, r.BridgeThreshold);
    p.truncate(type == '>' ? 62 : type == '?' ? 63 : type == '@' ? 64 : 66);
    return p;
}

}  // namespace tess::test
