// Finding the status record in a reply and decoding it, as pure functions
// over bytes: every layout, the fields each one keeps, and bounds.
#include "device/StatusRecords.h"
#include "support/RecordEncoder.h"

#include <QTest>

#include <cstring>
#include <vector>

using namespace tess;
using namespace tess::records;
using namespace tess::test;

namespace {

Bytes bytesOf(const QByteArray &a)
{
    return {reinterpret_cast<const std::uint8_t *>(a.constData()), size_t(a.size())};
}

// A record whose every field holds a value of its own, so that a field
// decoded from the wrong offset cannot go unnoticed.
OutputRecord distinctOutput()
{
    OutputRecord r;
    r.OutputFormat = 3;
    r.FrameRate = 2;
    r.OutputSync = 7;
    r.AdvancedMode = 1;
    r.ProjectorGroup = 1;
    r.TotalProjectors = 6;
    r.DataDoubling = 1;
    r.Justification = 1;
    r.OverlapWidth = 300;
    r.BasicGamma = 2.2f;
    r.BasicFeather = 1;
    r.LeftGamma = -1.5f;
    r.LeftFeather = 258;  // both bytes of a 16-bit value count
    r.RightGamma = 10.0f;
    r.RightFeather = -2;
    r.HaloLeftWidth = 11;
    r.HaloLeftOffset = -12;
    r.HaloRightWidth = 13;
    r.HaloRightOffset = 14;
    r.GammaLeftWidth = 100000;
    r.GammaLeftOffset = -70000;
    r.GammaRightWidth = 17;
    r.GammaRightOffset = 18;
    r.BlackLevel = 200;
    r.TestPattern = 9;
    r.OutputRaster = 1;
    r.TestGrid = 1;
    r.SeamPrefix = -4;
    for (std::size_t i = 0; i < SeamGainFields.size(); ++i)
        r.*SeamGainFields[i] = std::uint8_t(30 + i);
    r.SeamBridge = 1;
    r.FeatherCurve = 'L';
    r.BridgeThreshold = 77;
    return r;
}

// What the model held before the read: other values again, padding too.
OutputRecord heldOutput()
{
    OutputRecord r;
    std::memset(static_cast<void *>(&r), 0x5A, sizeof r);
    r.FeatherCurve = 'S';
    r.SeamBridge = 0;
    return r;
}

InputRecord distinctInput()
{
    InputRecord r;
    r.VideoLoaded = 1;
    r.VideoLocked = 1;
    r.Phase = 23;
    r.Reserved8 = 8;
    r.Reserved9 = 9;
    r.HTotal = 1688;
    r.HPositionRef = 200;
    r.HPosition = -190;
    r.VPositionRef = 40;
    r.VPosition = 38;
    r.HActive = 1280;
    r.VActive = 1024;
    r.InputSync = 3;
    r.Termination = 1;
    r.ContrastC = 100.5f;
    r.BrightnessC = -3.5f;
    r.ContrastR = 98.7f;
    r.BrightnessR = 1.1f;
    r.ContrastG = 50.0f;
    r.BrightnessG = -0.1f;
    r.ContrastB = 120.0f;
    r.BrightnessB = 0.0f;
    r.HPositionMax = 400;
    r.VPositionMax = 60;
    return r;
}

// Compares two records byte for byte and names the first differing offset.
template <typename Record>
void compareRecords(const Record &actual, const Record &expected)
{
    const auto *a = reinterpret_cast<const unsigned char *>(&actual);
    const auto *e = reinterpret_cast<const unsigned char *>(&expected);
    for (std::size_t i = 0; i < sizeof(Record); ++i) {
        if (a[i] != e[i])
            QFAIL(qPrintable(QStringLiteral("records differ first at byte offset %1").arg(i)));
    }
}

}  // namespace

