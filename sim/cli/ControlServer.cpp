#include "cli/ControlServer.h"

#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTextStream>

namespace tess::sim {

namespace {

// Why a control socket did not answer, in words rather than the socket
// layer's error names.
QString whyNotConnected(const QString &path, const QLocalSocket &socket)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        return QStringLiteral(
                   "there is no such socket. Start the simulator with --control %1, or check the path "
                   "it printed on its \"control\" line.")
            .arg(path);
    }
    if (socket.error() == QLocalSocket::ConnectionRefusedError || socket.error() == QLocalSocket::ServerNotFoundError)
        return QStringLiteral("the socket is there but nothing answers on it (left by a simulator that ended?).");
    if (socket.error() == QLocalSocket::SocketAccessError)
        return QStringLiteral("not allowed to use the socket (it belongs to another user?).");
    return socket.errorString();
}

}  // namespace

ControlServer::ControlServer(Handler handler, QObject *parent) : QObject(parent), handler_(std::move(handler)) {}

ControlServer::~ControlServer()
{
    close();
}

bool ControlServer::listen(const QString &path, QString *error)
{
    // A socket left by a run that did not end cleanly answers nobody.
    QLocalSocket probe;
    probe.connectToServer(path);
    if (probe.waitForConnected(200)) {
        *error = QStringLiteral("another simulator listens on %1").arg(path);
        return false;
    }
    QLocalServer::removeServer(path);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(path)) {
        const QFileInfo folder(QFileInfo(path).absolutePath());
        *error = QStringLiteral("cannot listen on %1: %2")
                     .arg(path, !folder.isDir() ? QStringLiteral("there is no folder %1").arg(folder.filePath())
                                : !folder.isWritable()
                                    ? QStringLiteral("the folder %1 is not writable").arg(folder.filePath())
                                    : server_->errorString());
        delete server_;
        server_ = nullptr;
        return false;
    }
    path_ = path;
    connect(server_, &QLocalServer::newConnection, this, &ControlServer::connection);
    return true;
}

void ControlServer::close()
{
    if (server_) {
        server_->close();
        delete server_;
        server_ = nullptr;
        QFile::remove(path_);
    }
}

void ControlServer::connection()
{
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readable(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void ControlServer::readable(QLocalSocket *socket)
{
    while (socket->canReadLine()) {
        const QString command = QString::fromUtf8(socket->readLine()).trimmed();
        if (command.isEmpty())
            continue;
        QString message;
        const bool ok = handler_(command, &message);
        QByteArray answer;
        if (ok) {
            if (!message.isEmpty() && message != QLatin1String("ok"))
                answer += message.toUtf8() + '\n';
            answer += "ok\n";
        } else {
            answer += "error: " + message.toUtf8() + '\n';
        }
        socket->write(answer);
        socket->flush();
    }
}

int ControlServer::send(const QString &path, const QString &command)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(3000)) {
        err << "quorex-sim: no simulator listens on " << path << ": " << whyNotConnected(path, socket) << Qt::endl;
        return 2;
    }
    socket.write(command.toUtf8() + '\n');
    socket.flush();
    for (;;) {
        while (!socket.canReadLine()) {
            if (!socket.waitForReadyRead(5000)) {
                err << "quorex-sim: no answer from the simulator" << Qt::endl;
                return 2;
            }
        }
        const QString line = QString::fromUtf8(socket.readLine()).chopped(1);
        if (line == QLatin1String("ok"))
            return 0;
        if (line.startsWith(QLatin1String("error: "))) {
            err << "quorex-sim: " << line.mid(7) << Qt::endl;
            return 1;
        }
        out << line << Qt::endl;
    }
}

}  // namespace tess::sim

#include "moc_ControlServer.cpp"
