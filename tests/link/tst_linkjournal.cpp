// The command journal: lines appended and flushed as they happen, each led
// by the milliseconds since the start; the serial line as it went (every
// line sent with its unit, how every exchange ended); the boxes and their
// answers; and a journal that cannot be written is said once and ends
// without holding anything up.
#include "link/DeviceSearch.h"
#include "link/Link.h"
#include "link/LinkJournal.h"
#include "link/PortMap.h"
#include "platform/Journal.h"
#include "platform/JournalDialogs.h"
#include "support/FakeWindow.h"
#include "support/RecordedExit.h"
#include "support/ScriptedDialogs.h"
#include "support/SimulatedLine.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace tess;
using namespace tess::test;

namespace {

QStringList linesOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// The lines without their leading milliseconds.
QStringList events(const QStringList &lines)
{
    QStringList out;
    for (const QString &line : lines)
        out << line.section(u' ', 1);
    return out;
}

// A link on simulated units, with a journal.
struct JournalRig {
    explicit JournalRig(const QString &path, bool controller)
        : line(controller ? sim::Setup::controller({5, 6}) : sim::Setup::direct()),
          journal(path, line.clock, [this](const QString &text) { complaints << text; })
    {
        link.ControllerMode = controller;
        link.PromptChar = controller ? '>' : '#';
        window.controllerBox = controller;
        window.ids[0] = 5;
        window.ids[1] = 6;
        line.port.setBaudRate(controller ? 57600 : 38400);
        line.port.setPortNumber(1);
        line.port.open();
    }

    SimulatedLine line;
    ScriptedDialogs dialogs;
    RecordedExit exit;
    FakeWindow window;
    Link link{line.port, line.clock, dialogs, exit, window};
    QStringList complaints;
    Journal journal;
    LinkJournal recorder{link, journal, [](int id) { return id == 5 ? 1 : id == 6 ? 2 : 0; }};
};

}  // namespace

class LinkJournalTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void linesAreAppendedWithTheirTime()
    {
        const QString path = dir_.filePath(QStringLiteral("appended.log"));
        {
            QFile earlier(path);
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write("an earlier run\n");
        }
        VirtualClock clock;
        clock.advance(5000);
        Journal journal(path, clock);
        journal.writeStart(QStringLiteral("tessaline-cli"), QStringLiteral("1.04"), QStringLiteral("port=COM1"));
        clock.advance(42);
        journal.write(QStringLiteral("send"), Journal::quote(QByteArray("DDBL 1\r")));
        // Written through at once: the file holds the line before the
        // journal ends.
        const QStringList lines = linesOf(path);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QStringLiteral("an earlier run"));
        QVERIFY2(
            QRegularExpression(QStringLiteral("^0 start program=tessaline-cli version=1.04 time=\\d{4}-\\d\\d-\\d\\dT"
                                              "[0-9:.]+([+-]\\d\\d:\\d\\d|Z) port=COM1$"))
                .match(lines[1])
                .hasMatch(),
            qPrintable(lines[1]));
        QCOMPARE(lines[2], QStringLiteral("42 send \"DDBL 1\\r\""));
    }

    // clang-format off
    void quotingKeepsALineOneLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("plain") << QByteArray("BLKGN 2 200") << "\"BLKGN 2 200\"";
        QTest::newRow("line ends") << QByteArray("a\r\nb") << "\"a\\r\\nb\"";
        QTest::newRow("quote and backslash") << QByteArray("say \"x\\y\"") << "\"say \\\"x\\\\y\\\"\"";
        QTest::newRow("binary") << QByteArray("\x01" "B\x00\xff", 4) << "\"\\x01B\\x00\\xff\"";
    }
    // clang-format on

    void quotingKeepsALineOneLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, quoted);
        QCOMPARE(Journal::quote(bytes), quoted);
    }

    void aJournalThatCannotBeWrittenIsSaidOnceAndEnds_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("opens");
        QTest::newRow("no such folder") << dir_.filePath(QStringLiteral("missing/journal.log")) << false;
        QTest::newRow("a full disk") << QStringLiteral("/dev/full") << true;
    }

    void aJournalThatCannotBeWrittenIsSaidOnceAndEnds()
    {
        QFETCH(QString, path);
        QFETCH(bool, opens);
        if (opens && !QFile::exists(path))
            QSKIP("this system has no /dev/full");
        VirtualClock clock;
        QStringList said;
        Journal journal(path, clock, [&said](const QString &text) { said << text; });
        for (int i = 0; i < 5; ++i)
            journal.write(QStringLiteral("send"), QStringLiteral("\"x\""));
        QCOMPARE(said.size(), 1);
        QVERIFY2(said.first().contains(path) && said.first().contains(QLatin1String("off from here on")),
                 qPrintable(said.first()));
        QVERIFY(!journal.isOn());
    }

    // Through the controller: the framed line with its unit, the reply's
    // length and record, a time-out, the controller's refusal.
    void theLineThroughTheController()
    {
        const QString path = dir_.filePath(QStringLiteral("controller.log"));
        JournalRig rig(path, true);
        rig.link.SetDeviceConnected(true);
        rig.link.formatCommand("*%dDDBL %d!", 6, 1);
        rig.link.ComputeChecksum();
        QVERIFY(rig.link.SendRelayed(6, 0));
        rig.link.formatCommand("QXQUERY *%dOINFOQX %1d!\r", 5, 2);
        rig.link.setMinReplyLength(62);
        rig.link.AwaitQueryReply();
        rig.line.control(QStringLiteral("unrecognised 1"));
        rig.link.formatCommand("QXQUERY *%dSYINFOQX!\r", 5);
        rig.link.setMinReplyLength(8);
        rig.link.AwaitQueryReply();
        rig.line.control(QStringLiteral("silence on"));
        rig.link.AwaitQueryReply();
        rig.dialogs.takeMessages();

        const QStringList lines = linesOf(path);
        QCOMPARE(
            events(lines),
            (QStringList{
                QStringLiteral("connected port=COM1 device=\"%1\" mode=controller baud=57600")
                    .arg(PortMap::devicePath(1)),
                QStringLiteral("send unit=2 \"PASS *6DDBL 1!E8\\r\\r\""), QStringLiteral("reply complete length=24"),
                QStringLiteral("send unit=1 \"QXQUERY *5OINFOQX 2!\\r\""),
                QStringLiteral("reply complete length=98 record=B"),
                QStringLiteral("send unit=1 \"QXQUERY *5SYINFOQX!\\r\""), QStringLiteral("reply not-understood"),
                QStringLiteral("send unit=1 \"QXQUERY *5SYINFOQX!\\r\""), QStringLiteral("reply timed-out")}));
        // The milliseconds never go back.
        qint64 last = 0;
        for (const QString &line : lines) {
            const qint64 ms = line.section(u' ', 0, 0).toLongLong();
            QVERIFY(ms >= last);
            last = ms;
        }
        QVERIFY(rig.complaints.isEmpty());
    }

    // Directly: a command written without waiting, a prompt wait, the
    // probe's bare return, and the connection ending.
    void theLineDirectly()
    {
        const QString path = dir_.filePath(QStringLiteral("direct.log"));
        JournalRig rig(path, false);
        rig.link.WriteToPort(QByteArrayLiteral("BLKGN 1 200\r"));
        QVERIFY(rig.link.SendAndWaitPrompt(QByteArrayLiteral("\r")));
        rig.link.formatCommand("DDBL 0\r");
        rig.link.SendDirect();
        rig.link.SetDeviceConnected(false);
        QCOMPARE(events(linesOf(path)),
                 (QStringList{QStringLiteral("send unit=1 \"BLKGN 1 200\\r\""), QStringLiteral("send \"\\r\""),
                              QStringLiteral("reply prompt"), QStringLiteral("send unit=1 \"DDBL 0\\r\""),
                              QStringLiteral("reply prompt"), QStringLiteral("disconnected")}));
    }

    void boxesAndTheirAnswers()
    {
        const QString path = dir_.filePath(QStringLiteral("boxes.log"));
        VirtualClock clock;
        Journal journal(path, clock);
        ScriptedDialogs shown;
        JournalDialogs boxes(shown, journal);
        shown.answer(false);
        shown.answer(true);
        shown.chooseFile(QStringLiteral("/walls/lobby.qxc"));
        shown.chooseFile(QString());
        boxes.showMessage(QStringLiteral("File open successful."));
        QVERIFY(!boxes.askYesNo(QStringLiteral("VKS - Tessaline :No answer"), QStringLiteral("Keep trying?")));
        QVERIFY(boxes.askOkCancel(QStringLiteral("COM Port error"), QStringLiteral("Retry?")));
        QCOMPARE(boxes.openFileName({}), QStringLiteral("/walls/lobby.qxc"));
        QVERIFY(boxes.saveFileName({}).isEmpty());
        // What the journal passes on is what the boxes show and answer.
        QCOMPARE(shown.takeMessages(), QStringList{"File open successful."});
        QCOMPARE(shown.takeQuestions().size(), 2);
        QCOMPARE(events(linesOf(path)),
                 (QStringList{QStringLiteral("message \"File open successful.\""),
                              QStringLiteral("question \"VKS - Tessaline :No answer\" \"Keep trying?\""),
                              QStringLiteral("answer no"), QStringLiteral("question \"COM Port error\" \"Retry?\""),
                              QStringLiteral("answer ok"), QStringLiteral("file-to-open \"/walls/lobby.qxc\""),
                              QStringLiteral("file-to-save cancelled")}));
        VERIFY_DIALOGS_TAKEN(shown);
    }
};

QTEST_MAIN(LinkJournalTest)
#include "tst_linkjournal.moc"
