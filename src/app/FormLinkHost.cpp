#include "app/FormLinkHost.h"

#include "app/TInfoForm.h"
#include "app/TTessalineForm.h"
#include "pages/info/ConnectionControls.h"
#include "pages/info/InfoPage.h"
#include "pages/planning/PlanningPage.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>

namespace tess {
namespace {

ConnectionControls &controls(TTessalineForm &form) { return *form.InfoTabSheet->connection(); }

}  // namespace

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

bool FormLinkHost::controllerMode() const { return controls(form_).RS485CheckBox->isChecked(); }

void FormLinkHost::setLineMonitoring(bool)
{
    // The Information page's line lights follow the port once they exist.
}

void FormLinkHost::setControllerModeBox(bool ticked)
{
    QCheckBox *box = controls(form_).RS485CheckBox;
    const QSignalBlocker quiet(box);
    box->setChecked(ticked);
}

int FormLinkHost::baudSelection() const { return controls(form_).BaudComboBox->currentIndex(); }

void FormLinkHost::setBaudSelection(int index) { selectQuietly(controls(form_).BaudComboBox, index); }

void FormLinkHost::setComNumberText(const QString &text) { controls(form_).ComNumberLabel->setText(text); }

void FormLinkHost::showUnitId(int unit, int id)
{
    QLineEdit *edit = controls(form_).idEdit(unit);
    edit->setText(QString::number(id));
    edit->setVisible(true);
}

void FormLinkHost::hideUnitIds()
{
    controls(form_).QuorexID1Edit->setVisible(false);
    controls(form_).QuorexID2Edit->setVisible(false);
}

int FormLinkHost::unitId(int unit) const
{
    // Read afresh each time; a text that is not a number addresses 0.
    return controls(form_).idEdit(unit)->text().trimmed().toInt();
}

void FormLinkHost::setConnectedMenusEnabled(bool enabled)
{
    for (const char *name : {"ReadfromQuorexs1", "SendCurrentSettingstoQuorexs1"}) {
        if (auto *action = form_.findChild<QAction *>(QLatin1String(name)))
            action->setEnabled(enabled);
    }
}

int FormLinkHost::projectorsRequired() const { return int(form_.planning().ProjectorsRequired); }

int FormLinkHost::projectorCountSelection() const
{
    return form_.PlanningTabSheet->NumOfScreenComboBox->currentIndex();
}

void FormLinkHost::readAllFromUnits() { form_.ReadfromQuorexs1Click(); }

void FormLinkHost::pageControlChanged() { form_.PhasePageControlChange(); }

void FormLinkHost::setSettingsReadFromUnits(bool read) { form_.state().SettingsReadFromUnits = read; }

bool FormLinkHost::suppressSend() const { return form_.state().SuppressSend; }

void FormLinkHost::setSuppressSend(bool on) { form_.state().SuppressSend = on; }

void FormLinkHost::SyncDisplaySetup() { form_.SyncDisplaySetup(); }

void FormLinkHost::SyncSourceSetup() { form_.SyncSourceSetup(); }

void FormLinkHost::SyncSeamRemoval() { form_.SyncSeamRemoval(); }

void FormLinkHost::SyncColourBalance(int channel) { form_.SyncColourBalance(channel); }

int FormLinkHost::selectedSourceChannel() const
{
    // Channel 1 is selected until the Source Setup page has its channel
    // selection.
    return 1;
}

void FormLinkHost::setInfoText(const QString &text) { form_.infoForm().InfoLabel->setText(text); }

void FormLinkHost::setInfoProgressText(const QString &text) { form_.infoForm().InfoProgressLabel->setText(text); }

void FormLinkHost::showInfoForm() { form_.infoForm().show(); }

void FormLinkHost::hideInfoForm() { form_.infoForm().hide(); }

void FormLinkHost::setVersion1Text(const QString &text)
{
    if (auto *label = form_.findChild<QLabel *>(QStringLiteral("Version1Label")))
        label->setText(text);
}

void FormLinkHost::setOutputFormatSize(int width, int height)
{
    form_.state().OutputFormatWidth = width;
    form_.state().OutputFormatHeight = height;
}

}  // namespace tess
