// Each switchable fault does what it says, and stops when switched off.

#include "sim/RecordDecoder.h"
#include "sim/Wire.h"

#include <QTest>

using namespace tess;
using namespace tess::sim;
using tess::test::Wire;

namespace {

QList<int> sizes(const QByteArrayList &pieces)
{
    QList<int> out;
    for (const QByteArray &p : pieces)
        out.append(int(p.size()));
    return out;
}

}  // namespace

class FaultsTest : public QObject {
    Q_OBJECT
private slots:
    void silenceHearsAndSaysNothing()
    {
        Wire wire;
        QVERIFY(wire.control("silence on").ok);
        QCOMPARE(wire.send("BLKGN 1 5\r", 10000), QByteArray());
        QCOMPARE(wire.sim.unit(1).settings.screens[0].blackLevel, quint8(0));
        QVERIFY(wire.control("silence off").ok);
        QVERIFY(wire.send("\r").endsWith('#'));
    }

    void silenceSwallowsWhatWasOnItsWay()
    {
        Wire wire;
        wire.control("delay 500");
        wire.send("\r", 100);
        wire.control("silence on");
        QCOMPARE(wire.run(1000), QByteArray());
    }

    void droppedRepliesStillTakeEffect()
    {
        Wire wire;
        wire.control("echo off");
        QVERIFY(wire.control("drop 2").ok);
        QCOMPARE(wire.send("BLKGN 1 5\r"), QByteArray());
        QCOMPARE(wire.send("BLKGN 2 6\r"), QByteArray());
        QCOMPARE(wire.send("BLKGN 3 7\r"), QByteArray("\r\n#"));
        QCOMPARE(wire.sim.unit(1).settings.screens[1].blackLevel, quint8(6));
        QCOMPARE(wire.sim.log().notes().size(), 2);
    }

    void delayHoldsEveryReply()
    {
        Wire wire;
        wire.control("echo off");
        QVERIFY(wire.control("delay 2500").ok);
        QCOMPARE(wire.send("\r", 2499), QByteArray());
        QCOMPARE(wire.run(1), QByteArray("\r\n#"));
        QCOMPARE(wire.send("\r", 2500), QByteArray("\r\n#"));
    }

