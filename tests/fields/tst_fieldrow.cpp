// A field table row turned into the description the binding takes: which
// row serves which member of a family, the names filled in, bounds held
// elsewhere read at the moment of the check, and the refill a row names.
#include "fields/FieldRow.h"
#include "model/WindowState.h"

#include <QTest>
#include <stdexcept>

using namespace tess;

namespace {

enum Family { Halo, Width, Single };
enum Held { MaxWidth, Low };

// A family that differs by member and side, as the page tables have them:
// the edge alone on its screen (1 right, 8 left) carries no side letter,
// screen 1 accepts a longer text.
// clang-format off
const FieldRow Table[] = {
    {.family = Halo, .first = 1, .last = 1, .side = 'R', .edit = "Halo%1Edit", .spin = "Halo%1UpDown", .upper = 64,
     .rangeText = "(0 - 64)", .maxLength = 4, .noun = "Halo value", .refill = Refill::Halo},
    {.family = Halo, .first = 1, .last = 7, .edit = "%2Halo%1Edit", .spin = "%2Halo%1UpDown", .upper = 64,
     .rangeText = "(0 - 64)", .maxLength = 3, .noun = "Halo value", .refill = Refill::Halo},
    {.family = Halo, .first = 8, .last = 8, .side = 'L', .edit = "Halo%1Edit", .spin = "Halo%1UpDown", .upper = 64,
     .rangeText = "(0 - 64)", .maxLength = 3, .noun = "Halo value", .refill = Refill::Halo},
    {.family = Width, .first = 1, .last = 8, .edit = "%2Width%1Edit", .lower = RowBound::held(Low),
     .upper = RowBound::held(MaxWidth), .boundsMessage = "Error! Width out of bounds! (%1 - %2)",
     .flags = SpinReportsNotValid | SkipFocusExitWhileBusy},
    {.family = Single, .edit = "SingleEdit", .spin = "SingleUpDown", .kind = FieldKind::Real, .lower = 1.0,
     .upper = 5.0, .defaultText = "", .boundsMessage = "Error! Single out of bounds.", .repeatMs = 120,
     .flags = NotADeviceSetting | ExitReportsGenericConversion, .emptyValue = 16},
};
// clang-format on

struct Env {
    Refills refills;
    WindowState state;
    double maxWidth = 200;
    double low = 64;
    FieldRowEnv rows{refills, state, [this](int name) { return name == MaxWidth ? maxWidth : low; }};
};

}  // namespace

class FieldRowTest : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void membersGetTheirRowAndNames_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<int>("number");
        QTest::addColumn<QChar>("side");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("spin");
        QTest::addColumn<int>("maxLength");

        QTest::newRow("screen 1 right, unlettered") << int(Halo) << 1 << QChar('R') << "Halo1Edit" << "Halo1UpDown" << 4;
        QTest::newRow("screen 1 left") << int(Halo) << 1 << QChar('L') << "LHalo1Edit" << "LHalo1UpDown" << 3;
        QTest::newRow("screen 7 right") << int(Halo) << 7 << QChar('R') << "RHalo7Edit" << "RHalo7UpDown" << 3;
        QTest::newRow("screen 8 left, unlettered") << int(Halo) << 8 << QChar('L') << "Halo8Edit" << "Halo8UpDown" << 3;
        QTest::newRow("no spin") << int(Width) << 8 << QChar('L') << "LWidth8Edit" << "" << 0;
        QTest::newRow("no side") << int(Width) << 1 << QChar() << "Width1Edit" << "" << 0;
        QTest::newRow("a single field") << int(Single) << 0 << QChar() << "SingleEdit" << "SingleUpDown" << 0;
    }
    // clang-format on
    void membersGetTheirRowAndNames()
    {
        QFETCH(int, family);
        QFETCH(int, number);
        QFETCH(QChar, side);
        Env env;
        const FieldDescription desc = describeField(Table, family, env.rows, number, side.toLatin1());
        QTEST(desc.edit, "edit");
        QTEST(desc.spin, "spin");
        QTEST(desc.maxLength, "maxLength");
    }

    void aMemberNoRowCoversIsAFault()
    {
        QVERIFY_THROWS_EXCEPTION(std::logic_error, fieldRow(Table, Halo, 9, 'L'));
        QVERIFY_THROWS_EXCEPTION(std::logic_error, fieldRow(Table, Halo, 8, 'R'));
        QVERIFY_THROWS_EXCEPTION(std::logic_error, fieldRow(Table, Single, 1));
    }

    void constantsAndTheDefaultMessage()
    {
        Env env;
        const FieldDescription desc = describeField(Table, Halo, env.rows, 3, 'L');
        QCOMPARE(desc.kind, FieldKind::Whole);
        QCOMPARE(desc.lower(), 0.0);
        QCOMPARE(desc.upper(), 64.0);
        QCOMPARE(desc.defaultText, QStringLiteral("0"));
        QCOMPARE(desc.boundsMessage(), QStringLiteral("Error! Value out of bounds! (0 - 64)"));
        QCOMPARE(desc.notValidNoun, QStringLiteral("Halo value"));
        QCOMPARE(desc.repeatMs, 250);
        QVERIFY(desc.deviceSetting);
        QVERIFY(!desc.spinReportsNotValid && !desc.exitReportsGenericConversion && !desc.skipFocusExitWhileBusy);
        QVERIFY(!desc.emptyValue);
    }

    void flagsAndTheRest()
    {
        Env env;
        const FieldDescription single = describeField(Table, Single, env.rows);
        QCOMPARE(single.kind, FieldKind::Real);
        QCOMPARE(single.defaultText, QString());
        QCOMPARE(single.boundsMessage(), QStringLiteral("Error! Single out of bounds."));
        QCOMPARE(single.repeatMs, 120);
        QVERIFY(!single.deviceSetting);
        QVERIFY(single.exitReportsGenericConversion);
        QCOMPARE(single.emptyValue, std::optional<double>(16));
        QVERIFY(!single.refill);

        const FieldDescription width = describeField(Table, Width, env.rows, 2, 'R');
        QVERIFY(width.spinReportsNotValid && width.skipFocusExitWhileBusy);
    }

    void heldBoundsAreReadAtTheCheck()
    {
        Env env;
        const FieldDescription desc = describeField(Table, Width, env.rows, 4, 'R');
        QCOMPARE(desc.upper(), 200.0);
        QCOMPARE(desc.boundsMessage(), QStringLiteral("Error! Width out of bounds! (64 - 200)"));
        // The wall changed after the field was built.
        env.maxWidth = 640;
        env.low = -3;
        QCOMPARE(desc.lower(), -3.0);
        QCOMPARE(desc.upper(), 640.0);
        QCOMPARE(desc.boundsMessage(), QStringLiteral("Error! Width out of bounds! (-3 - 640)"));
    }

    void theRefillRunsForTheMemberWithSendingSuppressed()
    {
        Env env;
        QList<int> ran;
        bool suppressed = false;
        env.refills.provide(Refill::Halo, [&](int number) {
            ran << number;
            suppressed = env.state.SuppressSend;
        });
        const FieldDescription desc = describeField(Table, Halo, env.rows, 6, 'R');
        QVERIFY(desc.refill);
        desc.refill();
        QCOMPARE(ran, QList<int>{6});
        QVERIFY(suppressed);
        QVERIFY(!env.state.SuppressSend);
    }
};

QTEST_GUILESS_MAIN(FieldRowTest)
#include "tst_fieldrow.moc"
