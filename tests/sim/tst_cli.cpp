// quorex-sim on a real pseudo-terminal, talked to with QSerialPort through
// the port-map entry it makes, with faults switched over its control
// socket while it runs.

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString simulatorPath()
{
    return qEnvironmentVariable("QUOREX_SIM");
}

bool canMakePty(QString *why)
{
    const int fd = posix_openpt(O_RDWR | O_NOCTTY);
    if (fd < 0) {
        *why = QStringLiteral("no pseudo-terminal can be made here (posix_openpt failed)");
        return false;
    }
    ::close(fd);
    return true;
}

class Running {
public:
    explicit Running(const QTemporaryDir &dir) : dir_(dir)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        process.setProcessEnvironment(env);
    }
    ~Running()
    {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(5000))
                process.kill();
        }
    }

    bool start(const QStringList &args)
    {
        process.start(simulatorPath(), args);
        return process.waitForStarted(5000);
    }
    // Reads the lines of standard output up to `last`.
    QStringList linesUntil(const QString &last, int ms = 10000)
    {
        QStringList lines;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) {
            while (process.canReadLine()) {
                lines << QString::fromUtf8(process.readLine()).trimmed();
                if (lines.constLast().startsWith(last))
                    return lines;
            }
            if (!process.waitForReadyRead(200) && process.state() == QProcess::NotRunning)
                break;
        }
        return lines;
    }
    static QString value(const QStringList &lines, const QString &key)
    {
        for (const QString &line : lines) {
            if (line.startsWith(key + QLatin1Char(' ')))
                return line.mid(key.size() + 1);
        }
        return {};
    }

    QProcess process;
    const QTemporaryDir &dir_;
};

// Reads from the port until `end` has arrived or `ms` have passed.
QByteArray readUntil(QSerialPort &port, const QByteArray &end, int ms = 3000)
{
    QByteArray got;
    QElapsedTimer timer;
    timer.start();
    while (!got.endsWith(end) && timer.elapsed() < ms) {
        if (port.waitForReadyRead(50))
            got += port.readAll();
    }
    return got;
}

QString controlCommand(const QString &socketPath, const QString &command)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(3000))
        return QStringLiteral("not connected");
    socket.write(command.toUtf8() + '\n');
    QByteArray answer;
    while (!answer.endsWith("ok\n") && !answer.contains("error:") && socket.waitForReadyRead(3000))
        answer += socket.readAll();
    return QString::fromUtf8(answer).trimmed();
}

bool openPort(QSerialPort &port, const QString &path, int baud)
{
    port.setPortName(path);
    if (!port.open(QIODevice::ReadWrite))
        return false;
    return port.setBaudRate(baud) && port.setParity(QSerialPort::NoParity)
           && port.setFlowControl(QSerialPort::NoFlowControl);
}

}  // namespace

class CliTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QString why;
        if (!canMakePty(&why))
            QSKIP(qPrintable(why));
        if (simulatorPath().isEmpty() || !QFileInfo(simulatorPath()).isExecutable())
            QSKIP("QUOREX_SIM does not name the quorex-sim program");
    }

    void servesADirectUnitThroughThePortMap()
    {
        QTemporaryDir dir;
        Running sim(dir);
        const QString control = dir.filePath(QStringLiteral("ctl"));
        QVERIFY(sim.start({"--print-pty", "--control", control, "--log", dir.filePath(QStringLiteral("log"))}));
        const QStringList lines = sim.linesUntil(QStringLiteral("ready"));
        QCOMPARE(lines.constLast(), QStringLiteral("ready"));
        const QString pty = Running::value(lines, QStringLiteral("pty"));
        const QString entry = dir.filePath(QStringLiteral("config/Tessaline/ports/COM1"));
        QCOMPARE(Running::value(lines, QStringLiteral("port-map")), entry);
        QCOMPARE(QFileInfo(entry).symLinkTarget(), pty);

        QSerialPort port;
        QVERIFY2(openPort(port, entry, 38400), qPrintable(port.errorString()));
        port.write("\r");
        QCOMPARE(readUntil(port, "#"), QByteArray("\r\n#"));
        port.write("SYINFOQX\r");
        const QByteArray record = readUntil(port, "#");
        QCOMPARE(record, QByteArray("SYINFOQX\r\n\x01\x08QX2.40\0\0\r\n#", 23));

        // A fault switched while it runs.
        QCOMPARE(controlCommand(control, QStringLiteral("silence on")), QStringLiteral("ok"));
        port.write("\r");
        QCOMPARE(readUntil(port, "#", 500), QByteArray());
        QCOMPARE(controlCommand(control, QStringLiteral("silence off")), QStringLiteral("ok"));
        port.write("\r");
        QCOMPARE(readUntil(port, "#"), QByteArray("\r\n#"));

        // A program set to another rate hears nothing.
        QVERIFY(port.setBaudRate(9600));
        port.write("\r");
        QCOMPARE(readUntil(port, "#", 500), QByteArray());
        QVERIFY(port.setBaudRate(38400));

        // Output is paced at the baud rate: 1920 bytes take half a second.
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(controlCommand(control, QStringLiteral("garbage 1920 3")), QStringLiteral("ok"));
        QByteArray flood;
        while (flood.size() < 1920 && timer.elapsed() < 5000) {
            if (port.waitForReadyRead(50))
                flood += port.readAll();
        }
        QCOMPARE(flood.size(), 1920);
        QVERIFY2(timer.elapsed() >= 400, qPrintable(QString::number(timer.elapsed())));
        port.close();

        QFile log(dir.filePath(QStringLiteral("log")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray logged = log.readAll();
        QVERIFY(logged.contains("<- SYINFOQX"));
        QVERIFY(logged.contains("heard only noise"));

        sim.process.terminate();
        QVERIFY(sim.process.waitForFinished(5000));
        QCOMPARE(sim.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.process.exitCode(), 0);
        QVERIFY(!QFileInfo(entry).isSymLink());
        QVERIFY(!QFileInfo::exists(control));
    }

    void controllerLineVanishesAndComesBack()
    {
        QTemporaryDir dir;
        Running sim(dir);
        const QString control = dir.filePath(QStringLiteral("ctl"));
        QVERIFY(sim.start({"--mode", "controller", "--ids", "5", "--port", "COM2", "--control", control}));
        QCOMPARE(sim.linesUntil(QStringLiteral("ready")).constLast(), QStringLiteral("ready"));
        const QString entry = dir.filePath(QStringLiteral("config/Tessaline/ports/COM2"));

        QSerialPort port;
        QVERIFY2(openPort(port, entry, 57600), qPrintable(port.errorString()));
        port.write("PASS *5DDBL 0!E6\r\r");
        QCOMPARE(readUntil(port, "LR>"), QByteArray("PASS *5DDBL 0!E6\r\nCTRLR>"));

        QCOMPARE(controlCommand(control, QStringLiteral("vanish")), QStringLiteral("ok"));
        QVERIFY(QFileInfo(entry).isSymLink());
        QVERIFY(!QFileInfo::exists(entry));  // the device behind the entry is gone
        port.close();

        QCOMPARE(controlCommand(control, QStringLiteral("restore")), QStringLiteral("ok"));
        const QString pty = Running::value(sim.linesUntil(QStringLiteral("pty")), QStringLiteral("pty"));
        QCOMPARE(QFileInfo(entry).symLinkTarget(), pty);
        QVERIFY2(openPort(port, entry, 57600), qPrintable(port.errorString()));
        port.write("\r");
        QCOMPARE(readUntil(port, "LR>"), QByteArray("\r\nCTRLR>"));
    }

    // Real time on a loaded machine: only lower bounds. A reply cannot be
    // complete before the command and the reply have crossed the wire.
    // clang-format off
    void theLineTakesItsWireTimeBothWays_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("baud");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("bytesOnTheWire");  // before the reply is complete
        QTest::addColumn<QString>("duplex");
        // A long line in, a short answer out: unpaced input would answer
        // after a twentieth of the time.
        QTest::newRow("direct, long line") << QStringList{"-c", "echo off"} << 38400
                                           << QByteArray(1000, 'x') + '\r' << QByteArray("Invalid command\r\n#")
                                           << 1001 + 18 << QStringLiteral("full");
        QTest::newRow("controller, half duplex")
            << QStringList{"--mode", "controller", "--ids", "5"} << 57600 << QByteArray("PASS *5DDBL 0!E6\r\r")
            << QByteArray("PASS *5DDBL 0!E6\r\nCTRLR>") << 18 + 24 << QStringLiteral("half");
        QTest::newRow("controller, full duplex")
            << QStringList{"--mode", "controller", "--ids", "5", "--duplex", "full"} << 57600
            << QByteArray("PASS *5DDBL 0!E6\r\r") << QByteArray("PASS *5DDBL 0!E6\r\nCTRLR>") << 17 + 24
            << QStringLiteral("full");
    }
    // clang-format on
    void theLineTakesItsWireTimeBothWays()
    {
        QFETCH(QStringList, options);
        QFETCH(int, baud);
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        QFETCH(int, bytesOnTheWire);
        QFETCH(QString, duplex);
        QTemporaryDir dir;
        Running sim(dir);
        const QString control = dir.filePath(QStringLiteral("ctl"));
        QVERIFY(sim.start(options + QStringList{"--control", control}));
        QCOMPARE(sim.linesUntil(QStringLiteral("ready")).constLast(), QStringLiteral("ready"));
        QSerialPort port;
        QVERIFY2(openPort(port, dir.filePath(QStringLiteral("config/Tessaline/ports/COM1")), baud),
                 qPrintable(port.errorString()));
        QCOMPARE(controlCommand(control, QStringLiteral("line-stats reset")), QStringLiteral("ok"));

        const qint64 wireNs = qint64(bytesOnTheWire) * 10 * 1000000000LL / baud;
        for (int round = 0; round < 3; ++round) {
            QElapsedTimer timer;
            timer.start();
            port.write(command);
            QVERIFY(port.waitForBytesWritten(1000));
            QCOMPARE(readUntil(port, reply.right(1)), reply);
            QVERIFY2(timer.nsecsElapsed() >= wireNs,
                     qPrintable(QStringLiteral("%1 ns, the wire needs %2").arg(timer.nsecsElapsed()).arg(wireNs)));
        }
        const QString stats = controlCommand(control, QStringLiteral("line-stats"));
        QVERIFY2(stats.startsWith(QStringLiteral("in=%1 out=%2 ").arg(3 * command.size()).arg(3 * reply.size())),
                 qPrintable(stats));
        QVERIFY2(stats.contains(QStringLiteral(" baud=%1 bits=10 duplex=%2\n").arg(baud).arg(duplex)),
                 qPrintable(stats));
    }

    void aSignalEndsItCleanly_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("said");
        QTest::newRow("Ctrl-C") << int(SIGINT) << QStringLiteral("ended by SIGINT");
        QTest::newRow("terminate") << int(SIGTERM) << QStringLiteral("ended by SIGTERM");
        QTest::newRow("hang-up") << int(SIGHUP) << QStringLiteral("ended by SIGHUP");
    }
    void aSignalEndsItCleanly()
    {
        QFETCH(int, signal);
        QFETCH(QString, said);
        QTemporaryDir dir;
        Running sim(dir);
        const QString control = dir.filePath(QStringLiteral("ctl"));
        QVERIFY(sim.start({"--control", control}));
        QCOMPARE(sim.linesUntil(QStringLiteral("ready")).constLast(), QStringLiteral("ready"));
        const QString ports = dir.filePath(QStringLiteral("config/Tessaline/ports"));
        QVERIFY(QFileInfo(ports + QStringLiteral("/COM1")).isSymLink());
        QCOMPARE(::kill(pid_t(sim.process.processId()), signal), 0);
        QVERIFY(sim.process.waitForFinished(5000));
        QCOMPARE(sim.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.process.exitCode(), 0);
        QVERIFY(QString::fromUtf8(sim.process.readAllStandardError()).contains(said));
        QCOMPARE(QDir(ports).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList());
        QVERIFY(!QFileInfo::exists(control));
    }

    // Whatever stops the start, it says why and leaves no entry behind.
    void aStartThatCannotServeSaysWhy_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("configIsAFile");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::newRow("control socket in a missing folder")
            << QStringList{"--control", "@/missing/ctl"} << false << 1 << QStringLiteral("there is no folder");
        QTest::newRow("log in a missing folder")
            << QStringList{"--log", "@/missing/log"} << false << 1 << QStringLiteral("--log: cannot write");
        QTest::newRow("no folder for the port map")
            << QStringList{} << true << 1 << QStringLiteral("cannot create the folder");
        QTest::newRow("unknown duplex") << QStringList{"--duplex", "quarter"} << false << 2
                                        << QStringLiteral("--duplex: full or half");
    }
    void aStartThatCannotServeSaysWhy()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, configIsAFile);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        QTemporaryDir dir;
        if (configIsAFile) {
            QFile file(dir.filePath(QStringLiteral("config")));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        options.replaceInStrings(QStringLiteral("@"), dir.path());
        Running sim(dir);
        QVERIFY(sim.start(options));
        QVERIFY(sim.process.waitForFinished(5000));
        QCOMPARE(sim.process.exitCode(), exitCode);
        const QString error = QString::fromUtf8(sim.process.readAllStandardError());
        QVERIFY2(error.contains(said), qPrintable(error));
        QVERIFY(!QFileInfo(dir.filePath(QStringLiteral("config/Tessaline/ports/COM1"))).isSymLink());
    }

    void leavesAUsersOwnEntryAlone()
    {
        QTemporaryDir dir;
        const QString ports = dir.filePath(QStringLiteral("config/Tessaline/ports"));
        QVERIFY(QDir().mkpath(ports));
        const QString entry = ports + QStringLiteral("/COM1");
        QVERIFY(QFile::link(QStringLiteral("/dev/ttyUSB7"), entry));

        {
            Running sim(dir);
            QVERIFY(sim.start({}));
            QVERIFY(sim.process.waitForFinished(5000));
            QCOMPARE(sim.process.exitCode(), 1);
            QVERIFY(sim.process.readAllStandardError().contains("--force"));
            QCOMPARE(QFileInfo(entry).symLinkTarget(), QStringLiteral("/dev/ttyUSB7"));
        }
        {
            // Forced: the simulator takes the place until it ends, then the
            // user's entry is back.
            Running sim(dir);
            QVERIFY(sim.start({"--force", "--print-pty"}));
            const QString pty = Running::value(sim.linesUntil(QStringLiteral("ready")), QStringLiteral("pty"));
            QCOMPARE(QFileInfo(entry).symLinkTarget(), pty);
            sim.process.terminate();
            QVERIFY(sim.process.waitForFinished(5000));
            QCOMPARE(sim.process.exitCode(), 0);
            QCOMPARE(QFileInfo(entry).symLinkTarget(), QStringLiteral("/dev/ttyUSB7"));
        }
    }

    // SIGKILL leaves the entry dangling; the next start recognises it as a
    // simulator's own leftover and takes its place.
    void replacesTheEntryOfAKilledSimulator()
    {
        QTemporaryDir dir;
        const QString entry = dir.filePath(QStringLiteral("config/Tessaline/ports/COM1"));
        QString firstPty;
        {
            Running killed(dir);
            QVERIFY(killed.start({"--print-pty"}));
            firstPty = Running::value(killed.linesUntil(QStringLiteral("ready")), QStringLiteral("pty"));
            QCOMPARE(QFileInfo(entry).symLinkTarget(), firstPty);
            killed.process.kill();
            QVERIFY(killed.process.waitForFinished(5000));
        }
        QVERIFY(QFileInfo(entry).isSymLink());

        Running again(dir);
        QVERIFY(again.start({"--print-pty"}));
        const QStringList lines = again.linesUntil(QStringLiteral("ready"));
        QCOMPARE(lines.constLast(), QStringLiteral("ready"));
        QCOMPARE(QFileInfo(entry).symLinkTarget(), Running::value(lines, QStringLiteral("pty")));
        QVERIFY(again.process.readAllStandardError().contains("no longer runs"));

        // A simulator that still runs keeps its entry.
        Running third(dir);
        QVERIFY(third.start({}));
        QVERIFY(third.process.waitForFinished(5000));
        QCOMPARE(third.process.exitCode(), 1);
        QVERIFY(third.process.readAllStandardError().contains("another quorex-sim"));
        QCOMPARE(QFileInfo(entry).symLinkTarget(), Running::value(lines, QStringLiteral("pty")));
    }

    void userEntriesSurviveAKilledSimulator_data()
    {
        QTest::addColumn<bool>("forced");
        // The user pointed the entry at their adapter after the kill.
        QTest::newRow("entry made anew by the user") << false;
        // The killed run had set the user's entry aside.
        QTest::newRow("entry set aside by --force") << true;
    }
    void userEntriesSurviveAKilledSimulator()
    {
        QFETCH(bool, forced);
        QTemporaryDir dir;
        const QString ports = dir.filePath(QStringLiteral("config/Tessaline/ports"));
        const QString entry = ports + QStringLiteral("/COM1");
        const QString adapter = QStringLiteral("/dev/ttyUSB7");
        QVERIFY(QDir().mkpath(ports));
        if (forced)
            QVERIFY(QFile::link(adapter, entry));
        {
            Running killed(dir);
            QVERIFY(killed.start(forced ? QStringList{"--force"} : QStringList{}));
            QCOMPARE(killed.linesUntil(QStringLiteral("ready")).constLast(), QStringLiteral("ready"));
            killed.process.kill();
            QVERIFY(killed.process.waitForFinished(5000));
        }
        if (!forced) {
            QVERIFY(QFile::remove(entry));
            QVERIFY(QFile::link(adapter, entry));
        }

        Running again(dir);
        QVERIFY(again.start({}));
        QVERIFY(again.process.waitForFinished(5000));
        QCOMPARE(again.process.exitCode(), 1);
        QVERIFY(again.process.readAllStandardError().contains("it is the user's"));
        QCOMPARE(QFileInfo(entry).symLinkTarget(), adapter);
        QVERIFY(!QFileInfo(ports + QStringLiteral("/.COM1.before-quorex-sim")).isSymLink());
    }

    void logStartsAfreshUnlessAppending_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("kept");
        QTest::newRow("afresh") << QStringList{} << false;
        QTest::newRow("appending") << QStringList{QStringLiteral("--append-log")} << true;
    }
    void logStartsAfreshUnlessAppending()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, kept);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("log"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("0.000 line   <- an earlier run\n");
        old.close();

        Running sim(dir);
        QVERIFY(sim.start(QStringList{"--no-port-map", "--log", path} + options));
        QCOMPARE(sim.linesUntil(QStringLiteral("ready")).constLast(), QStringLiteral("ready"));
        QFile log(path);
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll().contains("an earlier run"), kept);
    }

    void sendNamesAMissingSocket()
    {
        QTemporaryDir dir;
        QProcess send;
        send.start(simulatorPath(), {"--send", dir.filePath(QStringLiteral("ctl")), "state", "1"});
        QVERIFY(send.waitForFinished(10000));
        QCOMPARE(send.exitCode(), 2);
        const QByteArray said = send.readAllStandardError();
        QVERIFY2(said.contains("there is no such socket") && said.contains("--control"), said.constData());
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
