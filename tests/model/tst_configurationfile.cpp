#include "model/ConfigurationFile.h"
#include "model/SettingsModel.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using tess::ConfigurationFileImage;
using tess::ReadConfigurationFile;
using tess::SettingsModel;
using tess::WriteConfigurationFile;
using Result = tess::ConfigurationFileResult;
using tess::configurationFileMessage;
using tess::test::FileSizeLimit;

namespace {

const QString CannotCreate =
    QStringLiteral("Error! Unable to create Configuration file. Check if disk is write-protected");
const QString CannotOpen = QStringLiteral("Error! Unable to open Configuration file. Check if file exist?");
const QString BadSize = QStringLiteral("Error! File corrupted. File size invalid.");

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char &c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

bool writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readRaw(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A model with something in every block, record 0 and padding included, and
// a firmware version on both units.
SettingsModel filledModel()
{
    SettingsModel model;
    tess::ApplyConfigurationFileImage(model, randomBytes(tess::ConfigurationFileSize, 7));
    model.setFirmwareVersion(1, {'Q', 'X', '1', '.', '0', '4', 'a', 0});
    model.setFirmwareVersion(2, {'Q', 'X', '2', '.', '0', '0', 'b', 0});
    return model;
}

}  // namespace

class ConfigurationFileTest : public QObject {
    Q_OBJECT
private slots:
    void fieldsLandAtTheirFileOffsets()
    {
        struct Case {
            const char *name;
            std::function<void(SettingsModel &)> set;
            qsizetype offset;
            QByteArray bytes;
        };
        // clang-format off
        const QList<Case> cases = {
            {"BlackLevel, unit 2 screen 3", [](SettingsModel &m) { m.output(2, 3).BlackLevel = 0xAB; },
             1280 + 3 * 88 + 68, QByteArray("\xAB", 1)},
            {"ContrastC float, unit 1 channel 1", [](SettingsModel &m) { m.input(1, 1).ContrastC = 100.5f; },
             84 + 44, QByteArray("\x00\x00\xC9\x42", 4)},
            {"Phase -16, unit 2 channel 2", [](SettingsModel &m) { m.input(2, 2).Phase = -16; },
             420 + 2 * 84 + 4, QByteArray("\xF0\xFF\xFF\xFF", 4)},
            {"HPositionMax, unit 2 channel 4", [](SettingsModel &m) { m.input(2, 4).HPositionMax = 0x01020304; },
             420 + 4 * 84 + 76, QByteArray("\x04\x03\x02\x01", 4)},
            {"BasicFeather i16, unit 1 screen 1", [](SettingsModel &m) { m.output(1, 1).BasicFeather = 0x0102; },
             840 + 88 + 16, QByteArray("\x02\x01", 2)},
            {"OverlapWidth, unit 1 screen 4", [](SettingsModel &m) { m.output(1, 4).OverlapWidth = 384; },
             840 + 4 * 88 + 8, QByteArray("\x80\x01\x00\x00", 4)},
            {"GammaRightOffset, unit 2 screen 1", [](SettingsModel &m) { m.output(2, 1).GammaRightOffset = 7; },
             1280 + 88 + 64, QByteArray("\x07\x00\x00\x00", 4)},
            {"SeamGain8, projector 8", [](SettingsModel &m) { m.projectorOutput(8).SeamGain8 = 0x5A; },
             1280 + 4 * 88 + 83, QByteArray("\x5A", 1)},
            {"BridgeThreshold, unit 1 screen 2", [](SettingsModel &m) { m.output(1, 2).BridgeThreshold = 200; },
             840 + 2 * 88 + 86, QByteArray("\xC8", 1)},
            {"record 0 padding, unit 2 output", [](SettingsModel &m) { m.outputBlock(2).Records[0].Pad87 = 0x99; },
             1280 + 87, QByteArray("\x99", 1)},
            {"VActive, unit 1 record 0", [](SettingsModel &m) { m.inputBlock(1).Records[0].VActive = 768; },
             36, QByteArray("\x00\x03\x00\x00", 4)},
        };
        // clang-format on
        for (const Case &c : cases) {
            SettingsModel model;
            c.set(model);
            QByteArray expected(tess::ConfigurationFileSize, '\0');
            expected.replace(c.offset, c.bytes.size(), c.bytes);
            QVERIFY2(ConfigurationFileImage(model) == expected, c.name);
        }
    }

