#pragma once

#include "model/SettingsModel.h"

#include <QString>
#include <array>

// The texts the window's fields show for the settings model's values (what
// a refill puts into them). Sending a file's settings reads its values back
// through these same texts, as the window reads its fields, so both send
// the same numbers.
namespace tess {

// An advanced feathering gamma: the 15-digit text of the single-precision
// value widened to double precision (2.2 shows as 2.20000004768372).
QString edgeGammaText(float gamma);
// The basic feathering gamma, at 3 significant digits.
QString basicGammaText(float gamma);

// The colour balance fields of an input channel, in the order the Source
// Setup page lists them and a send of everything goes through them.
struct ColourField {
    float InputRecord::*field;
    int colour;     // 0 C (overall), 1 R, 2 G, 3 B
    bool contrast;  // contrast, else brightness
    double lower;   // the values the field accepts
    double upper;
    const char *rangeText;     // the tail of its bounds message
    const char *notValidNoun;  // "Error! '<text>' is not a valid <noun>."
};
inline constexpr int ColourFieldCount = 8;
extern const std::array<ColourField, ColourFieldCount> ColourFields;

// What a colour field shows for `value`: the overall values at 5
// significant digits, the red, green and blue ones at 4.
QString colourText(const ColourField &field, float value);

}  // namespace tess
