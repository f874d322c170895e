// Framing, relayed sends, retries, giving up, and direct sends with recovery.
#include "support/LinkTexts.h"
#include "support/LinkRig.h"

#include <QTest>

#include <memory>

using namespace tess;
using namespace tess::test;

namespace {

const QString &kTimeout = TimeoutText;

// A controller that echoes the framed line and answers OK with its prompt.
QByteArray controllerOk(const QByteArray &framed)
{
    return framed + "\r\nOK\r\nLR>";
}

// The controller answers each attempt of a relayed send (ended by its two
// carriage returns) with the next of `replies`, the last one from then on;
// "debug 0" gets its prompt. Returns the count of attempts.
std::shared_ptr<int> answerAttempts(LinkRig &rig, const QList<QByteArray> &replies)
{
    auto attempts = std::make_shared<int>(0);
    rig.port.respond = [attempts, replies](int, const QByteArray &w) -> QByteArray {
        if (w == "debug 0\r")
            return "debug 0\r\n>";
        if (w != "\r\r")
            return {};
        return replies.at(qMin(qsizetype((*attempts)++), replies.size() - 1));
    };
    return attempts;
}

}  // namespace

class ExchangeTest : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void checksumIsTwoUpperCaseHexDigits_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("sum");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("byte sum 483 wraps to E3") << QByteArray("*1DDBL 1!") << 0xE3
                                                  << QByteArray("PASS *1DDBL 1!E3\r\r");
        QTest::newRow("below 16 keeps a leading zero") << QByteArray("ABCD") << 0x0A
                                                       << QByteArray("PASS ABCD0A\r\r");
        QTest::newRow("sum of exactly 256 is 00") << QByteArray("\x80\x80") << 0x00
                                                  << QByteArray("PASS \x80\x80" "00\r\r");
    }
    // clang-format on
    void checksumIsTwoUpperCaseHexDigits()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, sum);
        QFETCH(QByteArray, wire);
        LinkRig rig(true);
        rig.port.respond = [](int, const QByteArray &w) {
            return w == "\r\r" ? QByteArray("x\r\nLR>") : QByteArray();
        };
        rig.link.formatCommand("%s", text.constData());
        QVERIFY(rig.link.ComputeChecksum());
        QCOMPARE(int(rig.link.commandChecksum()), sum);
        rig.link.setMinReplyLength(0);
        // The reply is long enough for the prompt rule once the echo counts.
        rig.port.respond = [&](int, const QByteArray &w) {
            return w == "\r\r" ? controllerOk(rig.port.written) : QByteArray();
        };
        QVERIFY(rig.link.SendRelayed(1, 0));
        QCOMPARE(rig.port.written, wire);
        QCOMPARE(rig.link.command(), text);  // the send leaves the command as it was
    }

    void relayedSendWaitsForThePromptThenPauses()
    {
        LinkRig rig(true);
        rig.command("*1QXCTRL 1!");
        rig.port.pieceSize = 1;  // the answer trickles in byte by byte
        rig.port.respond = [&](int, const QByteArray &w) {
            return w == "\r\r" ? controllerOk(rig.port.written) : QByteArray();
        };
        QVERIFY(rig.link.SendRelayed(1, 1550));
        QCOMPARE(rig.port.written, QByteArray("PASS *1QXCTRL 1!")
                                       + QByteArray::number(rig.link.commandChecksum(), 16).toUpper() + "\r\r");
        QCOMPARE(rig.clock.countPauses(1), 1550);
        QCOMPARE(rig.clock.countPauses(900), 0);
        QVERIFY(rig.link.reply().endsWith("LR"));  // the prompt itself became the zero byte
        QCOMPARE(rig.window.status, QString());
        QVERIFY(rig.window.pagesEnabled);
        QVERIFY(rig.window.pagesDisabledCount > 0);
        QVERIFY(!rig.window.busyCursor);
        QVERIFY(!rig.link.timer1Active());
    }

    void trailingPausesKeepToTheirStart_data()
    {
        QTest::addColumn<int>("lateWake");
        QTest::newRow("punctual wake-ups") << 0;
        QTest::newRow("each wake-up 1 ms late") << 1;
        QTest::newRow("each wake-up 4 ms late") << 4;
    }
    void trailingPausesKeepToTheirStart()
    {
        // 160 pauses of 1 ms end 160 ms after the answer however late each
        // wake-up is, and events are still processed after every pause.
        QFETCH(int, lateWake);
        LinkRig rig(true);
        rig.command("*1PRJ 0 3!");
        rig.port.respond = [&](int, const QByteArray &w) {
            return w == "\r\r" ? controllerOk(rig.port.written) : QByteArray();
        };
        rig.clock.setLateWakeMs(lateWake);
        const auto timed = [&](int pauses) {
            rig.port.written.clear();
            const qint64 start = rig.clock.nowMs();
            const int runs = rig.clock.eventRuns();
            if (!rig.link.SendRelayed(1, pauses))
                qFatal("the send failed");
            return std::pair{rig.clock.nowMs() - start, rig.clock.eventRuns() - runs};
        };
        const auto [plainMs, plainRuns] = timed(0);
        const auto [pausedMs, pausedRuns] = timed(160);
        QVERIFY2(pausedMs - plainMs >= 160 && pausedMs - plainMs <= 160 + lateWake,
                 qPrintable(QStringLiteral("the pauses took %1 ms").arg(pausedMs - plainMs)));
        QCOMPARE(pausedRuns - plainRuns, 160);
    }

    void echoedPromptDoesNotEndTheReply()
    {
        // The command itself contains L R > : inside the echo it stands
        // before the command length plus 8 and must not count.
        LinkRig rig(true);
        rig.command("*1LR>!");
        // First attempt: the echo only. Second: echo and a real prompt.
        const auto attempts = answerAttempts(rig, {"PASS *1LR>!", "PASS *1LR>!xx\r\r\r\nLR>"});
        QVERIFY(rig.link.SendRelayed(1, 0));
        QCOMPARE(*attempts, 2);
        QCOMPARE(rig.dialogs.takeMessages(), QStringList{kTimeout});
        QCOMPARE(rig.clock.countPauses(900), 1);
        QCOMPARE(rig.window.statusHistory.count(QStringLiteral("Resending message....")), 1);
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void promptWithoutLRTimesOutAndIsSentAgain()
    {
        LinkRig rig(true);
        rig.command("*1DDBL 1!");
        const auto attempts =
            answerAttempts(rig, {"PASS *1DDBL 1!E3\r\r\r\nOK\r\n>", "PASS *1DDBL 1!E3\r\r\r\nOK\r\nLR>"});
        const qint64 start = rig.clock.nowMs();
        QVERIFY(rig.link.SendRelayed(1, 0));
        QCOMPARE(*attempts, 2);
        QVERIFY(rig.clock.nowMs() - start >= 8000 + 900);
        QCOMPARE(rig.dialogs.takeMessages(), QStringList{kTimeout});
    }

    void replyArrivingWhileTheTimeoutMessageIsOpenStillCountsAsFailed()
    {
        LinkRig rig(true);
        rig.command("*1DDBL 1!");
        const auto attempts = answerAttempts(rig, {QByteArray(), controllerOk("PASS *1DDBL 1!E3\r\r")});
        rig.dialogs.whileNextBoxOpen([&] {
            rig.port.deliver(controllerOk(QByteArray("PASS *1DDBL 1!E3\r\r")));
            rig.clock.processPendingEvents();
            QVERIFY(!rig.link.awaitingReply());  // the late reply completed the collection
        });
        QVERIFY(rig.link.SendRelayed(1, 0));
        QCOMPARE(*attempts, 2);
        QCOMPARE(rig.port.written.count("PASS "), 2);
        QCOMPARE(rig.dialogs.takeMessages(), QStringList{kTimeout});
    }

    void userCanGiveUpAfterRepeatedTimeouts()
    {
        LinkRig rig(true);
        rig.command("*1DDBL 1!");
        rig.dialogs.answer(true);   // after 3 time-outs: keep trying
        rig.dialogs.answer(false);  // after 6: give up
        QVERIFY(!rig.link.SendRelayed(1, 100));
        QCOMPARE(rig.port.written.count("PASS *1DDBL 1!E3\r\r"), 6);
        QCOMPARE(rig.dialogs.takeMessages().count(kTimeout), 6);
        QCOMPARE(rig.dialogs.takeQuestions().size(), 2);
        QCOMPARE(rig.window.status, QStringLiteral("Command not sent: no answer from the Controller."));
        QCOMPARE(rig.clock.countPauses(1), 0);  // no trailing pauses for a command not sent
        QVERIFY(rig.window.pagesEnabled);
        QVERIFY(!rig.window.busyCursor);
        QVERIFY(!rig.link.awaitingReply());
        // The link is usable again afterwards.
        rig.port.respond = [&](int, const QByteArray &w) {
            return w == "\r\r" ? controllerOk(QByteArray("PASS *1DDBL 1!E3\r\r")) : QByteArray();
        };
        QVERIFY(rig.link.SendRelayed(1, 0));
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void everyRefusalCountsTowardsTheQuestion_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("resending");
        const QByteArray echo = "PASS *1DDBL 1!E3\r\r\r\n";
        const QString again = QStringLiteral("Resending message....");
        QTest::newRow("not understood") << QByteArray("?\r\nCTRLR>") << QStringList() << again;
        QTest::newRow("bad checksum") << echo + "!ERR 1\r\nCTRLR>" << QStringList() << again;
        QTest::newRow("bad frame") << echo + "!ERR 2\r\nCTRLR>" << QStringList() << again;
        // The unit's absence is said once, however often the send repeats.
        QTest::newRow("unit absent") << echo + "!ERR 4\r\nCTRLR>" << QStringList{NoUnitResponseText} << again;
        QTest::newRow("debug mode that stays on") << QByteArray("?\r\nDEBUG>") << QStringList() << again;
        // More than the reply buffer holds is garbled, not late: no time-out.
        QTest::newRow("reply longer than the buffer")
            << echo + QByteArray(Link::BufferSize + 50, 'Z') + "\r\nLR>" << QStringList()
            << QStringLiteral("Garbled reply detected.... Resending message");
    }
    void everyRefusalCountsTowardsTheQuestion()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, messages);
        QFETCH(QString, resending);
        LinkRig rig(true);
        rig.command("*1DDBL 1!");
        const auto attempts = answerAttempts(rig, {reply});
        rig.dialogs.answer(true);   // after 3 refusals: keep trying
        rig.dialogs.answer(false);  // after 6: give up
        QVERIFY(!rig.link.SendRelayed(1, 0));
        QCOMPARE(*attempts, 6);
        QCOMPARE(rig.dialogs.takeQuestions().size(), 2);
        QCOMPARE(rig.dialogs.takeMessages(), messages);
        QCOMPARE(rig.window.statusHistory.count(resending), 5);  // before each resend
        QCOMPARE(rig.window.status, QStringLiteral("Command not sent: no answer from the Controller."));
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void colourBalanceWaitIsAskedAboutOnlyAfterLong()
    {
        // The busy unit of a colour balance is waited for silently, but not
        // for ever: after 20 waits (about two minutes) the user is asked.
        LinkRig rig(true);
        rig.command("*1 !");
        const auto attempts = answerAttempts(rig, {"PASS *1 !xx\r\r\r\n!ERR 4\r\n>"});
        rig.link.ColorBalanceInProgress = true;
        rig.dialogs.answer(false);
        QVERIFY(!rig.link.SendRelayed(1, 0));
        QCOMPARE(*attempts, 20);
        QCOMPARE(rig.dialogs.takeQuestions().size(), 1);
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void controllerDebugModeIsSwitchedOffBeforeTheResend()
    {
        LinkRig rig(true);
        rig.command("*1DDBL 1!");
        const auto attempts = answerAttempts(rig, {"?\r\nDEBUG MODE\r\n>", controllerOk("PASS *1DDBL 1!E3\r\r")});
        QVERIFY(rig.link.SendRelayed(1, 0));
        QCOMPARE(*attempts, 2);
        QVERIFY(rig.port.written.contains("PASS *1DDBL 1!E3\r\rdebug 0\rPASS *1DDBL 1!E3\r\r"));
    }

    void unitNotRespondingDuringColorBalanceRetriesSilentlyEveryFiveSeconds()
    {
        LinkRig rig(true);
        rig.command("*1 !");
        const QByteArray busy = "PASS *1 !xx\r\r\r\n!ERR 4\r\n>";
        const auto attempts = answerAttempts(rig, {busy, busy, busy, "PASS *1 !xx\r\r\r\nOK\r\nLR>"});
        rig.link.ColorBalanceInProgress = true;
        QVERIFY(rig.link.SendRelayed(1, 0));
        QCOMPARE(*attempts, 4);
        QCOMPARE(rig.clock.countPauses(5000), 3);
        QCOMPARE(rig.clock.countPauses(900), 3);
        QVERIFY(rig.window.statusHistory.contains(
            QStringLiteral("Detect Quorex not done with Color Balance. Resending message....")));
        VERIFY_DIALOGS_TAKEN(rig.dialogs);  // no message box at all
    }

    void outputBufferOverflowDropsThatPieceAndSays()
    {
        LinkRig rig(true);
        rig.port.outputCapacity = 5;  // "PASS " is 5: not strictly less, refused
        rig.link.WriteToPort("PASS ");
        rig.link.WriteToPort("PASS");
        QCOMPARE(rig.port.written, QByteArray("PASS"));
        QCOMPARE(rig.dialogs.takeMessages(),
                 QStringList{QStringLiteral(
                     "Error! RS-232 communication port output buffer overflow. Please resend command.")});
    }

    void closedPortSendsNothing()
    {
        LinkRig rig(true);
        rig.port.close();
        rig.command("*1DDBL 1!");
        QVERIFY(!rig.link.SendRelayed(1, 0));
        rig.link.AwaitQueryReply();
        QVERIFY(rig.link.SendAndWaitPrompt("\r"));
        rig.link.WriteToPort("x");
        QVERIFY(rig.port.written.isEmpty());
    }

    void directSendWaitsForThePromptHoldingHandlerBusy()
    {
        LinkRig rig(false);
        rig.window.busy = 0;
        int busyDuringWait = -1;
        rig.port.respond = [&](int, const QByteArray &) {
            busyDuringWait = rig.window.busy;
            return QByteArray("DDBL 1\r\n#");
        };
        rig.link.formatCommand("DDBL %d\r", 1);
        rig.link.SendDirect();
        QCOMPARE(rig.port.written, QByteArray("DDBL 1\r"));
        QCOMPARE(busyDuringWait, 1);
        QCOMPARE(rig.window.busy, 0);
        QVERIFY(!rig.window.busyCursor);
        QVERIFY(rig.exit.codes.isEmpty());
    }

    void directSendRecoversTheLinkWhenTheUserRetries()
    {
        LinkRig rig(false);
        bool unitBack = false;
        rig.port.respond = [&](int, const QByteArray &) { return unitBack ? QByteArray("\r\n#") : QByteArray(); };
        rig.dialogs.whileNextBoxOpen([&] { unitBack = true; });
        rig.dialogs.answer(true);  // "COM Port error": OK, retry
        rig.link.formatCommand("SYSAVE\r");
        rig.link.PromptWaitTicks = 630;
        rig.link.SendDirect();
        // The command, two probes that failed, then after OK a probe and the
        // command again.
        QCOMPARE(rig.port.written, QByteArray("SYSAVE\r\r\r\rSYSAVE\r"));
        const auto questions = rig.dialogs.takeQuestions();
        QCOMPARE(questions.size(), 1);
        QCOMPARE(questions[0].caption, QStringLiteral("COM Port error"));
        QCOMPARE(rig.link.PromptWaitTicks, 80);
        QVERIFY(rig.exit.codes.isEmpty());
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void cancelInComPortErrorEndsTheProgramWithMinusOne()
    {
        LinkRig rig(false);
        rig.dialogs.answer(false);
        rig.link.formatCommand("SYSAVE\r");
        rig.link.SendDirect();
        QCOMPARE(rig.exit.codes, QList<int>{-1});
        QCOMPARE(rig.dialogs.takeQuestions().size(), 1);
    }

    void promptWaitLastsItsTicks()
    {
        LinkRig rig(false);
        rig.link.PromptWaitTicks = 10;
        const qint64 start = rig.clock.nowMs();
        QVERIFY(!rig.link.SendAndWaitPrompt("\r"));
        QCOMPARE(rig.clock.nowMs() - start, qint64(10 * 55));
        QCOMPARE(rig.window.status, QString());
        QVERIFY(rig.window.pagesEnabled);
    }

    void backspaceInTheTerminalSendsEraseSequence()
    {
        LinkRig rig(false);
        QVERIFY(rig.link.AdTerminal1KeyPress(8));
        QVERIFY(!rig.link.AdTerminal1KeyPress('a'));
        QCOMPARE(rig.port.written, QByteArray("\x08\x20\x08"));
        rig.port.close();
        QVERIFY(!rig.link.AdTerminal1KeyPress(8));
    }
};

QTEST_GUILESS_MAIN(ExchangeTest)
#include "tst_exchange.moc"
