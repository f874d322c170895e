#pragma once

namespace tess {

struct InputRecord;

// How far the sampling window of an input channel may move: around the
// reference positions the unit reports (H +-128, V +-16), below the
// maximum it reports or, without one, inside the blanking of the line.
// Worked out in wide numbers: a record from the line may hold any 32-bit
// values, and a high bound below the low one leaves no position allowed.
struct PositionBounds {
    long long HPositionLow = 0;
    long long HPositionHigh = 0;
    long long VPositionLow = 0;
    long long VPositionHigh = 0;
};

PositionBounds positionBounds(const InputRecord &record);

}  // namespace tess
