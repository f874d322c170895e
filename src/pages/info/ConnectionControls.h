#pragma once

#include "link/LinkHost.h"

#include <QObject>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace tess {

class UnitIds;

// The Information page's controls that the connection uses: the "RS-232"
// group with the port number, the baud list and the RS-485 IDs of the two
// units, and the invisible "Hardware Setup" group whose check box holds the
// connection mode. The search sets them up; `ids` follows the ID fields.
class ConnectionControls final : public QObject, public ConnectionView {
    Q_OBJECT
public:
    ConnectionControls(QWidget *page, UnitIds &ids);

    QGroupBox *rs232Group() const { return rs232Group_; }
    QGroupBox *hardwareSetupGroup() const { return hardwareSetupGroup_; }

    QCheckBox *RS485CheckBox = nullptr;
    QComboBox *BaudComboBox = nullptr;
    QLabel *ComNumberLabel = nullptr;
    QLineEdit *QuorexID1Edit = nullptr;
    QLineEdit *QuorexID2Edit = nullptr;

    // The line lights, in the group's first row.
    void addLights(QWidget *lights);

    QLineEdit *idEdit(int unit) const { return unit == 2 ? QuorexID2Edit : QuorexID1Edit; }

    // The connection as the search sets it up: the mode box (shown without
    // running its handler), the baud list (0 = "38400", 1 = "57600", -1
    // none), the port a unit was found on, and the RS-485 IDs (a text that
    // is no number reads as 0).
    void setControllerModeBox(bool ticked) override;
    int baudSelection() const override;
    void setBaudSelection(int index) override;
    void setComNumberText(const QString &text) override;
    void showUnitId(int unit, int id) override;
    void hideUnitIds() override;
    int unitId(int unit) const override;

private:
    QGroupBox *rs232Group_ = nullptr;
    QGroupBox *hardwareSetupGroup_ = nullptr;
    QGridLayout *grid_ = nullptr;
};

}  // namespace tess
