// The link end to end: the real serial port on a pseudo-terminal served by
// quorex-sim, in real time. In each mode: the search finds the simulated
// hardware, connects, and one command gets its answer.
#include "device/StatusQueries.h"
#include "link/DeviceSearch.h"
#include "link/Link.h"
#include "link/QtSerialPort.h"
#include "model/SettingsModel.h"
#include "platform/Clock.h"
#include "support/FakeDeviceHost.h"
#include "support/FakeWindow.h"
#include "support/PtySimulator.h"
#include "support/RecordedExit.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tess;
using namespace tess::test;

class PtyLinkTest : public QObject {
    Q_OBJECT
    QTemporaryDir config_;
    QString log_;

    // The link as the program builds it, on the system's serial ports.
    struct Program {
        ScriptedDialogs dialogs;
        RecordedExit exit;
        FakeWindow window;
        QtSerialPort port;
        Link link{port, Clock::system(), dialogs, exit, window};
        DeviceSearch search{link, window};
    };

    QByteArray simLog() const
    {
        QFile file(log_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        if (!QFile::exists(qEnvironmentVariable("QUOREX_SIM")))
            QSKIP("quorex-sim was not built (QUOREX_SIM names no file)");
        QVERIFY(config_.isValid());
        // A port map of this test's own: COM1 is the simulator, COM2 names
        // a device that does not exist.
        qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
        QVERIFY(QDir().mkpath(config_.filePath(QStringLiteral("Tessaline/ports"))));
        QFile com2(config_.filePath(QStringLiteral("Tessaline/ports/COM2")));
        QVERIFY(com2.open(QIODevice::WriteOnly));
        com2.write("/nonexistent/tessaline-test-com2\n");
        log_ = config_.filePath(QStringLiteral("sim.log"));
    }

    void directUnitIsFoundAndAnswers()
    {
        QFile::remove(log_);
        PtySimulator sim({QStringLiteral("--mode"), QStringLiteral("direct")}, log_);
        if (!sim.ready())
            QSKIP("quorex-sim could not serve on a pseudo-terminal here");
        Program program;
        program.search.SearchAllClick();
        QVERIFY(program.link.DeviceConnected);
        QCOMPARE(program.window.comNumber, QStringLiteral("1"));
        QCOMPARE(program.port.baudRate(), 38400);

        program.link.formatCommand("DDBL %d\r", 0);
        program.link.SendDirect();  // returns once the unit's prompt came
        QVERIFY(program.exit.codes.isEmpty());
        QVERIFY(program.dialogs.shown().isEmpty());
        QVERIFY(simLog().contains("=> DDBL 0"));

        // And the unit reports it back.
        SettingsModel model;
        model.output(1, 1).DataDoubling = 7;
        FakeDeviceHost host;
        StatusQueries queries(program.link, model, host);
        QVERIFY(queries.QueryOutputInfo(1, 1));
        QCOMPARE(model.output(1, 1).DataDoubling, quint8(0));
    }

    void controllerIsFoundAfterTheDirectProbesAndRelays()
    {
        QFile::remove(log_);
        PtySimulator sim(
            {QStringLiteral("--mode"), QStringLiteral("controller"), QStringLiteral("--ids"), QStringLiteral("5,6")},
            log_);
        if (!sim.ready())
            QSKIP("quorex-sim could not serve on a pseudo-terminal here");
        Program program;
        program.search.SearchAllClick();
        QVERIFY(program.link.DeviceConnected);
        QVERIFY(program.window.controllerBox);
        QCOMPARE(program.port.baudRate(), 57600);
        QCOMPARE(program.search.CountUnits(), 2);
        QCOMPARE(program.window.ids[0], 5);
        QCOMPARE(program.window.ids[1], 6);

        program.link.formatCommand("*%dDDBL %d!", 6, 0);
        program.link.ComputeChecksum();
        QVERIFY(program.link.SendRelayed(6, 0));
        QVERIFY(program.dialogs.shown().isEmpty());
        const QByteArray log = simLog();
        QVERIFY2(log.contains("PASS *6DDBL 0!"), log.constData());
        QVERIFY(log.contains("unit 2 => DDBL 0"));
    }

    void controllerLineClosedByTheSystemIsReopened()
    {
        QFile::remove(log_);
        const QString socket = config_.filePath(QStringLiteral("control"));
        PtySimulator sim({QStringLiteral("--mode"), QStringLiteral("controller"), QStringLiteral("--ids"),
                          QStringLiteral("5"), QStringLiteral("--control"), socket},
                         log_);
        if (!sim.ready())
            QSKIP("quorex-sim could not serve on a pseudo-terminal here");
        Program program;
        program.search.SearchAllClick();
        QVERIFY(program.link.DeviceConnected);
        program.link.formatCommand("*%dDDBL %d!", 5, 1);
        program.link.ComputeChecksum();

        // The adapter is pulled: the system closes the port. A send asks
        // once whether to keep trying, naming the port and its device,
        // without waiting for time-outs; given up, the status line says so.
        const QString device = program.port.deviceName();
        QVERIFY2(device.startsWith(QStringLiteral("/dev/")), qPrintable(device));
        QVERIFY(simControl(socket, QStringLiteral("vanish")));
        QVERIFY(waitUntil([&] { return program.link.lineLost(); }, 5000));
        program.dialogs.answer(false);
        QVERIFY(!program.link.SendRelayed(5, 0));
        const auto questions = program.dialogs.takeQuestions();
        QCOMPARE(questions.size(), 1);
        const QString gone = QStringLiteral("COM Port #1 (%1) is gone").arg(device);
        QVERIFY2(questions.front().text.contains(gone), qPrintable(questions.front().text));
        QVERIFY(program.window.status.contains(gone));

        // Plugged back in: the next send reopens the port and goes through.
        QVERIFY(simControl(socket, QStringLiteral("restore")));
        QVERIFY(program.link.SendRelayed(5, 0));
        QVERIFY(simLog().contains("unit 1 => DDBL 1"));
        VERIFY_DIALOGS_TAKEN(program.dialogs);
    }
};

QTEST_GUILESS_MAIN(PtyLinkTest)
#include "tst_ptylink.moc"
