#include "model/PlanningPreferences.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using tess::PlanningPreferences;
using tess::PreferencesReadResult;
using Status = tess::PreferencesReadResult::Status;
using tess::test::FileSizeLimit;

Q_DECLARE_METATYPE(PlanningPreferences)

namespace {

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// What a folder holds, links that lead nowhere and hidden files included.
QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                               QDir::Name | QDir::IgnoreCase);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool ok = fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    if (fd >= 0)
        ::close(fd);
    return ok;
}

// Writes to `path` until the filesystem has no room left.
bool fillUp(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const QByteArray block(4096, 'x');
    while (::write(fd, block.constData(), size_t(block.size())) > 0) {}
    while (::write(fd, "x", 1) > 0) {}
    const bool full = errno == ENOSPC;
    ::close(fd);
    return full;
}

bool writeProcFile(const char *path, const QByteArray &text)
{
    const int fd = ::open(path, O_WRONLY);
    const bool ok = fd >= 0 && ::write(fd, text.constData(), size_t(text.size())) == text.size();
    if (fd >= 0)
        ::close(fd);
    return ok;
}

// A mount namespace of this process's own: as root directly, otherwise
// inside a user namespace where this user is root.
bool ownMountNamespace()
{
    if (::unshare(CLONE_NEWNS) == 0)
        return true;
    const QByteArray uid = QByteArray::number(::getuid());
    const QByteArray gid = QByteArray::number(::getgid());
    return ::unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0 && writeProcFile("/proc/self/setgroups", "deny")
           && writeProcFile("/proc/self/uid_map", "0 " + uid + " 1")
           && writeProcFile("/proc/self/gid_map", "0 " + gid + " 1");
}

constexpr int NoMountHere = 77;

