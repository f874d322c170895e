// The Serial Port menu driven as a user drives it, against simulated units.
#include "app/TInfoForm.h"
#include "app/TTessalineForm.h"
#include "core/Simulator.h"
#include "link/Link.h"
#include "port/SimSerialPort.h"
#include "support/FormHarness.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace tess;
using tess::test::FormHarness;

namespace {

// A window whose serial port reaches simulated hardware on COM1, in the
// harness's virtual time.
struct Rig {
    explicit Rig(const sim::Setup &setup) : sim(setup)
    {
        port = std::make_unique<sim::SimSerialPort>(h.clock, sim);
        h.setPort(port.get());
        h.build();
    }
    QAction *item(const char *name) { return h.form->findChild<QAction *>(QLatin1String(name)); }
    void choose(const char *name)
    {
        item(name)->trigger();
        QCoreApplication::processEvents();
    }
    QStringList ticked(std::initializer_list<const char *> names)
    {
        QStringList out;
        for (const char *name : names) {
            if (item(name)->isChecked())
                out << QLatin1String(name);
        }
        return out;
    }

    FormHarness h{std::nullopt, nullptr, FormHarness::Build::Later};
    sim::Simulator sim;
    std::unique_ptr<sim::SimSerialPort> port;
};

}  // namespace

