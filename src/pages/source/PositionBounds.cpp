#include "pages/source/PositionBounds.h"

#include "model/SettingsModel.h"

namespace tess {

PositionBounds positionBounds(const InputRecord &record)
{
    PositionBounds bounds;
    const long long hRef = record.HPositionRef;
    bounds.HPositionHigh = hRef + 128;
    const long long limit =
        record.HPositionMax == -1 ? (long long)record.HTotal - record.HActive - 2 : (long long)record.HPositionMax;
    if (limit <= bounds.HPositionHigh)
        bounds.HPositionHigh = limit - 1;
    bounds.HPositionLow = hRef - 128;
    const long long vRef = record.VPositionRef;
    bounds.VPositionHigh = vRef + 16;
    if (record.VPositionMax != -1 && record.VPositionMax <= bounds.VPositionHigh)
        bounds.VPositionHigh = (long long)record.VPositionMax - 1;
    bounds.VPositionLow = vRef - 16;
    return bounds;
}

}  // namespace tess
