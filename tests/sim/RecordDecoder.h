#pragma once

// An independent reading of the status records, field by field, as the
// program's parsers take them: the header searched in the first 30 bytes,
// then the payload big-endian, reals as signed 32-bit tenths. The tests
// check the simulator's records against it.

#include <QByteArray>
#include <QVariantMap>
#include <optional>

namespace tess::test::records {

// Position of the first byte 1 among positions 0..29 followed by one of
// `types`.
inline std::optional<int> findHeader(const QByteArray &reply, const QByteArray &types)
{
    for (int p = 0; p < 30 && p + 1 < reply.size(); ++p) {
        if (reply.at(p) == 1 && types.contains(reply.at(p + 1)))
            return p;
    }
    return std::nullopt;
}

class PayloadReader {
public:
    PayloadReader(const QByteArray &bytes, int start) : b_(bytes), start_(start) {}
    int u8(int at) const { return quint8(b_.at(start_ + at)); }
    int u16(int at) const { return (u8(at) << 8) | u8(at + 1); }
    qint32 i32(int at) const
    {
        return qint32((quint32(u8(at)) << 24) | (quint32(u8(at + 1)) << 16) | (quint32(u8(at + 2)) << 8)
                      | quint32(u8(at + 3)));
    }
    double tenths(int at) const { return i32(at) / 10.0; }

private:
    const QByteArray &b_;
    int start_;
};

// Fields of the input record, named as the settings model names them.
inline QVariantMap decodeInput(const QByteArray &reply, int header)
{
    const PayloadReader r(reply, header + 2);
    QVariantMap m;
    m["VideoLoaded"] = r.u8(0);
    m["VideoLocked"] = r.u8(1);
    m["Phase"] = r.i32(2);
    m["Reserved8"] = r.u8(6);
    m["Reserved9"] = r.u8(7);
    m["HTotal"] = r.i32(8);
    m["HPositionRef"] = r.i32(12);
    m["HPosition"] = r.i32(16);
    m["VPositionRef"] = r.i32(20);
    m["VPosition"] = r.i32(24);
    m["HActive"] = r.i32(28);
    m["VActive"] = r.i32(32);
    m["InputSync"] = r.u8(36);
    m["Termination"] = r.u8(37);
    const char *colours[] = {"ContrastC", "BrightnessC", "ContrastR", "BrightnessR",
                             "ContrastG", "BrightnessG", "ContrastB", "BrightnessB"};
    for (int i = 0; i < 8; ++i)
        m[colours[i]] = r.tenths(38 + 4 * i);
    const bool n = reply.at(header + 1) == 'N';
    m["HPositionMax"] = n ? r.i32(70) : -1;
    m["VPositionMax"] = n ? r.i32(74) : -1;
    return m;
}

// Fields of the output record that lie inside the payload the type byte
// announces (the program's parser reads further; the rest is not the
// unit's).
inline QVariantMap decodeOutput(const QByteArray &reply, int header)
{
    const PayloadReader r(reply, header + 2);
    const char type = reply.at(header + 1);
    const int length = quint8(type);
    QVariantMap m;
    m["OutputFormat"] = r.u8(0);
    m["FrameRate"] = r.u8(1);
    m["OutputSync"] = r.u8(2);
    m["AdvancedMode"] = r.u8(3);
    m["ProjectorGroup"] = r.u8(4);
    m["TotalProjectors"] = r.u8(5);
    m["DataDoubling"] = r.u8(6);
    m["Justification"] = r.u8(7);
    m["OverlapWidth"] = r.i32(8);
    m["BasicGamma"] = r.tenths(12);
    m["BasicFeather"] = r.u16(16);
    m["LeftGamma"] = r.tenths(18);
    m["LeftFeather"] = r.u16(22);
    m["RightGamma"] = r.tenths(24);
    m["RightFeather"] = r.u16(28);
    const char *halo[] = {"HaloLeftWidth", "HaloLeftOffset", "HaloRightWidth", "HaloRightOffset"};
    const char *widths[] = {"GammaLeftWidth", "GammaLeftOffset", "GammaRightWidth", "GammaRightOffset"};
    for (int i = 0; i < 4; ++i)
        m[type == 'B' ? widths[i] : halo[i]] = r.i32(30 + 4 * i);
    m["BlackLevel"] = r.u8(46);
    m["TestPattern"] = r.u8(47);
    m["OutputRaster"] = r.u8(48);
    m["TestGrid"] = r.u8(49);
    m["SeamPrefix"] = r.i32(50);
    for (int i = 0; i < 8; ++i)
        m[QStringLiteral("SeamGain%1").arg(i + 1)] = r.u8(54 + i);
    if (length > 62)
        m["SeamBridge"] = r.u8(62);
    if (length > 63)
        m["FeatherCurve"] = r.u8(63);
    if (type == 'B')
        m["BridgeThreshold"] = r.u8(64);
    return m;
}

}  // namespace tess::test::records
