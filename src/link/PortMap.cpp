#include "link/PortMap.h"

#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace tess::PortMap {
namespace {

// Longest path the system takes, without its terminating zero.
constexpr int LongestPath = 4095;
// Paths longer than this are shortened in messages.
constexpr int LongestShownPath = 100;

QString systemDevice(int number)
{
    return number == 2 ? QStringLiteral("/dev/ttyS1") : QStringLiteral("/dev/ttyS0");
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// A path or line as a message can show it: control characters as '?', and
// a long one shortened in the middle.
QString shown(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text)
        clean +=
            (c.unicode() < 0x20 || c.unicode() == 0x7f || c == QChar::ReplacementCharacter) ? QLatin1Char('?') : c;
    if (clean.size() <= LongestShownPath)
        return QLatin1Char('"') + clean + QLatin1Char('"');
    return QStringLiteral("\"%1...%2\" (%3 characters)")
        .arg(clean.left(LongestShownPath / 2), clean.right(LongestShownPath / 4))
        .arg(text.size());
}

QString entryText(const QString &entry)
{
    return QStringLiteral("The port map entry ") + shown(entry);
}

// What stat() failing with `error` on the way from `entry` to `target` means.
QString unreachable(const QString &entry, const QString &target, int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return entryText(entry) + QStringLiteral(" names the device %1, which does not exist.").arg(shown(target));
    case ELOOP:
        return entryText(entry) + QStringLiteral(" is a loop of symbolic links; it never reaches a device.");
    case ENAMETOOLONG:
        return entryText(entry) + QStringLiteral(" names %1, longer than a path can be.").arg(shown(target));
    default:
        return entryText(entry)
               + QStringLiteral(" names the device %1, which cannot be reached: %2.")
                     .arg(shown(target), systemError(error));
    }
}

// Pseudo-terminals' serial ends (/dev/pts/N) have these major numbers and
// are the one kind of terminal the system does not list among its devices.
constexpr unsigned FirstPtyMajor = 136;
constexpr unsigned LastPtyMajor = 143;

// Whether the character device `device` may be a terminal: a serial port,
// a USB adapter, a pseudo-terminal. Told without opening it, since opening
// a device can act on it (a watchdog starts counting down, a modem
// answers): the system lists the class of each device it knows in /sys.
// Where it does not tell, the device is taken for a terminal and opening it
// decides.
bool mayBeTerminal(dev_t device)
{
    const unsigned major = ::major(device);
    if (major >= FirstPtyMajor && major <= LastPtyMajor)
        return true;
    char path[64];
    std::snprintf(path, sizeof path, "/sys/dev/char/%u:%u/subsystem", major, ::minor(device));
    char target[256];
    const ssize_t length = ::readlink(path, target, sizeof target - 1);
    if (length <= 0)
        return true;
    target[length] = 0;
    const char *name = std::strrchr(target, '/');
    return std::strcmp(name ? name + 1 : target, "tty") == 0;
}

// Empty for a serial device; otherwise why `target` is not one.
QString notADevice(const QString &entry, const QString &target, const struct stat &found)
{
    if (S_ISCHR(found.st_mode)) {
        if (mayBeTerminal(found.st_rdev))
            return {};
        return entryText(entry) + QStringLiteral(" names %1, which is not a serial device.").arg(shown(target));
    }
    if (S_ISDIR(found.st_mode))
        return entryText(entry) + QStringLiteral(" names %1, which is a folder, not a device.").arg(shown(target));
    return entryText(entry) + QStringLiteral(" names %1, which is not a device.").arg(shown(target));
}

// Follows `path` as opening it would; empty when it ends at a serial device.
QString checkDevice(const QString &entry, const QString &path, const QString &named)
{
    struct stat target = {};
    if (::stat(QFile::encodeName(path).constData(), &target) != 0)
        return unreachable(entry, named, errno);
    return notADevice(entry, named, target);
}

QString linkTarget(const QString &entry)
{
    char buffer[LongestPath + 1];
    const ssize_t length = ::readlink(QFile::encodeName(entry).constData(), buffer, sizeof buffer);
    return length < 0 ? QString() : QFile::decodeName(QByteArray(buffer, int(length)));
}

// An entry that is a plain file: its first line names the device.
void readFileEntry(const QString &entry, Lookup *result)
{
    QFile file(entry);
    if (!file.open(QIODevice::ReadOnly)) {
        result->problem = entryText(entry) + QStringLiteral(" cannot be read: %1.").arg(file.errorString());
        return;
    }
    const QByteArray start = file.read(LongestPath + 2);
    const qsizetype end = start.indexOf('\n');
    if (end < 0 && start.size() > LongestPath) {
        result->problem = entryText(entry) + QStringLiteral(" holds a line longer than a path can be.");
        return;
    }
    const QByteArray line = start.left(end < 0 ? start.size() : end).trimmed();
    const QString path = QString::fromLocal8Bit(line);
    const bool text = !line.contains('\0') && !path.contains(QChar::ReplacementCharacter);
    if (line.isEmpty() || !text || !path.startsWith(QLatin1Char('/'))) {
        result->problem = entryText(entry)
                          + (line.isEmpty() ? QStringLiteral(" is empty")
                                            : QStringLiteral(" holds %1, not the path of a device").arg(shown(path)))
                          + QStringLiteral(
                              "; it should be a link to the device, or a file whose first line is its path "
                              "(such as /dev/ttyUSB0).");
        return;
    }
    result->device = path;
    result->problem = checkDevice(entry, path, path);
}

}  // namespace

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
    return lookup(number).hasEntry;
}

QString devicePath(int number)
{
    return lookup(number).device;
}

Lookup lookup(int number)
{
    Lookup result;
    const QString entry = entryPath(number);
    struct stat own = {};
    if (::lstat(QFile::encodeName(entry).constData(), &own) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) {
            result.device = systemDevice(number);
            return result;
        }
        result.hasEntry = true;
        result.device = entry;
        result.problem = entryText(entry) + QStringLiteral(" cannot be read: %1.").arg(systemError(error));
        return result;
    }
    result.hasEntry = true;
    // An unusable entry names no device; opening it fails rather than
    // falling back on the system's port.
    result.device = entry;
    if (S_ISLNK(own.st_mode)) {
        // Opening the link opens what it points at.
        result.problem = checkDevice(entry, entry, linkTarget(entry));
    } else if (S_ISREG(own.st_mode)) {
        readFileEntry(entry, &result);
    } else if (S_ISDIR(own.st_mode)) {
        result.problem = entryText(entry)
                         + QStringLiteral(
                             " is a folder; it should be a link to the device, or a "
                             "file whose first line is its path.");
    } else if (!S_ISCHR(own.st_mode)) {
        result.problem = entryText(entry) + QStringLiteral(" is neither a link nor a file naming a device.");
    } else {
        result.problem = notADevice(entry, entry, own);
    }
    return result;
}

}  // namespace tess::PortMap
