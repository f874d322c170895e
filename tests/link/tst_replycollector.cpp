// The reply collector on its own, without a port: what ends a reply, what
// it keeps, and what it refuses, whatever pieces the characters come in.
#include "link/ReplyCollector.h"
#include "model/RecordTypes.h"

#include <QTest>

using namespace tess;
using Outcome = ReplyCollector::Outcome;

Q_DECLARE_METATYPE(ReplyCollector::Outcome)

namespace {

QByteArray record(char type, const QByteArray &payload)
{
    return QByteArray("\x01", 1) + type + payload;
}

// Feeds `reply` in pieces of `piece` characters (0: whole) until an
// outcome other than Pending; returns it and how many pieces it took.
Outcome feed(ReplyCollector &collector, const QByteArray &reply, int piece, bool controller, int *pieces = nullptr)
{
    const char prompt = controller ? '>' : '#';
    const int step = piece > 0 ? piece : int(reply.size());
    int count = 0;
    for (int at = 0; at < reply.size(); at += step) {
        ++count;
        const Outcome outcome = collector.add(reply.mid(at, step), controller, prompt);
        if (outcome != Outcome::Pending) {
            if (pieces)
                *pieces = count;
            return outcome;
        }
    }
    return Outcome::Pending;
}

}  // namespace

