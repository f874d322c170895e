#include "model/ConfigurationFile.h"
#include "model/SettingsModel.h"

#include <QRegularExpression>
#include <QTest>

#include <functional>

using tess::ConfigurationFileImage;
using tess::ConfigurationInputBlockOffset;
using tess::ConfigurationOutputBlockOffset;
using tess::SettingsModel;

namespace {

// Offsets of the records within the saved file, worked out independently of
// the accessors under test.
qsizetype inputRecordAt(int unit, int record)
{
    return ConfigurationInputBlockOffset(unit) + record * 84;
}
qsizetype outputRecordAt(int unit, int record)
{
    return ConfigurationOutputBlockOffset(unit) + record * 88;
}

// Positions of the non-zero bytes of the model's file image.
QList<qsizetype> nonZeroBytes(const SettingsModel &model)
{
    const QByteArray image = ConfigurationFileImage(model);
    QList<qsizetype> at;
    for (qsizetype i = 0; i < image.size(); ++i)
        if (image[i] != 0)
            at << i;
    return at;
}

tess::FirmwareVersionBytes versionBytes(const char (&text)[9])
{
    tess::FirmwareVersionBytes bytes{};
    std::copy(text, text + 8, bytes.begin());
    return bytes;
}

}  // namespace

class SettingsModelTest : public QObject {
    Q_OBJECT
private slots:
    void freshModelIsAllZero()
    {
        const SettingsModel model;
        QVERIFY(nonZeroBytes(model).isEmpty());
        for (int unit = 1; unit <= 2; ++unit) {
            QCOMPARE(model.versionText(unit), QString());
            for (int screen = 1; screen <= 4; ++screen)
                QVERIFY(!model.IsChannelLocked(unit, screen));
        }
    }

