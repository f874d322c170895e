#include "app/FormLinkHost.h"

#include "app/TInfoForm.h"
#include "app/TTessalineForm.h"
#include "pages/info/InfoPage.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QLabel>

namespace tess {
namespace {

bool busyCursorOn()
{
    const QCursor *cursor = QApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}

void showBusyCursor(bool busy)
{
    if (busy) {
        if (!busyCursorOn())
            QApplication::setOverrideCursor(Qt::WaitCursor);
        return;
    }
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

}  // namespace

void FormLinkHost::setStatusText(const QString &text)
{
    form_.setStatusText(text);
}

void FormLinkHost::setPagesEnabled(bool enabled)
{
    form_.setPagesEnabled(enabled);
}

bool FormLinkHost::busyCursorShown() const
{
    return busyCursorOn();
}

void FormLinkHost::setBusyCursor(bool busy)
{
    showBusyCursor(busy);
}

int FormLinkHost::handlerBusy() const
{
    return form_.state().HandlerBusy;
}

void FormLinkHost::setHandlerBusy(int value)
{
    form_.state().HandlerBusy = value;
}

ConnectionView &FormLinkHost::connection()
{
    return form_.pages().info().connection();
}

void FormLinkHost::setConnectedMenusEnabled(bool enabled)
{
    for (const char *name : {"ReadfromQuorexs1", "SendCurrentSettingstoQuorexs1"})
        form_.menuItem(name)->setEnabled(enabled);
}

int FormLinkHost::projectorsRequired() const
{
    return int(form_.planning().ProjectorsRequired);
}

int FormLinkHost::projectorCountSelection() const
{
    return form_.wall().projectors() - 1;
}

void FormLinkHost::readAllFromUnits()
{
    form_.ReadfromQuorexs1Click();
}

void FormLinkHost::pageControlChanged()
{
    form_.PhasePageControlChange();
}

void FormLinkHost::setSettingsReadFromUnits(bool read)
{
    form_.state().SettingsReadFromUnits = read;
}

void FormDeviceHost::setStatusText(const QString &text)
{
    form_.setStatusText(text);
}

void FormDeviceHost::setBusyCursor(bool busy)
{
    showBusyCursor(busy);
}

void FormDeviceHost::setInfoText(const QString &text)
{
    form_.infoForm().InfoLabel->setText(text);
}

void FormDeviceHost::setInfoProgressText(const QString &text)
{
    form_.infoForm().InfoProgressLabel->setText(text);
}

void FormDeviceHost::showInfoForm()
{
    form_.infoForm().show();
}

void FormDeviceHost::hideInfoForm()
{
    form_.infoForm().hide();
}

void FormDeviceHost::setVersion1Text(const QString &text)
{
    form_.pages().info().setVersion1Text(text);
}

void FormDeviceHost::setUnitsDetected(int count)
{
    form_.pages().info().setUnitsDetected(count);
}

void FormDeviceHost::setOutputFormatSize(int width, int height)
{
    form_.state().OutputFormatWidth = width;
    form_.state().OutputFormatHeight = height;
}

void FormDeviceHost::setSettingsReadFromUnits(bool read)
{
    form_.state().SettingsReadFromUnits = read;
}

}  // namespace tess
