// The plain-text names of the settings: every field of every record the
// model holds is named exactly once, a change of one field's bytes changes
// exactly that setting, and stored values read as a user reads them.
#include "model/ConfigurationFile.h"
#include "model/SettingNames.h"
#include "model/SettingsModel.h"

#include <QSet>
#include <QTest>
#include <cstring>
#include <limits>

using namespace tess;
using settingnames::Location;
using settingnames::Setting;

namespace {

struct FieldPlace {
    int offset;
    int width;
};

// The records' fields, written out here from the record layouts (padding
// left out), not taken from the naming code.
#define PLACE(Record, field)                                     \
    FieldPlace                                                   \
    {                                                            \
        int(offsetof(Record, field)), int(sizeof(Record::field)) \
    }
const QList<FieldPlace> InputFields = {
    PLACE(InputRecord, VideoLoaded),  PLACE(InputRecord, VideoLocked),  PLACE(InputRecord, Phase),
    PLACE(InputRecord, Reserved8),    PLACE(InputRecord, Reserved9),    PLACE(InputRecord, HTotal),
    PLACE(InputRecord, HPositionRef), PLACE(InputRecord, HPosition),    PLACE(InputRecord, VPositionRef),
    PLACE(InputRecord, VPosition),    PLACE(InputRecord, HActive),      PLACE(InputRecord, VActive),
    PLACE(InputRecord, InputSync),    PLACE(InputRecord, Termination),  PLACE(InputRecord, ContrastC),
    PLACE(InputRecord, BrightnessC),  PLACE(InputRecord, ContrastR),    PLACE(InputRecord, BrightnessR),
    PLACE(InputRecord, ContrastG),    PLACE(InputRecord, BrightnessG),  PLACE(InputRecord, ContrastB),
    PLACE(InputRecord, BrightnessB),  PLACE(InputRecord, HPositionMax), PLACE(InputRecord, VPositionMax),
};
const QList<FieldPlace> OutputFields = {
    PLACE(OutputRecord, OutputFormat),    PLACE(OutputRecord, FrameRate),        PLACE(OutputRecord, OutputSync),
    PLACE(OutputRecord, AdvancedMode),    PLACE(OutputRecord, ProjectorGroup),   PLACE(OutputRecord, TotalProjectors),
    PLACE(OutputRecord, DataDoubling),    PLACE(OutputRecord, Justification),    PLACE(OutputRecord, OverlapWidth),
    PLACE(OutputRecord, BasicGamma),      PLACE(OutputRecord, BasicFeather),     PLACE(OutputRecord, LeftGamma),
    PLACE(OutputRecord, LeftFeather),     PLACE(OutputRecord, RightGamma),       PLACE(OutputRecord, RightFeather),
    PLACE(OutputRecord, HaloLeftWidth),   PLACE(OutputRecord, HaloLeftOffset),   PLACE(OutputRecord, HaloRightWidth),
    PLACE(OutputRecord, HaloRightOffset), PLACE(OutputRecord, GammaLeftWidth),   PLACE(OutputRecord, GammaLeftOffset),
    PLACE(OutputRecord, GammaRightWidth), PLACE(OutputRecord, GammaRightOffset), PLACE(OutputRecord, BlackLevel),
    PLACE(OutputRecord, TestPattern),     PLACE(OutputRecord, OutputRaster),     PLACE(OutputRecord, TestGrid),
    PLACE(OutputRecord, SeamPrefix),      PLACE(OutputRecord, SeamGain1),        PLACE(OutputRecord, SeamGain2),
    PLACE(OutputRecord, SeamGain3),       PLACE(OutputRecord, SeamGain4),        PLACE(OutputRecord, SeamGain5),
    PLACE(OutputRecord, SeamGain6),       PLACE(OutputRecord, SeamGain7),        PLACE(OutputRecord, SeamGain8),
    PLACE(OutputRecord, SeamBridge),      PLACE(OutputRecord, FeatherCurve),     PLACE(OutputRecord, BridgeThreshold),
};
#undef PLACE

struct ModelField {
    Location::Block block;
    int unit;
    int record;
    FieldPlace place;
};

// Every field of records 1 to 4 of both units.
QList<ModelField> modelFields()
{
    QList<ModelField> all;
    for (int unit = 1; unit <= 2; ++unit) {
        for (int record = 1; record <= 4; ++record) {
            for (const FieldPlace &f : InputFields)
                all.append({Location::Block::Input, unit, record, f});
            for (const FieldPlace &f : OutputFields)
                all.append({Location::Block::Output, unit, record, f});
        }
    }
    return all;
}

bool names(const Setting &s, const ModelField &f)
{
    return s.where.block == f.block && s.where.unit == f.unit && s.where.record == f.record
           && s.where.offset == f.place.offset && s.where.width == f.place.width;
}

unsigned char *fieldBytes(SettingsModel &model, const ModelField &f)
{
    void *record = f.block == Location::Block::Input ? static_cast<void *>(&model.input(f.unit, f.record))
                                                     : static_cast<void *>(&model.output(f.unit, f.record));
    return static_cast<unsigned char *>(record) + f.place.offset;
}

// A model whose every byte differs from its neighbour's, so that no two
// fields read alike by chance.
SettingsModel busyModel()
{
    SettingsModel model;
    QByteArray image(ConfigurationFileSize, '\0');
    for (qsizetype i = 0; i < image.size(); ++i)
        image[i] = char(i * 7 + 3);
    ApplyConfigurationFileImage(model, image);
    return model;
}

QString valueOf(const QList<Setting> &settings, const QString &name)
{
    for (const Setting &s : settings) {
        if (s.name == name)
            return s.value;
    }
    return QStringLiteral("<no such setting>");
}

}  // namespace

