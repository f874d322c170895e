#pragma once

namespace tess {

// Screen group k (1-8) addresses unit 1, screen k for 1-4 and unit 2,
// screen k - 4 for 5-8.
inline int unitOfScreen(int k)
{
    return k <= 4 ? 1 : 2;
}
inline int screenInUnit(int k)
{
    return (k - 1) % 4 + 1;
}

// The two inner edges of a screen: towards the next projector (right) and
// towards the previous one (left).
enum class Side { Left, Right };

inline char sideLetter(Side side)
{
    return side == Side::Left ? 'L' : 'R';
}

// Which edges of screen k carry halo removal and feathering settings: the
// outer edges of the wall have no halo pair; screen 1 feathers both edges,
// screen 8 only its left one.
inline bool hasHaloPair(int k, Side side)
{
    return side == Side::Right ? k >= 1 && k <= 7 : k >= 2 && k <= 8;
}

inline bool hasFeatherEdge(int k, Side side)
{
    return side == Side::Right ? k >= 1 && k <= 7 : k >= 1 && k <= 8;
}

}  // namespace tess
