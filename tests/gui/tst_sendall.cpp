// "Send Current Settings to Quorex(s)": the order in which the window's
// settings reach the units, the channels it skips, and how it ends on a
// value that is no number. The expected order is written out here from the
// order the units must receive the settings in, not taken from the program.
#include "app/TTessalineForm.h"
#include "model/ConfigurationFile.h"
#include "model/SettingsModel.h"
#include "model/WindowState.h"
#include "support/SendAllScenes.h"
#include "support/WindowRig.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>

using namespace tess;
using namespace tess::test;

namespace {

// Connected and read: the window shows the units' wall.
void connectAndRead(WindowRig &rig)
{
    rig.showAndConnect();
    // The read brings the Planning page in line with the units, and may
    // say so.
    rig.h.dialogs.takeMessages();
    rig.takeCommands();
}

// A command as "unit:KEYWORD screen [side or colour]", the parts that say
// where in the order it belongs.
QString shape(const QByteArray &command)
{
    const QList<QByteArray> p = command.split(':').last().split(' ');
    const QByteArray unit = command.left(command.indexOf(':') + 1);
    const QByteArray &key = p[0];
    QByteArray out = unit + key;
    if (key == "PRJ" || key == "DISP" || key == "DDBL" || key == "EFTB" || key == "QXCTRL" || key == "FEATHER"
        || key == "BRDGSEAM" || key == "BRTHRS")
        return QString::fromLatin1(out);
    out += ' ' + p.value(1);
    if (key == "HALO" || key == "PEFT" || key == "ICNTQX" || key == "IBRTQX")
        out += ' ' + p.value(2);
    if (key == "IRSPQX")
        out += ' ' + p.value(3);
    return QString::fromLatin1(out);
}

QStringList shapes(const QList<QByteArray> &commands)
{
    QStringList out;
    for (const QByteArray &command : commands)
        out << shape(command);
    return out;
}

// The order a send must take for a wall of n projectors on `units` units,
// channels in `unlocked` without video lock.
QStringList expectedOrder(int n, int units, const QList<int> &unlocked)
{
    QStringList e;
    const auto toUnits = [&](const QString &key) {
        for (int u = 1; u <= units; ++u)
            e << QStringLiteral("%1:%2").arg(u).arg(key);
    };
    const auto at = [&](int u, const QString &what) { e << QStringLiteral("%1:%2").arg(u).arg(what); };
    const auto channels = [&](int u, int first, int last, const std::function<void(int u, int s)> &each) {
        for (int c = first; c <= last; ++c) {
            if (!unlocked.contains(c))
                each(u, c - first + 1);
        }
    };
    const auto inputs = [&](int u, int s) {
        at(u, QStringLiteral("IRSPQX %1 H").arg(s));
        at(u, QStringLiteral("IRSPQX %1 V").arg(s));
        at(u, QStringLiteral("ICPHOQX %1").arg(s));
        for (const char *colour : {"C", "R", "G", "B"}) {
            at(u, QStringLiteral("ICNTQX %1 %2").arg(s).arg(QLatin1String(colour)));
            at(u, QStringLiteral("IBRTQX %1 %2").arg(s).arg(QLatin1String(colour)));
        }
    };
    const auto seams = [&](int u, int s) {
        for (int field = 1; field <= 8; ++field)
            at(u, QStringLiteral("MANSEAM %1").arg(s));
    };
    const auto screens = [&](int u, const QList<int> &haloLeft, const QList<int> &haloRight,
                             const QList<int> &featherRight, const QList<int> &featherLeft) {
        for (int s = 1; s <= 4; ++s)
            at(u, QStringLiteral("OTPMQX %1").arg(s));
        for (int s = 1; s <= 4; ++s)
            at(u, QStringLiteral("BLKGN %1").arg(s));
        for (int s : haloLeft)
            at(u, QStringLiteral("HALO %1 L").arg(s));
        for (int s : haloRight)
            at(u, QStringLiteral("HALO %1 R").arg(s));
        for (int s : featherRight)
            at(u, QStringLiteral("PEFT %1 R").arg(s));
        for (int s : featherLeft)
            at(u, QStringLiteral("PEFT %1 L").arg(s));
    };

    toUnits(QStringLiteral("PRJ"));
    toUnits(QStringLiteral("DISP"));
    channels(1, 1, std::min(n, 4), inputs);
    if (units > 1)
        channels(2, 5, n, inputs);
    screens(1, {2, 3, 4}, {1, 2, 3, 4}, {1, 2, 3, 4}, {2, 3, 4});
    toUnits(QStringLiteral("DDBL"));
    toUnits(QStringLiteral("EFTB"));
    toUnits(QStringLiteral("QXCTRL"));
    if (units > 1)
        screens(2, {1, 2, 3, 4}, {1, 2, 3}, {1, 2, 3}, {1, 2, 3, 4});
    channels(1, 1, std::min(n, 4), seams);
    if (units > 1)
        channels(2, 5, n, seams);
    // Each unit's curve, seam bridge and threshold (the units report one).
    for (int u = 1; u <= units; ++u) {
        at(u, QStringLiteral("FEATHER"));
        at(u, QStringLiteral("BRDGSEAM"));
        at(u, QStringLiteral("BRTHRS"));
    }
    // Then each unit's screens are read back.
    for (int u = 1; u <= units; ++u) {
        for (int s = 1; s <= 4; ++s)
            at(u, QStringLiteral("OINFOQX %1").arg(s));
    }
    return e;
}

}  // namespace

