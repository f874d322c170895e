#include "device/FieldTexts.h"

#include "model/NumberFormat.h"

namespace tess {

QString edgeGammaText(float gamma)
{
    return formatGeneral(double(gamma), 15);
}

QString basicGammaText(float gamma)
{
    return formatGeneral(double(gamma), 3, 1);
}

const std::array<ColourField, ColourFieldCount> ColourFields = {{
    {&InputRecord::ContrastC, 0, true, 75, 125, "(75 - 125)", "Contrast Level"},
    {&InputRecord::BrightnessC, 0, false, 75, 125, "(75 - 125)", "Brightness Level"},
    {&InputRecord::ContrastR, 1, true, -25, 25, "(-25 - +25)", "Contrast Level"},
    {&InputRecord::BrightnessR, 1, false, -25, 25, "(-25 - +25)", "Brightness Level"},
    {&InputRecord::ContrastG, 2, true, -25, 25, "(-25 - +25)", "Contrast Level"},
    {&InputRecord::BrightnessG, 2, false, -25, 25, "(-25 - +25)", "Brightness Level"},
    {&InputRecord::ContrastB, 3, true, -25, 25, "(-25 - +25)", "Contrast Level"},
    {&InputRecord::BrightnessB, 3, false, -25, 25, "(-25 - +25)", "Brightness Level"},
}};

QString colourText(const ColourField &field, float value)
{
    return formatGeneral(double(value), field.colour == 0 ? 5 : 4, 1);
}

}  // namespace tess
