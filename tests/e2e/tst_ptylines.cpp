// The real serial port on a pseudo-terminal. It has no modem lines: the
// port reports none, raises no line failure and logs nothing, and the line
// lights stay dark while the line keeps working. What is written is on the
// line before the event loop runs again.
#include "link/PortMap.h"
#include "link/QtSerialPort.h"
#include "pages/info/LineLights.h"
#include "support/VirtualClock.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

using namespace tess;
using namespace tess::test;

class PtyLinesTest : public QObject {
    Q_OBJECT
    QTemporaryDir config_;
    int master_ = -1;

private slots:
    void initTestCase()
    {
        QVERIFY(config_.isValid());
        qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
            QSKIP("no pseudo-terminal can be made here (posix_openpt failed)");
        const QString slave = QString::fromLocal8Bit(::ptsname(master_));
        QVERIFY(QDir().mkpath(PortMap::directory()));
        QVERIFY(QFile::link(slave, PortMap::directory() + QStringLiteral("/COM1")));
    }

    void cleanupTestCase()
    {
        if (master_ >= 0)
            ::close(master_);
    }

    void lightsStayDarkAndTheLineKeepsWorking()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        QtSerialPort port;
        port.setPortNumber(1);
        port.setHardwareFlowControl(false);
        QVERIFY(port.open().ok());
        QSignalSpy failures(&port, &SerialPort::errorOccurred);

        VirtualClock clock;
        QWidget page;
        LineLights lights(&page, clock);
        lights.attach(port);
        lights.setMonitoring(true);
        for (int i = 0; i < 20; ++i)
            clock.advance(LineLights::IntervalMs);
        QVERIFY(!port.modemLines());
        for (const char *name : {"ApdStatusLight1", "ApdStatusLight2"})
            QVERIFY(!page.findChild<StatusLight *>(QLatin1String(name))->isLit());
        QCOMPARE(failures.count(), 0);
        QVERIFY(port.isOpen());

        port.write("ok");
        QTRY_VERIFY_WITH_TIMEOUT(port.outputFree() == QtSerialPort::OutputBufferSize, 2000);
        pollfd readable{master_, POLLIN, 0};
        QVERIFY(::poll(&readable, 1, 2000) == 1);
        char got[8] = {};
        QCOMPARE(::read(master_, got, sizeof got), ssize_t(2));
        QCOMPARE(QByteArray(got, 2), QByteArray("ok"));
        clock.advance(LineLights::IntervalMs);
        QCOMPARE(failures.count(), 0);
    }

    void writtenBytesAreOnTheLineBeforeTheEventLoopRuns()
    {
        // The window may have repaints queued; they must not go before a
        // command's bytes.
        QtSerialPort port;
        port.setPortNumber(1);
        port.setHardwareFlowControl(false);
        QVERIFY(port.open().ok());
        const QByteArray frame("PASS *5BLKGN 1 7!C0");
        port.write(frame);
        pollfd readable{master_, POLLIN, 0};
        QCOMPARE(::poll(&readable, 1, 500), 1);  // no event loop meanwhile
        char got[64] = {};
        QCOMPARE(QByteArray(got, int(::read(master_, got, sizeof got))), frame);
    }
};

QTEST_MAIN(PtyLinesTest)
#include "tst_ptylines.moc"
