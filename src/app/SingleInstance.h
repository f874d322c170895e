#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <memory>

namespace tess {

// Makes sure only one Tessaline runs per user. The first instance holds a
// lock file and listens on a local socket beside it; a later start finds the
// lock taken and asks the first, through the socket, to come to the front.
// A lock left by a program that crashed is taken over.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    // `directory` holds the lock file and the socket; empty means the
    // user's runtime folder.
    explicit SingleInstance(const QString &directory = QString(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the only instance; it then listens for
    // later starts. False when another instance runs.
    bool claim();
    // Asks the running instance to come to the front; false when it could
    // not be reached within `timeoutMs`.
    bool askRunningInstanceToShow(int timeoutMs = 1000);

    QString socketPath() const { return socketPath_; }

signals:
    // A later start asked this instance to come to the front.
    void showRequested();

private:
    void acceptConnections();

    QString socketPath_;
    QLockFile lock_;
    std::unique_ptr<QLocalServer> server_;
};

}  // namespace tess
