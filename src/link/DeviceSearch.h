#pragma once

#include "link/SerialPort.h"

#include <QObject>

namespace tess {

class Link;
class SearchHost;

// Finding the units: the search over COM1 and COM2, the two connection
// modes with their port settings, the units behind the controller and
// their RS-485 IDs, the check of the planned projector count against the
// connection, and disconnecting. The Serial Port menu's handlers call in.
class DeviceSearch : public QObject {
    Q_OBJECT
public:
    DeviceSearch(Link &link, SearchHost &host);

    // While true, choosing a connection mode also chooses its baud rate
    // (38400 direct, 57600 through the controller).
    bool BaudFollowsMode = true;
    // What the controller reported last (kept, not used elsewhere).
    int ControllerUnitCount = 0;
    int ControllerUnitIds[2] = {0, 0};

    // The connection-mode box was ticked (through the controller) or not.
    void RS485CheckBoxClick(bool ticked);
    void BaudComboBoxChange();
    int ConnectToPorts();
    int CountUnits();
    // Whether the connection can serve a wall of `projectorsRequired`
    // projectors with the count list at `countSelection` (0 = "1 Projector").
    bool CheckUnitsForProjectorCount(int projectorsRequired, int countSelection);

    void SearchAllClick();
    void QuorexconnectedthruController1Click();
    void QuorexconnectedtoSerialPortdirectly1Click();
    void DisconnectSerialCo1Click();
    void Defaultvalues1Click();
    // "9600", "19200", "38400", "57600".
    void chooseFixedBaud(int baud);
    // "None", "Odd", "Even", "Mark", "Space".
    void chooseParity(SerialPort::Parity parity);

    static const QString TwoUnitsInstructions;

private:
    void applyMode(bool controller);

    Link &link_;
    SearchHost &host_;
};

}  // namespace tess
