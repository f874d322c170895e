#pragma once

#include <QObject>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace tess {

// The Information page's controls that the connection uses: the "RS-232"
// group with the port number, the baud list and the RS-485 IDs of the two
// units, and the invisible "Hardware Setup" group whose check box holds the
// connection mode.
class ConnectionControls : public QObject {
    Q_OBJECT
public:
    explicit ConnectionControls(QWidget *page);

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

private:
    QGroupBox *rs232Group_ = nullptr;
    QGroupBox *hardwareSetupGroup_ = nullptr;
    QGridLayout *grid_ = nullptr;
};

}  // namespace tess
