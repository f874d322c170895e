#include "link/PortMap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <filesystem>

namespace tess::PortMap {

QString directory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Tessaline/ports");
}

QString entryPath(int number)
{
    return directory() + QStringLiteral("/COM") + QString::number(number);
}

bool hasEntry(int number)
{
    const QFileInfo info(entryPath(number));
    return info.isSymLink() || info.exists();
}

QString devicePath(int number)
{
    const QString entry = entryPath(number);
    const QFileInfo info(entry);
    if (info.isSymLink())
        return entry;  // opening the link opens what it points at
    // Only a regular file is read (QFileInfo::isFile() holds pipes for
    // files, and opening a pipe would wait for a writer).
    std::error_code error;
    if (std::filesystem::is_regular_file(QFile::encodeName(entry).toStdString(), error)) {
        QFile file(entry);
        if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            const QString path = QString::fromLocal8Bit(file.readLine(4096)).trimmed();
            if (!path.isEmpty())
                return path;
        }
    }
    return number == 2 ? QStringLiteral("/dev/ttyS1") : QStringLiteral("/dev/ttyS0");
}

}  // namespace tess::PortMap
