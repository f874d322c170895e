// The complete status read of one unit: its order, the wait window and its
// dots, the question per screen and the codes, and what it sets besides
// the model.
#include "support/DeviceRig.h"

#include <QTest>

using namespace tess;
using namespace tess::test;

namespace {

const QString kCaption = QStringLiteral("VKS - Tessaline :Error reading from Quorex(s)");
const QString kMismatch = QStringLiteral(
    "Warning: Current Output Format and Input Format does not match (no valid input video?). Tessaline may not "
    "function properly.");

QString question(const char *what, int screen)
{
    return QStringLiteral(
               "Tessaline unable to read %1 Status on Screen %2. Do you still wish to continue? Click Yes "
               "to continue (NOTE: Tessaline settings on Screen %2 will be invalid)")
        .arg(QLatin1String(what))
        .arg(screen);
}

// A direct unit that matches its output format (1280 x 1024).
void consistentUnit(ScriptedUnits::Unit &u)
{
    u.version = {'Q', 'X', 'V', '1', '.', '0', '4', 0};
    u.outputs[1].OutputFormat = 3;
    u.inputs[1].HActive = 1280;
}

}  // namespace

class ReadAllStatusTest : public QObject {
    Q_OBJECT
private slots:
    void readsEverythingInOrderBehindTheWaitWindow()
    {
        DeviceRig rig(false);
        consistentUnit(rig.units.units[0]);
        rig.units.units[0].inputs[4].Phase = 4;
        rig.units.units[0].outputs[4].BlackLevel = 44;
        bool shownDuringReads = true;
        rig.units.answer = [&](const QByteArray &) -> std::optional<QByteArray> {
            shownDuringReads = shownDuringReads && rig.host.infoShown;
            return std::nullopt;
        };

        QCOMPARE(rig.queries.ReadAllStatus(1), 1);

        QCOMPARE(rig.journal, (QStringList{"InfoForm shown", "SYINFOQX\r", "IINFOQX 1\r", "IINFOQX 2\r",
                                           "IINFOQX 3\r", "IINFOQX 4\r", "OINFOQX 1\r", "OINFOQX 2\r", "OINFOQX 3\r",
                                           "OINFOQX 4\r", "InfoForm hidden"}));
        QVERIFY(shownDuringReads);
        QCOMPARE(rig.host.infoText, QStringLiteral("Tessaline querying Quorex(s). Please wait...."));
        QCOMPARE(rig.host.progressHistory, (QStringList{"", ".", "..", "...", "...."}));
        QCOMPARE(rig.host.version1, QStringLiteral("V1.04"));
        QVERIFY(rig.host.settingsRead);
        QCOMPARE(rig.host.formatWidth, 1280);
        QCOMPARE(rig.host.formatHeight, 1024);
        QCOMPARE(rig.model.input(1, 4).Phase, 4);
        QCOMPARE(int(rig.model.output(1, 4).BlackLevel), 44);
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void secondUnitLeavesUnitOnesVersionShown()
    {
        DeviceRig rig(true);
        consistentUnit(rig.units.units[1]);
        rig.model.setFirmwareVersion(1, {'Q', 'X', 'V', '1', '.', '0', '0', 0});
        rig.model.output(1, 1).OutputFormat = 3;
        rig.model.input(1, 1).HActive = 1280;
        rig.units.units[1].version = {'Q', 'X', 'V', '2', '.', '0', '0', 0};
        QCOMPARE(rig.queries.ReadAllStatus(2), 1);
        QCOMPARE(rig.host.version1, QStringLiteral("V1.00"));
        QCOMPARE(rig.model.versionText(2), QStringLiteral("V2.00"));
        QCOMPARE(rig.units.lines.first(), QByteArray("QXQUERY *6SYINFOQX!\r"));
    }

    // clang-format off
    void stoppingAfterAFailedScreenGivesItsCode_data()
    {
        QTest::addColumn<QByteArray>("failing");  // the query line that gets no record
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("asked");
        QTest::newRow("system information") << QByteArray("SYINFOQX\r") << QList<bool>{} << -1 << QStringList{};
        QTest::newRow("input 1, No") << QByteArray("IINFOQX 1\r") << QList<bool>{false} << -2
                                     << QStringList{question("Input", 1)};
        QTest::newRow("input 4, No") << QByteArray("IINFOQX 4\r") << QList<bool>{false} << -5
                                     << QStringList{question("Input", 4)};
        QTest::newRow("output 1, No") << QByteArray("OINFOQX 1\r") << QList<bool>{false} << -6
                                      << QStringList{question("Output", 1)};
        QTest::newRow("output 3, No") << QByteArray("OINFOQX 3\r") << QList<bool>{false} << -8
                                      << QStringList{question("Output", 3)};
        QTest::newRow("output 4, No") << QByteArray("OINFOQX 4\r") << QList<bool>{false} << -9
                                      << QStringList{question("Output", 4)};
        QTest::newRow("input 2, Yes: read on") << QByteArray("IINFOQX 2\r") << QList<bool>{true} << 1
                                               << QStringList{question("Input", 2)};
    }
    // clang-format on
    void stoppingAfterAFailedScreenGivesItsCode()
    {
        QFETCH(QByteArray, failing);
        QFETCH(QList<bool>, answers);
        QFETCH(int, code);
        QFETCH(QStringList, asked);
        DeviceRig rig(false);
        consistentUnit(rig.units.units[0]);
        rig.units.units[0].inputs[2].Phase = 22;
        rig.model.input(1, 2).Phase = -1;
        rig.units.answer = [&](const QByteArray &line) -> std::optional<QByteArray> {
            if (line == failing)
                return line + "\n" + QByteArray(80, 'x') + "\r\n#";
            return std::nullopt;
        };
        for (bool a : answers)
            rig.dialogs.answer(a);

        QCOMPARE(rig.queries.ReadAllStatus(1), code);

        QStringList questions;
        for (const auto &q : rig.dialogs.takeQuestions()) {
            QCOMPARE(q.caption, kCaption);
            questions << q.text;
        }
        QCOMPARE(questions, asked);
        QCOMPARE(rig.host.settingsRead, code == 1);
        QVERIFY(!rig.host.infoShown);
        QCOMPARE(rig.journal.last(), QStringLiteral("InfoForm hidden"));
        if (code == 1)  // Yes left the failed screen's record as it was
            QCOMPARE(rig.model.input(1, 2).Phase, -1);
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }

    void outputFormatGivesTheFormatSizeAndIsCheckedAgainstTheInput_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("hActive");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("warned");
        QTest::newRow("0 matching") << 0 << 640 << 640 << 480 << false;
        QTest::newRow("1 matching") << 1 << 800 << 800 << 600 << false;
        QTest::newRow("2 matching") << 2 << 1024 << 1024 << 768 << false;
        QTest::newRow("3 against a 1024 input") << 3 << 1024 << 1280 << 1024 << true;
        QTest::newRow("0 without input video") << 0 << 0 << 640 << 480 << true;
        QTest::newRow("4 is no format: nothing set, nothing checked") << 4 << 0 << -1 << -1 << false;
    }
    void outputFormatGivesTheFormatSizeAndIsCheckedAgainstTheInput()
    {
        QFETCH(int, format);
        QFETCH(int, hActive);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, warned);
        DeviceRig rig(false);
        rig.units.units[0].outputs[1].OutputFormat = std::uint8_t(format);
        rig.units.units[0].inputs[1].HActive = hActive;
        rig.host.formatWidth = rig.host.formatHeight = -1;
        bool shownAtWarning = false;
        rig.dialogs.whileNextBoxOpen([&] { shownAtWarning = rig.host.infoShown; });

        QCOMPARE(rig.queries.ReadAllStatus(1), 1);

        QCOMPARE(rig.host.formatWidth, width);
        QCOMPARE(rig.host.formatHeight, height);
        QCOMPARE(rig.dialogs.takeMessages(), warned ? QStringList{kMismatch} : QStringList{});
        QCOMPARE(shownAtWarning, warned);
        VERIFY_DIALOGS_TAKEN(rig.dialogs);
    }
};

QTEST_GUILESS_MAIN(ReadAllStatusTest)
#include "tst_readallstatus.moc"