// Runs `body` in a child process that has a 64 KB tmpfs of its own at
// `dir` (nothing of it is seen outside the child). The child's exit code:
// 0 when `body` held, 1 when not, NoMountHere when no such filesystem can be
// mounted on this machine.
int onSmallTmpfs(const QString &dir, const std::function<bool()> &body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (!ownMountNamespace() || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("tmpfs", QFile::encodeName(dir).constData(), "tmpfs", 0, "size=64k") != 0)
            ::_exit(NoMountHere);
        ::_exit(body() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

const QByteArray OldLine("40.000000 12.000000 80 3 1 2");
const PlanningPreferences NewValues{30, 10, 384, 2, 1, 2};

// On a filesystem that takes nothing more: the write fails, the old file is
// whole, and nothing half-written is left beside it.
bool failedWriteKeepsTheOldFile(const QString &dir)
{
    const QString path = QDir(dir).filePath(QStringLiteral("Tessaline.ini"));
    const QString filler = QDir(dir).filePath(QStringLiteral("filler"));
    const bool ok = writeFile(path, OldLine) && fillUp(filler) && !tess::writePreferencesFile(path, NewValues)
                    && readBytes(path) == OldLine
                    && entries(dir) == QStringList({QStringLiteral("filler"), QStringLiteral("Tessaline.ini")});
    if (!ok) {
        std::fprintf(stderr, "on the full filesystem: \"%s\" beside %s\n", readBytes(path).constData(),
                     qPrintable(entries(dir).join(u' ')));
    }
    return ok;
}

}  // namespace

class PlanningPreferencesTest : public QObject {
    Q_OBJECT
private slots:
    void reading_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("valuesRead");
        QTest::addColumn<bool>("accepted");

        QTest::newRow("defaults as written") << QByteArray("30.000000 10.000000 384 2 1 2") << 6 << true;
        QTest::newRow("whole sizes") << QByteArray("40 12 80 3 1 2") << 6 << true;
        QTest::newRow("any white space") << QByteArray("\n 40\t12\r\n80  3 1\n2\n") << 6 << true;
        QTest::newRow("exponent and hex reals") << QByteArray("3e1 0x1.4p3 80 3 1 2") << 6 << true;
        QTest::newRow("plus signs") << QByteArray("+40 +12 +80 +3 +1 +2") << 6 << true;
        QTest::newRow("anything after six values") << QByteArray("40 12 80 3 1 2 junk") << 6 << true;
        QTest::newRow("out-of-list selection passes") << QByteArray("40 12 80 12 1 2") << 6 << true;
        QTest::newRow("negative selection other than -1") << QByteArray("40 12 80 -2 1 2") << 6 << true;

        QTest::newRow("overlap 0") << QByteArray("30 10 0 2 1 2") << 6 << false;
        QTest::newRow("negative overlap") << QByteArray("30 10 -5 2 1 2") << 6 << false;
        QTest::newRow("horizontal 0") << QByteArray("0 10 384 2 1 2") << 6 << false;
        QTest::newRow("vertical negative") << QByteArray("30 -10 384 2 1 2") << 6 << false;
        QTest::newRow("count -1") << QByteArray("30 10 384 -1 1 2") << 6 << false;
        QTest::newRow("alignment -1") << QByteArray("30 10 384 2 -1 2") << 6 << false;
        QTest::newRow("resolution -1") << QByteArray("30 10 384 2 1 -1") << 6 << false;
        QTest::newRow("five values") << QByteArray("30 10 384 2 1") << 5 << false;
        QTest::newRow("fraction where a whole number goes") << QByteArray("30 10 384.5 2 1 2") << 3 << false;
        QTest::newRow("infinite size") << QByteArray("inf 10 384 2 1 2") << 6 << false;
        QTest::newRow("size out of range") << QByteArray("1e999 10 384 2 1 2") << 6 << false;
        QTest::newRow("whole number out of range") << QByteArray("30 10 99999999999 2 1 2") << 2 << false;
        QTest::newRow("double sign") << QByteArray("+-30 10 384 2 1 2") << 0 << false;
        // The C library reads "0x" without hex digits as 0 and stops at the x.
        QTest::newRow("sign after 0x") << QByteArray("-0x-1 10 384 2 1 2") << 1 << false;
        QTest::newRow("no hex digit after 0x") << QByteArray("30 0xg 384 2 1 2") << 2 << false;
        QTest::newRow("garbage") << QByteArray("\x01\xff garbage \x7f") << 0 << false;
        QTest::newRow("empty") << QByteArray() << 0 << false;
    }

    void reading()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, valuesRead);
        QFETCH(bool, accepted);
        PlanningPreferences prefs;
        const int read = tess::scanPreferences(text, prefs);
        QCOMPARE(read, valuesRead);
        QCOMPARE(tess::preferencesAcceptable(prefs, read), accepted);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tessaline.ini"));
        writeBytes(path, text);
        const PreferencesReadResult file = tess::readPreferencesFile(path);
        QCOMPARE(file.status, accepted ? Status::Accepted : Status::Refused);
    }

    void readingGivesTheValuesInOrder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tessaline.ini"));
        writeBytes(path, "40.5 12 80 3 1 2");
        const PreferencesReadResult read = tess::readPreferencesFile(path);
        QCOMPARE(read.status, Status::Accepted);
        QCOMPARE(read.values, (PlanningPreferences{40.5, 12, 80, 3, 1, 2}));
    }

    void fileThatCannotBeReadGivesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("a directory") << "directory";
        // Opening a pipe for reading would wait for a writer for ever.
        QTest::newRow("a named pipe") << "pipe";
        QTest::newRow("a device") << "device";
    }

    void fileThatCannotBeReadGivesNothing()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tessaline.ini"));
        if (kind == QLatin1String("directory"))
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Tessaline.ini")));
        if (kind == QLatin1String("pipe"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        const PreferencesReadResult read =
            tess::readPreferencesFile(kind == QLatin1String("device") ? QStringLiteral("/dev/zero") : path);
        QCOMPARE(read.status, Status::NotOpened);
    }

    // clang-format off
    void writingUsesTheExactFormat_data()
    {
        QTest::addColumn<PlanningPreferences>("prefs");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("start-up defaults") << PlanningPreferences{30, 10, 384, 2, 1, 2}
                                           << QByteArray("30.000000 10.000000 384 2 1 2");
        QTest::newRow("fractions rounded to six decimals")
            << PlanningPreferences{12.3456789, 0.5, 64, 0, 0, 0} << QByteArray("12.345679 0.500000 64 0 0 0");
        QTest::newRow("no selection written as -1")
            << PlanningPreferences{40, 12, 80, -1, 1, 2} << QByteArray("40.000000 12.000000 80 -1 1 2");
    }
    // clang-format on

    void writingUsesTheExactFormat()
    {
        QFETCH(PlanningPreferences, prefs);
        QFETCH(QByteArray, expected);
        QCOMPARE(tess::formatPreferences(prefs), expected);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tessaline.ini"));
        writeBytes(path, "an older and much longer file that must be replaced as a whole");
        QVERIFY(tess::writePreferencesFile(path, prefs));
        QCOMPARE(readBytes(path), expected);
    }

    void writtenFileReadsBack()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tessaline.ini"));
        const PlanningPreferences prefs{1234.5, 0.25, 200, 7, 0, 1};
        QVERIFY(tess::writePreferencesFile(path, prefs));
        const PreferencesReadResult read = tess::readPreferencesFile(path);
        QCOMPARE(read.status, Status::Accepted);
        QCOMPARE(read.values, prefs);
    }

    void writeOnAFullFilesystemKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const int result = onSmallTmpfs(dir.path(), [&dir] { return failedWriteKeepsTheOldFile(dir.path()); });
        if (result == NoMountHere)
            QSKIP(
                "no small tmpfs can be mounted here (neither root nor user namespaces); the file size limit "
                "case stands in for it");
        QCOMPARE(result, 0);
    }

    // Where no filesystem can be filled, the process's file size limit
    // refuses the write as a full disk would.
    void writeRefusedByTheSystemKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tessaline.ini"));
        QVERIFY(writeFile(path, OldLine));
        bool written = true;
        {
            FileSizeLimit limit(0);
            QVERIFY(limit.ok());
            written = tess::writePreferencesFile(path, NewValues);
        }
        QVERIFY(!written);
        QCOMPARE(readBytes(path), OldLine);
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("Tessaline.ini")});
    }

    // The file's path is fixed by the start folder: a link placed there is
    // neither read nor written through, wherever it points.
    void linkAtThePathIsNeitherReadNorWrittenThrough_data()
    {
        QTest::addColumn<bool>("targetExists");
        QTest::newRow("link to a file outside the folder") << true;
        QTest::newRow("link to a file not there yet") << false;
    }

    void linkAtThePathIsNeitherReadNorWrittenThrough()
    {
        QFETCH(bool, targetExists);
        QTemporaryDir startFolder;
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath(QStringLiteral("someone's file"));
        const QByteArray targetBytes("40 12 80 3 1 2");  // would be accepted if read
        if (targetExists)
            writeBytes(target, targetBytes);
        const QString path = startFolder.filePath(QStringLiteral("Tessaline.ini"));
        QVERIFY(QFile::link(target, path));

        QCOMPARE(tess::readPreferencesFile(path).status, Status::NotOpened);
        QVERIFY(!tess::writePreferencesFile(path, NewValues));

        QVERIFY(QFileInfo(path).isSymLink());
        QCOMPARE(QFileInfo(path).symLinkTarget(), target);
        if (targetExists)
            QCOMPARE(readBytes(target), targetBytes);
        else
            QVERIFY(!QFileInfo::exists(target));
        QCOMPARE(entries(startFolder.path()), QStringList{QStringLiteral("Tessaline.ini")});
    }

    void writeThatFailsLeavesTheOldFile()
    {
        QTemporaryDir dir;
        // The path names a directory: nothing can be created there.
        const QString path = dir.filePath(QStringLiteral("Tessaline.ini"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Tessaline.ini")));
        QVERIFY(!tess::writePreferencesFile(path, PlanningPreferences{30, 10, 384, 2, 1, 2}));
        QVERIFY(QFileInfo(path).isDir());
    }
};

QTEST_GUILESS_MAIN(PlanningPreferencesTest)
#include "tst_planningpreferences.moc"