class SerialMenuTest : public QObject {
    Q_OBJECT
private slots:
    void searchFindsTheControllerAndFollowsItInTheWindow()
    {
        Rig rig(sim::Setup::controller({5, 6}));
        QVERIFY(!rig.item("ReadfromQuorexs1")->isEnabled());
        rig.choose("SearchAll");
        TTessalineForm &form = *rig.h.form;
        QVERIFY(form.deviceConnected());
        QVERIFY(rig.h.find<QCheckBox>("RS485CheckBox")->isChecked());
        QCOMPARE(rig.h.find<QComboBox>("BaudComboBox")->currentText(), QStringLiteral("57600"));
        QCOMPARE(rig.h.find<QLabel>("ComNumberLabel")->text(), QStringLiteral("1"));
        QCOMPARE(rig.port->baudRate(), 57600);
        QVERIFY(rig.port->flowControlAtOpen());
        QVERIFY(rig.item("ReadfromQuorexs1")->isEnabled());
        QVERIFY(rig.item("SendCurrentSettingstoQuorexs1")->isEnabled());
        // Debug output off, then straight on to counting and reading the units.
        QVERIFY(rig.port->written().contains("\rdebug 0\rNQX\r"));
        QVERIFY(form.PhasePageControl->isEnabled());
        QCOMPARE(form.state().HandlerBusy, 0);
        // The window was never shown, so the planning has set no bounds for the
        // overlap width yet; the read checks the units' width against them.
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{"Error! Overlap Width value out of bounds!"});
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);

        rig.choose("DisconnectSerialCo1");
        QVERIFY(!form.deviceConnected());
        QVERIFY(!rig.port->isOpen());
        QVERIFY(!rig.item("ReadfromQuorexs1")->isEnabled());
        QVERIFY(!rig.item("SendCurrentSettingstoQuorexs1")->isEnabled());
        QCOMPARE(form.statusText(), QStringLiteral("Note: No Quorex communication established yet."));
    }

    void searchReadsEveryUnitBehindTheController()
    {
        Rig rig(sim::Setup::controller({5, 6}));
        rig.sim.control(QStringLiteral("version 1 3.10"), 0);
        rig.sim.control(QStringLiteral("version 2 3.20"), 0);
        rig.sim.control(QStringLiteral("output 1 all 2"), 0);  // 1024x768
        rig.sim.control(QStringLiteral("video 1 1 1024 768"), 0);
        TTessalineForm &form = *rig.h.form;
        rig.choose("SearchAll");

        QCOMPARE(form.state().UnitCount, 2);
        QVERIFY(form.state().SettingsReadFromUnits);
        QCOMPARE(form.settings().versionText(1), QStringLiteral("3.10"));
        QCOMPARE(form.settings().versionText(2), QStringLiteral("3.20"));
        QCOMPARE(form.settings().output(2, 1).ProjectorGroup, quint8(1));
        QCOMPARE(form.state().OutputFormatWidth, 1024);
        QCOMPARE(form.state().OutputFormatHeight, 768);
        QCOMPARE(rig.h.find<QLineEdit>("QuorexID2Edit")->text(), QStringLiteral("6"));
        // The wait window told the user and went away again.
        QCOMPARE(form.infoForm().InfoLabel->text(), QStringLiteral("Tessaline querying Quorex(s). Please wait...."));
        QCOMPARE(form.infoForm().InfoProgressLabel->text(), QStringLiteral("...."));
        QVERIFY(!form.infoForm().isVisible());
        QCOMPARE(form.statusText(), QString());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(!form.state().SuppressSend);
        // The window was never shown, so the planning has set no bounds for the
        // overlap width yet; the read checks the units' width against them.
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{"Error! Overlap Width value out of bounds!"});
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void readingStopsWhenTheControllerSeesNoUnit()
    {
        Rig rig(sim::Setup::controller({5}));
        rig.sim.control(QStringLiteral("unit 1 absent"), 0);
        rig.choose("SearchAll");
        QCOMPARE(rig.h.dialogs.takeMessages(),
                 (QStringList{QStringLiteral("No Quorex(s) connected to Controllers. Check cables and try again."),
                              QStringLiteral("Quorex not detected by Controller.\n(1)Check cables.\n(2)Make sure "
                                             "the Quorex has booted up completely and reboot the Controller.")}));
        QVERIFY(!rig.h.form->state().SettingsReadFromUnits);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(rig.h.form->statusText(), QString());
    }

    void directMenuItemConnectsAndAsksToRead()
    {
        Rig rig(sim::Setup::direct());
        rig.h.dialogs.answer(false);
        rig.choose("QuorexconnectedtoSerialPortdirectly1");
        const auto questions = rig.h.dialogs.takeQuestions();
        QCOMPARE(questions.size(), 1);
        QCOMPARE(questions[0].caption, QStringLiteral("Tessaline - Query Quorex settings verification"));
        QVERIFY(rig.h.form->deviceConnected());
        QVERIFY(!rig.h.find<QCheckBox>("RS485CheckBox")->isChecked());
        QCOMPARE(rig.port->baudRate(), 38400);
        QVERIFY(!rig.port->flowControlAtOpen());
        QCOMPARE(rig.h.form->link().PromptChar, '#');
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void baudAndParityItemsTickAndSetThePort()
    {
        Rig rig(sim::Setup::direct());
        const auto baudItems = {"Defaultvalues1", "N9600", "N19200", "N38400", "N57600"};
        const auto parityItems = {"ParityNone", "ParityOdd", "ParityEven", "ParityMark", "ParitySpace"};
        QCOMPARE(rig.ticked(baudItems), QStringList{QStringLiteral("Defaultvalues1")});
        QCOMPARE(rig.ticked(parityItems), QStringList{QStringLiteral("ParityNone")});

        rig.choose("N19200");
        QCOMPARE(rig.ticked(baudItems), QStringList{QStringLiteral("N19200")});
        QCOMPARE(rig.port->baudRate(), 19200);
        rig.choose("N19200");  // choosing it again keeps the tick
        QCOMPARE(rig.ticked(baudItems), QStringList{QStringLiteral("N19200")});
        rig.choose("Defaultvalues1");
        QCOMPARE(rig.ticked(baudItems), QStringList{QStringLiteral("Defaultvalues1")});
        QCOMPARE(rig.port->baudRate(), 19200);  // until the next mode is applied

        rig.choose("ParityEven");
        QCOMPARE(rig.ticked(parityItems), QStringList{QStringLiteral("ParityEven")});
        QCOMPARE(rig.port->parity(), SerialPort::Parity::Even);
    }

    void userInputWaitsWhileTheLinkWaits()
    {
        // While a relayed command waits for its answer the pages take no
        // input and the busy cursor shows.
        Rig rig(sim::Setup::controller({1}));
        rig.choose("SearchAll");
        QVERIFY(rig.h.form->deviceConnected());
        rig.sim.control(QStringLiteral("delay 300"), rig.h.clock.nowMs());
        bool pagesEnabledDuring = true;
        bool busyDuring = false;
        rig.port->clearWritten();
        QObject::connect(rig.port.get(), &SerialPort::dataAvailable, rig.h.form.get(), [&] {
            pagesEnabledDuring = rig.h.form->PhasePageControl->isEnabled();
            busyDuring = QApplication::overrideCursor() != nullptr;
        });
        Link &link = rig.h.form->link();
        link.formatCommand("*%dDDBL %d!", 1, 0);
        link.ComputeChecksum();
        QVERIFY(link.SendRelayed(1, 0));
        QVERIFY(!pagesEnabledDuring);
        QVERIFY(busyDuring);
        QCoreApplication::processEvents();  // the pages take input again once back in the event loop
        QVERIFY(rig.h.form->PhasePageControl->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(rig.port->written().startsWith("PASS *1DDBL 0!"));
        QCOMPARE(rig.sim.unit(1).settings.wide.dataDoubling, quint8(0));
    }
};

QTEST_MAIN(SerialMenuTest)
#include "tst_serialmenu.moc"
