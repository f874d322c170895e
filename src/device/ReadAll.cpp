#include "device/ReadAll.h"

#include "device/DeviceHost.h"
#include "device/Refills.h"
#include "device/StatusQueries.h"
#include "link/DeviceSearch.h"
#include "link/Link.h"
#include "model/WindowState.h"
#include "platform/Dialogs.h"

namespace tess {

ReadAll::ReadAll(Link &link, DeviceSearch &search, StatusQueries &queries, WindowState &state, DeviceHost &host,
                 const Refills &refills, Dialogs &dialogs)
    : link_(link), search_(search), queries_(queries), state_(state), host_(host), refills_(refills),
      dialogs_(dialogs)
{
}

void ReadAll::end()
{
    host_.setBusyCursor(false);
    host_.setStatusText(QString());
}

bool ReadAll::ReadfromQuorexs1Click()
{
    host_.setStatusText(QStringLiteral("Querying Quorex(s). Please wait...."));
    host_.setBusyCursor(true);
    if (link_.ControllerMode) {
        state_.UnitCount = search_.CountUnits();
        if (state_.UnitCount < 1) {
            dialogs_.showMessage(
                QStringLiteral("Quorex not detected by Controller.\n(1)Check cables.\n(2)Make sure the Quorex has "
                               "booted up completely and reboot the Controller."));
            end();
            return false;
        }
    } else {
        state_.UnitCount = 1;
    }
    host_.setUnitsDetected(state_.UnitCount);

    for (int unit = 1; unit <= (state_.UnitCount == 2 ? 2 : 1); ++unit) {
        const int read = queries_.ReadAllStatus(unit);
        if (read <= 0) {
            dialogs_.showMessage((unit == 1 ? QStringLiteral("Quorex communication error! ")
                                            : QStringLiteral("Quorex 2 communication error! "))
                                 + QStringLiteral("Please check Serial connections and try again (%1)").arg(read));
            end();
            return false;
        }
    }

    // The window follows what the units hold.
    const SuppressSendScope quiet(state_);
    RefillWholeWindow(refills_);
    end();
    return true;
}

}  // namespace tess
