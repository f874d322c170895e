// The window's --journal FILE: the option as the start-up reads it, and a
// window whose serial line goes into the journal as it sends.
#include "app/WindowJournal.h"
#include "support/WindowRig.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tess;
using namespace tess::test;

class WindowJournalTest : public QObject {
    Q_OBJECT
private slots:
    void theOption_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("path");
        QTest::newRow("none") << QStringList{"tessaline"} << true << "";
        QTest::newRow("separate") << QStringList{"tessaline", "--journal", "/tmp/j.log"} << true << "/tmp/j.log";
        QTest::newRow("joined") << QStringList{"tessaline", "--journal=/tmp/j.log"} << true << "/tmp/j.log";
        QTest::newRow("Qt's own options around it")
            << QStringList{"tessaline", "-platform", "offscreen", "--journal", "j.log"} << true << "j.log";
        QTest::newRow("no file") << QStringList{"tessaline", "--journal"} << false << "";
    }

    void theOption()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, accepted);
        QFETCH(QString, path);
        QString error;
        const std::optional<QString> found = WindowJournal::pathFrom(arguments, &error);
        QCOMPARE(found.has_value(), accepted);
        if (found)
            QCOMPARE(*found, path);
        else
            QVERIFY(error.contains(QLatin1String("--journal")));
    }

    void theWindowsLineGoesIntoTheJournal()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("window.log"));
        WindowRig rig;
        WindowJournal journal(path, rig.h.clock, rig.h.dialogs);
        journal.attach(rig.form());
        rig.showAndConnect();
        rig.h.dialogs.takeMessages();
        rig.chooseMenu("SendCurrentSettingstoQuorexs1");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.startsWith(QLatin1String("0 start program=tessaline version=")));
        QVERIFY(text.contains(QLatin1String(" connected port=COM1 ")));
        // Unit 1 is the unit whose ID field holds 5.
        QVERIFY2(text.contains(QRegularExpression(
                     QStringLiteral("\\n\\d+ send unit=1 \"PASS \\*5PRJ 0 3![0-9A-F]{2}\\\\r\\\\r\"\\n"))),
                 qPrintable(text));
        QVERIFY(text.contains(QLatin1String(" reply complete length=")));
        rig.h.dialogs.takeMessages();
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }
};

QTEST_MAIN(WindowJournalTest)
#include "tst_windowjournal.moc"
