// The receive handler under every operation that reads the line: the three
// status queries, relayed and direct sends, the unit count, the probe and a
// complete status read, fed any bytes in any pieces through the scripted
// port in virtual time. Oracle: a query that reports its record stored
// found it whole (the payload its type states, then the line end) and of
// the kind it asked for, and the model holds what the independent decoder
// reads there; a query that failed left the model as it was; a unit count
// is the number the reply holds; every operation ends within its bounded
// virtual time.

#include "fuzz/FuzzSupport.h"
#include "fuzz/LinkScenario.h"
#include "fuzz/RecordFields.h"
#include "model/RecordTypes.h"
#include "sim/RecordDecoder.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>

using namespace tess;
using namespace tess::fuzz;

namespace {

// With at most three questions answered Yes, no operation may take longer:
// each query is a few 8-second attempts between the questions, and a
// complete read is nine queries.
constexpr qint64 OperationBoundMs = 30 * 60 * 1000;

// The reply as the parsers read it: up to and with its prompt.
QByteArray replyBytes(const Link &link)
{
    return link.replyView().toByteArray();
}

// The record a successful query stored: whole, of the kind asked.
int checkWholeRecord(const Link &link, const QByteArray &types)
{
    const QByteArray reply = replyBytes(link);
    const auto header = test::records::findHeader(reply, types);
    FUZZ_CHECK(header.has_value());
    const int end = *header + 2 + statusRecordPayloadLength(quint8(reply.at(*header + 1)));
    FUZZ_CHECK(end + 1 < reply.size());
    FUZZ_CHECK(reply.at(end) == '\r' && reply.at(end + 1) == '\n');
    return *header;
}

template <typename Record>
bool sameBytes(const Record &a, const Record &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A query's record in the model: unchanged when the query failed, else what
// the independent decoder reads in the whole record of the kind asked.
template <typename R, std::size_t N>
void checkStored(const LinkScenario &s, bool stored, const R &now, const R &before, const NamedField<R> (&fields)[N],
                 const char *types, QVariantMap (*oracle)(const QByteArray &, int))
{
    if (!stored) {
        FUZZ_CHECK(sameBytes(now, before));
        return;
    }
    FUZZ_CHECK_SAME_FIELDS(firstDifference(fields, now, oracle(replyBytes(s.link), checkWholeRecord(s.link, types))));
}

void checkResult(LinkScenario &s, Operation op, int result, const SettingsModel &before)
{
    const bool stored = result == 1;
    const int unit = s.flags.unit;
    const int screen = s.flags.screen;
    switch (op) {
    case Operation::QuerySystem:
        if (!stored) {
            FUZZ_CHECK(s.model.firmwareVersion(unit) == before.firmwareVersion(unit));
            return;
        }
        {
            const int at = checkWholeRecord(s.link, QByteArray("\x08", 1));
            const FirmwareVersionBytes &version = s.model.firmwareVersion(unit);
            FUZZ_CHECK(std::memcmp(version.data(), s.link.replyView().data() + at + 2, 7) == 0 && version[7] == 0);
        }
        return;
    case Operation::QueryInput:
        checkStored(s, stored, s.model.input(unit, screen), before.input(unit, screen), InputFields, "FN",
                    test::records::decodeInput);
        return;
    case Operation::QueryOutput:
        checkStored(s, stored, s.model.output(unit, screen), before.output(unit, screen), OutputFields, ">?@B",
                    test::records::decodeOutput);
        return;
    case Operation::CountUnits:
        // A count comes from the first number among the reply's first 30
        // characters, as strtol reads it.
        if (result != 0) {
            const QByteArray text = s.link.reply();
            const char *reply = text.constData();
            int digit = 0;
            while (digit < 30 && reply[digit] && !std::isdigit(static_cast<unsigned char>(reply[digit])))
                ++digit;
            FUZZ_CHECK(digit < 30 && reply[digit]);
            const long count = std::strtol(reply + digit, nullptr, 10);
            FUZZ_CHECK(count > INT_MAX || result == count);
        }
        return;
    default:
        return;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ensureApplication();
    Input in(data, size);
    const auto op = Operation(in.byte() % OperationCount);
    const ScenarioFlags flags = ScenarioFlags::from(in.byte());
    const int piece = in.byte() % 16;
    LinkScenario s(flags, piece, [&in](const QByteArray &) { return in.take(in.byte()); });

    // A model that already holds something, so that a failed query that
    // touched it shows.
    std::memset(static_cast<void *>(&s.model.input(flags.unit, flags.screen)), 0x5A, sizeof(InputRecord));
    std::memset(static_cast<void *>(&s.model.output(flags.unit, flags.screen)), 0x5A, sizeof(OutputRecord));
    const SettingsModel before = s.model;

    const int result = s.run(op);
    FUZZ_CHECK(s.clock.nowMs() <= OperationBoundMs);
    // The link is idle afterwards: nothing collects a reply any more.
    FUZZ_CHECK(!s.link.awaitingReply());
    checkResult(s, op, result, before);
    return 0;
}
