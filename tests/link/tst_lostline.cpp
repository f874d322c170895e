// A line that fails while connected (the device goes away, the adapter is
// pulled and the port closes itself): sends must not pass for sent.
#include "support/LinkRig.h"
#include "support/LinkTexts.h"

#include <QTest>

using namespace tess;
using namespace tess::test;

class LostLineTest : public QObject {
    Q_OBJECT
private slots:
    void directSendRecoversTheLineOnceTheDeviceIsBack()
    {
        LinkRig rig(false);
        bool alive = true;
        rig.port.respond = [&](int, const QByteArray &) { return alive ? QByteArray("\r\n#") : QByteArray(); };
        rig.link.SetDeviceConnected(true);
        alive = false;
        rig.port.existing.clear();
        rig.port.failLine(QStringLiteral("Input/output error"), true);
        QVERIFY(rig.link.lineLost());

        // The device comes back while the user reads the message; OK retries.
        rig.dialogs.whileNextBoxOpen([&] {
            alive = true;
            rig.port.existing = {1, 2};
        });
        rig.dialogs.answer(true);
        rig.link.formatCommand("DDBL %d\r", 1);
        rig.link.SendDirect();

        QCOMPARE(rig.dialogs.takeQuestions().size(), 1);   // "COM Port error"
        QCOMPARE(rig.port.opens, 2);                       // opened afresh
        QVERIFY(rig.port.written.endsWith("\rDDBL 1\r"));  // probe, then the command
        QVERIFY(!rig.link.lineLost());
        QVERIFY(rig.exit.codes.isEmpty());
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void relayedSendReopensAPortTheSystemClosed()
    {
        LinkRig rig(true);
        rig.link.SetDeviceConnected(true);
        rig.port.respond = [](int, const QByteArray &w) {
            return w == "\r\r" ? QByteArray("PASS *1DDBL 1!E3\r\nLR>") : QByteArray();
        };
        rig.port.failLine(QStringLiteral("Input/output error"), true);
        rig.command("*1DDBL 1!");
        QVERIFY(rig.link.SendRelayed(1, 0));
        QCOMPARE(rig.port.opens, 2);
        QVERIFY(!rig.link.lineLost());
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void lineGoneForGoodIsAskedAboutOnceWithoutWaiting()
    {
        LinkRig rig(true);
        rig.link.SetDeviceConnected(true);
        rig.port.existing.clear();
        rig.port.failLine(QStringLiteral("Input/output error"), true);
        rig.command("*1DDBL 1!");
        const qint64 start = rig.clock.nowMs();
        rig.dialogs.answer(false);  // give the port up
        QVERIFY(!rig.link.SendRelayed(1, 0));
        QCOMPARE(rig.dialogs.takeQuestions().size(), 1);
        // Given up: what follows ends at once, without another box.
        QVERIFY(!rig.link.SendRelayed(1, 0));
        rig.link.formatCommand("QXQUERY *1SYINFOQX!\r");
        rig.link.AwaitQueryReply();
        QVERIFY(rig.link.ExchangeFailed);
        QCOMPARE(rig.clock.nowMs(), start);  // no time-out waited for
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    // A port that vanishes in the middle of a send is named as gone, in the
    // status line and in the box, in both modes; the user may keep trying,
    // and the send goes through once the device is back.
    void portVanishingDuringASendIsNamedAndCanBeRetried_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::newRow("through the controller") << true;
        QTest::newRow("direct") << false;
    }

    void portVanishingDuringASendIsNamedAndCanBeRetried()
    {
        QFETCH(bool, controller);
        const QString gone =
            QStringLiteral("COM Port #1 (/dev/ttyS0) is gone: the system closed it (cable or adapter unplugged?).");
        LinkRig rig(controller);
        rig.link.SetDeviceConnected(true);
        bool present = true;
        bool pulled = false;
        rig.port.respond = [&](int, const QByteArray &w) -> QByteArray {
            if (!present)
                return {};
            if (w.contains("DDBL") && !pulled) {
                // The adapter is pulled while the command goes out.
                pulled = true;
                present = false;
                rig.port.existing.clear();
                rig.port.failLine(QStringLiteral("Input/output error"), true);
                return {};
            }
            if (controller)
                return w == "\r\r" ? QByteArray("PASS *1DDBL 1!E3\r\nLR>") : QByteArray();
            return QByteArray("\r\n#");
        };
        QString statusWhileAsked;
        const auto pluggedBackIn = [&] {
            statusWhileAsked = rig.window.status;
            present = true;
            rig.port.existing = {1, 2};
        };
        rig.dialogs.whileNextBoxOpen(pluggedBackIn);
        rig.dialogs.answer(true);  // try again (controller: Yes; direct: OK)
        const qint64 start = rig.clock.nowMs();
        if (controller) {
            rig.command("*1DDBL 1!");
            QVERIFY(rig.link.SendRelayed(1, 0));
        } else {
            rig.link.formatCommand("DDBL %d\r", 1);
            rig.link.SendDirect();
        }

        const auto questions = rig.dialogs.takeQuestions();
        QCOMPARE(questions.size(), 1);
        QCOMPARE(questions[0].caption, QStringLiteral("COM Port error"));
        QVERIFY2(questions[0].text.contains(gone), qPrintable(questions[0].text));
        QVERIFY(!questions[0].text.contains(QStringLiteral("Controller")));
        if (controller) {
            // The status line of the failed attempt said the message was
            // being sent again; the box said why it could not be.
            QVERIFY(!rig.window.statusHistory.contains(
                QStringLiteral("Command not sent: no answer from the Controller.")));
        } else {
            QCOMPARE(statusWhileAsked, gone);
        }
        QVERIFY(!rig.link.lineLost());
        QCOMPARE(rig.port.opens, 2);
        QVERIFY(rig.port.written.endsWith(controller ? QByteArray("\r\r") : QByteArray("DDBL 1\r")));
        QCOMPARE(rig.window.status, QString());
        QVERIFY(rig.clock.nowMs() - start < 2000);
        QVERIFY(rig.exit.codes.isEmpty());
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    // Given up, a relayed send says in the status line that the port is
    // gone, not that the controller did not answer.
    void relayedSendGivenUpOnAGonePortSaysSo()
    {
        LinkRig rig(true);
        rig.link.SetDeviceConnected(true);
        rig.port.respond = [&](int, const QByteArray &w) -> QByteArray {
            if (w.contains("DDBL")) {
                rig.port.existing.clear();
                rig.port.failLine(QStringLiteral("Input/output error"), true);
            }
            return {};
        };
        rig.command("*1DDBL 1!");
        rig.dialogs.answer(false);
        QVERIFY(!rig.link.SendRelayed(1, 0));
        QCOMPARE(rig.dialogs.takeQuestions().size(), 1);
        QCOMPARE(rig.window.status,
                 QStringLiteral("Command not sent: COM Port #1 (/dev/ttyS0) is gone: the system closed it (cable or "
                                "adapter unplugged?)."));
        QVERIFY(rig.dialogs.takeMessages().isEmpty());  // no time-out blamed on the unit
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void directResendsToAUnitThatOnlyAnswersItsProbeCanBeGivenUp()
    {
        // The probe's carriage return is answered, the command never: the
        // resends end when the user gives up instead of going on for ever.
        LinkRig rig(false);
        rig.port.respond = [](int, const QByteArray &written) {
            return written == "\r" ? QByteArray("\r\n#") : QByteArray();
        };
        rig.link.SetDeviceConnected(true);
        rig.link.formatCommand("DDBL %d\r", 1);
        rig.dialogs.answer(true);   // the first question: keep trying
        rig.dialogs.answer(false);  // the second: give up
        rig.link.SendDirect();
        const auto questions = rig.dialogs.takeQuestions();
        QCOMPARE(questions.size(), 2);
        QCOMPARE(questions[0].caption, QStringLiteral("VKS - Tessaline :No answer"));
        QCOMPARE(rig.port.written.count("DDBL 1\r"), 1 + 2 * Link::TimeoutsBeforeAsking);
        QVERIFY(rig.exit.codes.isEmpty());
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void relayedSendOnAReopenedButSilentLineCanBeGivenUp()
    {
        LinkRig rig(true);
        rig.link.SetDeviceConnected(true);
        rig.port.failLine(QStringLiteral("Input/output error"), true);
        rig.command("*1DDBL 1!");
        rig.dialogs.answer(false);  // after three time-outs: give up
        QVERIFY(!rig.link.SendRelayed(1, 0));
        QCOMPARE(rig.dialogs.takeMessages(), QStringList(3, TimeoutText));
        QCOMPARE(rig.dialogs.takeQuestions().size(), 1);
        QCOMPARE(rig.window.status, QStringLiteral("Command not sent: no answer from the Controller."));
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void searchOpensALostPortAfresh()
    {
        LinkRig rig(false);
        rig.port.respond = [](int, const QByteArray &) { return QByteArray("\r\n#"); };
        rig.port.failLine(QStringLiteral("Input/output error"), false);  // still reported open
        QVERIFY(rig.link.TryPort(1));
        QCOMPARE(rig.port.opens, 2);
        QVERIFY(!rig.link.lineLost());
    }

    void disconnectingDuringADirectSendEndsIt()
    {
        LinkRig rig(false);
        rig.link.SetDeviceConnected(true);
        const auto disconnect = rig.clock.createTimer();
        QObject::connect(disconnect.get(), &ClockTimer::timeout, [&] {
            disconnect->stop();
            rig.link.closePort();
        });
        disconnect->start(100);
        rig.link.formatCommand("DDBL %d\r", 1);
        rig.link.SendDirect();
        QVERIFY(rig.clock.nowMs() < 1000);
        QVERIFY(!rig.port.isOpen());
        QCOMPARE(rig.port.opens, 1);  // not opened again
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void disconnectingIsNotALostLine()
    {
        LinkRig rig(false);
        rig.link.closePort();
        QVERIFY(!rig.link.lineLost());
        QVERIFY(rig.link.SendAndWaitPrompt("\r"));  // a closed port sends nothing and waits for nothing
        QVERIFY(rig.port.written.isEmpty());
    }
};

QTEST_GUILESS_MAIN(LostLineTest)
#include "tst_lostline.moc"
