// The screen values (one whole number per screen, each with a command of its
// own) and the Display Setup page's table that gives each its field. The
// window sends a screen's values from the fields its table builds, a file is
// sent from the command table's list alone: the two must cover the same
// values on every screen.

#include "device/CommandTable.h"
#include "pages/display/DisplayFields.h"

#include <QTest>

using namespace tess;

class ScreenValuesTest : public QObject {
    Q_OBJECT
private slots:
    void everyValueHasOneFieldOnEveryScreen()
    {
        for (const command::ScreenValue *which : command::ScreenValues) {
            for (int k = 1; k <= 8; ++k) {
                const FieldRow *found = nullptr;
                for (const FieldRow &row : displayFields()) {
                    if (row.screenValue != which || k < row.first || k > row.last)
                        continue;
                    QVERIFY2(!found,
                             qPrintable(QStringLiteral("%1: two fields on screen %2").arg(which->name).arg(k)));
                    found = &row;
                }
                QVERIFY2(found, qPrintable(QStringLiteral("%1: no field on screen %2").arg(which->name).arg(k)));
                // The sender carries a whole number, and a field placed from
                // its row alone needs its label.
                QCOMPARE(found->kind, FieldKind::Whole);
                QVERIFY(*found->caption && *found->label);
            }
        }
    }

    void rowsNameOnlyListedValues()
    {
        for (const FieldRow &row : displayFields()) {
            if (!row.screenValue)
                continue;
            bool listed = false;
            for (const command::ScreenValue *which : command::ScreenValues)
                listed = listed || which == row.screenValue;
            QVERIFY2(listed, row.edit);
        }
    }
};

QTEST_GUILESS_MAIN(ScreenValuesTest)
#include "tst_screenvalues.moc"
