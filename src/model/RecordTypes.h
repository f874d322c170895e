#pragma once

namespace tess {

// A status record on the line starts with a header: StatusRecordStart and
// the type byte, at one of the first StatusRecordHeaderPositions positions
// of the reply.
inline constexpr unsigned char StatusRecordStart = 1;
inline constexpr int StatusRecordHeaderPositions = 30;

// The type byte is also the record's payload length: 8 for the system
// record, 'F' and 'N' for the input layouts, '>', '?', '@' and 'B' for the
// output layouts. 0 for any other byte.
constexpr int statusRecordPayloadLength(unsigned char type)
{
    switch (type) {
    case 8:
    case 'F':
    case 'N':
    case '>':
    case '?':
    case '@':
    case 'B':
        return type;
    default:
        return 0;
    }
}

}  // namespace tess
