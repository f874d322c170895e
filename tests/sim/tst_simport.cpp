// The in-process serial port: what the simulator sends arrives through the
// event loop, in the pieces and at the virtual times the faults say; the
// test sets up which ports exist, how opening fails, the output buffer and
// the line vanishing, and sees what the program did with the port.

#include "support/SimulatedLine.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using namespace tess;
using namespace tess::sim;
using tess::test::SimulatedLine;

namespace {

void openOn(SimulatedLine &line, int number)
{
    line.port.setPortNumber(number);
    QVERIFY(line.port.open().ok());
}

}  // namespace

class SimPortTest : public QObject {
    Q_OBJECT
private slots:
    void replyArrivesFromTheEventLoopNotInsideWrite()
    {
        SimulatedLine line;
        line.control("echo off");
        openOn(line, 1);
        QSignalSpy spy(&line.port, &SerialPort::dataAvailable);
        line.port.write("\r");
        QCOMPARE(spy.count(), 0);
        QCOMPARE(line.port.bytesAvailable(), 0);
        line.clock.processPendingEvents();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(line.port.read(100), QByteArray("\r\n#"));
    }

    void everyPieceIsOneArrival_data()
    {
        QTest::addColumn<QString>("split");
        QTest::addColumn<QList<int>>("pieces");
        QTest::newRow("whole") << QStringLiteral("split off") << QList<int>{13};
        QTest::newRow("single bytes") << QStringLiteral("split 1") << QList<int>(13, 1);
        QTest::newRow("five bytes") << QStringLiteral("split 5") << QList<int>{5, 5, 3};
    }
    void everyPieceIsOneArrival()
    {
        QFETCH(QString, split);
        QFETCH(QList<int>, pieces);
        SimulatedLine line;
        line.control("echo off");
        QVERIFY(line.control(split).ok);
        openOn(line, 1);
        // A handler that reads what arrived, as the program's does.
        QList<int> seen;
        QByteArray got;
        connect(&line.port, &SerialPort::dataAvailable, this, [&](int count) {
            seen.append(count);
            got += line.port.read(count);
        });
        line.port.write("SYINFOQX\r");
        line.clock.waitForEvents(10);
        QCOMPARE(seen, pieces);
        QCOMPARE(got.size(), 13);
        QVERIFY(got.endsWith("\r\n#"));
    }

    void unreadBytesStayAndTheCountSaysHowManyWait()
    {
        SimulatedLine line;
        line.control("echo off");
        line.control("split 1");
        openOn(line, 1);
        QSignalSpy spy(&line.port, &SerialPort::dataAvailable);
        line.port.write("\r");
        line.clock.waitForEvents(10);
        QCOMPARE(spy.count(), 3);
        QCOMPARE(spy.at(2).at(0).toInt(), 3);
        line.port.flushInput();
        QCOMPARE(line.port.bytesAvailable(), 0);
    }

    void delaysRunInVirtualTime()
    {
        SimulatedLine line;
        line.control("echo off");
        line.control("delay 3000");
        openOn(line, 1);
        QElapsedTimer real;
        real.start();
        line.port.write("\r");
        line.clock.advance(2999);
        QCOMPARE(line.port.bytesAvailable(), 0);
        line.clock.advance(1);
        QCOMPARE(line.port.bytesAvailable(), 3);
        QVERIFY(real.elapsed() < 1000);
    }

    void promptWaitInTicksMeetsDelayedPrompt_data()
    {
        QTest::addColumn<int>("delayMs");
        QTest::addColumn<bool>("found");
        QTest::newRow("inside ten ticks") << 550 << true;
        QTest::newRow("after ten ticks") << 560 << false;
    }
    void promptWaitInTicksMeetsDelayedPrompt()
    {
        QFETCH(int, delayMs);
        QFETCH(bool, found);
        SimulatedLine line;
        line.control(QStringLiteral("delay %1").arg(delayMs));
        openOn(line, 1);
        line.port.write("\r");
        QCOMPARE(line.port.waitForString(line.clock, "#", 10), found);
    }

