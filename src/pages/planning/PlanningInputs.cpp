#include "pages/planning/PlanningInputs.h"

#include "device/DeviceHost.h"
#include "model/NumberFormat.h"
#include "model/WindowState.h"
#include "pages/PageContext.h"
#include "pages/Units.h"
#include "pages/planning/PlanningControls.h"
#include "platform/Dialogs.h"

#include <QLineEdit>
#include <cmath>

namespace tess::planning {
namespace {

// The horizontal and vertical output sizes, each stored in the planning
// state once it is a number.
bool readOutputSizes(PageContext &context, const PlanningControls &c)
{
    PlanningState &p = context.planning;
    struct Size {
        QLineEdit *edit;
        double &stored;
        const char *name;
    };
    for (const Size &size : {Size{c.HorizontalOutEdit, p.OutputSizeH, "Horizontal"},
                             Size{c.VerticalOutEdit, p.OutputSizeV, "Vertical"}}) {
        const QString text = size.edit->text();
        const std::optional<double> value = parseReal(text);
        const QString noun = QLatin1String(size.name) + QStringLiteral(" Output Screen Size value");
        if (!value) {
            showError(context, QStringLiteral("Error! '") + text + QStringLiteral("' is not a valid ") + noun + u'.');
            size.edit->setFocus(Qt::OtherFocusReason);
            return false;
        }
        // Stored before it is checked: a rejected size stays until the next
        // Calculate.
        size.stored = *value;
        if (!(*value > 0)) {
            showError(context, QStringLiteral("Error! ") + noun + QStringLiteral(" must be greater than 0."));
            size.edit->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    if (!std::isfinite(p.OutputSizeH / p.OutputSizeV)) {
        // Sizes of good numbers whose ratio overflows: a wall no count of
        // projectors covers.
        showError(context,
                  QStringLiteral("Error! Minimum # of screen calculated is greater than 8. Please enter valid "
                                 "Horizontal/Vertical Output Size and Projector Resolution."));
        c.HorizontalOutEdit->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

// The units the controller counts (one without it), and the status of the
// first two.
bool readUnitsStatus(PageContext &context)
{
    WindowState &state = context.state;
    if (context.units.controllerMode()) {
        state.UnitCount = context.units.CountUnits();
        if (state.UnitCount < 1) {
            showError(context,
                      QStringLiteral("Quorex not detected by Controller.\n(1)Check cables.\n(2)Make sure the Quorex "
                                     "has booted up completely and reboot the Controller."));
            return false;
        }
    } else {
        state.UnitCount = 1;
    }
    for (int unit = 1; unit <= std::min(state.UnitCount, 2); ++unit) {
        const int result = context.units.ReadAllStatus(unit);
        if (result < 1) {
            showError(
                context,
                QStringLiteral("Quorex %1 communication error! Please check Serial connections and try again (%2)")
                    .arg(unit)
                    .arg(result));
            context.device.setStatusText(QString());
            context.device.setBusyCursor(false);
            return false;
        }
    }
    return true;
}

}  // namespace

void showError(PageContext &context, const QString &text)
{
    context.state.LastErrorText = text;
    context.dialogs.showMessage(text);
}

bool readCalculationInputs(PageContext &context, const PlanningControls &controls)
{
    if (!readOutputSizes(context, controls))
        return false;
    return !context.deviceConnected() || readUnitsStatus(context);
}

}  // namespace tess::planning
