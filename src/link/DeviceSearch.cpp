#include "link/DeviceSearch.h"

#include "link/Link.h"
#include "link/LinkHost.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

#include <cctype>
#include <cstdio>

namespace tess {
namespace {

const QString kConnectCaption = QStringLiteral("VKS - Tessaline :Establish COM port communication with Quorex(s)");
const QString kQueryCaption = QStringLiteral("Tessaline - Query Quorex settings verification");

// A search's "not detected" message, followed by why a port the user set
// up could not be used at all.
QString withPortProblems(const SerialPort &port, QString text)
{
    for (int number : {1, 2}) {
        const QString problem = port.portProblem(number);
        if (!problem.isEmpty())
            text += QStringLiteral("\n\n") + problem;
    }
    return text;
}

}  // namespace

const QString DeviceSearch::TwoUnitsInstructions = QStringLiteral(
    "For Tessaline to control 2 Quorexs:\n1)Connect PC's COM Port to VKS Controller's 'Console' port\n2)Connect "
    "Quorexs to Panorel Plus chassis(to ports labelled 'Panorel')\n3)Set Quorex Serial Mode to RS485 and set "
    "RS485 ID to next available #.\n4)Reboot VKS Controller and verify that it detects Quorexs (QX:#)");

DeviceSearch::DeviceSearch(Link &link, SearchHost &host) : link_(link), host_(host) {}

void DeviceSearch::RS485CheckBoxClick(bool ticked)
{
    link_.ControllerMode = ticked;
    if (ticked) {
        if (BaudFollowsMode)
            host_.connection().setBaudSelection(1);
        link_.PromptChar = '>';
        link_.port().setHardwareFlowControl(true);
    } else {
        if (BaudFollowsMode)
            host_.connection().setBaudSelection(0);
        link_.PromptChar = '#';
        link_.port().setHardwareFlowControl(false);
    }
    BaudComboBoxChange();
}

void DeviceSearch::BaudComboBoxChange()
{
    switch (host_.connection().baudSelection()) {
    case 0:
        link_.port().setBaudRate(38400);
        break;
    case 1:
        link_.port().setBaudRate(57600);
        break;
    default:
        break;  // no selection: the rate stays
    }
}

void DeviceSearch::applyMode(bool controller)
{
    host_.connection().setControllerModeBox(controller);
    RS485CheckBoxClick(controller);
}

int DeviceSearch::ConnectToPorts()
{
    host_.setPagesEnabled(false);
    host_.setBusyCursor(true);
    link_.PromptWaitTicks = 10;

    int found = 0;
    if (link_.TryPort(1))
        found = 1;
    else if (link_.TryPort(2))
        found = 2;

    int result = -1;
    if (found) {
        host_.setStatusText(QStringLiteral("Established communication with Quorex on Com ") + QString::number(found));
        host_.connection().setComNumberText(QString::number(found));
        result = 1;
    } else {
        link_.closePort();
    }

    link_.PromptWaitTicks = Link::DefaultPromptWaitTicks;
    host_.setBusyCursor(false);
    host_.setPagesEnabled(true);
    return result;
}

namespace {

// The controller answers the count in its own kind of text: printable
// characters, blanks (spaces or tabs) between the numbers, and line ends.
// Anything else is noise on the line, and a digit in noise is no count.
bool plainText(const char *reply)
{
    for (const char *c = reply; *c; ++c) {
        const auto b = static_cast<unsigned char>(*c);
        if ((b < 0x20 || b > 0x7e) && b != '\t' && b != '\r' && b != '\n')
            return false;
    }
    return true;
}

}  // namespace

int DeviceSearch::CountUnits()
{
    // The controller may keep refusing or answer through noise: it is asked
    // again, and after every few failures the user decides whether to go on.
    int failures = 0;
    for (;;) {
        link_.formatCommand("NQX\r");
        link_.setMinReplyLength(2);
        link_.AwaitQueryReply();
        if (link_.ExchangeFailed) {
            // A refusal is asked again, and so is a reply garbled past the
            // reply buffer's end: it is noise too.
            const bool again = (link_.ControllerMode && link_.ControllerError) || link_.lastReplyRejected();
            if (!again || !link_.port().isOpen())
                return 0;
        } else if (plainText(link_.reply().constData()) || !link_.port().isOpen()) {
            break;
        }
        if (++failures % Link::TimeoutsBeforeAsking == 0 && !link_.askKeepTrying())
            return 0;
    }

    const QByteArray text = link_.reply();
    const char *reply = text.constData();
    int start = -1;
    for (int i = 0; i < 30 && reply[i]; ++i) {
        if (std::isdigit(static_cast<unsigned char>(reply[i]))) {
            start = i;
            break;
        }
    }
    if (start < 0) {
        host_.setStatusText(QStringLiteral("Error detecting # of Quorex(s) from Controller"));
        return 0;
    }

    int count = 0;
    int ids[2] = {0, 0};
    const int read = std::sscanf(reply + start, "%d %d %d", &count, &ids[0], &ids[1]);
    ControllerUnitCount = count;
    if (count <= 0) {
        link_.dialogs().showMessage(
            QStringLiteral("No Quorex(s) connected to Controllers. Check cables and try again."));
        host_.connection().hideUnitIds();
        return 0;
    }
    // An ID the reply leaves out keeps what its field showed.
    for (int unit = 1; unit <= 2 && unit <= count; ++unit) {
        if (read > unit) {
            ControllerUnitIds[unit - 1] = ids[unit - 1];
            host_.connection().showUnitId(unit, ids[unit - 1]);
        } else {
            host_.connection().showUnitId(unit, host_.connection().unitId(unit));
        }
    }
    return count;
}

bool DeviceSearch::CheckUnitsForProjectorCount(int projectorsRequired, int countSelection)
{
    const bool controller = link_.ControllerMode;
    if (projectorsRequired > 4 && !controller) {
        if (link_.dialogs().askYesNo(
                kConnectCaption,
                QStringLiteral("Quorex total # of projectors settings indicate that 2 Quorexs are required.To "
                               "access 2 Quorexs, Tessaline requires the use of an VKS Controller.\nDo you wish "
                               "to continue and control only Quorex #1?")))
            return true;
        link_.dialogs().showMessage(TwoUnitsInstructions);
        DisconnectSerialCo1Click();
        return false;
    }
    // Selection index 4 is "5 Projectors".
    if (countSelection >= 4) {
        const QString tooMany =
            QStringLiteral("Error! Increasing the # of Projectors to exceed 4 will require using 2 Quorexs.\n\n")
            + TwoUnitsInstructions;
        if (!controller) {
            link_.dialogs().showMessage(tooMany);
            return false;
        }
        if (CountUnits() >= 2)
            return true;
        link_.clock().sleepBlocking(1000);
        link_.clock().processPendingEvents();
        if (CountUnits() >= 2)
            return true;
        link_.dialogs().showMessage(tooMany);
        return false;
    }
    return true;
}

void DeviceSearch::SearchAllClick()
{
    const Link::SearchScope search(link_);
    applyMode(false);
    if (ConnectToPorts() == 1) {
        if (host_.projectorsRequired() > 4) {
            link_.dialogs().showMessage(QStringLiteral(
                "Error! Current output settings require 2 Quorexs. Please connect PC's COM Port to VKS "
                "Controller's Serial Port and have the Quorexs connected to the VKS Controller's Remote Port."));
            link_.closePort();
            return;
        }
        link_.SetDeviceConnected(true);
        link_.ExchangeFailed = false;
        host_.setConnectedMenusEnabled(true);
        host_.readAllFromUnits();
        host_.setHandlerBusy(0);
        return;
    }

    applyMode(true);
    if (ConnectToPorts() != 1) {
        link_.dialogs().showMessage(withPortProblems(
            link_.port(),
            QStringLiteral(
                "Quorex(s) not detected.\n1) Please check RS-232 cable.\n2) Make sure Quorex(s) boot-up "
                "initialization has been completed.\n3) Go to 'Serial Port->Search for Quorex(s)->Search' menu item "
                "for the Tessaline to search for Quorex(s) again.")));
        link_.SetDeviceConnected(false);
        return;
    }
    link_.SetDeviceConnected(true);
    link_.SendAndWaitPrompt(QByteArrayLiteral("debug 0\r"));
    host_.setConnectedMenusEnabled(true);
    host_.readAllFromUnits();
    host_.setHandlerBusy(0);
}

void DeviceSearch::QuorexconnectedthruController1Click()
{
    const Link::SearchScope search(link_);
    applyMode(true);
    if (ConnectToPorts() != 1) {
        link_.dialogs().showMessage(withPortProblems(
            link_.port(),
            QStringLiteral(
                "Controller not detected.\n1) Please check RS-232 cable and make sure it is connected to laptop/PC "
                "and to the 'Console' port on the Controller.\n2) Make sure Controller and Quorex unit(s) boot-up "
                "initialization has been completed.")));
        link_.SetDeviceConnected(false);
        return;
    }
    link_.SetDeviceConnected(true);
    link_.SendAndWaitPrompt(QByteArrayLiteral("debug 0\r"));
    host_.setConnectedMenusEnabled(true);
    if (link_.dialogs().askYesNo(kQueryCaption,
                                 QStringLiteral("Serial communication established with Controller. Do you wish "
                                                "to query the Quorex's settings and update the Tessaline?")))
        host_.readAllFromUnits();
}

void DeviceSearch::QuorexconnectedtoSerialPortdirectly1Click()
{
    const Link::SearchScope search(link_);
    applyMode(false);
    if (ConnectToPorts() != 1) {
        link_.dialogs().showMessage(withPortProblems(
            link_.port(),
            QStringLiteral(
                "Quorex not detected on COM Ports.\n1) Please check RS-232 cable and make sure it is connected to "
                "laptop/PC and to the 'Remote' port on the Quorex.\n2) Make sure Quorex unit(s) boot-up "
                "initialization has been completed.\n If using the Controller, make sure that the Controller is "
                "turned on after after the Quorex unit(s)boot-up initialization has been completed.")));
        link_.SetDeviceConnected(false);
        return;
    }
    if (!CheckUnitsForProjectorCount(host_.projectorsRequired(), host_.projectorCountSelection()))
        return;
    link_.SetDeviceConnected(true);
    link_.ExchangeFailed = false;
    host_.setConnectedMenusEnabled(true);
    if (link_.dialogs().askYesNo(kQueryCaption,
                                 QStringLiteral("Serial communication established. Do you wish to query the "
                                                "Quorex's settings and update the Tessaline?")))
        host_.readAllFromUnits();
    host_.setHandlerBusy(0);
}

void DeviceSearch::DisconnectSerialCo1Click()
{
    link_.closePort();
    link_.SetDeviceConnected(false);
    host_.setConnectedMenusEnabled(false);
    host_.pageControlChanged();
    host_.setSettingsReadFromUnits(false);
}

void DeviceSearch::Defaultvalues1Click()
{
    // The rate itself changes with the next mode applied.
    BaudFollowsMode = true;
}

void DeviceSearch::chooseFixedBaud(int baud)
{
    link_.port().setBaudRate(baud);
    BaudFollowsMode = false;
}

void DeviceSearch::chooseParity(SerialPort::Parity parity)
{
    link_.port().setParity(parity);
}

}  // namespace tess

#include "moc_DeviceSearch.cpp"
