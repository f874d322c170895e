#include "app/FormLinkHost.h"

#include "app/TInfoForm.h"
#include "app/TTessalineForm.h"
#include "device/StatusQueries.h"
#include "link/DeviceSearch.h"
#include "link/Link.h"
#include "pages/info/InfoPage.h"
#include "pages/planning/PlanningPage.h"
#include "pages/source/SourceSetupPage.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QLabel>

namespace tess {

void FormLinkHost::setStatusText(const QString &text) { form_.setStatusText(text); }

void FormLinkHost::setPagesEnabled(bool enabled) { form_.setPagesEnabled(enabled); }

bool FormLinkHost::busyCursorShown() const
{
    const QCursor *cursor = QApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}

void FormLinkHost::setBusyCursor(bool busy)
{
    if (busy) {
        if (!busyCursorShown())
            QApplication::setOverrideCursor(Qt::WaitCursor);
        return;
    }
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

int FormLinkHost::handlerBusy() const { return form_.state().HandlerBusy; }

void FormLinkHost::setHandlerBusy(int value) { form_.state().HandlerBusy = value; }

void FormLinkHost::setLineMonitoring(bool on) { form_.pages().info().setLineMonitoring(on); }

void FormLinkHost::setControllerModeBox(bool ticked) { form_.pages().info().showControllerMode(ticked); }

int FormLinkHost::baudSelection() const { return form_.pages().info().baudSelection(); }

void FormLinkHost::setBaudSelection(int index) { form_.pages().info().setBaudSelection(index); }

void FormLinkHost::setComNumberText(const QString &text) { form_.pages().info().setComNumberText(text); }

void FormLinkHost::showUnitId(int unit, int id) { form_.pages().info().showUnitId(unit, id); }

void FormLinkHost::hideUnitIds() { form_.pages().info().hideUnitIds(); }

int FormLinkHost::unitId(int unit) const { return form_.pages().info().unitId(unit); }

void FormLinkHost::setConnectedMenusEnabled(bool enabled)
{
    for (const char *name : {"ReadfromQuorexs1", "SendCurrentSettingstoQuorexs1"})
        form_.menuItem(name)->setEnabled(enabled);
}

int FormLinkHost::projectorsRequired() const { return int(form_.planning().ProjectorsRequired); }

int FormLinkHost::projectorCountSelection() const { return form_.wall().projectors() - 1; }

void FormLinkHost::readAllFromUnits() { form_.ReadfromQuorexs1Click(); }

void FormLinkHost::pageControlChanged() { form_.PhasePageControlChange(); }

void FormLinkHost::setSettingsReadFromUnits(bool read) { form_.state().SettingsReadFromUnits = read; }

int FormLinkHost::selectedSourceChannel() const { return form_.pages().sourceSetup().selectedChannel(); }

void FormLinkHost::setInfoText(const QString &text) { form_.infoForm().InfoLabel->setText(text); }

void FormLinkHost::setInfoProgressText(const QString &text) { form_.infoForm().InfoProgressLabel->setText(text); }

void FormLinkHost::showInfoForm() { form_.infoForm().show(); }

void FormLinkHost::hideInfoForm() { form_.infoForm().hide(); }

void FormLinkHost::setVersion1Text(const QString &text) { form_.pages().info().setVersion1Text(text); }

void FormLinkHost::setUnitsDetected(int count) { form_.pages().info().setUnitsDetected(count); }

void FormLinkHost::setOutputFormatSize(int width, int height)
{
    form_.state().OutputFormatWidth = width;
    form_.state().OutputFormatHeight = height;
}

}  // namespace tess
