// The status-record search and the three decoders on any reply buffer.
// Oracle: the header is where the independent decoder finds it, the payload
// is exactly the bytes that follow it (never more than the type states),
// and every decoded field equals that decoder's reading of the record's
// bytes; a field the reply does not hold keeps what it was.

#include "fuzz/FuzzSupport.h"
#include "fuzz/RecordFields.h"
#include "device/StatusRecords.h"
#include "sim/RecordDecoder.h"

#include <cstring>

using namespace tess;
using namespace tess::records;
using tess::fuzz::firstDifference;

namespace {

constexpr unsigned char Sentinel = 0xA5;

template <typename Record>
Record sentinelRecord()
{
    Record r;
    std::memset(static_cast<void *>(&r), Sentinel, sizeof r);
    return r;
}

// The reply as the independent decoder reads it: padded with zeros when the
// record is cut short, so that it never reads outside the copy.
QByteArray paddedReply(const QByteArray &reply, const Record &record)
{
    const qsizetype end = record.at + 2 + payloadLength(record.type);
    QByteArray padded = reply;
    if (padded.size() < end)
        padded.append(QByteArray(end - padded.size(), '\0'));
    return padded;
}

std::optional<Record> checkedFind(Bytes reply, const QByteArray &copy, std::string_view types)
{
    const auto record = findRecord(reply, types);
    const auto header = test::records::findHeader(copy, QByteArray(types.data(), qsizetype(types.size())));
    FUZZ_CHECK(record.has_value() == header.has_value());
    if (!record)
        return record;
    FUZZ_CHECK(record->at == *header);
    FUZZ_CHECK(record->type == reply[std::size_t(record->at) + 1]);
    FUZZ_CHECK(record->payload.data() == reply.data() + record->at + 2);
    const std::size_t stated = std::size_t(payloadLength(record->type));
    FUZZ_CHECK(stated > 0);
    FUZZ_CHECK(record->payload.size() == std::min(stated, reply.size() - std::size_t(record->at) - 2));
    return record;
}

void checkSystem(Bytes reply, const QByteArray &copy)
{
    const auto record = checkedFind(reply, copy, SystemTypes);
    if (!record)
        return;
    FirmwareVersionBytes version;
    version.fill(char(Sentinel));
    decodeSystemInfo(record->payload, version);
    for (std::size_t i = 0; i < version.size(); ++i) {
        const bool sent = i < record->payload.size();
        FUZZ_CHECK(std::uint8_t(version[i]) == (sent ? record->payload[i] : Sentinel));
    }
}

// Decodes the record `types` finds with `decode` over a record that held
// the sentinel, and compares it with `oracle`'s reading; the decoded record.
template <typename R, std::size_t N>
std::optional<R> checkDecoded(Bytes reply, const QByteArray &copy, std::string_view types,
                              void (*decode)(std::uint8_t, Bytes, R &), const fuzz::NamedField<R> (&fields)[N],
                              QVariantMap (*oracle)(const QByteArray &, int))
{
    const auto record = checkedFind(reply, copy, types);
    if (!record)
        return std::nullopt;
    const R before = sentinelRecord<R>();
    R r = before;
    decode(record->type, record->payload, r);
    const bool whole = int(record->payload.size()) == payloadLength(record->type);
    FUZZ_CHECK_SAME_FIELDS(
        firstDifference(fields, r, oracle(paddedReply(copy, *record), record->at), whole ? nullptr : &before));
    return r;
}

void checkInput(Bytes reply, const QByteArray &copy)
{
    checkDecoded(reply, copy, InputTypes, decodeInputInfo, fuzz::InputFields, test::records::decodeInput);
}

void checkOutput(Bytes reply, const QByteArray &copy)
{
    const auto r =
        checkDecoded(reply, copy, OutputTypes, decodeOutputInfo, fuzz::OutputFields, test::records::decodeOutput);
    // The older layouts carry no bridge threshold.
    if (r && r->BridgeThreshold != 0)
        FUZZ_CHECK(findRecord(reply, OutputTypes)->type == 'B');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const Bytes reply(data, size);
    const QByteArray copy(reinterpret_cast<const char *>(data), qsizetype(size));
    checkSystem(reply, copy);
    checkInput(reply, copy);
    checkOutput(reply, copy);

    // The decoders alone, with any type byte and a payload of any length:
    // they read nothing outside it (the sanitizers watch).
    if (size > 0) {
        const Bytes payload = reply.subspan(1);
        InputRecord in;
        OutputRecord out;
        decodeInputInfo(data[0], payload, in);
        decodeOutputInfo(data[0], payload, out);
    }
    return 0;
}
