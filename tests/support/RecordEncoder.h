#pragma once

// The units' side of the status records, written from the reply tables:
// what a unit sends for SYINFOQX, IINFOQX and OINFOQX. Tests use it to make
// replies; it shares nothing with the program's decoders.

#include "model/SettingsModel.h"

#include <QByteArray>

namespace tess::test {

// Byte 1, the type byte, the payload.
QByteArray recordBytes(char type, const QByteArray &payload);

// Eight bytes.
QByteArray systemPayload(const FirmwareVersionBytes &version);
// 'F' (70 bytes, no position maxima) or 'N' (78 bytes).
QByteArray inputPayload(const InputRecord &r, char type);
// '>' (62 bytes), '?' (63), '@' (64) or 'B' (66): exactly as long as the
// layout; the older layouts carry the halo group at 30-45, 'B' the
// feathering widths and offsets and the bridge threshold at 64.
QByteArray outputPayload(const OutputRecord &r, char type);

// Big-endian writers at a payload offset.
void put8(QByteArray &payload, int offset, int value);
void put16(QByteArray &payload, int offset, int value);
void put32(QByteArray &payload, int offset, qint32 value);
// A real number as a signed 32-bit count of tenths.
void putTenths(QByteArray &payload, int offset, float value);

}  // namespace tess::test
