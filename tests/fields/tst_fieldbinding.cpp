// The numeric-field binding on a small window of its own: what no page of
// the program shows yet (real numbers, pairs, Enter successors, bounds held
// elsewhere, exact spin timing) on fields described here.
#include "fields/FieldBinding.h"
#include "fields/FieldEnv.h"
#include "fields/SpinButton.h"
#include "support/ScriptedDialogs.h"
#include "support/VirtualClock.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace tess;
using tess::test::ScriptedDialogs;
using tess::test::VirtualClock;

namespace {

FieldDescription gammaDescription()
{
    FieldDescription desc;
    desc.edit = QStringLiteral("GammaEdit");
    desc.spin = QStringLiteral("GammaUpDown");
    desc.kind = FieldKind::Real;
    desc.lower = 1.0;
    desc.upper = 5.0;
    desc.defaultText = QStringLiteral("2.2");
    desc.rangeText = QStringLiteral("(1.0 - 5.0)");
    desc.notValidNoun = QStringLiteral("Edge Feathering Gamma value");
    desc.repeatMs = 100;
    return desc;
}

FieldDescription wholeDescription(const char *name, double lower, double upper)
{
    FieldDescription desc;
    desc.edit = QLatin1String(name) + QStringLiteral("Edit");
    desc.spin = QLatin1String(name) + QStringLiteral("UpDown");
    desc.lower = lower;
    desc.upper = upper;
    desc.defaultText = QStringLiteral("0");
    desc.rangeText = QStringLiteral("(%1 - %2)").arg(lower).arg(upper);
    desc.notValidNoun = QLatin1String(name);
    return desc;
}

// A window with fields on it, connected unless told otherwise; every commit
// is recorded.
struct Window {
    ScriptedDialogs dialogs;
    VirtualClock clock;
    WindowState state;
    bool connected = true;
    FieldEnv env{state, dialogs, clock, [this] { return connected; }, {}};
    QWidget widget;
    QVBoxLayout *column = new QVBoxLayout(&widget);
    QList<std::vector<double>> commits;
    QList<FieldBinding *> bindings;

