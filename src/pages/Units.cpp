#include "pages/Units.h"

#include "device/StatusQueries.h"
#include "link/DeviceSearch.h"
#include "link/Link.h"

namespace tess {

bool Units::controllerMode() const
{
    return link_.ControllerMode;
}

int Units::CountUnits()
{
    return search_.CountUnits();
}

bool Units::CheckUnitsForProjectorCount(int projectorsRequired, int countSelection)
{
    return search_.CheckUnitsForProjectorCount(projectorsRequired, countSelection);
}

int Units::ReadAllStatus(int unit)
{
    return queries_.ReadAllStatus(unit);
}

}  // namespace tess
