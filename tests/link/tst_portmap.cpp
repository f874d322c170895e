// The port map: entries in a temporary config folder, good and bad, and
// what a search that finds nothing says about them.
#include "link/DeviceSearch.h"
#include "link/Link.h"
#include "link/PortMap.h"
#include "link/QtSerialPort.h"
#include "support/FakeWindow.h"
#include "support/RecordedExit.h"
#include "support/ScriptedDialogs.h"
#include "support/VirtualClock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tess;
using namespace tess::test;

namespace {

// A pseudo-terminal that lives as long as the test: its serial end
// (/dev/pts/N) stands for a serial port.
QString terminal()
{
    static const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
        return QString();
    return QString::fromLocal8Bit(::ptsname(master));
}

// How an entry is made: "link TARGET", "file TEXT", "dir", "fifo", "fifo-link",
// "loop" (COM1 -> COM1.next -> COM1) or "self" (COM1 -> COM1). TERMINAL in
// TARGET or TEXT stands for a pseudo-terminal's serial end.
bool makeEntry(const QString &entry, const QString &how)
{
    const QString kind = how.section(QLatin1Char(' '), 0, 0);
    QString rest = how.section(QLatin1Char(' '), 1);
    if (rest.contains(QLatin1String("TERMINAL"))) {
        if (terminal().isEmpty())
            return false;
        rest.replace(QLatin1String("TERMINAL"), terminal());
    }
    if (kind == QLatin1String("link"))
        return QFile::link(rest, entry);
    if (kind == QLatin1String("file")) {
        QFile file(entry);
        return file.open(QIODevice::WriteOnly) && file.write(rest.toLatin1()) == rest.size();
    }
    if (kind == QLatin1String("garbage")) {
        QFile file(entry);
        return file.open(QIODevice::WriteOnly)
               && file.write(QByteArray("\x00\x01\xfe\xff junk\x7f\n/dev/null", 19)) == 19;
    }
    if (kind == QLatin1String("dir"))
        return QDir().mkpath(entry);
    if (kind == QLatin1String("fifo"))
        return ::mkfifo(QFile::encodeName(entry).constData(), 0600) == 0;
    if (kind == QLatin1String("fifo-link")) {
        const QString fifo = entry + QStringLiteral(".fifo");
        return ::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0 && QFile::link(fifo, entry);
    }
    if (kind == QLatin1String("loop"))
        return QFile::link(entry + QStringLiteral(".next"), entry)
               && QFile::link(entry, entry + QStringLiteral(".next"));
    if (kind == QLatin1String("self"))
        return QFile::link(entry, entry);
    return false;
}

}  // namespace

class PortMapTest : public QObject {
    Q_OBJECT
    QTemporaryDir config_;
    QString ports_;

private slots:
    void initTestCase()
    {
        QVERIFY(config_.isValid());
        qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
        ports_ = config_.filePath(QStringLiteral("Tessaline/ports"));
        QCOMPARE(PortMap::directory(), ports_);
    }

    void init()
    {
        QDir(ports_).removeRecursively();
        QVERIFY(QDir().mkpath(ports_));
    }

    // clang-format off
    void entries_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("device");   // the device opened, for a usable entry
        QTest::addColumn<QString>("problem");  // a phrase of the message, for an unusable one

