#include "link/PortLine.h"

#include "link/LinkHost.h"
#include "platform/Dialogs.h"

namespace tess {
namespace {

const QString kComPortErrorCaption = QStringLiteral("COM Port error");
const QString kComPortError = QStringLiteral(
    "Error! COM Port communication with Quorex has failed. Please check the RS-232 cable. Click OK to retry. Click "
    "Cancel to exit application.");

}  // namespace

PortLine::PortLine(SerialPort &port, Dialogs &dialogs, LinkHost &host) : port_(port), dialogs_(dialogs), host_(host)
{
}

void PortLine::close()
{
    port_.close();
    lost_ = false;
    givenUp_ = false;
}

bool PortLine::reopen()
{
    if (!lost_)
        return true;
    for (;;) {
        port_.close();
        if (port_.portExists(port_.portNumber()) && port_.open().ok()) {
            lost_ = false;
            givenUp_ = false;
            return true;
        }
        // Once the user has given the port up, the exchanges that follow
        // end at once, until it is opened again (a search, a send that
        // finds it back).
        if (givenUp_)
            return false;
        if (!dialogs_.askYesNo(
                kComPortErrorCaption,
                QStringLiteral("Error! %1 It cannot be opened again. Please check the RS-232 connection.\nClick Yes "
                               "to try again. Click No to give up: Tessaline keeps its settings, but this exchange "
                               "does not reach the Quorex(s); once the port is back, go to 'Serial Port->Search "
                               "for Quorex(s)->Search'.")
                    .arg(goneText()))) {
            givenUp_ = true;
            return false;
        }
    }
}

bool PortLine::openForProbe(int number)
{
    if (port_.isOpen() && !lost_)
        return true;
    // A port whose line failed is opened afresh.
    port_.close();
    const SerialPort::OpenResult opened = port_.open();
    if (!opened.ok()) {
        if (opened.kind != SerialPort::OpenResult::Kind::PermissionDenied) {
            dialogs_.showMessage(openFailureMessage(number, opened));
        } else if (searchScopes_ == 0 || !permissionReported_.contains(number)) {
            // Not another application: this user may not open the device.
            if (searchScopes_ > 0)
                permissionReported_.insert(number);
            dialogs_.showMessage(openFailureMessage(number, opened));
        }
        return false;
    }
    lost_ = false;
    givenUp_ = false;
    return true;
}

bool PortLine::askRetryProbe()
{
    // A port that went away is named, so that the user looks at the cable
    // and the adapter rather than at the unit.
    const bool gone = lost_ || !port_.portExists(port_.portNumber());
    if (gone)
        host_.setStatusText(goneText());
    return dialogs_.askOkCancel(kComPortErrorCaption,
                                gone ? kComPortError + QStringLiteral("\n\n") + goneText() : kComPortError);
}

QString PortLine::goneText() const
{
    const QString device = port_.deviceName();
    return QStringLiteral("COM Port #%1%2 is gone: the system closed it (cable or adapter unplugged?).")
        .arg(port_.portNumber())
        .arg(device.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(device));
}

QString PortLine::openFailureMessage(int number, const SerialPort::OpenResult &opened)
{
    const QString prefix = QStringLiteral("Note: COM Port #") + QString::number(number);
    if (opened.kind != SerialPort::OpenResult::Kind::PermissionDenied)
        return prefix + QStringLiteral(" is not responding/being used by another application.");
    return prefix
           + QStringLiteral(
                 " cannot be opened: permission to open %1 was denied. Add your user to the 'dialout' "
                 "group (sudo usermod -aG dialout $USER), then log out and in again.")
                 .arg(opened.detail.isEmpty() ? QStringLiteral("the device") : opened.detail);
}

void PortLine::beginSearch()
{
    if (searchScopes_++ == 0)
        permissionReported_.clear();
}

void PortLine::endSearch()
{
    --searchScopes_;
}

}  // namespace tess
