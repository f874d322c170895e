// The controller as the program meets it: frames with checksums, the
// echo and the prompt after "LR", its error and debug texts, the unit
// count, a unit busy with a colour balance; and the direct unit's probe.

#include "sim/ReplyRules.h"
#include "sim/Wire.h"

#include <QTest>

using namespace tess;
using namespace tess::sim;
using tess::test::Verdict;
using tess::test::Wire;

namespace {

// The program's minimum reply length for a relayed command.
int relayedMin(const QByteArray &addressed)
{
    return int(addressed.size()) + 8;
}

}  // namespace

class ControllerTest : public QObject {
    Q_OBJECT
private slots:
    void checksumOfTheWorkedExample()
    {
        // "*1DDBL 1!" adds up to 483; only the low eight bits travel: E3.
        int sum = 0;
        for (char c : QByteArray("*1DDBL 1!"))
            sum += c;
        QCOMPARE(sum, 483);
        QCOMPARE(int(Simulator::checksum("*1DDBL 1!")), 0xE3);
        QCOMPARE(Wire::frame("*1DDBL 1!"), QByteArray("PASS *1DDBL 1!E3\r\r"));
    }

    void goodFrameIsEchoedRelayedAndEndsWithThePrompt()
    {
        Wire wire(Setup::controller({1}));
        const QByteArray reply = wire.send("PASS *1DDBL 1!E3\r\r");
        QCOMPARE(reply, QByteArray("PASS *1DDBL 1!E3\r\nCTRLR>"));
        const test::Judged judged = test::judge(reply, relayedMin("*1DDBL 1!"), true);
        QCOMPARE(judged.verdict, Verdict::Complete);
        QVERIFY(judged.at >= relayedMin("*1DDBL 1!"));
        QCOMPARE(wire.sim.log().received(), QByteArrayList{"PASS *1DDBL 1!E3"});
        QCOMPARE(wire.sim.log().commands(1), QByteArrayList{"DDBL 1"});
        // The second carriage return of the frame is not a line of its own.
        QCOMPARE(wire.run(1000), QByteArray());
    }

    void frameArrivingInPiecesIsTakenWhole()
    {
        // The program writes "PASS ", the command, the checksum and the two
        // carriage returns one after the other.
        Wire wire(Setup::controller({1}));
        QVERIFY(wire.send("PASS ").isEmpty());
        QVERIFY(wire.send("*1DDBL 0!").isEmpty());
        QVERIFY(wire.send("E2").isEmpty());
        QCOMPARE(test::judge(wire.send("\r\r"), relayedMin("*1DDBL 0!"), true).verdict, Verdict::Complete);
        QCOMPARE(wire.sim.unit(1).settings.wide.dataDoubling, quint8(0));
    }

