#pragma once

#include <QtGlobal>

namespace tess::sim {

// A small generator whose sequence depends on the seed alone, so a fault
// run with a seed repeats exactly on every machine.
class Random {
public:
    explicit Random(quint64 seed = 1) { reseed(seed); }
    void reseed(quint64 seed) { state_ = seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull; }
    quint64 next()
    {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }
    // A whole number from low to high, both included.
    int between(int low, int high) { return low + int(next() % quint64(high - low + 1)); }

private:
    quint64 state_ = 0;
};

}  // namespace tess::sim