class SettingNamesTest : public QObject {
    Q_OBJECT
private slots:
    void everyFieldIsNamedOnceAndOnlyFields()
    {
        const QList<Setting> settings = settingnames::describe(SettingsModel(), false);
        const QList<ModelField> fields = modelFields();
        for (const ModelField &f : fields) {
            int named = 0;
            for (const Setting &s : settings)
                named += names(s, f) ? 1 : 0;
            QVERIFY2(named == 1, qPrintable(QStringLiteral("unit %1 record %2 offset %3 (%4): named %5 times")
                                                .arg(f.unit)
                                                .arg(f.record)
                                                .arg(f.place.offset)
                                                .arg(f.block == Location::Block::Input ? "input" : "output")
                                                .arg(named)));
        }
        QCOMPARE(settings.size(), fields.size());
        QSet<QString> seen;
        for (const Setting &s : settings) {
            QVERIFY2(!seen.contains(s.name), qPrintable(s.name));
            seen.insert(s.name);
        }
    }

    // The versions come only when asked for, one a unit.
    void versionsWhenAsked()
    {
        SettingsModel model;
        model.setFirmwareVersion(2, {'Q', 'X', '2', '.', '4', '1', 0, 0});
        const QList<Setting> settings = settingnames::describe(model, true);
        QCOMPARE(settings.size(), modelFields().size() + 2);
        QCOMPARE(valueOf(settings, QStringLiteral("unit2.version")), QStringLiteral("2.41"));
    }

    // Changing one field's bytes changes that setting and no other.
    void oneFieldChangesOneSetting()
    {
        const SettingsModel before = busyModel();
        const QList<Setting> old = settingnames::describe(before);
        for (const ModelField &f : modelFields()) {
            SettingsModel after = before;
            fieldBytes(after, f)[0] ^= 0x5a;
            const QList<Setting> now = settingnames::describe(after);
            QStringList changed;
            for (qsizetype i = 0; i < now.size(); ++i) {
                if (now[i].bytes != old[i].bytes)
                    changed << now[i].name;
            }
            QCOMPARE(changed.size(), 1);
            for (const Setting &s : now) {
                if (s.name == changed.first())
                    QVERIFY(names(s, f));
            }
        }
    }

    // clang-format off
    void valuesReadAsAUserReadsThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::newRow("count") << "unit1.projectors" << "6";
        QTest::newRow("flag stored as 7") << "unit1.data-doubling" << "on (7)";
        QTest::newRow("centered") << "unit1.alignment" << "centered";
        QTest::newRow("alignment past its list") << "unit2.alignment" << "9 (not in the list)";
        QTest::newRow("gamma as stored") << "unit1.basic-gamma" << "2.2";
        QTest::newRow("gamma that is no number") << "projector3.feather-right.gamma" << "nan";
        QTest::newRow("linear") << "unit1.feather-curve" << "linear";
        QTest::newRow("neither S nor L") << "unit2.feather-curve" << "88 (neither S nor L)";
        QTest::newRow("pattern") << "projector6.test-pattern" << "Grey - 50%";
        QTest::newRow("pattern past the list") << "projector7.test-pattern" << "200 (not in the list)";
        QTest::newRow("locked only when 1") << "channel5.video-locked" << "no (2)";
        QTest::newRow("contrast") << "channel2.contrast" << "100.5";
        QTest::newRow("negative phase") << "channel8.phase" << "-16";
        QTest::newRow("seam gain of channel 5") << "channel5.seam-gain8" << "255";
        QTest::newRow("a copy in screen 3") << "unit2.screen3.projectors" << "4";
    }
    // clang-format on

    void valuesReadAsAUserReadsThem()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        SettingsModel m;
        m.output(1, 1).TotalProjectors = 6;
        m.output(1, 1).DataDoubling = 7;
        m.output(1, 1).Justification = 1;
        m.output(2, 1).Justification = 9;
        m.output(1, 1).BasicGamma = 2.2f;
        m.projectorOutput(3).RightGamma = std::numeric_limits<float>::quiet_NaN();
        m.output(1, 1).FeatherCurve = 'L';
        m.output(2, 1).FeatherCurve = 'X';
        m.projectorOutput(6).TestPattern = 7;
        m.projectorOutput(7).TestPattern = 200;
        m.channelInput(5).VideoLocked = 2;
        m.channelInput(2).ContrastC = 100.5f;
        m.channelInput(8).Phase = -16;
        m.channelOutput(5).SeamGain8 = 255;
        m.output(2, 3).TotalProjectors = 4;
        QCOMPARE(valueOf(settingnames::describe(m), name), value);
    }

    // A file's offsets, as the configuration file lays the records out.
    void fileOffsetsFollowTheFile()
    {
        SettingsModel m;
        m.output(2, 3).BlackLevel = 77;
        const QByteArray image = ConfigurationFileImage(m);
        for (const Setting &s : settingnames::describe(m)) {
            if (s.name == QLatin1String("projector7.black-level"))
                QCOMPARE(quint8(image.at(settingnames::fileOffset(s.where))), quint8(77));
        }
    }
};

QTEST_MAIN(SettingNamesTest)
#include "tst_settingnames.moc"
