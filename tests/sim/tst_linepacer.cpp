// The line between the program and the simulated devices, in virtual
// time: each byte crosses one byte-time after the previous one, both ways;
// half duplex keeps the two directions off each other; lateness of the
// caller is measured, never folded into the schedule.

#include "core/LinePacer.h"
#include "sim/Wire.h"

#include <QTest>

using namespace tess;
using namespace tess::sim;
using tess::test::Wire;

namespace {

const QByteArray DdblFrame = Wire::frame("*5DDBL 0!");      // 18 bytes, ends \r\r
const QByteArray DdblReply = "PASS *5DDBL 0!E6\r\nCTRLR>";  // 24 bytes

struct Arrival {
    qint64 ns;
    char byte;
};

// A simulator behind a pacer, driven from wake-up to wake-up; `lateNs` is
// how late every wake-up runs.
struct PacedLine {
    PacedLine(const Setup &setup, int baud, bool half, int bits = 10) : sim(setup), pacer(sim), bits(bits)
    {
        pacer.setBaud(baud);
        pacer.setHalfDuplex(half);
    }

    void write(const QByteArray &bytes, qint64 atNs)
    {
        runUntil(atNs);
        pacer.written(bytes, atNs, bits, std::nullopt);
    }
    void control(const QString &command, qint64 atNs)
    {
        runUntil(atNs);
        QVERIFY(sim.control(command, atNs / 1000000).ok);
        pacer.takeOutput(atNs);
    }
    void runUntil(qint64 untilNs)
    {
        for (;;) {
            const std::optional<qint64> wake = pacer.nextWakeNs();
            if (!wake || *wake > untilNs)
                break;
            now = qMax(now, *wake) + lateNs;
            for (char byte : pacer.run(now, bits))
                got.append({now, byte});
        }
        now = qMax(now, untilNs);
    }
    QByteArray received() const
    {
        QByteArray out;
        for (const Arrival &a : got)
            out.append(a.byte);
        return out;
    }

    Simulator sim;
    LinePacer pacer;
    int bits;
    qint64 now = 0;
    qint64 lateNs = 0;
    QList<Arrival> got;
};

constexpr qint64 Second = 1000000000;
constexpr qint64 Forever = 60 * Second;

double byteNs(int bits, int baud)
{
    return baud > 0 ? double(bits) * 1e9 / baud : 0.0;
}

}  // namespace

