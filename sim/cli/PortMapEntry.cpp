#include "cli/PortMapEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

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

}  // namespace

QString PortMapEntry::directory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Tessaline/ports");
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

bool PortMapEntry::create(int number, const QString &device, bool force, QString *error)
{
    path_ = pathFor(number);
    device_ = device;
    if (!QDir().mkpath(directory())) {
        *error = QStringLiteral("cannot create the folder %1").arg(directory());
        return false;
    }
    const QFileInfo existing(path_);
    if (existing.isSymLink() || existing.exists()) {
        const QString what = existing.isSymLink()
            ? QStringLiteral("a link to %1").arg(existing.symLinkTarget())
            : QStringLiteral("a file");
        if (!force) {
            *error = QStringLiteral("the port map already has an entry %1 (%2); it is the user's and stays as it is. "
                                    "Use --force to put the simulator there until it ends, or --port to choose the "
                                    "other port.")
                         .arg(path_, what);
            if (existing.isSymLink() && !existing.exists() && existing.symLinkTarget().startsWith(QLatin1String("/dev/pts/")))
                *error += QStringLiteral(" The entry points at a terminal that no longer exists, perhaps left by a "
                                         "simulator that was killed: if so, remove it.");
            return false;
        }
        if (QFileInfo(backupPath()).isSymLink() || QFileInfo::exists(backupPath())) {
            *error = QStringLiteral("%1 holds an entry put aside by an earlier run that did not end cleanly; "
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
        *error = QStringLiteral("cannot create the link %1 -> %2").arg(path_, device);
        return false;
    }
    return true;
}

void PortMapEntry::remove()
{
    if (ours())
        removeLink(path_);
    created_ = false;
    if (movedAside_) {
        const QFileInfo now(path_);
        if (!now.isSymLink() && !now.exists())
            renamePath(backupPath(), path_);
        movedAside_ = false;
    }
}

}  // namespace tess::sim
