// What every numeric field does, shown on the black level fields of the
// Display Setup page through the real window against simulated units. The
// expected texts are the program's messages word for word.
#include "app/TTessalineForm.h"
#include "fields/SpinButton.h"
#include "model/SettingsModel.h"
#include "pages/display/DisplaySetupPage.h"
#include "support/WindowRig.h"

#include <QApplication>
#include <QTabWidget>

using namespace tess;
using tess::test::WindowRig;

namespace {

const QString OutOfBounds = QStringLiteral("Error! Value out of bounds! (0 - 255)");

QString notValid(const QString &text)
{
    return QStringLiteral("Error! '") + text + QStringLiteral("' is not a valid Black Level.");
}

// Two units behind the controller, connected and read, the Display Setup
// page in front with eight screens and the service view on; every screen's
// black level is 40 in the units, the model and the fields.
struct Rig : WindowRig {
    Rig()
    {
        for (int unit = 1; unit <= 2; ++unit) {
            for (auto &screen : sim.unit(unit).settings.screens)
                screen.blackLevel = 40;
        }
        showAndConnect();
        openDisplaySetup();
        for (int k = 1; k <= 8; ++k)
            form().pages().displaySetup().SyncBlackLevel(k);
    }
    QLineEdit *black(int k) { return find<QLineEdit>(QStringLiteral("Black%1Edit").arg(k)); }
    SpinButton *spin(int k) { return find<SpinButton>(QStringLiteral("Black%1UpDown").arg(k)); }
    void showScreensOf(int k)
    {
        find<QTabWidget>(QStringLiteral("ScreenPageControl"))->setCurrentIndex(k <= 4 ? 0 : 1);
    }
    int modelLevel(int k) { return form().settings().projectorOutput(k).BlackLevel; }
    int unitLevel(int k) { return sim.unit(k <= 4 ? 1 : 2).settings.screens[std::size_t((k - 1) % 4)].blackLevel; }
};

QByteArray blkgn(int k, int level)
{
    return QByteArray("BLKGN ") + QByteArray::number((k - 1) % 4 + 1) + ' ' + QByteArray::number(level);
}

}  // namespace

