// The port map: which device COM1 and COM2 open.
#include "link/PortMap.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class PortMapTest : public QObject {
    Q_OBJECT
private slots:
    void devicePathFollowsTheEntry_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("device");
        QTest::newRow("no entry") << QString() << QStringLiteral("/dev/ttyS1");
        QTest::newRow("a file naming the device") << QStringLiteral("file") << QStringLiteral("/dev/ttyUSB3");
        // A pipe is never opened: reading it would wait for a writer.
        QTest::newRow("a named pipe") << QStringLiteral("pipe") << QStringLiteral("/dev/ttyS1");
    }
    void devicePathFollowsTheEntry()
    {
        QFETCH(QString, entry);
        QFETCH(QString, device);
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        QVERIFY(QDir().mkpath(tess::PortMap::directory()));
        const QString path = tess::PortMap::entryPath(2);
        if (entry == QLatin1String("file")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("/dev/ttyUSB3\n");
        } else if (entry == QLatin1String("pipe")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        }
        QCOMPARE(tess::PortMap::devicePath(2), device);
    }
};

QTEST_GUILESS_MAIN(PortMapTest)
#include "tst_portmap.moc"
