#pragma once

#include "core/UnitState.h"

#include <QByteArray>

namespace tess::sim {

// The binary status records a unit sends: byte 1, a type byte, then the
// payload, big-endian, reals as signed 32-bit tenths.
namespace Records {

constexpr char Start = 1;
constexpr char SystemType = 8;

// Input layouts: 'F' (70 payload bytes) or 'N' (78, with the position
// limits). Output layouts: '>' (62), '?' (63), '@' (64) carry the halo
// group at payload 30-45; 'B' (66) carries the feathering widths there and
// the bridge threshold at 64.
bool isInputLayout(char type);
bool isOutputLayout(char type);
// The payload length that a type byte announces.
int payloadLength(char type);

// `version` is the text shown as the firmware version (at most 5 characters).
QByteArray system(const QByteArray &version);
QByteArray input(char layout, const InputSignal &signal, const InputSettings &settings);
QByteArray output(char layout, const OutputSignal &signal, const ScreenSettings &screen,
                  const UnitWideSettings &wide);

}  // namespace Records
}  // namespace tess::sim
