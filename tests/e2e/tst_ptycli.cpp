// The built tessaline-cli against quorex-sim on a pseudo-terminal, in real
// time, as an installer runs it: reading two units behind the controller
// into a file, sending that file back to the units changed since and
// reading again gives the same bytes; a line that dies in the middle of a read ends it with exit code 3
// and a message naming the port, and writes nothing.
#include "model/ConfigurationFile.h"
#include "model/SettingsModel.h"
#include "support/PtySimulator.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace tess;
using namespace tess::test;

namespace {

// What one run of the program left.
struct Ran {
    int code = -1;
    QString out;
    QString err;
    qint64 ms = 0;
};

// A wall the units do not hold by default: six projectors on two units,
// three channels locked, a few screens set apart from their defaults.
// clang-format off
const QStringList WallCommands = {
    QStringLiteral("video 1 1 1920 1080"), QStringLiteral("video 1 3 1280 720"), QStringLiteral("video 2 2 1920 1080"),
    QStringLiteral("do 1 PRJ 0 6"),        QStringLiteral("do 2 PRJ 1 6"),       QStringLiteral("do 1 DISP 1 320"),
    QStringLiteral("do 2 DISP 1 320"),     QStringLiteral("do 1 BLKGN 2 17"),    QStringLiteral("do 2 BLKGN 3 40"),
    QStringLiteral("do 2 PEFT 1 L 1 2.4 200 0"),
};
// clang-format on

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class PtyCliTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString log_;

    QString path(const char *name) const { return dir_.filePath(QLatin1String(name)); }

    // Starts tessaline-cli with `arguments` and a journal.
    void start(QProcess &program, const QStringList &arguments) const
    {
        program.start(qEnvironmentVariable("TESSALINE_CLI"),
                      arguments + QStringList{QStringLiteral("--journal"), path("journal.txt")});
        QVERIFY2(program.waitForStarted(5000), qPrintable(program.errorString()));
    }

    Ran finish(QProcess &program, const QElapsedTimer &timer) const
    {
        Ran ran;
        if (!program.waitForFinished(20000)) {
            program.kill();
            program.waitForFinished(1000);
        }
        ran.ms = timer.elapsed();
        ran.code = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
        ran.out = QString::fromUtf8(program.readAllStandardOutput());
        ran.err = QString::fromUtf8(program.readAllStandardError());
        return ran;
    }

    Ran run(const QStringList &arguments) const
    {
        QElapsedTimer timer;
        timer.start();
        QProcess program;
        start(program, arguments);
        return finish(program, timer);
    }

