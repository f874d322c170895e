#include "support/ScriptedPort.h"

#include <QTimer>

namespace tess::test {

ScriptedPort::ScriptedPort() = default;

void ScriptedPort::setPortNumber(int number)
{
    if (number == number_)
        return;
    const bool wasOpen = open_;
    open_ = false;
    number_ = number;
    if (wasOpen)
        open();
}

SerialPort::OpenResult ScriptedPort::open()
{
    OpenResult result;
    result.detail = QStringLiteral("/dev/ttyS%1").arg(number_ - 1);
    if (!existing.contains(number_)) {
        result.kind = OpenResult::Kind::Failed;
    } else if (permissionDenied.contains(number_)) {
        result.kind = OpenResult::Kind::PermissionDenied;
    } else if (failsToOpen.contains(number_)) {
        result.kind = OpenResult::Kind::Failed;
    } else {
        open_ = true;
        ++opens;
        flowInForce_ = flowAtNextOpen_;
        input_.clear();
        result.kind = OpenResult::Kind::Opened;
    }
    return result;
}

void ScriptedPort::write(const QByteArray &bytes)
{
    if (!open_)
        return;
    written += bytes;
    if (respond) {
        const QByteArray answer = respond(number_, bytes);
        if (!answer.isEmpty())
            deliver(answer);
    }
}

void ScriptedPort::deliver(const QByteArray &bytes)
{
    const int step = pieceSize > 0 ? pieceSize : int(bytes.size());
    for (qsizetype at = 0; at < bytes.size(); at += step) {
        const QByteArray piece = bytes.mid(at, step);
        QTimer::singleShot(0, this, [this, piece] { arrive(piece); });
    }
}

void ScriptedPort::arriveNow(const QByteArray &bytes)
{
    arrive(bytes);
}

void ScriptedPort::arrive(const QByteArray &bytes)
{
    if (!open_)
        return;
    input_ += bytes;
    Q_EMIT dataAvailable(int(input_.size()));
}

void ScriptedPort::failLine(const QString &what, bool closes)
{
    if (closes)
        open_ = false;
    Q_EMIT errorOccurred(what);
}

QByteArray ScriptedPort::takeWritten()
{
    const QByteArray out = written.mid(takenUpTo_);
    takenUpTo_ = int(written.size());
    return out;
}

QByteArray ScriptedPort::read(qint64 n)
{
    const QByteArray out = input_.left(n);
    input_.remove(0, out.size());
    return out;
}

}  // namespace tess::test

#include "moc_ScriptedPort.cpp"
