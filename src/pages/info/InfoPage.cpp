#include "pages/info/InfoPage.h"

#include "device/Refills.h"
#include "pages/PageContext.h"
#include "pages/info/ConnectionControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace tess {

InfoPage::InfoPage(PageContext &context, QWidget *parent) : TabPage("InfoTabSheet", QStringLiteral("Information"), parent)
{
    connection_ = new ConnectionControls(this);
    connection_->rs232Group()->setGeometry(576, 330, 312, 150);
    connect(connection_->RS485CheckBox, &QCheckBox::clicked, this, &InfoPage::connectionModeClicked);
    context.refills.provide(Refill::ScreenInfo, [this](int) { ScreenInfoComboBoxChange(); });
}

// The reset and system save buttons, the terminal view, the status labels
// and the screen list come with the page's own work; until then these
// change nothing.
void InfoPage::setLinkControlsEnabled(bool) {}

void InfoPage::focusTerminal() {}

void InfoPage::ScreenInfoComboBoxChange() {}

void InfoPage::setVersion1Text(const QString &) {}

void InfoPage::setUnitsDetected(int) {}

void InfoPage::selectStartItems()
{
    selectQuietly(connection_->BaudComboBox, 0);
}

void InfoPage::showControllerMode(bool controller)
{
    const QSignalBlocker quiet(connection_->RS485CheckBox);
    connection_->RS485CheckBox->setChecked(controller);
}

int InfoPage::baudSelection() const
{
    return connection_->BaudComboBox->currentIndex();
}

void InfoPage::setBaudSelection(int index)
{
    selectQuietly(connection_->BaudComboBox, index);
}

void InfoPage::setComNumberText(const QString &text)
{
    connection_->ComNumberLabel->setText(text);
}

void InfoPage::showUnitId(int unit, int id)
{
    QLineEdit *edit = connection_->idEdit(unit);
    edit->setText(QString::number(id));
    edit->setVisible(true);
}

void InfoPage::hideUnitIds()
{
    connection_->QuorexID1Edit->setVisible(false);
    connection_->QuorexID2Edit->setVisible(false);
}

int InfoPage::unitId(int unit) const
{
    // Read afresh each time.
    return connection_->idEdit(unit)->text().trimmed().toInt();
}

}  // namespace tess