    QByteArray simLog() const { return contents(log_); }

private slots:
    void initTestCase()
    {
        if (!QFile::exists(qEnvironmentVariable("QUOREX_SIM")))
            QSKIP("quorex-sim was not built (QUOREX_SIM names no file)");
        if (!QFile::exists(qEnvironmentVariable("TESSALINE_CLI")))
            QSKIP("tessaline-cli was not built (TESSALINE_CLI names no file)");
        QVERIFY(dir_.isValid());
        // A port map of this test's own, inherited by both programs: COM1
        // is the simulator, COM2 names a device that does not exist.
        qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit());
        QVERIFY(QDir().mkpath(path("Tessaline/ports")));
        QFile com2(path("Tessaline/ports/COM2"));
        QVERIFY(com2.open(QIODevice::WriteOnly));
        com2.write("/nonexistent/tessaline-test-com2\n");
        com2.close();
        log_ = path("sim.log");
    }

    void readSendReadGivesTheSameBytes()
    {
        const QString socket = path("control");
        QStringList arguments{QStringLiteral("--mode"),
                              QStringLiteral("controller"),
                              QStringLiteral("--ids"),
                              QStringLiteral("5,6"),
                              QStringLiteral("--no-pacing"),
                              QStringLiteral("--control"),
                              socket};
        for (const QString &command : WallCommands)
            arguments << QStringLiteral("-c") << command;
        PtySimulator sim(arguments, log_);
        if (!sim.ready())
            QSKIP("quorex-sim could not serve on a pseudo-terminal here");

        // The search as the window's: COM1 directly, COM2, then the
        // controller.
        const Ran first = run({QStringLiteral("read"), QStringLiteral("-o"), path("first.qxc")});
        QVERIFY2(first.code == 0, qPrintable(first.err));
        const QByteArray read = contents(path("first.qxc"));
        QCOMPARE(read.size(), qsizetype(ConfigurationFileSize));
        SettingsModel model;
        QCOMPARE(ReadConfigurationFile(model, path("first.qxc")), ConfigurationFileResult::Done);
        QCOMPARE(int(model.output(1, 1).TotalProjectors), 6);
        QCOMPARE(int(model.output(1, 2).BlackLevel), 17);
        QCOMPARE(int(model.output(2, 3).BlackLevel), 40);

        // The wall is changed behind the file's back; sending the file puts
        // it back.
        QVERIFY(simControl(socket, QStringLiteral("do 1 BLKGN 2 99")));
        QVERIFY(simControl(socket, QStringLiteral("do 2 DISP 0 100")));
        const Ran sent = run({QStringLiteral("send"), path("first.qxc"), QStringLiteral("--port"),
                              QStringLiteral("COM1"), QStringLiteral("--mode"), QStringLiteral("controller")});
        QVERIFY2(sent.code == 0, qPrintable(sent.err));
        QVERIFY2(sent.err.contains(QLatin1String("sent ")), qPrintable(sent.err));
        const QByteArray log = simLog();
        QVERIFY2(log.contains("unit 2 => PRJ 1 6") && log.contains("unit 1 => BLKGN 2 17"),
                 log.right(2000).constData());

        const Ran second =
            run({QStringLiteral("read"), QStringLiteral("-o"), path("second.qxc"), QStringLiteral("-q")});
        QVERIFY2(second.code == 0, qPrintable(second.err));
        // Quiet: the boxes the window would show, not the notes.
        QVERIFY2(!second.err.contains(QLatin1String("read 2 units")), qPrintable(second.err));
        QVERIFY2(first.err.contains(QLatin1String("read 2 units")), qPrintable(first.err));
        QCOMPARE(contents(path("second.qxc")), read);

        // Standard error is no terminal here: no progress line.
        QVERIFY2(!first.err.contains(u'\r'), qPrintable(first.err));
        // Every run journaled its start and its end.
        const QByteArray journal = contents(path("journal.txt"));
        QCOMPARE(journal.count(" start program=tessaline-cli"), 3);
        QCOMPARE(journal.count(" end exit=0"), 3);
    }

    void aLineThatDiesMidReadWritesNothing()
    {
        // Slow replies, so that the read is surely under way when the line
        // goes.
        PtySimulator sim({QStringLiteral("--mode"), QStringLiteral("controller"), QStringLiteral("--ids"),
                          QStringLiteral("5,6"), QStringLiteral("-c"), QStringLiteral("delay 150")},
                         log_);
        if (!sim.ready())
            QSKIP("quorex-sim could not serve on a pseudo-terminal here");
        const QString target = path("dead.qxc");
        QElapsedTimer timer;
        timer.start();
        QProcess program;
        start(program, {QStringLiteral("read"), QStringLiteral("-o"), target, QStringLiteral("--port"),
                        QStringLiteral("COM1"), QStringLiteral("--mode"), QStringLiteral("controller")});
        QVERIFY2(waitUntil([this] { return simLog().contains("=> OINFOQX"); }, 10000), simLog().constData());
        sim.kill();
        timer.restart();
        const Ran ran = finish(program, timer);

        QCOMPARE(ran.code, 3);
        // Said at once, not after the 8 s an exchange may take.
        QVERIFY2(ran.ms < 4000, qPrintable(QString::number(ran.ms)));
        QVERIFY2(ran.err.contains(QLatin1String("COM Port #1")), qPrintable(ran.err));
        QVERIFY2(ran.err.contains(QLatin1String("nothing was written to ") + target), qPrintable(ran.err));
        QVERIFY(ran.out.isEmpty());
        QVERIFY(!QFile::exists(target));
        // No temporary file of an atomic save is left beside it either.
        QCOMPARE(QDir(dir_.path()).entryList({QStringLiteral("dead*")}, QDir::Files | QDir::Hidden), QStringList());
    }
};

QTEST_GUILESS_MAIN(PtyCliTest)
#include "tst_ptycli.moc"