    void answersOnlyOnItsPort()
    {
        SimulatedLine line;
        line.port.setAnsweringPort(2);
        openOn(line, 1);
        line.port.write("\r");
        line.clock.waitForEvents(1000);
        QCOMPARE(line.port.bytesAvailable(), 0);
        // Switching an open port to another number reopens it there.
        line.port.setPortNumber(2);
        QVERIFY(line.port.isOpen());
        QCOMPARE(line.port.openCount(), 2);
        line.port.write("\r");
        QVERIFY(line.port.waitForString(line.clock, "#", 10));
        QCOMPARE(line.port.events(), (QStringList{"open 1", "close", "open 2"}));
    }

    void portsThatDoNotExist()
    {
        SimulatedLine line;
        line.port.setExistingPorts({2});
        QVERIFY(!line.port.portExists(1));
        QVERIFY(line.port.portExists(2));
        line.port.setPortNumber(1);
        const SerialPort::OpenResult result = line.port.open();
        QCOMPARE(result.kind, SerialPort::OpenResult::Kind::Failed);
        QVERIFY(!line.port.isOpen());
    }

    void openingFails_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<int>("kind");
        QTest::newRow("permission") << int(SimSerialPort::OpenFailure::PermissionDenied)
                                    << int(SerialPort::OpenResult::Kind::PermissionDenied);
        QTest::newRow("busy") << int(SimSerialPort::OpenFailure::Busy) << int(SerialPort::OpenResult::Kind::Failed);
    }
    void openingFails()
    {
        QFETCH(int, failure);
        QFETCH(int, kind);
        SimulatedLine line;
        line.port.setOpenFailure(1, SimSerialPort::OpenFailure(failure));
        line.port.setPortNumber(1);
        const SerialPort::OpenResult result = line.port.open();
        QCOMPARE(int(result.kind), kind);
        QVERIFY(!result.detail.isEmpty());
        QVERIFY(line.port.portExists(1));  // it exists, another program holds it
        QCOMPARE(line.port.openCount(), 0);
    }

    void stalledOutputFillsTheBuffer()
    {
        SimulatedLine line;
        line.port.setOutputCapacity(20);
        openOn(line, 1);
        QCOMPARE(line.port.outputFree(), 20);
        line.port.setOutputStalled(true);
        line.port.write("BLKGN 1 5\r");
        QCOMPARE(line.port.outputFree(), 10);
        line.port.write("BLKGN 2 66666\r");  // only ten characters fit
        QCOMPARE(line.port.outputFree(), 0);
        QVERIFY(line.sim.log().received().isEmpty());
        line.port.setOutputStalled(false);
        QCOMPARE(line.port.outputFree(), 20);
        QCOMPARE(line.sim.log().received(), QByteArrayList{"BLKGN 1 5"});
        QCOMPARE(line.port.written(), QByteArray("BLKGN 1 5\rBLKGN 2 66"));
    }

    void lineVanishes()
    {
        SimulatedLine line;
        openOn(line, 1);
        QSignalSpy errors(&line.port, &SerialPort::errorOccurred);
        QVERIFY(line.control("vanish").ok);
        QCOMPARE(errors.count(), 0);  // raised from the event loop
        line.clock.processPendingEvents();
        QCOMPARE(errors.count(), 1);
        QVERIFY(!line.port.portExists(1));
        line.port.write("\r");
        line.clock.waitForEvents(1000);
        QCOMPARE(line.port.bytesAvailable(), 0);
        QVERIFY(line.sim.log().received().isEmpty());
        line.port.close();
        QVERIFY(!line.port.open().ok());
        line.port.restore();
        QVERIFY(line.port.open().ok());
    }

    void waitForStringStopsAtTheError()
    {
        SimulatedLine line;
        line.control("silence on");
        openOn(line, 1);
        line.port.vanish();
        const qint64 start = line.clock.nowMs();
        QVERIFY(!line.port.waitForString(line.clock, "#", 80));
        QVERIFY(line.clock.nowMs() - start < 80 * SerialPort::TickMs);
    }

    void settingsAndOpensAreRemembered()
    {
        SimulatedLine line;
        line.port.setBaudRate(57600);
        line.port.setParity(SerialPort::Parity::Odd);
        line.port.setHardwareFlowControl(false);
        openOn(line, 1);
        line.port.setHardwareFlowControl(true);  // takes effect at the next open
        QCOMPARE(line.port.baudRate(), 57600);
        QCOMPARE(line.port.parity(), SerialPort::Parity::Odd);
        QVERIFY(!line.port.flowControlAtOpen());
        line.port.close();
        QVERIFY(line.port.open().ok());
        QVERIFY(line.port.flowControlAtOpen());
        QCOMPARE(line.port.openCount(), 2);
        QCOMPARE(line.port.events().first(), QStringLiteral("baud 57600"));
    }

    void writesWhileClosedGoNowhere()
    {
        SimulatedLine line;
        line.port.setPortNumber(1);
        line.port.write("BLKGN 1 5\r");
        QVERIFY(line.port.written().isEmpty());
        QVERIFY(line.sim.log().received().isEmpty());
        QCOMPARE(line.sim.unit(1).settings.screens[0].blackLevel, quint8(0));
    }

    void closingLosesWhatWasOnItsWay()
    {
        SimulatedLine line;
        line.control("delay 1000");
        openOn(line, 1);
        line.port.write("\r");
        line.port.close();
        QVERIFY(line.port.open().ok());
        line.clock.advance(2000);
        QCOMPARE(line.port.bytesAvailable(), 0);
    }

    void injectedBytesArriveAsTheDeviceSentThem()
    {
        SimulatedLine line;
        line.control("split 2");
        openOn(line, 1);
        QSignalSpy spy(&line.port, &SerialPort::dataAvailable);
        const QByteArray record("\x01\x08QX2.40\0\0\r\nLR>", 15);
        line.port.inject(record);
        QCOMPARE(spy.count(), 0);
        line.clock.processPendingEvents();
        QCOMPARE(spy.count(), 8);
        QCOMPARE(spy.at(0).at(0).toInt(), 2);
        QCOMPARE(line.port.read(100), record);
    }

    void silentPortTakesInjectedBytesToo()
    {
        SimulatedLine line;
        line.port.setAnsweringPort(2);
        openOn(line, 1);
        line.port.inject("abc");
        line.clock.waitForEvents(10);
        QCOMPARE(line.port.read(10), QByteArray("abc"));
    }

    void outputQueuedOnTheSimulatorItselfArrivesToo()
    {
        SimulatedLine line;
        openOn(line, 1);
        line.sim.sendRaw("xy", line.clock.nowMs());
        QVERIFY(line.sim.control("garbage 3 1", line.clock.nowMs()).ok);
        line.clock.processPendingEvents();
        QCOMPARE(line.port.read(10).left(2), QByteArray("xy"));
    }

    void simulatorOutlivesItsPort()
    {
        test::VirtualClock clock;
        Simulator sim;
        {
            SimSerialPort port(clock, sim);
            Simulator other;
            port.attach(2, &other);
            port.attach(2, nullptr);
            other.sendRaw("x", 0);
        }
        sim.sendRaw("nobody listens", 0);
        QCOMPARE(sim.takeDue(0), QByteArrayList{"nobody listens"});
    }

    void lineSettingsReachTheSimulator()
    {
        SimulatedLine line(Setup::controller({1}));
        line.sim.checkLineSettings = true;
        line.port.setBaudRate(38400);
        openOn(line, 1);
        line.port.write("\r");
        QVERIFY(!line.port.waitForString(line.clock, ">", 10));
        line.port.setBaudRate(57600);
        line.port.write("\r");
        QVERIFY(line.port.waitForString(line.clock, ">", 10));
    }
};

QTEST_GUILESS_MAIN(SimPortTest)
#include "tst_simport.moc"
