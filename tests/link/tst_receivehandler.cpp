// The receive handler: when a reply ends, what it holds, and how the
// controller's error texts are recognised, also when a reply arrives in
// pieces, runs long, or carries a binary record.
#include "support/LinkTexts.h"
#include "support/LinkRig.h"

#include <QTest>

using namespace tess;
using namespace tess::test;

namespace {

const QString &kTimeout = TimeoutText;
const QString &kNoUnit = NoUnitResponseText;

// One query exchange (the system information, whose record type is 8)
// whose answer is `reply`, delivered in `piece` pieces.
void query(LinkRig &rig, const QByteArray &reply, int piece = 0, int minLength = 2)
{
    rig.port.pieceSize = piece;
    rig.port.respond = [reply](int, const QByteArray &w) {
        return w.startsWith("debug") ? QByteArray("\r\n>") : reply;
    };
    rig.link.formatCommand("SYINFOQX\r");
    rig.link.setMinReplyLength(minLength);
    rig.link.AwaitQueryReply();
}

QByteArray record(char type, const QByteArray &payload)
{
    return QByteArray("\x01", 1) + type + payload;
}

}  // namespace

class ReceiveHandlerTest : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void replyEnds_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("piece");
        QTest::addColumn<bool>("completes");
        QTest::addColumn<QByteArray>("text");

        QTest::newRow("direct prompt after CR LF") << false << QByteArray("OK\r\n#") << 0 << true
                                                   << QByteArray("OK\r\n");
        QTest::newRow("direct, one byte at a time") << false << QByteArray("OK\r\n#") << 1 << true
                                                    << QByteArray("OK\r\n");
        QTest::newRow("direct # without CR LF") << false << QByteArray("OK #") << 0 << false << QByteArray();
        QTest::newRow("direct # after CR only") << false << QByteArray("OK\r#") << 0 << false << QByteArray();
        QTest::newRow("controller LR>") << true << QByteArray("echo\r\nLR>") << 0 << true
                                        << QByteArray("echo\r\nLR");
        QTest::newRow("controller in pieces of 3") << true << QByteArray("echo\r\nLR>") << 3 << true
                                                   << QByteArray("echo\r\nLR");
        QTest::newRow("controller > without L R") << true << QByteArray("echo\r\n>") << 0 << false << QByteArray();
        QTest::newRow("controller R L >") << true << QByteArray("echo\r\nRL>") << 0 << false << QByteArray();
        // More characters after the prompt in the same arrival: the zero
        // byte lands on the last of them.
        QTest::newRow("characters after the prompt") << true << QByteArray("echo\r\nLR>ab") << 0 << true
                                                     << QByteArray("echo\r\nLR>a");
    }
    // clang-format on
    void replyEnds()
    {
        QFETCH(bool, controller);
        QFETCH(QByteArray, reply);
        QFETCH(int, piece);
        QFETCH(bool, completes);
        QFETCH(QByteArray, text);
        LinkRig rig(controller);
        query(rig, reply, piece);
        QCOMPARE(!rig.link.ExchangeFailed, completes);
        if (completes) {
            QCOMPARE(rig.link.reply(), text);
            QCOMPARE(rig.link.replyPosition(), 0);
            QVERIFY(!rig.link.awaitingReply());
            VERIFY_DIALOGS_TAKEN(rig.dialogs);
        } else {
            QCOMPARE(rig.dialogs.takeMessages(), QStringList{kTimeout});
        }
    }

    void promptBeforeTheMinimumLengthDoesNotCount()
    {
        LinkRig rig(false);
        query(rig, "\r\n#\r\n#", 0, 4);  // first prompt at 2, second at 5
        QVERIFY(!rig.link.ExchangeFailed);
        QCOMPARE(rig.link.reply(), QByteArray("\r\n#\r\n"));
    }

    // clang-format off
    void controllerTexts_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("piece");
        QTest::addColumn<bool>("controllerError");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("pauses900");

        QTest::newRow("unknown command") << QByteArray("xx?\r\nCTR ERR\r\n>") << 0 << true << QStringList()
                                         << QString() << 0;
        QTest::newRow("unit does not respond") << QByteArray("xx!ERR 4\r\n>") << 0 << false
                                               << QStringList{kNoUnit} << QString() << 0;
        QTest::newRow("other error code") << QByteArray("xx!ERR 7\r\n>") << 0 << true << QStringList()
                                          << QStringLiteral(
                                                 "Error code returned by Controller detected.... Resending message")
                                          << 1;
        // Split right inside the patterns: decided only once the characters
        // they need have arrived.
        QTest::newRow("code 4 split before the digit") << QByteArray("xx!ERR 4\r\n>") << 7 << false
                                                       << QStringList{kNoUnit} << QString() << 0;
        QTest::newRow("CTR split after the question mark") << QByteArray("xx?\r\nCTR\r\n>") << 3 << true
                                                           << QStringList() << QString() << 0;
        QTest::newRow("one byte at a time") << QByteArray("xx!ERR 4\r\n>") << 1 << false << QStringList{kNoUnit}
                                            << QString() << 0;
    }
    // clang-format on
    void controllerTexts()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, piece);
        QFETCH(bool, controllerError);
        QFETCH(QStringList, messages);
        QFETCH(QString, status);
        QFETCH(int, pauses900);
        LinkRig rig(true);
        // Leave stale characters of an older reply in the buffer where the
        // split patterns would look ahead: "!ERR 7" and "?\r\nDEB".
        query(rig, "xx!ERR 7\r\nxxxxxxxxx?\r\nDEB\r\nLR>", 0, 30);
        rig.dialogs.takeMessages();
        rig.window.statusHistory.clear();
        rig.clock.clearPauses();
        query(rig, reply, piece);
        QVERIFY(rig.link.ExchangeFailed);
        QCOMPARE(rig.link.ControllerError, controllerError);
        QVERIFY(!rig.link.ControllerDebugMode);
        QCOMPARE(rig.dialogs.takeMessages(), messages);
        QCOMPARE(rig.window.statusHistory.contains(status), !status.isEmpty());
        QCOMPARE(rig.clock.countPauses(900), pauses900);
        QVERIFY(!rig.link.timer1Active());
        QVERIFY(!rig.link.awaitingReply());
    }

    void debugModeIsSwitchedOffAndTheQueryAskedOnceMore()
    {
        LinkRig rig(true);
        int asked = 0;
        rig.port.respond = [&](int, const QByteArray &w) -> QByteArray {
            if (w == "debug 0\r")
                return "\r\n>";
            return ++asked == 1 ? QByteArray("?\r\nDEB\r\n>") : QByteArray("data\r\nLR>");
        };
        rig.link.formatCommand("NQX\r");
        rig.link.setMinReplyLength(2);
        rig.link.AwaitQueryReply();
        QCOMPARE(rig.port.written, QByteArray("NQX\rdebug 0\rNQX\r"));
        QVERIFY(!rig.link.ExchangeFailed);
        QCOMPARE(rig.clock.countPauses(1000), 1);
        QCOMPARE(rig.link.reply(), QByteArray("data\r\nLR"));
    }

    void recordPayloadNeverEndsTheReply_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::addColumn<QByteArray>("payload");
        // Gains of 13, 10, 35 look like CR LF #; 76, 82, 62 like L R >;
        // the controller's error texts may appear too.
        QTest::newRow("direct, CR LF # in the payload") << false << QByteArray("ab\r\n#xyz");
        QTest::newRow("controller, LR> in the payload") << true << QByteArray("abLR>xyz");
        QTest::newRow("controller, !ERR 4 in the payload") << true << QByteArray("!ERR 4xy");
        QTest::newRow("controller, ?CR LF CTR in the payload") << true << QByteArray("?\r\nCTRxy");
    }
    void recordPayloadNeverEndsTheReply()
    {
        QFETCH(bool, controller);
        QFETCH(QByteArray, payload);
        QCOMPARE(payload.size(), 8);
        LinkRig rig(controller);
        const QByteArray tail = controller ? QByteArray("\r\nLR>") : QByteArray("\r\n#");
        const QByteArray rec = record(8, payload);
        for (int piece : {0, 1, 4}) {
            query(rig, "ECHO" + rec + tail, piece, 8);
            QVERIFY2(!rig.link.ExchangeFailed, qPrintable(QString::number(piece)));
            QCOMPARE(rig.link.reply(), "ECHO" + rec + tail.left(tail.size() - 1));
            VERIFY_DIALOGS_TAKEN(rig.dialogs);
        }
    }

    // More than the buffer holds is a garbled reply: the exchange fails at
    // once, as for a reply refused, and nobody is told the unit was silent.
    void runawayReplyStaysInsideTheBufferAndFailsAsGarbled()
    {
        LinkRig rig(true);
        Link &link = rig.link;
        const int minBefore = 2;
        query(rig, QByteArray(600, 'Z'), 37, minBefore);
        QVERIFY(link.ExchangeFailed);
        QVERIFY(link.lastReplyRejected());
        QVERIFY(!link.lastExchangeTimedOut());
        QVERIFY(!link.timer1Active());
        QVERIFY(rig.clock.nowMs() < 1000);     // not the 8 s of a time-out
        QCOMPARE(link.reply(), QByteArray());  // nothing of it is read as a record
        QCOMPARE(link.replyBytes().at(Link::BufferSize - 1), '\0');
        QCOMPARE(link.minReplyLength(), minBefore);  // nothing written past the buffer
        // The next exchange starts clean.
        query(rig, "fine\r\nLR>");
        QVERIFY(!link.ExchangeFailed);
        QCOMPARE(link.reply(), QByteArray("fine\r\nLR"));
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    // clang-format off
    void replyIsTakenOnlyWhenItIsTheQueryOwnAndWhole_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("taken");
        const QByteArray rec = record(8, QByteArray("\0\0" "2.40\0\0", 8));
        const QByteArray direct = "SYINFOQX\r\n";
        const QByteArray relayed = "QXQUERY *1SYINFOQX!\r\n";
        QTest::newRow("own echo, whole record") << false << direct + rec + "\r\n#" << true;
        QTest::newRow("no echo") << false << rec + "\r\n#" << true;
        QTest::newRow("one byte short") << false << direct + rec.chopped(1) + "\r\n#" << false;
        QTest::newRow("two bytes short") << false << direct + rec.chopped(2) + "\r\n#" << false;
        QTest::newRow("one byte long") << false << direct + rec + "x\r\n#" << false;
        QTest::newRow("controller, seven bytes short") << true << relayed + rec.chopped(7) + "\r\nCTRLR>" << false;
        QTest::newRow("controller, own echo") << true << relayed + rec + "\r\nCTRLR>" << true;
        // A header of another query's type is no record of this one: it is
        // not skipped as payload.
        QTest::newRow("input header ahead of the record") << false << "\x01N" + direct + rec + "\r\n#" << true;
        // Another unit's late answer stands first: it is dropped, and this
        // query's answer behind it is taken.
        QTest::newRow("late answer of another unit first")
            << true << "QXQUERY *2SYINFOQX!\r\n" + record(8, QByteArray("\0\0" "9.99\0\0", 8)) + "\r\nCTRLR>" + relayed + rec
                   + "\r\nCTRLR>"
            << true;
    }
    // clang-format on
    void replyIsTakenOnlyWhenItIsTheQueryOwnAndWhole()
    {
        QFETCH(bool, controller);
        QFETCH(QByteArray, reply);
        QFETCH(bool, taken);
        LinkRig rig(controller);
        rig.port.respond = [reply](int, const QByteArray &) { return reply; };
        rig.link.formatCommand(controller ? "QXQUERY *1SYINFOQX!\r" : "SYINFOQX\r");
        rig.link.setMinReplyLength(8);
        rig.link.AwaitQueryReply();
        QCOMPARE(rig.link.ExchangeFailed, !taken);
        QCOMPARE(rig.link.lastReplyRejected(), !taken);
        const QByteArray buffer = rig.link.replyBytes().toByteArray();
        if (taken)
            QVERIFY(buffer.contains("2.40") && !buffer.contains("9.99"));
        else
            QCOMPARE(buffer, QByteArray(Link::BufferSize, '\0'));
        QVERIFY(!rig.link.awaitingReply());
        QVERIFY(!rig.link.timer1Active());
        VERIFY_DIALOGS_TAKEN(rig.dialogs);  // no time-out message
    }

    void lostReplyDoesNotShiftTheNextOne()
    {
        LinkRig rig(false);
        query(rig, QByteArray());  // nothing comes: time-out
        QVERIFY(rig.link.ExchangeFailed);
        QCOMPARE(rig.dialogs.takeMessages(), QStringList{kTimeout});
        // Late characters of the lost reply are no longer collected: they
        // wait in the port...
        rig.port.deliver("late garbage");
        rig.clock.processPendingEvents();
        QVERIFY(!rig.link.awaitingReply());
        QCOMPARE(rig.port.bytesAvailable(), qint64(12));
        // ...and the next exchange collects its own reply from the start.
        const QByteArray rec = record(8, "12345678");
        query(rig, rec + "\r\n#", 0, 8);
        QVERIFY(!rig.link.ExchangeFailed);
        QCOMPARE(rig.link.replyBytes().at(0), '\x01');
        QCOMPARE(rig.link.reply(), rec + "\r\n");
    }

    void charactersArrivingWhileNotAwaitingStayInThePort()
    {
        LinkRig rig(false);
        rig.port.arriveNow("noise");
        QCOMPARE(rig.port.bytesAvailable(), qint64(5));
        QCOMPARE(rig.link.replyPosition(), 0);
    }
};

QTEST_GUILESS_MAIN(ReceiveHandlerTest)
#include "tst_receivehandler.moc"
