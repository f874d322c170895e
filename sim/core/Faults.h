#pragma once

#include <QtGlobal>

namespace tess::sim {

// Faults of the line, the units and the controller, switchable while the
// simulator runs (see the control commands).
struct Faults {
    // The line is dead: nothing is heard, nothing is sent.
    bool silent = false;
    // The next N replies are not sent (the commands still take effect).
    int dropReplies = 0;
    // Every reply leaves this much later.
    int delayMs = 0;

    // How replies are cut into pieces on their way out.
    enum class Split { Whole, Fixed, Random };
    Split split = Split::Whole;
    int splitSize = 1;   // Fixed: bytes per piece; Random: the largest piece
    int splitGapMs = 0;  // time between two pieces

    // Random bytes put ahead of every reply.
    int noiseBytes = 0;
    // Status records carry only the first N payload bytes (-1: all).
    int truncatePayload = -1;
    // Every reply loses its byte at this position, counted from the reply's
    // first byte, echo included (-1: none).
    int loseByteAt = -1;
    // Every reply carries this many random bytes inserted at this position
    // (-1: none).
    int insertAt = -1;
    int insertBytes = 0;

    // Controller: answer the next relays with "!ERR <code>" (count -1: until
    // switched off).
    int forcedErrorCode = 0;
    int forcedErrorCount = 0;
    // Controller: answer the next N lines as not understood.
    int unrecognisedCount = 0;
    // Controller: how long it waits for a unit before it reports code 4.
    int noResponseMs = 250;
    // Controller: "debug 0" is answered but debug mode stays on.
    bool debugStuck = false;
    // Controller: what stands between the numbers of its unit count.
    char countSeparator = ' ';

    // Direct mode: the unit echoes each command line before its answer.
    bool echo = true;
};

}  // namespace tess::sim