    // clang-format off
    void controllerFaultsReadAsTheProgramReadsThem_data()
    {
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<QByteArray>("starts");

        const QByteArray good = Wire::frame("*1DDBL 0!");
        QTest::newRow("wrong checksum") << QStringList{} << QByteArray("PASS *1DDBL 1!E4\r\r")
                                        << int(Verdict::ErrorCode) << QByteArray("!ERR 1");
        QTest::newRow("lower-case checksum accepted") << QStringList{} << QByteArray("PASS *1DDBL 1!e3\r\r")
                                                      << int(Verdict::Complete) << QByteArray();
        QTest::newRow("frame without address") << QStringList{} << Wire::frame("DDBL 1!")
                                               << int(Verdict::ErrorCode) << QByteArray("!ERR 2");
        QTest::newRow("unknown ID") << QStringList{} << Wire::frame("*9DDBL 0!") << int(Verdict::NoResponse)
                                    << QByteArray("!ERR 4");
        QTest::newRow("unit absent") << QStringList{"unit 1 absent"} << good << int(Verdict::NoResponse)
                                     << QByteArray("!ERR 4");
        QTest::newRow("unit not responding") << QStringList{"unit 1 responding off"} << good
                                             << int(Verdict::NoResponse) << QByteArray("!ERR 4");
        QTest::newRow("forced error code") << QStringList{"error 3"} << good << int(Verdict::ErrorCode)
                                           << QByteArray("!ERR 3");
        QTest::newRow("unrecognised line") << QStringList{} << QByteArray("HELLO\r") << int(Verdict::ControllerError)
                                           << QByteArray("?\r\nCTR");
        QTest::newRow("forced not understood") << QStringList{"unrecognised 1"} << good
                                               << int(Verdict::ControllerError) << QByteArray("?\r\nCTR");
        QTest::newRow("debug mode") << QStringList{"debug on"} << good << int(Verdict::DebugMode)
                                    << QByteArray("?\r\nDEB");
        QTest::newRow("query in debug mode") << QStringList{"debug on"} << QByteArray("QXQUERY *1SYINFOQX!\r")
                                             << int(Verdict::DebugMode) << QByteArray("?\r\nDEB");
        QTest::newRow("count in debug mode") << QStringList{"debug on"} << QByteArray("NQX\r")
                                             << int(Verdict::DebugMode) << QByteArray("?\r\nDEB");
        QTest::newRow("query to unknown ID") << QStringList{} << QByteArray("QXQUERY *5OINFOQX 1!\r")
                                             << int(Verdict::NoResponse) << QByteArray("!ERR 4");
    }
    // clang-format on
    void controllerFaultsReadAsTheProgramReadsThem()
    {
        QFETCH(QStringList, setup);
        QFETCH(QByteArray, line);
        QFETCH(int, verdict);
        QFETCH(QByteArray, starts);

        Wire wire(Setup::controller({1}));
        for (const QString &command : setup)
            QVERIFY(wire.control(command).ok);
        const QByteArray reply = wire.send(line, 1000);
        const test::Judged judged = test::judge(reply, 8, true);
        QCOMPARE(int(judged.verdict), verdict);
        if (!starts.isEmpty()) {
            QVERIFY2(reply.mid(judged.at).startsWith(starts), qPrintable(Log::escape(reply)));
            // The answer texts that are not echoes begin with the pattern.
            if (starts.startsWith('?'))
                QVERIFY(reply.startsWith(starts));
            else
                QCOMPARE(reply.at(judged.at + 5), starts.at(5));
        }
        // A refused command leaves the unit as it was.
        if (verdict != int(Verdict::Complete))
            QCOMPARE(wire.sim.unit(1).settings.wide.dataDoubling, quint8(1));
    }

    void unitThatDoesNotRespondIsReportedAfterTheControllersWait()
    {
        Wire wire(Setup::controller({1}));
        wire.control("unit 1 responding off");
        wire.control("no-response 300");
        QVERIFY(wire.send(Wire::frame("*1DDBL 0!"), 299).isEmpty());
        QVERIFY(wire.run(1).contains("!ERR 4"));
    }

    void debugModeLastsUntilDebugZero()
    {
        Wire wire(Setup::controller({1}));
        QCOMPARE(wire.send("debug 1\r"), QByteArray("debug 1\r\nDEBUG>"));
        QVERIFY(wire.send(Wire::frame("*1DDBL 0!")).startsWith("?\r\nDEB"));
        QVERIFY(wire.send(Wire::frame("*1DDBL 0!")).startsWith("?\r\nDEB"));
        // The program waits for any '>' after "debug 0".
        QVERIFY(wire.send("debug 0\r").endsWith("LR>"));
        QCOMPARE(test::judge(wire.send(Wire::frame("*1DDBL 0!")), relayedMin("*1DDBL 0!"), true).verdict,
                 Verdict::Complete);
        QVERIFY(!wire.sim.debugMode());
    }

