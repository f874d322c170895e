#pragma once

// The binary status records the units answer SYINFOQX, IINFOQX and OINFOQX
// with, and their decoders: pure functions over bytes.
//
// A record is byte 1, a type byte and the payload. For the system and input
// records the type byte is the payload length (8; 'F' 70 or 'N' 78); for the
// output record it names the layout ('>' 62, '?' 63, '@' 64, 'B' 66).
// Payload values are big-endian; reals travel as signed 32-bit tenths.
//
// The decoders never read outside the bytes they are given, and never past
// the payload length the type byte states: a field the unit did not send
// keeps the value it had.

#include "model/SettingsModel.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tess::records {

using Bytes = std::span<const std::uint8_t>;

inline constexpr std::string_view SystemTypes{"\x08", 1};
inline constexpr std::string_view InputTypes = "FN";
inline constexpr std::string_view OutputTypes = ">?@B";

// Payload length a type byte stands for (0 for an unknown type).
int payloadLength(std::uint8_t type);

struct Record {
    std::uint8_t type;
    int at;         // position of the header's byte 1 in the reply
    Bytes payload;  // as much of the stated payload as the reply holds
};

// The first position p in 0..29 with byte 1 at p and one of `types` at
// p + 1; the payload starts at p + 2.
std::optional<Record> findRecord(Bytes reply, std::string_view types);

// SYINFOQX: the payload's eight bytes (the caller zeroes the eighth when
// storing them).
void decodeSystemInfo(Bytes payload, FirmwareVersionBytes &version);
// IINFOQX, type 'F' or 'N'. 'F' carries no position maxima: they become -1.
void decodeInputInfo(std::uint8_t type, Bytes payload, InputRecord &record);
// OINFOQX, types '>', '?', '@' or 'B'. The older layouts carry the halo
// group where 'B' carries the feathering widths and offsets, and no bridge
// threshold (it becomes 0).
void decodeOutputInfo(std::uint8_t type, Bytes payload, OutputRecord &record);

}  // namespace tess::records