    void savingAFreshModelGives1720ZeroBytes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("fresh.qxc"));
        const SettingsModel model;
        QCOMPARE(WriteConfigurationFile(model, path), Result::Done);
        QCOMPARE(readRaw(path), QByteArray(1720, '\0'));
    }

    void savingTwiceGivesIdenticalFiles()
    {
        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("a.qxc"));
        const QString second = dir.filePath(QStringLiteral("b.qxc"));
        SettingsModel model;
        model.projectorOutput(6).BlackLevel = 42;
        model.input(1, 1).BrightnessR = -3.5f;
        QCOMPARE(WriteConfigurationFile(model, first), Result::Done);
        QCOMPARE(WriteConfigurationFile(model, second), Result::Done);
        QCOMPARE(readRaw(first).size(), 1720);
        QCOMPARE(readRaw(first), readRaw(second));
        QCOMPARE(readRaw(first), ConfigurationFileImage(model));
    }

    void savingReplacesALongerFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("old.qxc"));
        QVERIFY(writeRaw(path, QByteArray(5000, 'x')));
        const SettingsModel model = filledModel();
        QCOMPARE(WriteConfigurationFile(model, path), Result::Done);
        QCOMPARE(readRaw(path), ConfigurationFileImage(model));
    }

    void anyContentOfTheRightSizeRoundTrips()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("in.qxc"));
        const QString out = dir.filePath(QStringLiteral("out.qxc"));
        const QByteArray content = randomBytes(1720, 2024);
        QVERIFY(writeRaw(in, content));

        SettingsModel model;
        model.setFirmwareVersion(1, {'Q', 'X', '1', '.', '0', '4', 'a', 0});
        QCOMPARE(ReadConfigurationFile(model, in), Result::Done);
        QCOMPARE(ConfigurationFileImage(model), content);
        // The firmware versions belong to the units, not to the file.
        QCOMPARE(model.versionText(1), QStringLiteral("1.04a"));
        QCOMPARE(model.versionText(2), QString());

        QCOMPARE(WriteConfigurationFile(model, out), Result::Done);
        QCOMPARE(readRaw(out), content);
    }

    void readingReplacesEveryField()
    {
        // A file of zeros clears what the model held, records 0 and padding too.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zero.qxc"));
        QVERIFY(writeRaw(path, QByteArray(1720, '\0')));
        SettingsModel model = filledModel();
        QCOMPARE(ReadConfigurationFile(model, path), Result::Done);
        QCOMPARE(ConfigurationFileImage(model), QByteArray(1720, '\0'));
        QCOMPARE(model.versionText(2), QStringLiteral("2.00b"));
    }

    void wrongSizeIsRefused_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("empty") << 0;
        QTest::newRow("one byte") << 1;
        QTest::newRow("1719") << 1719;
        QTest::newRow("1721") << 1721;
        QTest::newRow("two files' worth") << 3440;
    }

    void wrongSizeIsRefused()
    {
        QFETCH(int, size);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bad.qxc"));
        QVERIFY(writeRaw(path, randomBytes(size, quint32(size))));
        SettingsModel model = filledModel();
        const QByteArray before = ConfigurationFileImage(model);
        QString why;
        QCOMPARE(ReadConfigurationFile(model, path, &why), Result::BadSize);
        QCOMPARE(configurationFileMessage(Result::BadSize), BadSize);
        // The message names the file and the sizes on a line of its own.
        QCOMPARE(configurationFileMessage(Result::BadSize, path, why),
                 BadSize + u'\n' + path + QStringLiteral(": expected 1720 bytes, found %1").arg(size));
        QCOMPARE(ConfigurationFileImage(model), before);
    }

    // clang-format off
    void fileThatCannotBeOpenedIsRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QStringLiteral("missing") << QStringLiteral("No such file or directory");
        QTest::newRow("in a missing folder") << QStringLiteral("missing folder")
                                             << QStringLiteral("No such file or directory");
        QTest::newRow("below a file") << QStringLiteral("below a file") << QStringLiteral("Not a directory");
        QTest::newRow("directory") << QStringLiteral("directory") << QStringLiteral("Is a directory");
        QTest::newRow("empty path") << QStringLiteral("empty path") << QStringLiteral("No such file or directory");
        QTest::newRow("named pipe") << QStringLiteral("fifo")
                                    << QStringLiteral("not a plain file (a pipe, device or socket)");
        QTest::newRow("no read permission") << QStringLiteral("unreadable") << QStringLiteral("Permission denied");
    }
    // clang-format on

    void fileThatCannotBeOpenedIsRefused()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("settings.qxc"));
        if (kind == QLatin1String("missing folder")) {
            path = dir.filePath(QStringLiteral("gone/settings.qxc"));
        } else if (kind == QLatin1String("below a file")) {
            QVERIFY(writeRaw(dir.filePath(QStringLiteral("plain")), QByteArray(1720, '\1')));
            path = dir.filePath(QStringLiteral("plain/settings.qxc"));
        } else if (kind == QLatin1String("directory")) {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("settings.qxc")));
        } else if (kind == QLatin1String("empty path")) {
            path.clear();
        } else if (kind == QLatin1String("fifo")) {
            // Opening a pipe nobody writes to would wait for ever.
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == QLatin1String("unreadable")) {
            if (geteuid() == 0)
                QSKIP("root reads files without read permission");
            QVERIFY(writeRaw(path, QByteArray(1720, '\1')));
            QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        }
        SettingsModel model = filledModel();
        const QByteArray before = ConfigurationFileImage(model);
        QString why;
        QCOMPARE(ReadConfigurationFile(model, path, &why), Result::CannotOpen);
        QCOMPARE(configurationFileMessage(Result::CannotOpen), CannotOpen);
        QCOMPARE(why, reason);
        QCOMPARE(configurationFileMessage(Result::CannotOpen, path, why),
                 CannotOpen + u'\n' + (path.isEmpty() ? QStringLiteral("(no file name)") : path)
                     + QStringLiteral(": ") + reason);
        QCOMPARE(ConfigurationFileImage(model), before);
    }

    // clang-format off
    void failedSaveLeavesTheOldFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");  // the system's words
        QTest::newRow("folder missing") << QStringLiteral("folder missing") << QStringLiteral("No such file or directory");
        QTest::newRow("target is a directory") << QStringLiteral("directory")
                                               << QStringLiteral("Filename refers to a directory");
        QTest::newRow("write fails part-way") << QStringLiteral("write fails")
                                              << QStringLiteral("File too large (1000 of 1720 bytes written)");
        QTest::newRow("read-only folder") << QStringLiteral("read-only folder") << QStringLiteral("Permission denied");
    }
    // clang-format on

    void failedSaveLeavesTheOldFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QByteArray old = QByteArray("an older save, kept whole");
        QString path = dir.filePath(QStringLiteral("wall.qxc"));
        if (kind == QLatin1String("folder missing")) {
            path = dir.filePath(QStringLiteral("no such folder/wall.qxc"));
        } else if (kind == QLatin1String("directory")) {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("wall.qxc")));
        } else {
            QVERIFY(writeRaw(path, old));
        }
        if (kind == QLatin1String("read-only folder")) {
            if (geteuid() == 0)
                QSKIP("root writes into read-only folders");
            QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }

        const SettingsModel model = filledModel();
        Result saved = Result::Done;
        QString why;
        if (kind == QLatin1String("write fails")) {
            FileSizeLimit limit(1000);
            QVERIFY(limit.ok());
            saved = WriteConfigurationFile(model, path, &why);
        } else {
            saved = WriteConfigurationFile(model, path, &why);
        }
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

        QCOMPARE(saved, Result::CannotCreate);
        QCOMPARE(configurationFileMessage(saved), CannotCreate);
        QCOMPARE(why, reason);
        QCOMPARE(configurationFileMessage(saved, path, why),
                 CannotCreate + u'\n' + path + QStringLiteral(": ") + reason);
        if (kind == QLatin1String("directory"))
            QVERIFY(QFileInfo(path).isDir());
        else if (kind == QLatin1String("folder missing"))
            QVERIFY(!QFileInfo::exists(path));
        else
            QCOMPARE(readRaw(path), old);
        // Nothing half-written is left lying beside it.
        const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(left,
                 kind == QLatin1String("folder missing") ? QStringList() : QStringList{QStringLiteral("wall.qxc")});
    }
};

QTEST_GUILESS_MAIN(ConfigurationFileTest)
#include "tst_configurationfile.moc"