    void unitCount_data()
    {
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QList<int>>("numbers");
        QTest::newRow("two units") << QList<int>{5, 6} << QStringList{} << QList<int>{2, 5, 6};
        QTest::newRow("one unit") << QList<int>{1} << QStringList{} << QList<int>{1, 1};
        QTest::newRow("second absent") << QList<int>{5, 6} << QStringList{"unit 2 absent"} << QList<int>{1, 5};
        QTest::newRow("none") << QList<int>{} << QStringList{} << QList<int>{0};
        QTest::newRow("tabs between the numbers")
            << QList<int>{5, 6} << QStringList{"count-separator tab"} << QList<int>{2, 5, 6};
    }
    void unitCount()
    {
        QFETCH(QList<int>, ids);
        QFETCH(QStringList, setup);
        QFETCH(QList<int>, numbers);
        Wire wire(Setup::controller(ids));
        for (const QString &command : setup)
            QVERIFY(wire.control(command).ok);
        const QByteArray reply = wire.send("NQX\r");
        QCOMPARE(test::judge(reply, 2, true).verdict, Verdict::Complete);
        // Read as the program does: from the first digit in the first 30
        // characters, whole numbers separated by white space.
        qsizetype first = 0;
        while (first < 30 && !(reply.at(first) >= '0' && reply.at(first) <= '9'))
            ++first;
        QVERIFY(first < 30);
        const QByteArray count = reply.mid(first, reply.indexOf("\r\nCTRLR>", first) - first);
        QCOMPARE(count.contains('\t'), setup.contains(QStringLiteral("count-separator tab")));
        QList<int> got;
        for (const QByteArray &word : count.simplified().split(' '))
            got.append(word.toInt());
        QCOMPARE(got, numbers);
    }

    void colourBalanceKeepsTheUnitBusyBehindTheController()
    {
        Wire wire(Setup::controller({4, 8}));
        wire.control("processing RGBADJ 30000");
        QCOMPARE(test::judge(wire.send(Wire::frame("*4RGBADJ!")), relayedMin("*4RGBADJ!"), true).verdict,
                 Verdict::Complete);
        // The empty command and every other command to the busy unit get
        // code 4; the other unit answers as usual.
        QCOMPARE(test::judge(wire.send(Wire::frame("*4 !"), 1000), 8, true).verdict, Verdict::NoResponse);
        QCOMPARE(test::judge(wire.send(Wire::frame("*4BLKGN 1 3!"), 1000), 8, true).verdict, Verdict::NoResponse);
        QCOMPARE(test::judge(wire.send("QXQUERY *4SYINFOQX!\r", 1000), 8, true).verdict, Verdict::NoResponse);
        QCOMPARE(test::judge(wire.send(Wire::frame("*8BLKGN 1 3!")), 8, true).verdict, Verdict::Complete);
        QCOMPARE(wire.sim.unit(1).settings.screens[0].blackLevel, quint8(0));
        wire.run(30000);
        QCOMPARE(test::judge(wire.send(Wire::frame("*4 !")), relayedMin("*4 !"), true).verdict, Verdict::Complete);
    }

    void colourBalanceHoldsTheDirectPromptUntilDone()
    {
        Wire wire;
        wire.control("processing RGBADJ 45000");
        const QByteArray early = wire.send("RGBADJ\r\r", 44999);
        QVERIFY(!early.contains('#'));
        QVERIFY(wire.run(1).endsWith("\r\n#"));
    }

    void probeByBareCarriageReturn_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::newRow("direct") << false;
        QTest::newRow("controller") << true;
    }
    void probeByBareCarriageReturn()
    {
        // The search waits for '#' on a unit and '>' on the controller; each
        // must answer with its own prompt only, or the search would take one
        // for the other.
        QFETCH(bool, controller);
        Wire wire(controller ? Setup::controller() : Setup::direct());
        const QByteArray reply = wire.send("\r");
        QCOMPARE(reply, controller ? QByteArray("\r\nCTRLR>") : QByteArray("\r\n#"));
        QCOMPARE(reply.contains('#'), !controller);
        QCOMPARE(reply.contains('>'), controller);
    }

    void resetIsAddressedByItsNumber()
    {
        // The program sends RESETQX with the unit number in place of the ID.
        Wire wire(Setup::controller({1, 2}));
        wire.sim.unit(2).settings.screens[0].blackLevel = 7;
        QCOMPARE(test::judge(wire.send(Wire::frame("*2RESETQX F!")), 8, true).verdict, Verdict::Complete);
        QCOMPARE(wire.sim.unit(2).settings.screens[0].blackLevel, quint8(0));
    }
};

QTEST_GUILESS_MAIN(ControllerTest)
#include "tst_controller.moc"
