#include "link/LinkJournal.h"

#include "link/PortMap.h"
#include "link/SerialPort.h"
#include "platform/Journal.h"

#include <cctype>

namespace tess {
namespace {

// The RS-485 ID a controller line addresses ("PASS *5..." or
// "QXQUERY *5..."); -1 for any other line.
int addressedId(const QByteArray &line)
{
    const qsizetype star = line.indexOf('*');
    if (star < 0 || !(line.startsWith("PASS ") || line.startsWith("QXQUERY ")))
        return -1;
    int id = 0;
    qsizetype p = star + 1;
    for (; p < line.size() && std::isdigit(static_cast<unsigned char>(line[p])) && p < star + 10; ++p)
        id = id * 10 + (line[p] - '0');
    return p > star + 1 ? id : -1;
}

QString endingText(const Link &link, Link::Ending ending)
{
    switch (ending) {
    case Link::Ending::Reply: {
        QString text = QStringLiteral("complete length=%1").arg(link.replyLength());
        if (const char type = link.lastRecordType())
            text += QStringLiteral(" record=%1").arg(type == 8 ? QStringLiteral("system") : QString(QChar(type)));
        return text;
    }
    case Link::Ending::Prompt:
        return QStringLiteral("prompt");
    case Link::Ending::NoPrompt:
        return QStringLiteral("no-prompt");
    case Link::Ending::TimedOut:
        return QStringLiteral("timed-out");
    case Link::Ending::NotUnderstood:
        return QStringLiteral("not-understood");
    case Link::Ending::ErrorCode:
        return QStringLiteral("error-code");
    case Link::Ending::DebugMode:
        return QStringLiteral("debug-mode");
    case Link::Ending::UnitNotResponding:
        return QStringLiteral("unit-not-responding");
    case Link::Ending::Rejected:
        return QStringLiteral("rejected");
    case Link::Ending::Overflow:
        return QStringLiteral("overflow");
    case Link::Ending::LineClosed:
        return QStringLiteral("line-closed");
    }
    return QString();
}

}  // namespace

LinkJournal::LinkJournal(Link &link, Journal &journal, std::function<int(int id)> unitOf)
    : QObject(&link), link_(link), journal_(journal), unitOf_(std::move(unitOf))
{
    connect(&link, &Link::written, this, &LinkJournal::written);
    connect(&link, &Link::exchangeEnded, this, &LinkJournal::ended);
    connect(&link, &Link::deviceConnectedChanged, this, &LinkJournal::connection);
}

void LinkJournal::written(const QByteArray &bytes)
{
    pending_ += bytes;
    // A frame ends with its carriage return(s); the pieces before it wait.
    if (pending_.endsWith('\r'))
        sendLine();
}

void LinkJournal::sendLine()
{
    if (pending_.isEmpty())
        return;
    QString unit;
    const int id = addressedId(pending_);
    if (id >= 0) {
        if (const int u = unitOf_ ? unitOf_(id) : 0)
            unit = QStringLiteral("unit=%1 ").arg(u);
        else
            unit = QStringLiteral("id=%1 ").arg(id);
    } else if (!link_.ControllerMode && pending_ != "\r") {
        unit = QStringLiteral("unit=1 ");
    }
    journal_.write(QStringLiteral("send"), unit + Journal::quote(pending_));
    pending_.clear();
}

void LinkJournal::ended(Link::Ending ending)
{
    sendLine();
    journal_.write(QStringLiteral("reply"), endingText(link_, ending));
}

void LinkJournal::connection(bool connected)
{
    if (!connected) {
        journal_.write(QStringLiteral("disconnected"));
        return;
    }
    SerialPort &port = link_.port();
    const int number = port.portNumber();
    journal_.write(QStringLiteral("connected"),
                   QStringLiteral("port=COM%1 device=%2 mode=%3 baud=%4")
                       .arg(number)
                       .arg(Journal::quote(PortMap::devicePath(number)))
                       .arg(link_.ControllerMode ? QStringLiteral("controller") : QStringLiteral("direct"))
                       .arg(port.baudRate()));
}

}  // namespace tess

#include "moc_LinkJournal.cpp"