    void numbersOneToEightMapToUnitAndScreen_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("record");
        const int expected[8][2] = {{1, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 1}, {2, 2}, {2, 3}, {2, 4}};
        for (int k = 1; k <= 8; ++k)
            QTest::addRow("%d", k) << k << expected[k - 1][0] << expected[k - 1][1];
    }

    void numbersOneToEightMapToUnitAndScreen()
    {
        QFETCH(int, number);
        QFETCH(int, unit);
        QFETCH(int, record);
        QVERIFY(tess::unitScreenOf(number) == (tess::UnitScreen{unit, record}));

        SettingsModel model;
        model.projectorOutput(number).BlackLevel = 0x11;
        model.channelOutput(number).SeamGain3 = 0x22;
        model.channelInput(number).VideoLocked = 1;
        QCOMPARE(nonZeroBytes(model),
                 (QList<qsizetype>{inputRecordAt(unit, record) + 1, outputRecordAt(unit, record) + 68,
                                   outputRecordAt(unit, record) + 78}));
        QVERIFY(model.IsChannelLocked(unit, record));
        const SettingsModel &view = model;
        QCOMPARE(view.projectorOutput(number).BlackLevel, std::uint8_t(0x11));
        QCOMPARE(view.output(unit, record).SeamGain3, std::uint8_t(0x22));
        QCOMPARE(view.channelInput(number).VideoLocked, std::uint8_t(1));
    }

    void outOfRangeAccessTouchesNothing()
    {
        struct Case {
            const char *name;
            std::function<std::uint8_t &(SettingsModel &)> field;
            std::function<std::uint8_t(const SettingsModel &)> read;
        };
        const QList<Case> cases = {
            {"input unit 0", [](SettingsModel &m) -> std::uint8_t & { return m.input(0, 1).VideoLocked; },
             [](const SettingsModel &m) { return m.input(0, 1).VideoLocked; }},
            {"input unit 3", [](SettingsModel &m) -> std::uint8_t & { return m.input(3, 1).VideoLocked; },
             [](const SettingsModel &m) { return m.input(3, 1).VideoLocked; }},
            {"input record 0", [](SettingsModel &m) -> std::uint8_t & { return m.input(1, 0).VideoLocked; },
             [](const SettingsModel &m) { return m.input(1, 0).VideoLocked; }},
            {"input record 5", [](SettingsModel &m) -> std::uint8_t & { return m.input(2, 5).VideoLocked; },
             [](const SettingsModel &m) { return m.input(2, 5).VideoLocked; }},
            {"output record 0", [](SettingsModel &m) -> std::uint8_t & { return m.output(2, 0).BlackLevel; },
             [](const SettingsModel &m) { return m.output(2, 0).BlackLevel; }},
            {"output record -1", [](SettingsModel &m) -> std::uint8_t & { return m.output(1, -1).BlackLevel; },
             [](const SettingsModel &m) { return m.output(1, -1).BlackLevel; }},
            {"projector 0", [](SettingsModel &m) -> std::uint8_t & { return m.projectorOutput(0).BlackLevel; },
             [](const SettingsModel &m) { return m.projectorOutput(0).BlackLevel; }},
            {"projector 9", [](SettingsModel &m) -> std::uint8_t & { return m.projectorOutput(9).BlackLevel; },
             [](const SettingsModel &m) { return m.projectorOutput(9).BlackLevel; }},
            {"channel input 9", [](SettingsModel &m) -> std::uint8_t & { return m.channelInput(9).VideoLocked; },
             [](const SettingsModel &m) { return m.channelInput(9).VideoLocked; }},
            {"channel output 0", [](SettingsModel &m) -> std::uint8_t & { return m.channelOutput(0).SeamGain1; },
             [](const SettingsModel &m) { return m.channelOutput(0).SeamGain1; }},
            {"input block 3",
             [](SettingsModel &m) -> std::uint8_t & { return m.inputBlock(3).Records[1].VideoLocked; },
             [](const SettingsModel &m) { return m.inputBlock(3).Records[1].VideoLocked; }},
            {"output block 0",
             [](SettingsModel &m) -> std::uint8_t & { return m.outputBlock(0).Records[4].BlackLevel; },
             [](const SettingsModel &m) { return m.outputBlock(0).Records[4].BlackLevel; }},
        };
        QVERIFY(!tess::unitScreenOf(0) && !tess::unitScreenOf(9) && !tess::unitScreenOf(-5));
        const QRegularExpression warning(QStringLiteral("^SettingsModel: no "));
        for (const Case &c : cases) {
            SettingsModel model;
            QTest::ignoreMessage(QtWarningMsg, warning);
            c.field(model) = 0xFF;
            QVERIFY2(nonZeroBytes(model).isEmpty(), c.name);
            // The stray write is not remembered for the next out-of-range caller.
            QTest::ignoreMessage(QtWarningMsg, warning);
            QVERIFY2(c.field(model) == 0, c.name);
            QTest::ignoreMessage(QtWarningMsg, warning);
            QVERIFY2(c.read(model) == 0, c.name);
        }
        SettingsModel model;
        QTest::ignoreMessage(QtWarningMsg, warning);
        QVERIFY(!model.IsChannelLocked(1, 0));
        QTest::ignoreMessage(QtWarningMsg, warning);
        model.setFirmwareVersion(3, versionBytes("QX1.04a!"));
        QCOMPARE(model.versionText(1), QString());
        QCOMPARE(model.versionText(2), QString());
    }

    void channelIsLockedOnlyWhenVideoLockedIsOne_data()
    {
        QTest::addColumn<int>("videoLocked");
        QTest::addColumn<bool>("locked");
        QTest::newRow("0") << 0 << false;
        QTest::newRow("1") << 1 << true;
        QTest::newRow("2") << 2 << false;
        QTest::newRow("255") << 255 << false;
    }

    void channelIsLockedOnlyWhenVideoLockedIsOne()
    {
        QFETCH(int, videoLocked);
        QFETCH(bool, locked);
        SettingsModel model;
        model.input(2, 3).VideoLocked = std::uint8_t(videoLocked);
        model.input(1, 1).VideoLoaded = 1;  // video present is not the same as locked
        QCOMPARE(model.IsChannelLocked(2, 3), locked);
        QVERIFY(!model.IsChannelLocked(1, 1));
        QVERIFY(!model.IsChannelLocked(2, 2));
        QVERIFY(!model.IsChannelLocked(1, 3));
    }

    void effectiveInputSizeFollowsUnitOneFirstInput_data()
    {
        QTest::addColumn<int>("hActive");
        QTest::addColumn<int>("vActive");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("nothing reported") << 0 << 0 << 1280 << 1024;
        QTest::newRow("both reported") << 1024 << 768 << 1024 << 768;
        QTest::newRow("width only") << 800 << 0 << 800 << 1024;
        QTest::newRow("height only") << 0 << 600 << 1280 << 600;
    }

    void effectiveInputSizeFollowsUnitOneFirstInput()
    {
        QFETCH(int, hActive);
        QFETCH(int, vActive);
        QFETCH(int, width);
        QFETCH(int, height);
        SettingsModel model;
        model.input(1, 1).HActive = hActive;
        model.input(1, 1).VActive = vActive;
        // Other inputs never count.
        model.input(1, 2).HActive = 640;
        model.input(2, 1).VActive = 480;
        model.inputBlock(1).Records[0].HActive = 320;
        QCOMPARE(model.EffectiveInputWidth(1280), width);
        QCOMPARE(model.EffectiveInputHeight(1024), height);
    }

    void versionTextIsFromTheThirdByte_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("text");
        QTest::newRow("five characters") << QByteArray("QX1.04a!", 8) << QStringLiteral("1.04a");
        QTest::newRow("eighth byte never shown") << QByteArray("ABCDEFGH", 8) << QStringLiteral("CDEFG");
        QTest::newRow("stops at the zero") << QByteArray("AB12\0xyz", 8) << QStringLiteral("12");
        QTest::newRow("empty") << QByteArray(8, '\0') << QString();
        QTest::newRow("zero in the first bytes only") << QByteArray("\0\0V2.1\0\0", 8) << QStringLiteral("V2.1");
    }

    void versionTextIsFromTheThirdByte()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QString, text);
        tess::FirmwareVersionBytes bytes{};
        std::copy(payload.cbegin(), payload.cend(), bytes.begin());
        SettingsModel model;
        model.setFirmwareVersion(2, bytes);
        QCOMPARE(model.versionText(2), text);
        QCOMPARE(model.firmwareVersion(2)[7], '\0');
        QCOMPARE(model.versionText(1), QString());
        // The version is not part of the settings saved to a file.
        QVERIFY(nonZeroBytes(model).isEmpty());
    }

    void seamGainFieldsAreInOrder()
    {
        SettingsModel model;
        for (int i = 0; i < 8; ++i)
            model.channelOutput(7).*tess::SeamGainFields[std::size_t(i)] = std::uint8_t(i + 1);
        const QByteArray image = ConfigurationFileImage(model);
        QCOMPARE(image.mid(outputRecordAt(2, 3) + 76, 8), QByteArray("\1\2\3\4\5\6\7\x08", 8));
        QCOMPARE(model.output(2, 3).SeamGain1, std::uint8_t(1));
        QCOMPARE(model.output(2, 3).SeamGain8, std::uint8_t(8));
    }
};

QTEST_GUILESS_MAIN(SettingsModelTest)
#include "tst_settingsmodel.moc"
