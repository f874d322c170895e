#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;
class QLocalSocket;

namespace tess::sim {

// The control channel: a local socket that takes one control command per
// line and answers each with the command's text, if any, and a last line
// "ok" or "error: ...".
class ControlServer : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<bool(const QString &command, QString *message)>;
    ControlServer(Handler handler, QObject *parent = nullptr);
    ~ControlServer() override;

    bool listen(const QString &path, QString *error);
    void close();

    // Sends one command to a running simulator and prints the answer;
    // returns the exit code for the command line.
    static int send(const QString &path, const QString &command);

private:
    void connection();
    void readable(QLocalSocket *socket);

    Handler handler_;
    QLocalServer *server_ = nullptr;
    QString path_;
};

}  // namespace tess::sim