class ReplyCollectorTest : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void outcomes_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("minLength");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QByteArray>("kept");  // the reply text when complete

        const QByteArray rec = record(8, QByteArray("\0\0" "2.40\0\0", 8));
        QTest::newRow("direct prompt after the line end")
            << false << QByteArray("DDBL 1\r") << 0 << QByteArray("OK\r\n#") << Outcome::Complete
            << QByteArray("OK\r\n");
        QTest::newRow("prompt inside the shortest reply")
            << false << QByteArray("DDBL 1\r") << 4 << QByteArray("\r\n#x") << Outcome::Pending << QByteArray();
        QTest::newRow("controller needs LR before the prompt")
            << true << QByteArray("*1DDBL 1!") << 0 << QByteArray("echo\r\n>") << Outcome::Pending << QByteArray();
        QTest::newRow("controller unknown command")
            << true << QByteArray("*1DDBL 1!") << 0 << QByteArray("x?\r\nCTR ERR") << Outcome::UnknownCommand
            << QByteArray();
        QTest::newRow("controller debug mode")
            << true << QByteArray("*1DDBL 1!") << 0 << QByteArray("x?\r\nDEB") << Outcome::DebugMode << QByteArray();
        QTest::newRow("controller code 4") << true << QByteArray("*1DDBL 1!") << 0 << QByteArray("x!ERR 4")
                                           << Outcome::UnitNotResponding << QByteArray();
        QTest::newRow("controller other code")
            << true << QByteArray("*1DDBL 1!") << 0 << QByteArray("x!ERR 7") << Outcome::ErrorCode << QByteArray();
        QTest::newRow("error texts count only through the controller")
            << false << QByteArray("DDBL 1\r") << 0 << QByteArray("x!ERR 4\r\n#") << Outcome::Complete
            << QByteArray("x!ERR 4\r\n");
        QTest::newRow("query record whole")
            << false << QByteArray("SYINFOQX\r") << 8 << "SYINFOQX\r\n" + rec + "\r\n#" << Outcome::Complete
            << "SYINFOQX\r\n" + rec + "\r\n";
        QTest::newRow("payload that looks like a prompt")
            << false << QByteArray("SYINFOQX\r") << 8 << record(8, "ab\r\n#xyz") + "\r\n#" << Outcome::Complete
            << record(8, "ab\r\n#xyz") + "\r\n";
        QTest::newRow("query record cut short")
            << false << QByteArray("SYINFOQX\r") << 8 << rec.chopped(1) + "\r\n#" << Outcome::Rejected
            << QByteArray();
        QTest::newRow("another line's answer first is dropped")
            << true << QByteArray("QXQUERY *1SYINFOQX!\r") << 8
            << "QXQUERY *2SYINFOQX!\r\n" + rec + "\r\nCTRLR>QXQUERY *1SYINFOQX!\r\n" + rec + "\r\nCTRLR>"
            << Outcome::Complete << "QXQUERY *1SYINFOQX!\r\n" + rec + "\r\nCTRLR";
        QTest::newRow("more than the buffer holds")
            << true << QByteArray("*1DDBL 1!") << 0 << QByteArray(600, 'Z') << Outcome::Overflow << QByteArray();
    }
    // clang-format on
    void outcomes()
    {
        QFETCH(bool, controller);
        QFETCH(QByteArray, command);
        QFETCH(int, minLength);
        QFETCH(QByteArray, reply);
        QFETCH(Outcome, outcome);
        QFETCH(QByteArray, kept);
        const bool query = command.contains("INFOQX");
        for (int piece : {0, 1, 3}) {
            ReplyCollector collector;
            collector.setMinLength(minLength);
            collector.start(command.constData(), query);
            QCOMPARE(feed(collector, reply, piece, controller), outcome);
            // The prompt, last of its arrival, became the zero byte; the
            // reply view still counts it.
            if (outcome == Outcome::Complete) {
                QCOMPARE(collector.reply().toByteArray(), kept + '\0');
                QCOMPARE(collector.text(), kept.left(kept.indexOf('\0') < 0 ? kept.size() : kept.indexOf('\0')));
            } else {
                QCOMPARE(collector.reply().size(), 0);
            }
            const bool refused = outcome == Outcome::Rejected || outcome == Outcome::Overflow;
            QCOMPARE(collector.rejected(), refused);
            QCOMPARE(collector.overflowed(), outcome == Outcome::Overflow);
            if (refused)  // nothing of a garbled reply stays readable
                QCOMPARE(collector.bytes().toByteArray(), QByteArray(ReplyCollector::BufferSize, '\0'));
            if (outcome != Outcome::Pending)
                QCOMPARE(collector.position(), 0);
        }
    }

    // The controller's texts are decided only once the characters they
    // need have arrived: a split right before the code digit waits.
    void errorCodeWaitsForItsDigit()
    {
        ReplyCollector collector;
        collector.start("*1DDBL 1!", false);
        QCOMPARE(collector.add("xx!ERR ", true, '>'), Outcome::Pending);
        QCOMPARE(collector.add("4", true, '>'), Outcome::UnitNotResponding);
    }

    // The zero byte ends the text on the last character of the arrival
    // that completed the reply; characters after the prompt are not part
    // of the reply view, and a new start clears them all.
    void zeroByteAndRestart()
    {
        ReplyCollector collector;
        collector.start("*1DDBL 1!", false);
        QCOMPARE(collector.add("echo\r\nLR>ab", true, '>'), Outcome::Complete);
        QCOMPARE(collector.text(), QByteArray("echo\r\nLR>a"));
        QCOMPARE(collector.reply().toByteArray(), QByteArray("echo\r\nLR>"));
        collector.start("*1DDBL 1!", false);
        QCOMPARE(collector.bytes().toByteArray(), QByteArray(ReplyCollector::BufferSize, '\0'));
        QCOMPARE(collector.reply().size(), 0);
    }

    void recordTypeOfTheCompletedReply()
    {
        ReplyCollector collector;
        collector.setMinLength(8);
        collector.start("OINFOQX 1\r", true);
        const QByteArray reply =
            "OINFOQX 1\r\n" + record('B', QByteArray(statusRecordPayloadLength('B'), 'x')) + "\r\n#";
        QCOMPARE(collector.add(reply, false, '#'), Outcome::Complete);
        QCOMPARE(collector.recordType(), 'B');
    }
};

QTEST_GUILESS_MAIN(ReplyCollectorTest)
#include "tst_replycollector.moc"
