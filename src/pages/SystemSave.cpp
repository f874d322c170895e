#include "pages/SystemSave.h"

#include "device/Commands.h"
#include "fields/FieldEnv.h"
#include "pages/PageContext.h"
#include "pages/Wall.h"

namespace tess {

void SystemSave(PageContext &context)
{
    const HandlerBusyScope busy(context.state);
    if (!busy)
        return;
    if (context.state.SuppressSend || !context.deviceConnected())
        return;
    context.commands.SYSAVE(1);
    if (context.wall.unitsInUse() > 1)
        context.commands.SYSAVE(2);
}

}  // namespace tess
