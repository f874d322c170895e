// "Open Configuration File": the file's settings replace the model and the
// whole window shows them; nothing reaches the units. A refused file changes
// nothing.
#include "app/TTessalineForm.h"
#include "model/ConfigurationFile.h"
#include "model/SettingsModel.h"
#include "support/WindowRig.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <limits>

using namespace tess;
using tess::test::WindowRig;

namespace {

QString name(const char *pattern, int k)
{
    return QString::fromLatin1(pattern).arg(k);
}

QByteArray modelBytes(const SettingsModel &model)
{
    return ConfigurationFileImage(model);
}

QString writeFile(const QTemporaryDir &dir, const QString &fileName, const QByteArray &bytes)
{
    const QString path = dir.filePath(fileName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// A two-unit wall's settings with a value of its own on each screen.
SettingsModel wallSettings()
{
    SettingsModel model;
    for (int unit = 1; unit <= 2; ++unit) {
        OutputRecord &unitWide = model.output(unit, 1);
        unitWide.TotalProjectors = 6;
        unitWide.OverlapWidth = 100;
        unitWide.Justification = 1;
    }
    for (int k = 1; k <= 8; ++k) {
        OutputRecord &record = model.projectorOutput(k);
        record.BlackLevel = std::uint8_t(30 + k);
        record.TestPattern = std::uint8_t(k);
        record.OutputRaster = k % 2;
    }
    return model;
}

QStringList shownScreens(WindowRig &rig)
{
    QStringList shown;
    for (int k = 1; k <= 8; ++k)
        shown << rig.shownText(name("Black%1Edit", k)) + QLatin1Char('/')
                     + QString::number(rig.find<QComboBox>(name("TestPattern%1ComboBox", k))->currentIndex());
    return shown;
}

}  // namespace

class OpenConfigurationTest : public QObject {
    Q_OBJECT
private slots:
    void openShowsTheFileAndSendsNothing()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("wall.qxc"), ConfigurationFileImage(wallSettings()));
        WindowRig rig;
        rig.showAndConnect();
        rig.openDisplaySetup();
        rig.takeCommands();

        rig.h.dialogs.chooseFile(path);
        rig.chooseMenu("OpenConfigurationFile1");

        const auto &request = rig.h.dialogs.lastFileRequest;
        QCOMPARE(request.filters, (QStringList{"Quorex Config Files (*.qxc)", "Any file (*.*)"}));
        QVERIFY(request.mustExist);
        // The units' projector count differs from the window's: the Planning
        // page says so before it follows the file.
        QCOMPARE(rig.h.dialogs.takeMessages(),
                 (QStringList{"Warning. Number of Projectors information read from Quorex(s) does not match current "
                              "values in the Planning page. \rPlanning page values will be overwritten",
                              "File open successful. Tessaline updated with settings from file."}));
        // Only the controller was asked how many units it has.
        QVERIFY(rig.takeCommands().isEmpty());
        QCOMPARE(modelBytes(rig.form().settings()), ConfigurationFileImage(wallSettings()));
        QVERIFY(rig.form().state().ConfigurationFileLoaded);
        QVERIFY(!rig.form().state().SuppressSend);
        QCOMPARE(rig.form().state().HandlerBusy, 0);
        QVERIFY(!QApplication::overrideCursor());
        for (int k = 1; k <= 8; ++k) {
            QCOMPARE(rig.shownText(name("Black%1Edit", k)), QString::number(30 + k));
            QCOMPARE(rig.find<QComboBox>(name("TestPattern%1ComboBox", k))->currentIndex(), k);
            QCOMPARE(rig.find<QCheckBox>(name("OutputRaster%1CheckBox", k))->isChecked(), k % 2 == 1);
        }
        // The Planning page follows the units' projector count.
        QCOMPARE(rig.find<QComboBox>(QStringLiteral("NumOfScreenComboBox"))->currentIndex(), 5);
        QCOMPARE(rig.shownText(QStringLiteral("OWidthPlanningEdit")), QStringLiteral("100"));
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    // clang-format off
    void refusedFileChangesNothing_data()
    {
        QTest::addColumn<int>("size");   // -1: no such file
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("reason");  // after the file's name, on a line of its own
        const QString badSize = QStringLiteral("Error! File corrupted. File size invalid.");
        QTest::newRow("one byte short") << 1719 << badSize << QStringLiteral("expected 1720 bytes, found 1719");
        QTest::newRow("one byte over") << 1721 << badSize << QStringLiteral("expected 1720 bytes, found 1721");
        QTest::newRow("empty") << 0 << badSize << QStringLiteral("expected 1720 bytes, found 0");
        QTest::newRow("missing") << -1 << QStringLiteral("Error! Unable to open Configuration file. Check if file exist?")
                                 << QStringLiteral("No such file or directory");
    }
    // clang-format on

    void refusedFileChangesNothing()
    {
        QFETCH(int, size);
        QFETCH(QString, message);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QByteArray bytes = ConfigurationFileImage(wallSettings());
        bytes.resize(std::max(size, 0), '\x07');
        const QString path =
            size < 0 ? dir.filePath(QStringLiteral("gone.qxc")) : writeFile(dir, QStringLiteral("bad.qxc"), bytes);
        WindowRig rig;
        rig.show();
        rig.openDisplaySetup();
        const QByteArray before = modelBytes(rig.form().settings());
        const QStringList shownBefore = shownScreens(rig);

        rig.h.dialogs.chooseFile(path);
        rig.chooseMenu("OpenConfigurationFile1");

        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{message + u'\n' + path + QStringLiteral(": ") + reason});
        QCOMPARE(modelBytes(rig.form().settings()), before);
        QCOMPARE(shownScreens(rig), shownBefore);
        QVERIFY(!rig.form().state().ConfigurationFileLoaded);
        QVERIFY(!QApplication::overrideCursor());
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void saveThatFailsNamesTheFileAndWhy()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("no such folder/wall.qxc"));
        WindowRig rig;
        rig.show();
        rig.h.dialogs.chooseFile(path);
        rig.chooseMenu("SaveConfigurationtoFile1");
        QCOMPARE(rig.h.dialogs.takeMessages(),
                 QStringList{
                     QStringLiteral("Error! Unable to create Configuration file. Check if disk is write-protected\n")
                     + path + QStringLiteral(": No such file or directory")});
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(!QApplication::overrideCursor());
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void cancelDoesNothing()
    {
        WindowRig rig;
        rig.show();
        const QByteArray before = modelBytes(rig.form().settings());
        rig.h.dialogs.chooseFile(QString());
        rig.chooseMenu("OpenConfigurationFile1");
        QCOMPARE(modelBytes(rig.form().settings()), before);
        QVERIFY(!rig.form().state().ConfigurationFileLoaded);
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void absurdValuesOpenAndShowNoSelectionPastAList()
    {
        SettingsModel model = wallSettings();
        for (int unit = 1; unit <= 2; ++unit) {
            model.output(unit, 1).TotalProjectors = 200;
            model.output(unit, 1).BasicGamma = std::numeric_limits<float>::quiet_NaN();
            model.output(unit, 1).Justification = 90;
            model.output(unit, 1).OverlapWidth = -5000000;
        }
        for (int k = 1; k <= 8; ++k) {
            model.projectorOutput(k).TestPattern = 200;
            model.projectorOutput(k).LeftGamma = std::numeric_limits<float>::infinity();
            model.projectorOutput(k).HaloLeftWidth = 1 << 30;
        }
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("odd.qxc"), ConfigurationFileImage(model));
        WindowRig rig;
        rig.showAndConnect();
        rig.takeCommands();
        rig.h.dialogs.chooseFile(path);
        rig.chooseMenu("OpenConfigurationFile1");
        // Whatever the Planning page says of these values, the open itself
        // succeeds and nothing is sent.
        QVERIFY(rig.h.dialogs.takeMessages().contains(
            QStringLiteral("File open successful. Tessaline updated with settings from file.")));
        rig.h.dialogs.takeQuestions();
        QVERIFY(rig.takeCommands().isEmpty());
        for (int k = 1; k <= 8; ++k)
            QCOMPARE(rig.find<QComboBox>(name("TestPattern%1ComboBox", k))->currentIndex(), -1);
        for (const char *list : {"NumOfScreenComboBox", "ImageAlignComboBox"}) {
            auto *box = rig.find<QComboBox>(QLatin1String(list));
            QVERIFY(box->currentIndex() < box->count());
        }
        QCOMPARE(rig.form().state().HandlerBusy, 0);
        QVERIFY(!rig.form().state().SuppressSend);
    }
};

QTEST_MAIN(OpenConfigurationTest)
#include "tst_openconfiguration.moc"