class StatusRecordsTest : public QObject {
    Q_OBJECT
private slots:
    void headerIsSearchedAtPositionsZeroToTwentyNine_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QByteArray>("types");
        QTest::addColumn<int>("found");  // -1: none
        const QByteArray payload(66, 'p');
        const auto at = [&](int position, char type) {
            QByteArray r(position, 'x');
            r += recordBytes(type, payload);
            r.append(250 - r.size(), '\0');
            return r;
        };
        QTest::newRow("at 0") << at(0, 'B') << QByteArray(">?@B") << 0;
        QTest::newRow("at 29, the last place searched") << at(29, 'B') << QByteArray(">?@B") << 29;
        QTest::newRow("at 30 not found") << at(30, 'B') << QByteArray(">?@B") << -1;
        QTest::newRow("type A is not an output layout") << at(5, 'A') << QByteArray(">?@B") << -1;
        QTest::newRow("an input layout is not an output layout") << at(5, 'F') << QByteArray(">?@B") << -1;
        QTest::newRow("input N") << at(12, 'N') << QByteArray("FN") << 12;
        QTest::newRow("system record is type 8") << at(3, 8) << QByteArray("\x08", 1) << 3;
        QByteArray decoy = QByteArray("ab\x01Zcd", 6) + at(0, '@');
        QTest::newRow("byte 1 with a wrong type is passed over") << decoy << QByteArray(">?@B") << 6;
    }
    void headerIsSearchedAtPositionsZeroToTwentyNine()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QByteArray, types);
        QFETCH(int, found);
        const auto record = findRecord(bytesOf(reply), std::string_view(types.constData(), size_t(types.size())));
        QCOMPARE(record ? record->at : -1, found);
        if (record)
            QCOMPARE(record->payload.data(), bytesOf(reply).data() + found + 2);
    }

    void outputLayoutsStoreWhatTheyCarry_data()
    {
        QTest::addColumn<char>("type");
        QTest::newRow("B: feathering widths and bridge threshold") << 'B';
        QTest::newRow("@: halo group, threshold 0") << '@';
        QTest::newRow("?: 63 bytes, feather curve not sent") << '?';
        QTest::newRow(">: 62 bytes, seam bridge and feather curve not sent") << '>';
    }
    void outputLayoutsStoreWhatTheyCarry()
    {
        QFETCH(char, type);
        const OutputRecord unit = distinctOutput();
        // The reply goes on after the payload with its line end and prompt:
        // those bytes are not the unit's values.
        const QByteArray reply = recordBytes(type, outputPayload(unit, type)) + "\r\n#";
        const auto record = findRecord(bytesOf(reply), OutputTypes);
        QVERIFY(record);
        QCOMPARE(int(record->payload.size()), payloadLength(std::uint8_t(type)));

        OutputRecord decoded = heldOutput();
        decodeOutputInfo(record->type, record->payload, decoded);

        OutputRecord expected = unit;
        const OutputRecord held = heldOutput();
        std::memcpy(expected.Pad18, held.Pad18, 2);
        std::memcpy(expected.Pad26, held.Pad26, 2);
        std::memcpy(expected.Pad34, held.Pad34, 2);
        expected.Pad87 = held.Pad87;
        if (type == 'B') {
            expected.HaloLeftWidth = held.HaloLeftWidth;
            expected.HaloLeftOffset = held.HaloLeftOffset;
            expected.HaloRightWidth = held.HaloRightWidth;
            expected.HaloRightOffset = held.HaloRightOffset;
        } else {
            expected.GammaLeftWidth = held.GammaLeftWidth;
            expected.GammaLeftOffset = held.GammaLeftOffset;
            expected.GammaRightWidth = held.GammaRightWidth;
            expected.GammaRightOffset = held.GammaRightOffset;
            expected.BridgeThreshold = 0;
        }
        if (type == '?' || type == '>')
            expected.FeatherCurve = held.FeatherCurve;
        if (type == '>')
            expected.SeamBridge = held.SeamBridge;
        compareRecords(decoded, expected);
    }

    void inputLayoutsFAndN_data()
    {
        QTest::addColumn<char>("type");
        QTest::newRow("N carries the position maxima") << 'N';
        QTest::newRow("F has none: they become -1") << 'F';
    }
    void inputLayoutsFAndN()
    {
        QFETCH(char, type);
        const InputRecord unit = distinctInput();
        const QByteArray reply = recordBytes(type, inputPayload(unit, type)) + "\r\n#";
        const auto record = findRecord(bytesOf(reply), InputTypes);
        QVERIFY(record);
        InputRecord decoded;
        std::memset(static_cast<void *>(&decoded), 0x5A, sizeof decoded);
        decodeInputInfo(record->type, record->payload, decoded);
        InputRecord expected = unit;
        std::memset(expected.Pad2, 0x5A, 2);
        std::memset(expected.Pad10, 0x5A, 2);
        std::memset(expected.Pad42, 0x5A, 2);
        if (type == 'F')
            expected.HPositionMax = expected.VPositionMax = -1;
        compareRecords(decoded, expected);
    }

    void wireValuesAreBigEndianTenthsAndSixteenBitFlags()
    {
        QByteArray in(70, '\0');
        put32(in, 38, 1005);  // ContrastC: 1005 tenths
        put32(in, 42, -25);   // BrightnessC
        put32(in, 2, -2);     // Phase, signed
        in[28] = 0x00;        // HActive 0x00000500
        in[29] = 0x00;
        in[30] = 0x05;
        in[31] = 0x00;
        InputRecord i{};
        decodeInputInfo('F', bytesOf(in), i);
        QCOMPARE(i.ContrastC, 100.5f);
        QCOMPARE(i.BrightnessC, -2.5f);
        QCOMPARE(i.Phase, -2);
        QCOMPARE(i.HActive, 1280);

        QByteArray out(66, '\0');
        out[16] = 0;  // BasicFeather: bytes 0 and 1
        out[17] = 1;
        out[22] = 1;  // LeftFeather: bytes 1 and 0
        out[23] = 0;
        put32(out, 12, 22);  // BasicGamma 2.2
        OutputRecord o{};
        decodeOutputInfo('B', bytesOf(out), o);
        QCOMPARE(o.BasicFeather, std::int16_t(1));
        QCOMPARE(o.LeftFeather, std::int16_t(256));
        QCOMPARE(o.BasicGamma, 2.2f);
    }

    void systemRecordIsItsEightBytes()
    {
        const QByteArray reply = QByteArray("SYINFOQX\r\n") + recordBytes(8, "QXV1.07Z") + "\r\n#";
        const auto record = findRecord(bytesOf(reply), SystemTypes);
        QVERIFY(record);
        FirmwareVersionBytes version{};
        decodeSystemInfo(record->payload, version);
        QCOMPARE(QByteArray(version.data(), 8), QByteArray("QXV1.07Z"));
    }

    void recordAtTheEndOfTheBytesIsNeverReadPast()
    {
        // Header at 29 with a 'B' layout, but only 40 bytes exist: the
        // decoder takes the 9 payload bytes there are and nothing beyond
        // (an exactly sized heap block, so a sanitizer build sees any
        // stray read).
        const OutputRecord unit = distinctOutput();
        QByteArray full = QByteArray(29, 'x') + recordBytes('B', outputPayload(unit, 'B'));
        std::vector<std::uint8_t> buffer(full.begin(), full.begin() + 40);
        const auto record = findRecord(buffer, OutputTypes);
        QVERIFY(record);
        QCOMPARE(record->at, 29);
        QCOMPARE(int(record->payload.size()), 9);
        OutputRecord decoded = heldOutput();
        decodeOutputInfo(record->type, record->payload, decoded);
        QCOMPARE(decoded.Justification, unit.Justification);        // payload byte 7
        QCOMPARE(decoded.OverlapWidth, heldOutput().OverlapWidth);  // bytes 8-11: only one there
        QCOMPARE(decoded.BridgeThreshold, heldOutput().BridgeThreshold);

        // A byte 1 as the very last byte has no type byte after it.
        std::vector<std::uint8_t> lastByte(30, 'x');
        lastByte.back() = 1;
        QVERIFY(!findRecord(lastByte, OutputTypes));

        // The whole reply buffer with the header at 29: all 66 bytes fit.
        full.append(250 - full.size(), '\0');
        std::vector<std::uint8_t> replyBuffer(full.begin(), full.end());
        const auto whole = findRecord(replyBuffer, OutputTypes);
        QVERIFY(whole);
        QCOMPARE(int(whole->payload.size()), 66);
    }
};

QTEST_GUILESS_MAIN(StatusRecordsTest)
#include "tst_statusrecords.moc"
