// The virtual wall around the light model: which unit drives which
// projector, setting the units up with "do", the window that never holds up
// the line, and quorex-sim --wall --png.

#include "core/Simulator.h"
#include "wall/WallPicture.h"
#include "wall/WallScene.h"
#include "wall/WallWindow.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace tess::sim;
using namespace tess::sim::wall;

namespace {

void run(Simulator &sim, const QString &command)
{
    const ControlResult result = sim.control(command, 0);
    QVERIFY2(result.ok, qPrintable(command + QStringLiteral(": ") + result.message));
}

}  // namespace

class WallTest : public QObject {
    Q_OBJECT
private slots:
    void unitsDriveTheirProjectors()
    {
        Simulator sim(Setup::controller({5, 6}));
        run(sim, QStringLiteral("do 1 PRJ 0 6"));
        run(sim, QStringLiteral("do 1 DISP 0 200"));
        run(sim, QStringLiteral("do 2 OTPMQX 2 7 0 1"));
        run(sim, QStringLiteral("do 1 BLKGN 4 9"));
        run(sim, QStringLiteral("output 1 1 2"));
        const Wall wall = wallOf(sim);
        QCOMPARE(int(wall.projectors.size()), 6);
        QCOMPARE(wall.overlap, 200);
        QCOMPARE(QSize(wall.width, wall.height), QSize(1024, 768));
        QCOMPARE(wall.projectors[5].screen.testPattern, quint8(7));  // projector 6: unit 2, screen 2
        QCOMPARE(wall.projectors[5].screen.testGrid, quint8(1));
        QCOMPARE(wall.projectors[3].screen.blackLevel, quint8(9));
        QCOMPARE(wall.projectors[4].screen.testPattern, quint8(0));
    }

    void projectorsWithoutAUnitStayDark_data()
    {
        QTest::addColumn<int>("units");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("projectors");
        QTest::addColumn<int>("driven");
        QTest::newRow("one unit, eight projectors") << 1 << QStringLiteral("do 1 PRJ 0 8") << 8 << 4;
        QTest::newRow("no projectors") << 1 << QStringLiteral("do 1 PRJ 0 0") << 1 << 1;
        QTest::newRow("255 projectors") << 1 << QStringLiteral("do 1 PRJ 0 255") << 8 << 4;
        QTest::newRow("controller, no units") << 0 << QString() << 1 << 0;
    }
    void projectorsWithoutAUnitStayDark()
    {
        QFETCH(int, units);
        QFETCH(QString, setup);
        QFETCH(int, projectors);
        QFETCH(int, driven);
        Simulator sim(units == 0 ? Setup::controller({}) : Setup::direct());
        if (!setup.isEmpty())
            run(sim, setup);
        const Wall wall = wallOf(sim);
        QCOMPARE(int(wall.projectors.size()), projectors);
        QCOMPARE(int(std::count_if(wall.projectors.begin(), wall.projectors.end(),
                                   [](const Projector &p) { return p.driven; })),
                 driven);
        const QImage picture = wallPicture(wall, QSize(400, 300));
        QCOMPARE(picture.size(), QSize(400, 300));
    }

    // clang-format off
    void doRefusesWhatTheUnitRefuses_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown keyword") << QStringLiteral("do 1 FROB 1") << QStringLiteral("do: Invalid command");
        QTest::newRow("bad screen") << QStringLiteral("do 1 BLKGN 9 1") << QStringLiteral("do: Invalid parameter");
        QTest::newRow("no command") << QStringLiteral("do 1") << QStringLiteral("do: no device command");
        QTest::newRow("no such unit") << QStringLiteral("do 2 PRJ 0 3") << QStringLiteral("do: no such unit (1 to 1)");
    }
    // clang-format on
    void doRefusesWhatTheUnitRefuses()
    {
        QFETCH(QString, command);
        QFETCH(QString, message);
        Simulator sim;
        const UnitSettings before = sim.unit(1).settings;
        const ControlResult result = sim.control(command, 0);
        QVERIFY(!result.ok);
        QCOMPARE(result.message, message);
        QVERIFY(sim.unit(1).settings == before);
        QVERIFY(sim.takeDue(1000000).isEmpty());  // nothing goes on the line
    }

    // The window draws on a worker thread: looking at the units returns at
    // once, even for the widest wall, and the picture arrives later.
    void windowNeverHoldsUpTheLine()
    {
        Simulator sim(Setup::controller({1, 2}));
        run(sim, QStringLiteral("do 1 PRJ 0 8"));
        WallWindow window(sim);
        window.resize(1600, 900);
        window.poll();
        QVERIFY(window.isDrawing());
        QVERIFY(window.picture().isNull());
        QTRY_VERIFY_WITH_TIMEOUT(!window.isDrawing(), 20000);
        QCOMPARE(window.picture().size(), QSize(1600, 900));

        // unchanged units: no new drawing; a change: a new one
        window.poll();
        QVERIFY(!window.isDrawing());
        run(sim, QStringLiteral("do 2 OTPMQX 5 9 0 0"));
        window.poll();
        QVERIFY(window.isDrawing());
        QTRY_VERIFY_WITH_TIMEOUT(!window.isDrawing(), 20000);
    }

    void closingWhileDrawingIsSafe()
    {
        Simulator sim;
        auto *window = new WallWindow(sim);
        window->resize(1600, 900);
        window->poll();
        delete window;  // waits for the drawing, drops its answer
        QCoreApplication::processEvents();
    }

    // clang-format off
    void pngWithoutADisplay_data()
    {
        QTest::addColumn<QStringList>("commands");
        QTest::newRow("three projectors, feathering on")
            << QStringList{QStringLiteral("do 1 PRJ 0 3"), QStringLiteral("do 1 EFTB 1 2.2")};
        QTest::newRow("nonsense") << QStringList{QStringLiteral("do 1 PRJ 0 0"), QStringLiteral("do 1 OTPMQX 5 200 1 1"),
                                                 QStringLiteral("do 1 PEFT 1 R 1 0.0 9999 -5"),
                                                 QStringLiteral("do 1 QXCTRL 1"), QStringLiteral("do 1 DISP 0 -40")};
    }
    // clang-format on
    void pngWithoutADisplay()
    {
        QFETCH(QStringList, commands);
        const QString simulator = qEnvironmentVariable("QUOREX_SIM");
        if (simulator.isEmpty())
            QSKIP("QUOREX_SIM does not name the quorex-sim to run");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("wall.png"));
        QStringList args{QStringLiteral("--wall"), QStringLiteral("--png"), file};
        for (const QString &c : commands)
            args << QStringLiteral("-c") << c;
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        process.setProcessEnvironment(env);
        process.start(simulator, args);
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        const QImage image(file);
        QCOMPARE(image.size(), QSize(1600, 900));
        QVERIFY(!QDir(dir.filePath(QStringLiteral("config/Tessaline/ports"))).exists());  // no port served
    }

    void pngNeedsTheWall()
    {
        const QString simulator = qEnvironmentVariable("QUOREX_SIM");
        if (simulator.isEmpty())
            QSKIP("QUOREX_SIM does not name the quorex-sim to run");
        QProcess process;
        process.start(simulator, {QStringLiteral("--png"), QStringLiteral("/nonexistent/x.png")});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 2);
    }
};

QTEST_MAIN(WallTest)
#include "tst_wall.moc"
