#include "pages/MirroredFields.h"

namespace tess {

FieldDescription bridgeThresholdDescription(const char *edit, const char *spin)
{
    FieldDescription desc;
    desc.edit = QLatin1String(edit);
    desc.spin = QLatin1String(spin);
    desc.kind = FieldKind::Whole;
    desc.lower = 0;
    desc.upper = 255;
    desc.rangeText = QStringLiteral("(0 - 255)");
    desc.maxLength = 4;
    desc.outOfBoundsMessage = QStringLiteral("Error! Bridge Threshold value out of bounds! (0 - 255)");
    desc.notValidNoun = QStringLiteral("Bridge Threshold value");
    desc.repeatMs = 120;
    // Empty until the user types a value or a refill finds one; an empty
    // field steps from 16.
    desc.emptyValue = 16;
    // The BRTHRS sender decides by its own rule whether the value goes out.
    desc.deviceSetting = false;
    return desc;
}

}  // namespace tess