class SendAllTest : public QObject {
    Q_OBJECT
private slots:
    void sendsTheWindowInOrder_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<int>("projectors");
        QTest::addColumn<QList<int>>("unlocked");
        QTest::addColumn<int>("units");
        QTest::newRow("3 projectors, one unit direct") << false << QList<int>{} << 3 << QList<int>{} << 1;
        QTest::newRow("6 projectors, two units") << true << QList<int>{5, 6} << 6 << QList<int>{} << 2;
        QTest::newRow("8 projectors, channels 2 and 7 unlocked")
            << true << QList<int>{5, 6} << 8 << QList<int>{2, 7} << 2;
        QTest::newRow("6 projectors, one unit behind the controller")
            << true << QList<int>{5} << 6 << QList<int>{} << 1;
    }

    void sendsTheWindowInOrder()
    {
        QFETCH(bool, controller);
        QFETCH(QList<int>, ids);
        QFETCH(int, projectors);
        QFETCH(QList<int>, unlocked);
        QFETCH(int, units);
        WindowRig rig(controller ? sim::Setup::controller(ids) : sim::Setup::direct());
        prepareWall(rig.sim, projectors, unlocked);
        connectAndRead(rig);
        QCOMPARE(rig.shownText(QStringLiteral("NumOfQuorexDetectedLabel")), QString::number(units));
        // The Planning page says what that wall needs: its units and its
        // content.
        QCOMPARE(rig.shownText(QStringLiteral("NumOfQuorexLabel")),
                 projectors > 4 ? QStringLiteral("2") : QStringLiteral("1"));
        QVERIFY(rig.find<QPlainTextEdit>(QStringLiteral("ImageContentInfoMemo"))
                    ->toPlainText()
                    .contains(QStringLiteral(" - %1 Head Graphic Source").arg(projectors)));
        // The read shows the units' wall on the pages: its screens and its
        // channels.
        for (int k = 1; k <= 8; ++k) {
            QCOMPARE(!rig.find<QWidget>(QStringLiteral("Screen%1GroupBox").arg(k))->isHidden(), k <= projectors);
            QCOMPARE(!rig.find<QWidget>(QStringLiteral("SourceScreenSelectRadioGroupItem%1").arg(k))->isHidden(),
                     k <= projectors);
        }

        rig.chooseMenu("SendCurrentSettingstoQuorexs1");

        QCOMPARE(shapes(rig.takeCommandsInOrder()), expectedOrder(projectors, units, unlocked));
        QCOMPARE(rig.form().state().HandlerBusy, 0);
        QVERIFY(!QApplication::overrideCursor());
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    // A field left holding no number (the user typed it, its exit check
    // refused it, and the menu is still at hand): the send stops there with
    // one message, what went out before stays sent.
    void aFieldWithoutANumberStopsTheSend()
    {
        WindowRig rig;
        prepareWall(rig.sim, 8, {});
        connectAndRead(rig);
        rig.openDisplaySetup();
        rig.typeInto(rig.find<QLineEdit>(QStringLiteral("Black3Edit")), QStringLiteral("x"));
        rig.pressKey(Qt::Key_Tab);
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{"Error! 'x' is not a valid Black Level."});
        QCOMPARE(rig.shownText(QStringLiteral("Black3Edit")), QStringLiteral("x"));

        rig.chooseMenu("SendCurrentSettingstoQuorexs1");

        QCOMPARE(rig.h.dialogs.takeMessages(),
                 QStringList{
                     "Error! Unable to send parameters to Quorex(s). Invalid value exist in one of the settings."});
        // Unit 1's inputs and test patterns went out, and the black levels
        // up to screen 3; nothing after.
        const QStringList sent = shapes(rig.takeCommandsInOrder());
        const QStringList all = expectedOrder(8, 2, {});
        QCOMPARE(sent, all.mid(0, all.indexOf(QStringLiteral("1:BLKGN 3"))));
        QCOMPARE(rig.form().state().HandlerBusy, 0);
        QVERIFY(!QApplication::overrideCursor());
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    // A file of the right size with absurd values opens, shows no list
    // selection past a list's end, and sends what it holds as it stands,
    // or stops at a value that is no number with the one message.
    // clang-format off
    void aDamagedFileOpensAndSendsSafely_data()
    {
        QTest::addColumn<Damage>("what");
        QTest::addColumn<QString>("stopsBefore");  // empty: everything is sent
        QTest::addColumn<QStringList>("messages");
        const QString invalid =
            QStringLiteral("Error! Unable to send parameters to Quorex(s). Invalid value exist in one of the settings.");
        QTest::newRow("test pattern 200") << Damage::PatternPastList << QString() << QStringList{};
        QTest::newRow("basic gamma NaN") << Damage::BasicGammaNaN << QStringLiteral("1:EFTB") << QStringList{invalid};
        QTest::newRow("edge gamma infinite")
            << Damage::EdgeGammaInfinite << QStringLiteral("1:PEFT 3 R") << QStringList{invalid};
        QTest::newRow("widths beyond any bound") << Damage::WidthsBeyondBounds << QString() << QStringList{};
        QTest::newRow("contrast NaN") << Damage::ContrastNaN << QString()
                                      << QStringList{"Error! 'NAN' is not a valid Contrast Level."};
        QTest::newRow("alignment past its list") << Damage::AlignmentPastList << QStringLiteral("1:DISP")
                                                 << QStringList{invalid};
        QTest::newRow("projector count past its list")
            << Damage::CountPastList << QStringLiteral("1:PRJ") << QStringList{invalid};
        QTest::newRow("no curve, no threshold") << Damage::UnitWideUnknown << QString() << QStringList{};
    }
    // clang-format on

    void aDamagedFileOpensAndSendsSafely()
    {
        QFETCH(Damage, what);
        QFETCH(QString, stopsBefore);
        QFETCH(QStringList, messages);
        WindowRig rig;
        prepareWall(rig.sim, 8, {});
        connectAndRead(rig);
        SettingsModel model = rig.form().settings();
        damage(model, what);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("damaged.qxc"));
        QVERIFY(WriteConfigurationFile(model, path) == ConfigurationFileResult::Done);

        rig.h.dialogs.chooseFile(path);
        rig.chooseMenu("OpenConfigurationFile1");
        QCOMPARE(rig.h.dialogs.takeMessages().last(),
                 QStringLiteral("File open successful. Tessaline updated with settings from file."));
        rig.h.dialogs.takeQuestions();
        for (QComboBox *list : rig.form().findChildren<QComboBox *>())
            QVERIFY2(list->currentIndex() >= -1 && list->currentIndex() < list->count(),
                     qPrintable(list->objectName()));
        if (what == Damage::PatternPastList)
            QCOMPARE(rig.find<QComboBox>(QStringLiteral("TestPattern6ComboBox"))->currentIndex(), -1);

        rig.chooseMenu("SendCurrentSettingstoQuorexs1");

        QCOMPARE(rig.h.dialogs.takeMessages(), messages);
        QStringList all = expectedOrder(8, 2, {});
        if (what == Damage::ContrastNaN)
            all.removeOne(QStringLiteral("1:ICNTQX 2 C"));
        // A curve other than S or L and a threshold of 0 say nothing.
        if (what == Damage::UnitWideUnknown) {
            for (const char *left : {"1:FEATHER", "2:FEATHER", "1:BRTHRS", "2:BRTHRS"})
                all.removeOne(QLatin1String(left));
        }
        const QStringList sent = shapes(rig.takeCommandsInOrder());
        QCOMPARE(sent, stopsBefore.isEmpty() ? all : all.mid(0, all.indexOf(stopsBefore)));
        // A list without a selection goes out as "Off", and shows it.
        if (what == Damage::PatternPastList) {
            QCOMPARE(int(rig.sim.unit(2).settings.screens[1].testPattern), 0);
            QCOMPARE(rig.find<QComboBox>(QStringLiteral("TestPattern6ComboBox"))->currentIndex(), 0);
        }
        // Values sent as they stand reach the units so.
        if (what == Damage::WidthsBeyondBounds) {
            QCOMPARE(rig.sim.unit(1).settings.screens[1].haloLeftWidth, 1 << 30);
            QCOMPARE(rig.sim.unit(2).settings.screens[0].gammaRightWidth, -(1 << 30));
        }
        QCOMPARE(rig.form().state().HandlerBusy, 0);
        QVERIFY(!rig.form().state().SuppressSend);
        QVERIFY(!QApplication::overrideCursor());
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void sendsNothingWhenItMayNot_data()
    {
        QTest::addColumn<QString>("why");
        QTest::newRow("not connected") << QStringLiteral("not connected");
        QTest::newRow("SuppressSend") << QStringLiteral("suppress");
        QTest::newRow("another handler runs") << QStringLiteral("busy");
    }

    void sendsNothingWhenItMayNot()
    {
        QFETCH(QString, why);
        WindowRig rig;
        if (why == QLatin1String("not connected")) {
            rig.show();
            rig.h.dialogs.takeMessages();
        } else {
            connectAndRead(rig);
        }
        WindowState &state = rig.form().state();
        state.SuppressSend = why == QLatin1String("suppress");
        state.HandlerBusy = why == QLatin1String("busy") ? 1 : 0;

        rig.form().SendCurrentSettingstoQuorexs1Click();

        QVERIFY(rig.takeCommands().isEmpty());
        // A busy flag that was not this command's own stays as it was.
        QCOMPARE(state.HandlerBusy, why == QLatin1String("busy") ? 1 : 0);
        state.HandlerBusy = 0;
        state.SuppressSend = false;
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }
};

QTEST_MAIN(SendAllTest)
#include "tst_sendall.moc"
