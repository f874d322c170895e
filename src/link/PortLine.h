#pragma once

#include "link/SerialPort.h"

#include <QSet>
#include <QString>

namespace tess {

class Dialogs;
class LinkHost;

// The serial port the link runs on, as a line that can be lost: whether the
// system closed the port under the link (the device went away, the adapter
// was pulled), opening it again, and what the user is told and asked when
// it cannot be opened. The link's exchanges and probes run on it.
class PortLine {
public:
    PortLine(SerialPort &port, Dialogs &dialogs, LinkHost &host);

    // Whether the port reported a failure since it was last opened.
    bool lost() const { return lost_; }
    // The port reported a failure.
    void markLost() { lost_ = true; }
    // Closes the port on purpose (disconnecting, a search that found
    // nothing): no line is lost.
    void close();

    // Opens a port the system closed again; while it cannot be, asks
    // whether to keep trying. False when the port stays closed.
    bool reopen();
    // Before a probe of port `number`: opens it afresh when it is closed or
    // its line failed, and says why when it cannot be opened. False when the
    // port stays closed.
    bool openForProbe(int number);
    // After a failed probe of the port in use: asks whether to try again,
    // naming a port that went away. False when the user chose to end.
    bool askRetryProbe();
    // Names a port that went away, for the status line and the boxes.
    QString goneText() const;

    // What the search says when port n cannot be opened.
    static QString openFailureMessage(int number, const SerialPort::OpenResult &opened);
    // Searches (nested as they may be) begin and end: while one runs, a
    // port whose opening is refused for want of permission is reported once.
    void beginSearch();
    void endSearch();

private:
    SerialPort &port_;
    Dialogs &dialogs_;
    LinkHost &host_;
    bool lost_ = false;
    bool givenUp_ = false;  // the user gave up a port that went away
    int searchScopes_ = 0;
    QSet<int> permissionReported_;  // within the running search
};

}  // namespace tess