class LinePacerTest : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void replyFollowsTheCommandOnTheWire_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::addColumn<int>("baud");
        QTest::addColumn<bool>("half");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("reply");
        // Byte-times from writing the command to the reply's first byte.
        QTest::addColumn<int>("firstByteAt");

        QTest::newRow("direct 38400 8N1") << false << 38400 << false << 10 << QByteArray("\r")
                                          << QByteArray("\r\n#") << 2;
        QTest::newRow("direct 38400 8E1") << false << 38400 << false << 11 << QByteArray("\r")
                                          << QByteArray("\r\n#") << 2;
        // Full duplex: the answer starts once the first return has arrived,
        // while the second is still on its way.
        QTest::newRow("controller full duplex") << true << 57600 << false << 10 << DdblFrame << DdblReply << 18;
        // Half duplex: only once the last command byte has arrived.
        QTest::newRow("controller half duplex") << true << 57600 << true << 10 << DdblFrame << DdblReply << 19;
        QTest::newRow("not paced") << true << 0 << true << 10 << DdblFrame << DdblReply << 0;
    }
    // clang-format on
    void replyFollowsTheCommandOnTheWire()
    {
        QFETCH(bool, controller);
        QFETCH(int, baud);
        QFETCH(bool, half);
        QFETCH(int, bits);
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        QFETCH(int, firstByteAt);

        PacedLine line(controller ? Setup::controller({5}) : Setup::direct(), baud, half, bits);
        const qint64 start = 2 * Second + 345678;  // mid-millisecond: the simulator counts whole ones
        line.write(command, start);
        line.runUntil(start + Forever);
        QCOMPARE(line.received(), reply);
        const double byte = byteNs(bits, baud);
        for (qsizetype i = 0; i < line.got.size(); ++i) {
            const double expected = double(start) + (firstByteAt + i) * byte;
            const double at = double(line.got.at(i).ns);
            QVERIFY2(
                at >= expected - 1 && at <= expected + 1000,
                qPrintable(QStringLiteral("byte %1 at %2 ns, due %3").arg(i).arg(at - start).arg(expected - start)));
        }
    }

    // What the program writes while the devices send: in half duplex it
    // waits for the wire, in full duplex it crosses at once (its answer
    // still queues behind the first one).
    void theProgramsBytesWaitForTheWireOnlyInHalfDuplex_data()
    {
        QTest::addColumn<bool>("half");
        QTest::addColumn<int>("gap");  // byte-times between the two replies
        QTest::newRow("half duplex") << true << 2;
        QTest::newRow("full duplex") << false << 1;
    }
    void theProgramsBytesWaitForTheWireOnlyInHalfDuplex()
    {
        QFETCH(bool, half);
        QFETCH(int, gap);
        PacedLine line(Setup::controller({5}), 57600, half);
        const double byte = byteNs(10, 57600);
        line.write(DdblFrame, 0);
        line.write("\r", qint64(25 * byte));  // while the reply is on its way
        line.runUntil(Forever);
        QCOMPARE(line.received(), DdblReply + "\r\nCTRLR>");
        const qint64 firstEnd = line.got.at(DdblReply.size() - 1).ns;
        const qint64 secondStart = line.got.at(DdblReply.size()).ns;
        QVERIFY2(qAbs(double(secondStart - firstEnd) - gap * byte) < 1000,
                 qPrintable(QString::number(secondStart - firstEnd)));
    }

    void devicesOutputWaitsForTheProgramsBytesOnlyInHalfDuplex_data()
    {
        QTest::addColumn<bool>("half");
        QTest::addColumn<int>("firstByteAt");
        QTest::newRow("half duplex") << true << 101;
        QTest::newRow("full duplex") << false << 2;
    }
    void devicesOutputWaitsForTheProgramsBytesOnlyInHalfDuplex()
    {
        QFETCH(bool, half);
        QFETCH(int, firstByteAt);
        PacedLine line(Setup::controller({5}), 57600, half);
        const double byte = byteNs(10, 57600);
        line.write(QByteArray(100, 'x'), 0);
        line.control(QStringLiteral("send AB"), qint64(byte));
        line.runUntil(Forever);
        QCOMPARE(line.received(), QByteArray("AB"));
        QVERIFY2(qAbs(double(line.got.at(0).ns) - firstByteAt * byte) < 1000,
                 qPrintable(QString::number(line.got.at(0).ns)));
    }

    // A reply that the device holds back keeps the sub-millisecond part of
    // the moment the command arrived.
    void aDelayedReplyKeepsItsMicroseconds()
    {
        PacedLine line(Setup::direct(), 38400, false);
        const double byte = byteNs(10, 38400);
        line.control(QStringLiteral("delay 5"), 0);
        const qint64 start = 700000;
        line.write("\r", start);
        line.runUntil(Forever);
        QCOMPARE(line.received(), QByteArray("\r\n#"));
        const double expected = double(start) + byte + 5e6 + byte;
        QVERIFY2(qAbs(double(line.got.at(0).ns) - expected) < 1000, qPrintable(QString::number(line.got.at(0).ns)));
    }

    // Wake-ups that run late deliver late, but the schedule stays: every
    // byte is as late as the wake-up, not later and later.
    void lateWakeUpsAreMeasuredNotAccumulated()
    {
        PacedLine line(Setup::controller({5}), 57600, true);
        line.lateNs = 50000;
        const double byte = byteNs(10, 57600);
        line.write(DdblFrame, 0);
        line.runUntil(Forever);
        QCOMPARE(line.received(), DdblReply);
        const double lastDue = (DdblFrame.size() + DdblReply.size()) * byte;
        QVERIFY2(double(line.got.constLast().ns) < lastDue + 50000 + 1000,
                 qPrintable(QString::number(line.got.constLast().ns)));
        QCOMPARE(line.pacer.stats.text(), QStringLiteral("in=18 out=24 late-median-us=50 late-max-us=50"));
        line.pacer.stats.reset();
        QCOMPARE(line.pacer.stats.text(), QStringLiteral("in=0 out=0 late-median-us=0 late-max-us=0"));
    }

    void silenceDropsWhatIsOnTheWire()
    {
        PacedLine line(Setup::controller({5}), 57600, true);
        const double byte = byteNs(10, 57600);
        line.write(DdblFrame, 0);
        line.control(QStringLiteral("silence on"), qint64(24.5 * byte));  // six bytes of the reply are out
        line.runUntil(Forever);
        QCOMPARE(line.received(), DdblReply.left(6));
    }
};

QTEST_GUILESS_MAIN(LinePacerTest)
#include "tst_linepacer.moc"