    FieldBinding *add(FieldDescription desc)
    {
        auto *binding = new FieldBinding(env, &widget, std::move(desc), [this](const auto &v) { commits << v; });
        place(binding, 1);
        return binding;
    }
    FieldBinding *addPair(FieldDescription first, FieldDescription second)
    {
        auto *binding = new FieldBinding(env, &widget, std::move(first), std::move(second),
                                         [this](const auto &v) { commits << v; });
        place(binding, 2);
        return binding;
    }
    void place(FieldBinding *binding, int fields)
    {
        for (int i = 0; i < fields; ++i) {
            column->addWidget(binding->edit(i));
            if (binding->spin(i))
                column->addWidget(binding->spin(i));
        }
        bindings << binding;
    }
    void show()
    {
        widget.show();
        QApplication::setActiveWindow(&widget);
        QVERIFY(QTest::qWaitForWindowActive(&widget));
    }
    void type(QLineEdit *edit, const QString &text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void click(SpinButton *spin, bool up)
    {
        QTest::mouseClick(spin, Qt::LeftButton, {},
                          spin->halfRect(up ? SpinButton::Half::Up : SpinButton::Half::Down).center());
    }
};

}  // namespace

class FieldBindingTest : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void realNumbersStepByATenthWithOneDecimal_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("committed");   // 0: nothing
        QTest::newRow("2.2 up") << "2.2" << true << "2.3" << 2.3;
        QTest::newRow("2.2 down") << "2.2" << false << "2.1" << 2.1;
        QTest::newRow("1.1 down to the bound") << "1.1" << false << "1.0" << 1.0;
        QTest::newRow("5.0 up stops") << "5.0" << true << "5.0" << 0.0;
        QTest::newRow("1.0 down stops") << "1.0" << false << "1.0" << 0.0;
        QTest::newRow("typed 2.25 steps from its value") << "2.25" << true << "2.4" << 2.4;
        QTest::newRow("whole text") << "3" << true << "3.1" << 3.1;
    }
    // clang-format on

    void realNumbersStepByATenthWithOneDecimal()
    {
        QFETCH(QString, start);
        QFETCH(bool, up);
        QFETCH(QString, shown);
        QFETCH(double, committed);
        Window w;
        FieldBinding *gamma = w.add(gammaDescription());
        gamma->edit()->setText(start);
        w.show();
        w.click(gamma->spin(), up);
        QCOMPARE(gamma->edit()->text(), shown);
        if (committed == 0.0) {
            QVERIFY(w.commits.isEmpty());
        } else {
            QCOMPARE(w.commits.size(), 1);
            QVERIFY(qFuzzyCompare(w.commits[0][0], committed));
        }
        VERIFY_DIALOGS_TAKEN(w.dialogs);
    }

    void typedRealIsKeptAsTyped()
    {
        Window w;
        FieldBinding *gamma = w.add(gammaDescription());
        gamma->edit()->setText(QStringLiteral("2.25"));
        QVERIFY(gamma->exitCheck());
        QCOMPARE(gamma->edit()->text(), QStringLiteral("2.25"));
        QCOMPARE(w.commits, (QList<std::vector<double>>{{2.25}}));
    }

    void conversionFailureOfASpinClick()
    {
        Window w;
        FieldBinding *gamma = w.add(gammaDescription());
        FieldDescription reporting = wholeDescription("Width", 0, 100);
        reporting.spinReportsNotValid = true;
        FieldBinding *width = w.add(reporting);
        w.show();
        gamma->edit()->setText(QStringLiteral("x1"));
        w.click(gamma->spin(), true);
        QCOMPARE(w.dialogs.takeMessages(), QStringList{"'x1' is not a valid floating point value"});
        width->edit()->setText(QStringLiteral("ten"));
        w.click(width->spin(), false);
        QCOMPARE(w.dialogs.takeMessages(), QStringList{"Error! 'ten' is not a valid Width."});
        QCOMPARE(QApplication::focusWidget(), width->edit());
        QVERIFY(w.commits.isEmpty());
        QCOMPARE(w.state.HandlerBusy, 0);
    }

    void pairChecksFirstThenSecondAndSendsBoth()
    {
        Window w;
        FieldDescription width = wholeDescription("Width", 0, 100);
        FieldDescription offset = wholeDescription("Offset", -50, 50);
        offset.outOfBoundsMessage = QStringLiteral("Error! Offset out of range");
        FieldBinding *pair = w.addPair(width, offset);
        w.show();

        pair->edit(0)->setText(QStringLiteral("bad"));
        pair->edit(1)->setText(QStringLiteral("99"));
        QVERIFY(!pair->exitCheck());
        QCOMPARE(w.dialogs.takeMessages(), QStringList{"Error! 'bad' is not a valid Width."});
        QCOMPARE(QApplication::focusWidget(), pair->edit(0));

        pair->edit(0)->setText(QStringLiteral("20"));
        QVERIFY(!pair->exitCheck());
        QCOMPARE(w.dialogs.takeMessages(), QStringList{"Error! Offset out of range"});
        QCOMPARE(QApplication::focusWidget(), pair->edit(1));
        QVERIFY(w.commits.isEmpty());

        // Stepping the offset runs the shared check, which sends both.
        pair->edit(1)->setText(QStringLiteral("-7"));
        w.click(pair->spin(1), true);
        QCOMPARE(w.commits, (QList<std::vector<double>>{{20, -6}}));
    }

    void boundHeldElsewhereIsReadAtTheCheck()
    {
        Window w;
        int maxOverlap = 64;
        FieldDescription desc = wholeDescription("OWidth", 0, 0);
        desc.upper = Bound::heldBy([&maxOverlap] { return double(maxOverlap); });
        desc.outOfBoundsMessage = QStringLiteral("Error! Overlap too wide");
        FieldBinding *overlap = w.add(desc);
        overlap->edit()->setText(QStringLiteral("100"));
        QVERIFY(!overlap->exitCheck());
        QCOMPARE(w.dialogs.takeMessages(), QStringList{"Error! Overlap too wide"});
        maxOverlap = 128;
        QVERIFY(overlap->exitCheck());
        QCOMPARE(w.commits, (QList<std::vector<double>>{{100}}));
    }

    void deviceSettingsSendOnlyWhenConnectedAndNotSuppressed()
    {
        Window w;
        FieldBinding *device = w.add(wholeDescription("Black", 0, 255));
        FieldDescription planning = wholeDescription("Size", 0, 1000);
        planning.deviceSetting = false;
        FieldBinding *size = w.add(planning);
        w.connected = false;
        QVERIFY(device->exitCheck());
        QVERIFY(w.commits.isEmpty());
        w.connected = true;
        w.state.SuppressSend = true;
        QVERIFY(device->exitCheck());
        QVERIFY(w.commits.isEmpty());
        // A planning size acts whatever the link does.
        QVERIFY(size->exitCheck());
        QCOMPARE(w.commits.size(), 1);
    }

    void enterMovesToTheFirstSuccessorThatCanTakeTheFocus()
    {
        Window w;
        FieldBinding *first = w.add(wholeDescription("First", 0, 10));
        FieldBinding *hidden = w.add(wholeDescription("Hidden", 0, 10));
        FieldBinding *last = w.add(wholeDescription("Last", 0, 10));
        FieldDescription desc = wholeDescription("Entry", 0, 10);
        desc.enterSuccessor = [&] { return firstFocusable({hidden->edit(), last->edit()}); };
        FieldBinding *entry = w.add(desc);
        w.show();
        hidden->edit()->hide();

        w.type(entry->edit(), QStringLiteral("7"));
        w.commits.clear();  // what leaving the first field sent
        QTest::keyClick(entry->edit(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), last->edit());
        QCOMPARE(w.commits, (QList<std::vector<double>>{{7}}));  // the move ran the check

        // A bad text: the check refuses and the focus stays.
        w.type(entry->edit(), QStringLiteral("70"));
        w.commits.clear();
        QTest::keyClick(entry->edit(), Qt::Key_Return);
        QCOMPARE(w.dialogs.takeMessages(), QStringList{"Error! Value out of bounds! (0 - 10)"});
        QCOMPARE(QApplication::focusWidget(), entry->edit());
        QVERIFY(w.commits.isEmpty());  // the successor did not take the move for its exit

        // No successor can take the focus: Enter does nothing at all.
        last->edit()->setEnabled(false);
        QTest::keyClick(entry->edit(), Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), entry->edit());
        VERIFY_DIALOGS_TAKEN(w.dialogs);
        Q_UNUSED(first);
    }

    void heldSpinClicksAtTheFourthTickThenEveryTickAndOnRelease()
    {
        Window w;
        FieldBinding *gamma = w.add(gammaDescription());  // 100 ms
        w.show();
        SpinButton *spin = gamma->spin();
        const QPoint up = spin->halfRect(SpinButton::Half::Up).center();
        QTest::mousePress(spin, Qt::LeftButton, {}, up);
        w.clock.advance(399);
        QCOMPARE(gamma->edit()->text(), QStringLiteral("2.2"));
        w.clock.advance(1);
        QCOMPARE(gamma->edit()->text(), QStringLiteral("2.3"));
        w.clock.advance(99);
        QCOMPARE(gamma->edit()->text(), QStringLiteral("2.3"));
        w.clock.advance(1);
        QCOMPARE(gamma->edit()->text(), QStringLiteral("2.4"));
        w.clock.advance(200);
        QCOMPARE(gamma->edit()->text(), QStringLiteral("2.6"));
        QTest::mouseRelease(spin, Qt::LeftButton, {}, up);
        QCOMPARE(gamma->edit()->text(), QStringLiteral("2.7"));
        QCOMPARE(w.commits.size(), 5);
        // Released: no more steps.
        w.clock.advance(1000);
        QCOMPARE(gamma->edit()->text(), QStringLiteral("2.7"));
    }

    void spinReleasedOutsideItsHalfDoesNotClick()
    {
        Window w;
        FieldBinding *gamma = w.add(gammaDescription());
        w.show();
        SpinButton *spin = gamma->spin();
        QTest::mousePress(spin, Qt::LeftButton, {}, spin->halfRect(SpinButton::Half::Up).center());
        QTest::mouseRelease(spin, Qt::LeftButton, {}, spin->halfRect(SpinButton::Half::Down).center());
        QCOMPARE(gamma->edit()->text(), QStringLiteral("2.2"));
        QVERIFY(w.commits.isEmpty());
    }

    void disabledSpinDoesNothingAndNeverTakesTheFocus()
    {
        Window w;
        FieldBinding *gamma = w.add(gammaDescription());
        FieldBinding *other = w.add(wholeDescription("Other", 0, 9));
        w.show();
        QCOMPARE(gamma->spin()->focusPolicy(), Qt::NoFocus);
        other->edit()->setFocus();
        w.click(gamma->spin(), true);
        QCOMPARE(QApplication::focusWidget(), other->edit());
        QCOMPARE(gamma->edit()->text(), QStringLiteral("2.3"));
        gamma->spin()->setEnabled(false);
        w.click(gamma->spin(), true);
        QCOMPARE(gamma->edit()->text(), QStringLiteral("2.3"));
    }

    void heldSpinKeepsItsHoldWhileThePagesWait()
    {
        // The pages are disabled around an exchange: ticks then click
        // nothing, and the release is still heard.
        Window w;
        FieldBinding *gamma = w.add(gammaDescription());
        w.show();
        SpinButton *spin = gamma->spin();
        const QPoint up = spin->halfRect(SpinButton::Half::Up).center();
        QTest::mousePress(spin, Qt::LeftButton, {}, up);
        w.widget.setEnabled(false);
        w.clock.advance(500);
        QCOMPARE(gamma->edit()->text(), QStringLiteral("2.2"));
        QTest::mouseRelease(spin, Qt::LeftButton, {}, up);
        QCOMPARE(spin->held(), SpinButton::Half::None);
        w.widget.setEnabled(true);
        w.clock.advance(1000);
        QCOMPARE(gamma->edit()->text(), QStringLiteral("2.2"));
    }
};

QTEST_MAIN(FieldBindingTest)
#include "tst_fieldbinding.moc"
