// Finding the units on COM1 and COM2, the connection modes and their port
// settings, the unit count behind the controller and the projector check.
#include "link/DeviceSearch.h"
#include "support/LinkRig.h"

#include <QTest>

using namespace tess;
using namespace tess::test;

namespace {

const QString kNotDetected = QStringLiteral(
    "Quorex(s) not detected.\n1) Please check RS-232 cable.\n2) Make sure Quorex(s) boot-up initialization has "
    "been completed.\n3) Go to 'Serial Port->Search for Quorex(s)->Search' menu item for the Tessaline to search "
    "for Quorex(s) again.");

const QString kPermissionNote = QStringLiteral(
    "Note: COM Port #1 cannot be opened: permission to open /dev/ttyS0 was denied. Add your user to the 'dialout' "
    "group (sudo usermod -aG dialout $USER), then log out and in again.");

struct SearchRig : LinkRig {
    DeviceSearch search{link, window};
    // Which port answers, and as what.
    int unitOn = 0;        // a unit connected directly answers "#" here
    int controllerOn = 0;  // a controller answers ">" here
    QByteArray nqxReply = "NQX\r\n2 5 6\r\nLR>";
    QList<int> baudAtProbe;

    SearchRig() : LinkRig(false)
    {
        port.close();
        port.respond = [this](int number, const QByteArray &w) -> QByteArray {
            if (w == "\r")
                baudAtProbe << port.baudRate();
            if (number == unitOn && w.endsWith('\r'))
                return "\r\n#";
            if (number == controllerOn) {
                if (w == "NQX\r")
                    return nqxReply;
                if (w.endsWith('\r'))
                    return "\r\n>";
            }
            return {};
        };
    }
};

}  // namespace

