#include "core/Records.h"

namespace tess::sim::Records {

namespace {

class Writer {
public:
    void u8(int v) { bytes_.append(char(quint8(v))); }
    void u16(quint16 v)
    {
        u8(v >> 8);
        u8(v & 0xff);
    }
    void i32(qint32 v)
    {
        const auto u = quint32(v);
        u8(int(u >> 24));
        u8(int((u >> 16) & 0xff));
        u8(int((u >> 8) & 0xff));
        u8(int(u & 0xff));
    }
    QByteArray bytes_;
};

QByteArray record(char type, QByteArray payload)
{
    payload.resize(payloadLength(type), '\0');
    return QByteArray(1, Start) + type + payload;
}

}  // namespace

bool isInputLayout(char type)
{
    return type == 'F' || type == 'N';
}

bool isOutputLayout(char type)
{
    return type == '>' || type == '?' || type == '@' || type == 'B';
}

int payloadLength(char type)
{
    return int(quint8(type));
}

QByteArray system(const QByteArray &version)
{
    // Two bytes of product code, then the version text, zero-padded.
    QByteArray payload = "QX" + version.left(5);
    return record(SystemType, payload);
}

QByteArray input(char layout, const InputSignal &signal, const InputSettings &s)
{
    Writer w;
    w.u8(signal.present ? 1 : 0);
    w.u8(signal.locked ? 1 : 0);
    w.i32(s.phase);
    w.u8(signal.reserved8);
    w.u8(signal.reserved9);
    w.i32(signal.hTotal);
    w.i32(signal.hPositionRef);
    w.i32(s.hPosition);
    w.i32(signal.vPositionRef);
    w.i32(s.vPosition);
    w.i32(signal.hActive);
    w.i32(signal.vActive);
    w.u8(signal.inputSync);
    w.u8(signal.termination);
    for (qint32 v : {s.contrastC, s.brightnessC, s.contrastR, s.brightnessR, s.contrastG, s.brightnessG, s.contrastB,
                     s.brightnessB})
        w.i32(v);
    if (layout == 'N') {
        w.i32(signal.hPositionMax);
        w.i32(signal.vPositionMax);
    }
    return record(layout, w.bytes_);
}

QByteArray output(char layout, const OutputSignal &signal, const ScreenSettings &s, const UnitWideSettings &wide)
{
    Writer w;
    w.u8(signal.format);
    w.u8(signal.frameRate);
    w.u8(signal.sync);
    w.u8(wide.advancedMode);
    w.u8(wide.projectorGroup);
    w.u8(wide.totalProjectors);
    w.u8(wide.dataDoubling);
    w.u8(wide.justification);
    w.i32(wide.overlapWidth);
    w.i32(wide.basicGamma);
    w.u16(wide.basicFeather);
    w.i32(s.leftGamma);
    w.u16(s.leftFeather);
    w.i32(s.rightGamma);
    w.u16(s.rightFeather);
    if (layout == 'B') {
        for (qint32 v : {s.gammaLeftWidth, s.gammaLeftOffset, s.gammaRightWidth, s.gammaRightOffset})
            w.i32(v);
    } else {
        for (qint32 v : {s.haloLeftWidth, s.haloLeftOffset, s.haloRightWidth, s.haloRightOffset})
            w.i32(v);
    }
    w.u8(s.blackLevel);
    w.u8(s.testPattern);
    w.u8(s.outputRaster);
    w.u8(s.testGrid);
    w.i32(s.seamPrefix);
    for (quint8 gain : s.seamGains)
        w.u8(gain);
    w.u8(wide.seamBridge);
    w.u8(wide.featherCurve);
    w.u8(wide.bridgeThreshold);
    // The older layouts end earlier: record() cuts the payload to the
    // length the type byte announces.
    return record(layout, w.bytes_);
}

}  // namespace tess::sim::Records