class NumericFieldsTest : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void typedValueIsCheckedWhenTheFocusLeaves_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");   // empty: none
        QTest::addColumn<int>("sent");          // -1: nothing sent
        QTest::addColumn<QString>("shown");     // the field's text afterwards

        QTest::newRow("upper bound") << 6 << "255" << "" << 255 << "255";
        QTest::newRow("lower bound") << 2 << "0" << "" << 0 << "0";
        QTest::newRow("kept as typed") << 6 << "007" << "" << 7 << "007";
        QTest::newRow("blanks around") << 3 << " 12 " << "" << 12 << " 12 ";
        QTest::newRow("one past the upper bound") << 6 << "256" << OutOfBounds << -1 << "40";
        QTest::newRow("below the lower bound") << 1 << "-1" << OutOfBounds << -1 << "40";
        QTest::newRow("five characters at most in the first") << 1 << "9999999" << OutOfBounds << -1 << "40";
        QTest::newRow("letters") << 6 << "abc" << notValid("abc") << -1 << "abc";
        QTest::newRow("empty") << 5 << "" << notValid("") << -1 << "";
        QTest::newRow("sign only") << 7 << "+" << notValid("+") << -1 << "+";
        QTest::newRow("exponent") << 8 << "1e3" << notValid("1e3") << -1 << "1e3";
        QTest::newRow("decimal comma") << 4 << "2,5" << notValid("2,5") << -1 << "2,5";
        QTest::newRow("real number") << 2 << "2.5" << notValid("2.5") << -1 << "2.5";
        const QString pasted(5000, u'9');
        QTest::newRow("5000 digits") << 6 << pasted << notValid(pasted) << -1 << pasted;
    }
    // clang-format on

    void typedValueIsCheckedWhenTheFocusLeaves()
    {
        QFETCH(int, screen);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(int, sent);
        QFETCH(QString, shown);
        Rig rig;
        rig.showScreensOf(screen);
        QLineEdit *edit = rig.black(screen);
        rig.typeInto(edit, typed);
        rig.pressKey(Qt::Key_Tab);

        QCOMPARE(rig.h.dialogs.takeMessages(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(edit->text(), shown);
        QCOMPARE(rig.takeCommands(), sent < 0 ? QList<QByteArray>() : QList<QByteArray>{blkgn(screen, sent)});
        QCOMPARE(rig.modelLevel(screen), sent < 0 ? 40 : sent);
        QCOMPARE(rig.unitLevel(screen), sent < 0 ? 40 : sent);
        if (!message.isEmpty()) {
            QCOMPARE(QApplication::focusWidget(), edit);
            QCOMPARE(rig.form().state().LastErrorText, message);
        }
        QCOMPARE(rig.form().state().HandlerBusy, 0);
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void tabbingThroughAGoodFieldSendsItAgain()
    {
        Rig rig;
        rig.clickInto(rig.black(2));
        rig.pressKey(Qt::Key_Tab);
        QCOMPARE(rig.takeCommands(1), QList<QByteArray>{blkgn(2, 40)});
    }

    void refusedCheckCancelsTheFocusMove()
    {
        // The user leaves a bad value by clicking into the next field: that
        // field must not take the move for its own exit and send.
        Rig rig;
        rig.typeInto(rig.black(1), QStringLiteral("300"));
        rig.takeCommands();
        rig.clickInto(rig.black(2));
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{OutOfBounds});
        QCOMPARE(QApplication::focusWidget(), rig.black(1));
        QCOMPARE(rig.black(1)->text(), QStringLiteral("40"));
        QCOMPARE(rig.takeCommands(), QList<QByteArray>());

        // The same with a text that is no number, left with Tab.
        rig.typeInto(rig.black(3), QStringLiteral("x"));
        QCOMPARE(rig.takeCommands(), QList<QByteArray>{blkgn(1, 40)});  // leaving the good field
        rig.pressKey(Qt::Key_Tab);
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{notValid(QStringLiteral("x"))});
        QCOMPARE(QApplication::focusWidget(), rig.black(3));
        QVERIFY(rig.takeCommands().isEmpty());
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void enterDoesNothingWithoutASuccessor()
    {
        // The black level's Enter successor is never shown.
        Rig rig;
        rig.typeInto(rig.black(4), QStringLiteral("12"));
        rig.pressKey(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), rig.black(4));
        QVERIFY(rig.takeCommands().isEmpty());
        rig.typeInto(rig.black(4), QStringLiteral("bad"));
        rig.pressKey(Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), rig.black(4));
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void notConnectedOnlyTheTextChanges()
    {
        WindowRig rig;
        rig.show();
        rig.openDisplaySetup();
        QLineEdit *edit = rig.find<QLineEdit>(QStringLiteral("Black3Edit"));
        rig.typeInto(edit, QStringLiteral("77"));
        rig.pressKey(Qt::Key_Tab);
        QCOMPARE(edit->text(), QStringLiteral("77"));
        QCOMPARE(int(rig.form().settings().projectorOutput(3).BlackLevel), 0);
        QVERIFY(rig.sim.log().received().isEmpty());
        // A refill after a bounds error brings the model's value back.
        rig.typeInto(edit, QStringLiteral("999"));
        rig.pressKey(Qt::Key_Tab);
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{OutOfBounds});
        QCOMPARE(edit->text(), QStringLiteral("0"));
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    // clang-format off
    void spinClickStepsWithinTheBounds_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("sent");        // -1: nothing
        QTest::addColumn<QString>("message");

        QTest::newRow("up to the upper bound") << 6 << "254" << true << "255" << 255 << "";
        QTest::newRow("up at the upper bound") << 6 << "255" << true << "255" << -1 << "";
        QTest::newRow("down at the lower bound") << 2 << "0" << false << "0" << -1 << "";
        QTest::newRow("down") << 1 << "10" << false << "9" << 9 << "";
        QTest::newRow("typed text written plainly") << 5 << "007" << true << "8" << 8 << "";
        QTest::newRow("outside the bounds is not clamped") << 7 << "300" << false << "300" << -1 << "";
        QTest::newRow("no number") << 3 << "abc" << true << "abc" << -1 << "'abc' is not a valid integer value";
    }
    // clang-format on

    void spinClickStepsWithinTheBounds()
    {
        QFETCH(int, screen);
        QFETCH(QString, start);
        QFETCH(bool, up);
        QFETCH(QString, shown);
        QFETCH(int, sent);
        QFETCH(QString, message);
        Rig rig;
        rig.showScreensOf(screen);
        rig.black(screen)->setText(start);
        rig.clickSpin(rig.spin(screen), up);
        QCOMPARE(rig.black(screen)->text(), shown);
        QCOMPARE(rig.takeCommands(), sent < 0 ? QList<QByteArray>() : QList<QByteArray>{blkgn(screen, sent)});
        QCOMPARE(rig.h.dialogs.takeMessages(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(rig.form().state().HandlerBusy, 0);
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void spinNeverTakesTheFocus()
    {
        Rig rig;
        rig.typeInto(rig.black(2), QStringLiteral("abc"));
        rig.clickSpin(rig.spin(1), true);
        // The field beside the focus keeps it, and its bad text was not checked.
        QCOMPARE(QApplication::focusWidget(), rig.black(2));
        QCOMPARE(rig.takeCommands(), QList<QByteArray>{blkgn(1, 41)});
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void heldSpinRepeatsAndEachStepReachesTheUnitOnce()
    {
        Rig rig;
        SpinButton *spin = rig.spin(1);  // repeats every 105 ms
        rig.pressSpin(spin, true);
        rig.h.clock.advance(419);
        QCOMPARE(rig.black(1)->text(), QStringLiteral("40"));
        rig.h.clock.advance(1);  // the fourth tick
        QCOMPARE(rig.black(1)->text(), QStringLiteral("41"));
        rig.h.clock.advance(105 * 3);
        const int held = rig.black(1)->text().toInt();
        QVERIFY2(held >= 42, qPrintable(rig.black(1)->text()));
        rig.releaseSpin(spin, true);
        const int last = rig.black(1)->text().toInt();
        QCOMPARE(last, held + 1);
        QList<QByteArray> expected;
        for (int level = 41; level <= last; ++level)
            expected << blkgn(1, level);
        QCOMPARE(rig.takeCommands(), expected);
        QCOMPARE(rig.unitLevel(1), last);
        QCOMPARE(rig.form().state().HandlerBusy, 0);
    }

    void clickWhileAStepWaitsForTheUnitIsLost()
    {
        Rig rig;
        rig.showScreensOf(6);
        rig.sim.control(QStringLiteral("delay 300"), rig.h.clock.nowMs());
        bool clickedDuringWait = false;
        QObject::connect(rig.port.get(), &SerialPort::dataAvailable, rig.port.get(), [&] {
            if (clickedDuringWait)
                return;
            clickedDuringWait = true;
            QCOMPARE(rig.form().state().HandlerBusy, 1);
            rig.clickSpin(rig.spin(6), true);
        });
        rig.clickSpin(rig.spin(6), true);
        QVERIFY(clickedDuringWait);
        QCOMPARE(rig.black(6)->text(), QStringLiteral("41"));
        QCOMPARE(rig.takeCommands(), QList<QByteArray>{blkgn(6, 41)});
        QCOMPARE(rig.form().state().HandlerBusy, 0);
    }

    void focusExitOfTheSecondUnitWaitsForNoHandler()
    {
        // Screens 5-8 skip their exit check when the focus leaves while
        // another handler runs; screens 1-4 do not.
        Rig rig;
        rig.showScreensOf(5);
        rig.typeInto(rig.black(5), QStringLiteral("abc"));
        rig.form().state().HandlerBusy = 1;
        rig.pressKey(Qt::Key_Tab);
        rig.form().state().HandlerBusy = 0;
        QVERIFY(rig.h.dialogs.takeMessages().isEmpty());
        rig.showScreensOf(1);
        rig.typeInto(rig.black(1), QStringLiteral("abc"));
        rig.form().state().HandlerBusy = 1;
        rig.pressKey(Qt::Key_Tab);
        rig.form().state().HandlerBusy = 0;
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{notValid(QStringLiteral("abc"))});
    }
};

QTEST_MAIN(NumericFieldsTest)
#include "tst_numericfields.moc"
