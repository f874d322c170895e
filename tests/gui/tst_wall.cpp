// The pages follow the wall one of them sets: what the user does on one
// page shows on the others, also where it repeats what was set before.
#include "app/TTessalineForm.h"
#include "pages/ServiceView.h"
#include "support/WindowRig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

using namespace tess;
using tess::test::WindowRig;

namespace {

// Picks `item` as the user's choice arrives.
void pick(WindowRig &rig, const char *list, const QString &item)
{
    auto *combo = rig.find<QComboBox>(QLatin1String(list));
    const int index = combo->findText(item);
    QVERIFY2(index >= 0, qPrintable(item));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
    QCoreApplication::processEvents();
}

QRadioButton *channel(WindowRig &rig, const char *group, int c)
{
    return rig.find<QRadioButton>(QStringLiteral("%1Item%2").arg(QLatin1String(group)).arg(c));
}

}  // namespace

class WallTest : public QObject {
    Q_OBJECT
private slots:
    // Choosing the projector count the wall already has lays it out again:
    // both channel pages start from channel 1 once more.
    void sameCountAgainStartsTheChannelPagesFromChannelOne()
    {
        WindowRig rig;
        rig.showAndConnect();
        rig.form().serviceView().setOn(true);
        const std::pair<const char *, const char *> pages[] = {
            {"SourceSetupTabSheet", "SourceScreenSelectRadioGroup"},
            {"SeamRemovalTabSheet", "SeamScreenSelectRadioGroup"},
        };
        for (const auto &[page, group] : pages) {
            rig.openPage(rig.find<QWidget>(QLatin1String(page)));
            rig.clickInto(channel(rig, group, 3));
            QVERIFY(channel(rig, group, 3)->isChecked());
        }
        rig.openPage(rig.find<QWidget>(QStringLiteral("PlanningTabSheet")));
        QCOMPARE(rig.shownText(QStringLiteral("NumOfScreenComboBox")), QStringLiteral("3 Projectors"));
        pick(rig, "NumOfScreenComboBox", QStringLiteral("3 Projectors"));
        for (const auto &[page, group] : pages)
            QVERIFY2(channel(rig, group, 1)->isChecked(), page);
    }

    // The Display Setup page's seam bridge box shows what the user chose on
    // the Seam Removal page, also when that is what was chosen before and a
    // read from the units has shown otherwise since.
    void bridgeBoxShowsEveryChoiceAfterARead()
    {
        WindowRig rig;
        rig.showAndConnect();
        rig.form().serviceView().setOn(true);
        rig.openPage(rig.find<QWidget>(QStringLiteral("SeamRemovalTabSheet")));
        auto *seamBox = rig.find<QCheckBox>(QStringLiteral("SeamBridgeAllConfigCheckBox"));
        auto *displayBox = rig.find<QCheckBox>(QStringLiteral("DisplaySetupSeamBridgeAllConfigCheckBox"));
        QVERIFY(!seamBox->isChecked() && !displayBox->isChecked());
        rig.clickInto(seamBox);
        QVERIFY(seamBox->isChecked() && displayBox->isChecked());
        QCOMPARE(rig.takeCommands(), (QList<QByteArray>{"BRDGSEAM 1", "BRDGSEAM 1"}));

        // Switched off at the units' front panels, then read.
        for (int unit : {1, 2})
            rig.sim.unit(unit).settings.wide.seamBridge = 0;
        rig.chooseMenu("ReadfromQuorexs1");
        rig.takeCommands();
        QVERIFY(!seamBox->isChecked() && !displayBox->isChecked());

        rig.clickInto(seamBox);
        QVERIFY(seamBox->isChecked());
        QVERIFY(displayBox->isChecked());
        QCOMPARE(rig.takeCommands(), (QList<QByteArray>{"BRDGSEAM 1", "BRDGSEAM 1"}));
    }
};

QTEST_MAIN(WallTest)
#include "tst_wall.moc"