    void oneByteLostOrNoiseInsertedAtAPosition_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QByteArray>("reply");
        // "BLKGN 1 5" is echoed with CR LF, then CR LF and the prompt.
        QTest::newRow("lose the echo's first byte") << "lose 0" << QByteArray("LKGN 1 5\r\n\r\n#");
        QTest::newRow("lose across echo and answer") << "lose 11" << QByteArray("BLKGN 1 5\r\n\n#");
        QTest::newRow("lose the prompt") << "lose 13" << QByteArray("BLKGN 1 5\r\n\r\n");
        QTest::newRow("lose past the end") << "lose 14" << QByteArray("BLKGN 1 5\r\n\r\n#");
        QTest::newRow("insert before the prompt") << "insert 13 3" << QByteArray("BLKGN 1 5\r\n\r\n...#");
    }
    void oneByteLostOrNoiseInsertedAtAPosition()
    {
        QFETCH(QString, fault);
        QFETCH(QByteArray, reply);
        Wire wire;
        QVERIFY(wire.control(fault).ok);
        QByteArray got = wire.send("BLKGN 1 5\r");
        if (fault.startsWith(QLatin1String("insert"))) {
            // The noise is random; only its place and length are fixed.
            QCOMPARE(got.size(), reply.size());
            for (int i = 13; i < 16; ++i)
                got[i] = '.';
        }
        QCOMPARE(got, reply);
        QVERIFY(wire.control(fault.section(u' ', 0, 0) + QStringLiteral(" off")).ok);
        QCOMPARE(wire.send("\r"), QByteArray("\r\n#"));
    }

    void debugModeThatStaysOn()
    {
        Wire wire(Setup::controller());
        QVERIFY(wire.control("debug stuck").ok);
        QVERIFY(wire.send("debug 0\r").endsWith("DEBUG>"));
        QCOMPARE(wire.send("NQX\r"), QByteArray("?\r\nDEBUG>"));
        QVERIFY(wire.control("debug off").ok);
        QVERIFY(wire.send("NQX\r").endsWith("CTRLR>"));
    }

    void fixedPiecesWithGaps()
    {
        Wire wire;
        wire.control("echo off");
        QVERIFY(wire.control("split 4 10").ok);
        wire.sim.receive("SYINFOQX\r", 0);
        // 10 bytes of record and CR LF '#': pieces of 4, 4, 4, 1, 10 ms apart.
        QCOMPARE(sizes(wire.sim.takeDue(0)), QList<int>{4});
        QCOMPARE(sizes(wire.sim.takeDue(19)), QList<int>{4});
        QCOMPARE(sizes(wire.sim.takeDue(40)), (QList<int>{4, 1}));
        QVERIFY(!wire.sim.nextDueMs());
    }

    void randomPiecesRepeatWithTheirSeed()
    {
        const auto run = [](const QString &split) {
            Wire wire;
            wire.control(split);
            wire.sim.receive("OINFOQX 1\r", 0);
            return wire.sim.takeDue(0);
        };
        const QByteArrayList a = run("split random 7 9");
        const QByteArrayList b = run("split random 7 9");
        const QByteArrayList c = run("split random 8 9");
        QCOMPARE(a, b);
        QVERIFY(sizes(a) != sizes(c));
        QCOMPARE(a.join(), run("split off").join());
        QVERIFY(a.size() > 10);
        for (int size : sizes(a))
            QVERIFY(size >= 1 && size <= 9);
    }

    void garbageFloodNeverLooksLikeAnAnswer()
    {
        Wire wire;
        QVERIFY(wire.control("garbage 300 42").ok);
        const QByteArray flood = wire.run(0);
        QCOMPARE(flood.size(), 300);
        for (char c : QByteArray("#>?!\r\n\x01"))
            QVERIFY2(!flood.contains(c), qPrintable(QString::number(int(c))));
        QCOMPARE(flood, wire.sim.garbage(300, 42));
        QVERIFY(flood != wire.sim.garbage(300, 43));
    }

    void noiseComesAheadOfEveryReply()
    {
        Wire wire;
        wire.control("echo off");
        QVERIFY(wire.control("noise 20").ok);
        const QByteArray reply = wire.send("\r");
        QCOMPARE(reply.size(), 23);
        QVERIFY(reply.endsWith("\r\n#"));
        wire.control("noise off");
        QCOMPARE(wire.send("\r"), QByteArray("\r\n#"));
    }

    void truncatedRecordKeepsItsTypeByte()
    {
        Wire wire;
        wire.control("echo off");
        QVERIFY(wire.control("truncate 40").ok);
        const QByteArray reply = wire.send("OINFOQX 1\r");
        QCOMPARE(reply.left(2), QByteArray("\x01"
                                           "B"));
        QCOMPARE(reply.size(), 2 + 40 + 3);
        QVERIFY(reply.endsWith("\r\n#"));
    }

    void directUnitThatDoesNotRespondStaysSilent_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("not responding") << QStringLiteral("unit 1 responding off");
        QTest::newRow("absent") << QStringLiteral("unit 1 absent");
    }
    void directUnitThatDoesNotRespondStaysSilent()
    {
        QFETCH(QString, fault);
        Wire wire;
        QVERIFY(wire.control(fault).ok);
        QCOMPARE(wire.send("\r", 10000), QByteArray());
        QVERIFY(wire.control("reset-faults").ok);
        QVERIFY(wire.send("\r").endsWith('#'));
    }

    void forcedErrorsRunOutOrLastUntilSwitchedOff()
    {
        Wire wire(Setup::controller({1}));
        QVERIFY(wire.control("error 2 2").ok);
        QVERIFY(wire.send(Wire::frame("*1DDBL 0!")).contains("!ERR 2"));
        QVERIFY(wire.send(Wire::frame("*1DDBL 0!")).contains("!ERR 2"));
        QVERIFY(!wire.send(Wire::frame("*1DDBL 0!")).contains("!ERR"));
        QVERIFY(wire.control("error 5 always").ok);
        for (int i = 0; i < 3; ++i)
            QVERIFY(wire.send(Wire::frame("*1DDBL 0!")).contains("!ERR 5"));
        QVERIFY(wire.control("error off").ok);
        QVERIFY(!wire.send(Wire::frame("*1DDBL 0!")).contains("!ERR"));
    }

    void sendPutsEscapedBytesOnTheLine()
    {
        Wire wire;
        QVERIFY(wire.control("send ab\\r\\n\\x01#").ok);
        QCOMPARE(wire.run(0), QByteArray("ab\r\n\x01#"));
    }

    void wrongLineSettingsAreHeardAsNoise()
    {
        Wire wire;
        wire.sim.checkLineSettings = true;
        wire.sim.receive("\r", 0, LineSettings{9600, Parity::None});
        wire.sim.receive("\r", 0, LineSettings{38400, Parity::Odd});
        QCOMPARE(wire.run(10), QByteArray());
        QCOMPARE(wire.sim.log().notes().size(), 2);
        wire.sim.receive("\r", 10, LineSettings{38400, Parity::None});
        QCOMPARE(wire.run(10), QByteArray("\r\n#"));
    }

    void olderFirmwareLayouts()
    {
        Wire wire;
        wire.control("echo off");
        QVERIFY(wire.control("layout 1 input F").ok);
        QVERIFY(wire.control("layout 1 output ?").ok);
        QCOMPARE(wire.send("IINFOQX 1\r").left(2), QByteArray("\x01"
                                                              "F"));
        QCOMPARE(wire.send("OINFOQX 1\r").left(2), QByteArray("\x01"
                                                              "?"));
        QVERIFY(!wire.control("layout 1 output A").ok);
    }

    void lineVanishingIsLeftToWhoeverDrivesTheLine()
    {
        Wire wire;
        QCOMPARE(wire.control("vanish").action, ControlResult::Action::Vanish);
        QCOMPARE(wire.control("restore").action, ControlResult::Action::Restore);
    }

    void badControlCommandsAreRefused_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("unknown") << QStringLiteral("explode");
        QTest::newRow("empty") << QString();
        QTest::newRow("no such unit") << QStringLiteral("busy 2 100");
        QTest::newRow("not a number") << QStringLiteral("drop many");
        QTest::newRow("on or off") << QStringLiteral("silence maybe");
        QTest::newRow("version too long") << QStringLiteral("version 1 123456");
        QTest::newRow("video input 5") << QStringLiteral("video 1 5 off");
    }
    void badControlCommandsAreRefused()
    {
        QFETCH(QString, command);
        Wire wire;
        const Faults before = wire.sim.faults();
        const ControlResult result = wire.control(command);
        QVERIFY(!result.ok);
        QVERIFY(!result.message.isEmpty());
        QCOMPARE(wire.sim.faults().dropReplies, before.dropReplies);
        QCOMPARE(wire.sim.faults().silent, before.silent);
    }

    void videoChangesWhatTheInputReports()
    {
        Wire wire;
        wire.control("echo off");
        QVERIFY(wire.control("video 1 3 1024 768").ok);
        const QByteArray reply = wire.send("IINFOQX 3\r");
        const QVariantMap m = test::records::decodeInput(reply, 0);
        QCOMPARE(m["VideoLocked"].toInt(), 1);
        QCOMPARE(m["HActive"].toInt(), 1024);
        QCOMPARE(m["HPosition"].toInt(), m["HPositionRef"].toInt());
        QVERIFY(wire.control("video 1 3 unlocked").ok);
        QCOMPARE(test::records::decodeInput(wire.send("IINFOQX 3\r"), 0)["VideoLocked"].toInt(), 0);
        QVERIFY(wire.control("video 1 1 off").ok);
        QCOMPARE(test::records::decodeInput(wire.send("IINFOQX 1\r"), 0)["VideoLoaded"].toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(FaultsTest)
#include "tst_faults.moc"
