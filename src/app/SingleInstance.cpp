#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace tess {
namespace {

const QByteArray ShowRequest = QByteArrayLiteral("show\n");

QString instanceDirectory(const QString &directory)
{
    if (!directory.isEmpty())
        return directory;
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

}  // namespace

SingleInstance::SingleInstance(const QString &directory, QObject *parent)
    : QObject(parent), socketPath_(QDir(instanceDirectory(directory)).filePath(QStringLiteral("tessaline.socket"))),
      lock_(QDir(instanceDirectory(directory)).filePath(QStringLiteral("tessaline.lock")))
{
    // A lock is stale only when the process that holds it is gone, however
    // long the program has been running.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim()
{
    if (!lock_.tryLock(0))
        return false;
    // A socket left behind by a crashed instance would block listening.
    QLocalServer::removeServer(socketPath_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    // Without the socket the instance still runs alone; a later start then
    // only cannot bring it to the front.
    server_->listen(socketPath_);
    return true;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains(ShowRequest))
                emit showRequested();
        });
    }
}

bool SingleInstance::askRunningInstanceToShow(int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(ShowRequest);
    const bool sent = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return sent;
}

}  // namespace tess

#include "moc_SingleInstance.cpp"