class DeviceSearchTest : public QObject {
    Q_OBJECT
private slots:
    void searchFindsAUnitOnCom2WhenCom1IsAbsent()
    {
        SearchRig rig;
        rig.port.existing = {2};
        rig.unitOn = 2;
        rig.search.SearchAllClick();
        QVERIFY(rig.link.DeviceConnected);
        QCOMPARE(rig.port.portNumber(), 2);
        QVERIFY(rig.port.isOpen());
        QCOMPARE(rig.window.comNumber, QStringLiteral("2"));
        QVERIFY(rig.window.statusHistory.contains(QStringLiteral("Established communication with Quorex on Com 2")));
        QVERIFY(rig.window.connectedMenus);
        QCOMPARE(rig.window.readAllCalls, 1);
        QVERIFY(!rig.window.controllerBox);
        QCOMPARE(rig.link.PromptChar, '#');
        QCOMPARE(rig.port.baudRate(), 38400);
        QVERIFY(!rig.port.flowControlInForce());
        QCOMPARE(rig.link.PromptWaitTicks, 80);
        QVERIFY(rig.window.pagesEnabled);
        QVERIFY(!rig.window.busyCursor);
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void searchFallsBackToTheControllerAndSwitchesDebugOff()
    {
        SearchRig rig;
        rig.controllerOn = 1;
        rig.search.SearchAllClick();
        QVERIFY(rig.link.DeviceConnected);
        QVERIFY(rig.window.controllerBox);
        QCOMPARE(rig.link.PromptChar, '>');
        QCOMPARE(rig.port.baudRate(), 57600);
        QVERIFY(rig.port.flowControlInForce());  // opened anew in controller mode
        QCOMPARE(rig.window.baudIndex, 1);
        QVERIFY(rig.port.written.endsWith("\rdebug 0\r"));
        QCOMPARE(rig.window.readAllCalls, 1);
        QCOMPARE(rig.window.comNumber, QStringLiteral("1"));
        // Direct: two probes on each port, then one that answered.
        QCOMPARE(rig.baudAtProbe, (QList<int>{38400, 38400, 38400, 38400, 57600}));
    }

    void searchWithNothingAnsweringSaysSoAndClosesThePort()
    {
        SearchRig rig;
        rig.link.SetDeviceConnected(true);
        const qint64 start = rig.clock.nowMs();
        rig.search.SearchAllClick();
        QCOMPARE(rig.dialogs.takeMessages(), QStringList{kNotDetected});
        QVERIFY(!rig.link.DeviceConnected);
        QVERIFY(!rig.port.isOpen());
        QCOMPARE(rig.port.written.count('\r'), 8);  // two probes per port per mode
        QCOMPARE(rig.clock.nowMs() - start, qint64(8 * 10 * 55));
        QCOMPARE(rig.window.readAllCalls, 0);
    }

    void fixedBaudLastsOnlyUntilTheNextModeIsApplied()
    {
        SearchRig rig;
        rig.search.chooseFixedBaud(9600);
        QCOMPARE(rig.port.baudRate(), 9600);
        QVERIFY(!rig.search.BaudFollowsMode);
        rig.search.SearchAllClick();
        QCOMPARE(rig.dialogs.takeMessages(), QStringList{kNotDetected});
        // Both attempts ran at the list's selection, which stayed "38400".
        QCOMPARE(rig.baudAtProbe, QList<int>(8, 38400));
    }

    void defaultValuesAfterAFixedRateChangesNothingUntilTheNextMode()
    {
        SearchRig rig;
        rig.search.chooseFixedBaud(19200);
        rig.search.Defaultvalues1Click();
        QVERIFY(rig.search.BaudFollowsMode);
        QCOMPARE(rig.port.baudRate(), 19200);
        rig.unitOn = 1;
        rig.search.SearchAllClick();
        QCOMPARE(rig.port.baudRate(), 38400);
    }

    void searchRefusesADirectUnitWhenTheWallNeedsTwo()
    {
        SearchRig rig;
        rig.unitOn = 1;
        rig.controllerOn = 2;
        rig.window.projectors = 6;
        rig.search.SearchAllClick();
        const QStringList shown = rig.dialogs.takeMessages();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].startsWith(QStringLiteral("Error! Current output settings require 2 Quorexs.")));
        QVERIFY(!rig.port.isOpen());
        QVERIFY(!rig.link.DeviceConnected);
        QCOMPARE(rig.window.readAllCalls, 0);
        QVERIFY(!rig.window.controllerBox);  // no controller search
    }

    // clang-format off
    void unitCountAndIds_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("id1");
        QTest::addColumn<int>("id2");
        QTest::addColumn<bool>("visible2");
        QTest::addColumn<QString>("status");
        QTest::newRow("2 5 6") << QByteArray("NQX\r\n2 5 6\r\nLR>") << 2 << 5 << 6 << true << QString();
        QTest::newRow("one unit") << QByteArray("QX: 1 7\r\nLR>") << 1 << 7 << 2 << false << QString();
        QTest::newRow("digit at 29 is found") << QByteArray(29, '-') + "1 9\r\nLR>" << 1 << 9 << 2 << false
                                              << QString();
        QTest::newRow("digit at 30 is not") << QByteArray(30, '-') + "1 9\r\nLR>" << 0 << 1 << 2 << false
                                            << QStringLiteral("Error detecting # of Quorex(s) from Controller");
        QTest::newRow("tabs between the numbers") << QByteArray("NQX\r\nQX:\t2\t5 \t6\r\nLR>") << 2 << 5 << 6
                                                 << true << QString();
        QTest::newRow("missing second ID keeps the field") << QByteArray("2 5\r\nLR>") << 2 << 5 << 2 << true
                                                          << QString();
    }
    // clang-format on
    void unitCountAndIds()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, count);
        QFETCH(int, id1);
        QFETCH(int, id2);
        QFETCH(bool, visible2);
        QFETCH(QString, status);
        SearchRig rig;
        rig.controllerOn = 1;
        rig.nqxReply = reply;
        rig.dialogs.answer(false);
        rig.search.QuorexconnectedthruController1Click();
        QCOMPARE(rig.dialogs.takeQuestions().size(), 1);
        QCOMPARE(rig.search.CountUnits(), count);
        QCOMPARE(rig.window.ids[0], id1);
        QCOMPARE(rig.window.ids[1], id2);
        QCOMPARE(rig.window.idVisible[0], count >= 1);
        QCOMPARE(rig.window.idVisible[1], visible2);
        if (!status.isEmpty())
            QCOMPARE(rig.window.status, status);
    }

    void countThroughNoiseIsAskedAgain()
    {
        // A digit in line noise is no count: only a reply of plain text is
        // read, and the controller is asked again, at most three times
        // before the user is asked.
        SearchRig rig;
        rig.controllerOn = 1;
        rig.dialogs.answer(false);
        rig.search.QuorexconnectedthruController1Click();
        rig.dialogs.takeQuestions();
        int asked = 0;
        const auto respond = rig.port.respond;
        rig.port.respond = [&](int number, const QByteArray &w) -> QByteArray {
            if (w == "NQX\r" && ++asked == 1)
                return "\xe9"
                       "7\xb0NQX\r\n2 5 6\r\nLR>";
            return respond(number, w);
        };
        QCOMPARE(rig.search.CountUnits(), 2);
        QCOMPARE(asked, 2);
        QCOMPARE(rig.window.ids[0], 5);

        // Noise every time: three tries, then the question; No gives up.
        rig.port.takeWritten();
        rig.port.respond = [&](int, const QByteArray &w) -> QByteArray {
            return w == "NQX\r" ? QByteArray(
                       "\x01"
                       "3\r\nLR>")
                                : QByteArray();
        };
        rig.dialogs.answer(false);
        QCOMPARE(rig.search.CountUnits(), 0);
        QCOMPARE(rig.dialogs.takeQuestions().size(), 1);
        QCOMPARE(rig.port.takeWritten().count("NQX\r"), 3);

        // A reply longer than the reply buffer is noise as well, not a
        // time-out: asked again, and the user decides after three.
        rig.port.respond = [&](int, const QByteArray &w) -> QByteArray {
            return w == "NQX\r" ? QByteArray(Link::BufferSize + 10, '7') + "\r\nLR>" : QByteArray();
        };
        rig.dialogs.answer(false);
        QCOMPARE(rig.search.CountUnits(), 0);
        QCOMPARE(rig.dialogs.takeQuestions().size(), 1);
        QCOMPARE(rig.port.takeWritten().count("NQX\r"), 3);
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void noUnitsBehindTheControllerHidesTheIds()
    {
        SearchRig rig;
        rig.controllerOn = 1;
        rig.nqxReply = "0\r\nLR>";
        rig.window.idVisible[0] = rig.window.idVisible[1] = true;
        rig.dialogs.answer(false);
        rig.search.QuorexconnectedthruController1Click();
        rig.dialogs.takeQuestions();
        QCOMPARE(rig.search.CountUnits(), 0);
        QCOMPARE(rig.dialogs.takeMessages(),
                 QStringList{QStringLiteral("No Quorex(s) connected to Controllers. Check cables and try again.")});
        QVERIFY(!rig.window.idVisible[0] && !rig.window.idVisible[1]);
    }

    void directConnectionWithAWallOfSixAsksToGoOnWithUnitOne()
    {
        for (bool goOn : {true, false}) {
            SearchRig rig;
            rig.unitOn = 1;
            rig.window.projectors = 6;
            rig.dialogs.answer(goOn);
            if (goOn)
                rig.dialogs.answer(false);  // then: query the settings? No
            rig.search.QuorexconnectedtoSerialPortdirectly1Click();
            const auto questions = rig.dialogs.takeQuestions();
            QCOMPARE(questions.size(), goOn ? 2 : 1);
            QCOMPARE(questions[0].caption,
                     QStringLiteral("VKS - Tessaline :Establish COM port communication with Quorex(s)"));
            QCOMPARE(rig.link.DeviceConnected, goOn);
            QCOMPARE(rig.port.isOpen(), goOn);
            if (!goOn)
                QCOMPARE(rig.dialogs.takeMessages(), QStringList{DeviceSearch::TwoUnitsInstructions});
            VERIFY_DIALOGS_TAKEN(rig.dialogs);
        }
    }

    void fiveProjectorsThroughTheControllerNeedTwoUnits()
    {
        SearchRig rig;
        rig.controllerOn = 1;
        rig.dialogs.answer(false);
        rig.search.QuorexconnectedthruController1Click();
        rig.dialogs.takeQuestions();
        const int fiveProjectors = 4;  // the selection "5 Projectors"
        QVERIFY(rig.search.CheckUnitsForProjectorCount(5, fiveProjectors));
        rig.nqxReply = "1 5\r\nLR>";
        QVERIFY(!rig.search.CheckUnitsForProjectorCount(5, fiveProjectors));
        QCOMPARE(rig.port.written.count("NQX\r"), 3);  // once, then twice with a pause between
        QCOMPARE(rig.clock.countPauses(1000), 1);
        QVERIFY(rig.dialogs.takeMessages()[0].startsWith(
            QStringLiteral("Error! Increasing the # of Projectors to exceed 4 will require using 2 Quorexs.")));
    }

    void portThatCannotBeOpenedIsReportedAndSkipped()
    {
        SearchRig rig;
        rig.port.permissionDenied = {1};
        rig.unitOn = 2;
        rig.search.SearchAllClick();
        const QStringList shown = rig.dialogs.takeMessages();
        QCOMPARE(shown, QStringList{kPermissionNote});
        QVERIFY(rig.link.DeviceConnected);
        QCOMPARE(rig.port.portNumber(), 2);
    }

    // The search probes each port twice over (directly, then for the
    // controller); a refused port is reported once, and again by the next
    // search.
    void permissionFailureIsReportedOncePerSearch()
    {
        SearchRig rig;
        rig.port.permissionDenied = {1};
        for (int search = 0; search < 2; ++search) {
            rig.search.SearchAllClick();
            QCOMPARE(rig.dialogs.takeMessages(), (QStringList{kPermissionNote, kNotDetected}));
        }
        rig.port.failsToOpen = {2};
        rig.search.QuorexconnectedthruController1Click();
        const QStringList shown = rig.dialogs.takeMessages();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[0], kPermissionNote);
        QCOMPARE(shown[1], QStringLiteral("Note: COM Port #2 is not responding/being used by another application."));
        QVERIFY(shown[2].startsWith(QStringLiteral("Controller not detected.")));
    }

    void lineErrorDuringTheProbeIsReported()
    {
        SearchRig rig;
        rig.port.respond = [&](int, const QByteArray &) {
            rig.port.failLine();
            return QByteArray();
        };
        QVERIFY(!rig.link.TryPort(1));
        QCOMPARE(rig.dialogs.takeMessages(), QStringList{QStringLiteral("Note: COM Port #1 is not responding.")});
    }

    void disconnectClosesAndForgets()
    {
        SearchRig rig;
        rig.unitOn = 1;
        rig.search.SearchAllClick();
        rig.window.settingsRead = true;
        rig.search.DisconnectSerialCo1Click();
        QVERIFY(!rig.port.isOpen());
        QVERIFY(!rig.link.DeviceConnected);
        QVERIFY(!rig.window.lineMonitoring);
        QVERIFY(!rig.window.connectedMenus);
        QVERIFY(!rig.window.settingsRead);
        QCOMPARE(rig.window.pageChangeCalls, 1);
    }

    void parityTakesEffectAtOnce()
    {
        SearchRig rig;
        rig.search.chooseParity(SerialPort::Parity::Mark);
        QCOMPARE(rig.port.parity(), SerialPort::Parity::Mark);
    }
};

QTEST_GUILESS_MAIN(DeviceSearchTest)
#include "tst_devicesearch.moc"
