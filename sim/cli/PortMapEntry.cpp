#include "cli/PortMapEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace tess::sim {

namespace {

// The entries may be dangling links; these act on the link itself.
bool renamePath(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

void removeLink(const QString &path)
{
    ::unlink(QFile::encodeName(path).constData());
}

bool present(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() || info.exists();
}

// Whether process `pid` is a running quorex-sim. A process id may have been
// given to another program since; its name tells them apart.
bool runsAsSimulator(qint64 pid)
{
    if (pid <= 0 || pid == ::getpid())
        return false;
    if (::kill(pid_t(pid), 0) != 0 && errno != EPERM)
        return false;
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly))
        return true;  // cannot tell: take it for a running simulator
    return comm.readAll().trimmed() == "quorex-sim";
}

}  // namespace

QString PortMapEntry::directory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/Tessaline/ports");
}

QString PortMapEntry::pathFor(int number)
{
    return directory() + QStringLiteral("/COM") + QString::number(number);
}

QString PortMapEntry::backupPath() const
{
    const QFileInfo info(path_);
    return info.path() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".before-quorex-sim");
}

QString PortMapEntry::markerPath() const
{
    const QFileInfo info(path_);
    return info.path() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".quorex-sim");
}

void PortMapEntry::writeMarker() const
{
    QFile marker(markerPath());
    if (marker.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        marker.write(QStringLiteral("pid %1\npty %2\n").arg(::getpid()).arg(device_).toUtf8());
}

bool PortMapEntry::leftByDeadSimulator(qint64 *pid) const
{
    *pid = 0;
    const QFileInfo entry(path_);
    QFile marker(markerPath());
    if (!entry.isSymLink() || !marker.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    qint64 markedPid = 0;
    QString markedPty;
    for (const QByteArray &line : marker.read(4096).split('\n')) {
        if (line.startsWith("pid "))
            markedPid = line.mid(4).trimmed().toLongLong();
        else if (line.startsWith("pty "))
            markedPty = QString::fromLocal8Bit(line.mid(4).trimmed());
    }
    // A link the user put there since is not the simulator's, marker or not.
    if (markedPid <= 0 || markedPty.isEmpty() || entry.symLinkTarget() != markedPty)
        return false;
    *pid = markedPid;
    return !runsAsSimulator(markedPid);
}

void PortMapEntry::clearLeftover()
{
    removeLink(path_);
    QFile::remove(markerPath());
    // A forced run that was killed left the user's entry set aside.
    if (present(backupPath()) && !present(path_))
        renamePath(backupPath(), path_);
}

bool PortMapEntry::create(int number, const QString &device, bool force, QString *error, QString *note)
{
    path_ = pathFor(number);
    device_ = device;
    if (!QDir().mkpath(directory())) {
        *error = QStringLiteral("cannot create the folder %1").arg(directory());
        return false;
    }
    if (present(path_)) {
        qint64 pid = 0;
        if (leftByDeadSimulator(&pid)) {
            clearLeftover();
            if (note) {
                *note = QStringLiteral("replaced the entry %1, left by a simulator (process %2) that no longer runs")
                            .arg(path_)
                            .arg(pid);
            }
        } else if (pid > 0) {
            *error = QStringLiteral(
                         "another quorex-sim (process %1) serves %2; stop it first, or use --port to "
                         "choose the other port.")
                         .arg(pid)
                         .arg(path_);
            return false;
        }
    }
    const QFileInfo existing(path_);
    if (existing.isSymLink() || existing.exists()) {
        const QString what = existing.isSymLink() ? QStringLiteral("a link to %1").arg(existing.symLinkTarget())
                                                  : QStringLiteral("a file");
        if (!force) {
            *error = QStringLiteral(
                         "the port map already has an entry %1 (%2); it is the user's and stays as it is. "
                         "Use --force to put the simulator there until it ends, or --port to choose the "
                         "other port.")
                         .arg(path_, what);
            return false;
        }
        if (present(backupPath())) {
            *error = QStringLiteral(
                         "%1 holds an entry put aside by an earlier run that did not end cleanly; "
                         "move it back to %2 or remove it first.")
                         .arg(backupPath(), path_);
            return false;
        }
        if (!renamePath(path_, backupPath())) {
            *error = QStringLiteral("cannot move the entry %1 aside").arg(path_);
            return false;
        }
        movedAside_ = true;
    }
    if (!QFile::link(device, path_)) {
        *error = QStringLiteral("cannot create the link %1 -> %2").arg(path_, device);
        remove();
        return false;
    }
    created_ = true;
    writeMarker();
    return true;
}

bool PortMapEntry::ours() const
{
    const QFileInfo info(path_);
    return created_ && info.isSymLink() && info.symLinkTarget() == QFileInfo(device_).absoluteFilePath();
}

bool PortMapEntry::retarget(const QString &device, QString *error)
{
    if (!ours()) {
        *error = QStringLiteral("the entry %1 is no longer the simulator's; left as it is").arg(path_);
        return false;
    }
    removeLink(path_);
    device_ = device;
    if (!QFile::link(device, path_)) {
        created_ = false;
        QFile::remove(markerPath());
        *error = QStringLiteral("cannot create the link %1 -> %2").arg(path_, device);
        return false;
    }
    writeMarker();
    return true;
}

void PortMapEntry::remove()
{
    if (ours())
        removeLink(path_);
    if (created_)
        QFile::remove(markerPath());
    created_ = false;
    if (movedAside_) {
        if (!present(path_))
            renamePath(backupPath(), path_);
        movedAside_ = false;
    }
}

}  // namespace tess::sim