        QTest::newRow("link to a terminal") << "link TERMINAL" << "ENTRY" << QString();
        QTest::newRow("file naming a terminal") << "file TERMINAL\nmore lines" << "TERMINAL" << QString();
        QTest::newRow("link to the system's console") << "link /dev/tty" << "ENTRY" << QString();
        // Devices, but no serial ones: never opened, let alone written to.
        QTest::newRow("link to /dev/null") << "link /dev/null" << QString()
                                           << "names \"/dev/null\", which is not a serial device.";
        QTest::newRow("file naming /dev/zero") << "file /dev/zero\n" << QString()
                                               << "names \"/dev/zero\", which is not a serial device.";
        QTest::newRow("dangling link") << "link /dev/ttyUSB7" << QString()
                                       << "names the device \"/dev/ttyUSB7\", which does not exist";
        QTest::newRow("file naming a missing device")
            << "file  /dev/ttyUSB7 \n" << QString() << "names the device \"/dev/ttyUSB7\", which does not exist";
        QTest::newRow("missing folder on the way") << "link /nonexistent/tty0" << QString() << "does not exist";
        QTest::newRow("loop of links") << "loop" << QString() << "loop of symbolic links";
        QTest::newRow("link to itself") << "self" << QString() << "loop of symbolic links";
        QTest::newRow("folder") << "dir" << QString() << "is a folder";
        QTest::newRow("link to a folder") << "link /tmp" << QString() << "\"/tmp\", which is a folder, not a device";
        QTest::newRow("link to a pipe") << "fifo-link" << QString() << "which is not a device";
        // Never opened: reading a pipe would wait for a writer.
        QTest::newRow("pipe") << "fifo" << QString() << "is neither a link nor a file naming a device";
        QTest::newRow("link to a plain file") << "link /etc/passwd" << QString() << "which is not a device";
        QTest::newRow("empty file") << "file " << QString() << "is empty";
        QTest::newRow("file of garbage") << "garbage" << QString() << "not the path of a device";
        QTest::newRow("relative path") << "file ttyUSB0" << QString() << "holds \"ttyUSB0\", not the path";
        QTest::newRow("path of 5000 characters")
            << QStringLiteral("file /%1").arg(QString(4999, QLatin1Char('a'))) << QString()
            << "longer than a path can be";
        QTest::newRow("path of 300-character names")
            << QStringLiteral("file /dev/%1").arg(QString(300, QLatin1Char('b'))) << QString()
            << "longer than a path can be";
    }
    // clang-format on
    void entries()
    {
        QFETCH(QString, how);
        QFETCH(QString, device);
        QFETCH(QString, problem);
        const QString entry = PortMap::entryPath(1);
        QVERIFY(makeEntry(entry, how));

        const PortMap::Lookup found = PortMap::lookup(1);
        QVERIFY(found.hasEntry);
        if (problem.isEmpty()) {
            QCOMPARE(found.problem, QString());
            const QString opened = device == QLatin1String("ENTRY") ? entry : device;
            QCOMPARE(found.device, QString(opened).replace(QLatin1String("TERMINAL"), terminal()));
            return;
        }
        QVERIFY2(found.problem.contains(problem), qPrintable(found.problem));
        QVERIFY2(found.problem.startsWith(QStringLiteral("The port map entry \"%1\"").arg(entry)),
                 qPrintable(found.problem));
        QVERIFY2(found.problem.size() < 400, qPrintable(found.problem));  // a long path is shortened
        QVERIFY(!found.problem.contains(QChar(0)));
        // Never the system's own port in its place.
        QVERIFY(found.device != QStringLiteral("/dev/ttyS0"));
        QtSerialPort port;
        QVERIFY(!port.portExists(1));
        QCOMPARE(port.portProblem(1), found.problem);
    }

    void noEntryMeansTheSystemsPort()
    {
        const PortMap::Lookup found = PortMap::lookup(2);
        QVERIFY(!found.hasEntry);
        QCOMPARE(found.device, QStringLiteral("/dev/ttyS1"));
        QCOMPARE(found.problem, QString());
        QCOMPARE(QtSerialPort().portProblem(2), QString());
    }

    // Both entries unusable: the search's message says why, after its own
    // text, naming each entry and what it names.
    void searchThatFindsNothingNamesTheEntries()
    {
        QVERIFY(makeEntry(PortMap::entryPath(1), QStringLiteral("link /dev/ttyUSB7")));
        QVERIFY(makeEntry(PortMap::entryPath(2), QStringLiteral("dir")));
        VirtualClock clock;
        ScriptedDialogs dialogs;
        RecordedExit exit;
        FakeWindow window;
        QtSerialPort port;
        Link link{port, clock, dialogs, exit, window};
        DeviceSearch search{link, window};

        search.SearchAllClick();
        const QStringList shown = dialogs.takeMessages();
        QCOMPARE(shown.size(), 1);
        const QStringList paragraphs = shown[0].split(QStringLiteral("\n\n"));
        QCOMPARE(paragraphs.size(), 3);
        QVERIFY(paragraphs[0].startsWith(QStringLiteral("Quorex(s) not detected.\n1) Please check RS-232 cable.")));
        QVERIFY(paragraphs[1].contains(PortMap::entryPath(1)));
        QVERIFY(paragraphs[1].contains(QStringLiteral("/dev/ttyUSB7")));
        QVERIFY(paragraphs[2].contains(PortMap::entryPath(2)));
        QVERIFY(!link.DeviceConnected);
        VERIFY_DIALOGS_TAKEN(dialogs);
    }

    // Entries naming devices that are no terminals are refused before
    // anything opens them: one message per search, naming each entry, and
    // no note that a port is busy or silent.
    void entryNamingNoSerialDeviceIsSaidOncePerSearch()
    {
        QVERIFY(makeEntry(PortMap::entryPath(1), QStringLiteral("link /dev/null")));
        QVERIFY(makeEntry(PortMap::entryPath(2), QStringLiteral("file /dev/zero")));
        VirtualClock clock;
        ScriptedDialogs dialogs;
        RecordedExit exit;
        FakeWindow window;
        QtSerialPort port;
        Link link{port, clock, dialogs, exit, window};
        DeviceSearch search{link, window};

        for (int run = 0; run < 2; ++run) {
            search.SearchAllClick();
            const QStringList shown = dialogs.takeMessages();
            QCOMPARE(shown.size(), 1);
            const QStringList paragraphs = shown[0].split(QStringLiteral("\n\n"));
            QCOMPARE(paragraphs.size(), 3);
            QCOMPARE(paragraphs[1], QStringLiteral("The port map entry \"%1\" names \"/dev/null\", which is not a "
                                                   "serial device.")
                                        .arg(PortMap::entryPath(1)));
            QCOMPARE(paragraphs[2], QStringLiteral("The port map entry \"%1\" names \"/dev/zero\", which is not a "
                                                   "serial device.")
                                        .arg(PortMap::entryPath(2)));
            QVERIFY(!port.isOpen());
            QVERIFY(!link.DeviceConnected);
        }
        VERIFY_DIALOGS_TAKEN(dialogs);
    }
};

QTEST_GUILESS_MAIN(PortMapTest)
#include "tst_portmap.moc"
