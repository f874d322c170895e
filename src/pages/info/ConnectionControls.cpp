#include "pages/info/ConnectionControls.h"

#include "device/UnitIds.h"
#include "pages/TabPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace tess {
namespace {

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setEnabled(false);
    return label;
}

}  // namespace

ConnectionControls::ConnectionControls(QWidget *page, UnitIds &ids) : QObject(page)
{
    rs232Group_ = new QGroupBox(QStringLiteral("RS-232"), page);
    rs232Group_->setObjectName(QStringLiteral("RS232GroupBox"));
    auto *grid = new QGridLayout(rs232Group_);

    ComNumberLabel = new QLabel(QStringLiteral("None"), rs232Group_);
    ComNumberLabel->setObjectName(QStringLiteral("ComNumberLabel"));
    BaudComboBox = new QComboBox(rs232Group_);
    BaudComboBox->setObjectName(QStringLiteral("BaudComboBox"));
    BaudComboBox->addItems({QStringLiteral("38400"), QStringLiteral("57600")});
    BaudComboBox->setEnabled(false);  // follows the menu, never the user

    // Row 0 holds the line lights.
    grid->addWidget(caption(QStringLiteral("COM:"), rs232Group_), 1, 0);
    grid->addWidget(ComNumberLabel, 1, 1);
    grid->addWidget(caption(QStringLiteral("Baud:"), rs232Group_), 2, 0);
    grid->addWidget(BaudComboBox, 2, 1);

    // The IDs are filled from the controller's answer; the user reads them
    // but cannot change them.
    for (int unit = 1; unit <= 2; ++unit) {
        auto *edit = new QLineEdit(QString::number(unit), rs232Group_);
        edit->setObjectName(QStringLiteral("QuorexID%1Edit").arg(unit));
        edit->setEnabled(false);
        edit->setVisible(false);
        edit->setMaximumWidth(40);
        grid->addWidget(caption(QStringLiteral("Quorex %1 RS-485 ID:").arg(unit), rs232Group_), 2 + unit, 0);
        grid->addWidget(edit, 2 + unit, 1);
        (unit == 1 ? QuorexID1Edit : QuorexID2Edit) = edit;
        // The senders address the units with what the fields hold.
        ids.setText(unit, edit->text());
        connect(edit, &QLineEdit::textChanged, this, [&ids, unit](const QString &text) { ids.setText(unit, text); });
    }

    grid_ = grid;
    grid->setVerticalSpacing(2);

    hardwareSetupGroup_ = new QGroupBox(QStringLiteral("Hardware Setup"), page);
    hardwareSetupGroup_->setObjectName(QStringLiteral("HardwareSetupGroupBox"));
    RS485CheckBox =
        new QCheckBox(QStringLiteral("Using VKS Controllers to communicate with Quorex"), hardwareSetupGroup_);
    RS485CheckBox->setObjectName(QStringLiteral("RS485CheckBox"));
    auto *box = new QGridLayout(hardwareSetupGroup_);
    box->addWidget(RS485CheckBox, 0, 0);
    hardwareSetupGroup_->setVisible(false);  // the menu sets the mode, the user never sees it
}

}  // namespace tess

namespace tess {

void ConnectionControls::addLights(QWidget *lights)
{
    grid_->addWidget(lights, 0, 0, 1, 2, Qt::AlignLeft);
}

void ConnectionControls::setControllerModeBox(bool ticked)
{
    const QSignalBlocker quiet(RS485CheckBox);
    RS485CheckBox->setChecked(ticked);
}

int ConnectionControls::baudSelection() const
{
    return BaudComboBox->currentIndex();
}

void ConnectionControls::setBaudSelection(int index)
{
    selectQuietly(BaudComboBox, index);
}

void ConnectionControls::setComNumberText(const QString &text)
{
    ComNumberLabel->setText(text);
}

void ConnectionControls::showUnitId(int unit, int id)
{
    QLineEdit *edit = idEdit(unit);
    edit->setText(QString::number(id));
    edit->setVisible(true);
}

void ConnectionControls::hideUnitIds()
{
    QuorexID1Edit->setVisible(false);
    QuorexID2Edit->setVisible(false);
}

int ConnectionControls::unitId(int unit) const
{
    // Read afresh each time.
    return idEdit(unit)->text().trimmed().toInt();
}

}  // namespace tess

#include "moc_ConnectionControls.cpp"
