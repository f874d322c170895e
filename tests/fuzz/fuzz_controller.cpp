// The simulator's framing of what the program writes, fed any bytes in any
// pieces, through the controller (RS-485 IDs 5 and 6) or straight to one
// unit. Oracle: a line that reaches a unit through the controller came in a
// PASS frame whose two hex digits are the checksum of its bytes, or in a
// QXQUERY line, addressed to that unit's ID; a line is never longer than
// the line limit and holds no line end; every reply ends with a prompt.

#include "fuzz/FuzzSupport.h"
#include "core/Simulator.h"

using namespace tess;
using namespace tess::sim;

namespace {

constexpr int UnitIds[] = {5, 6};
constexpr qsizetype LineLimit = 1024;

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// "*<id><command>!" addressed to `id` (leading zeros allowed) and carrying
// `command`.
bool addressedTo(const QByteArray &addressed, int id, const QByteArray &command)
{
    if (!addressed.startsWith('*') || !addressed.endsWith(command + "!"))
        return false;
    const QByteArray digits = addressed.mid(1, addressed.size() - 2 - command.size());
    if (digits.isEmpty() || digits.size() > 6)
        return false;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
    }
    return digits.toInt() == id;
}

// Whether `line` (as received) may carry `command` to the unit with `id`.
bool carries(const QByteArray &line, int id, const QByteArray &command)
{
    const QByteArray text = line.trimmed();
    const QByteArray head = text.left(8).toLower();
    if (head.startsWith("qxquery "))
        return addressedTo(text.mid(8), id, command);
    if (!head.startsWith("pass ") || text.size() < 7)
        return false;
    const QByteArray addressed = text.mid(5, text.size() - 7);
    const int high = hexValue(text.at(text.size() - 2));
    const int low = hexValue(text.at(text.size() - 1));
    unsigned sum = 0;
    for (char c : addressed)
        sum += static_cast<unsigned char>(c);
    return high >= 0 && low >= 0 && unsigned(high * 16 + low) == (sum & 0xFF) && addressedTo(addressed, id, command);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::Input in(data, size);
    const std::uint8_t flags = in.byte();
    const bool direct = flags & 1;
    const int piece = 1 + (flags >> 1) % 32;
    Simulator sim(direct ? Setup::direct() : Setup::controller({UnitIds[0], UnitIds[1]}));

    qint64 now = 0;
    while (!in.empty()) {
        sim.receive(in.take(std::size_t(piece)), now);
        now += 10;
        sim.takeDue(now);
    }

    QByteArray lastLine;
    bool lineSeen = false;
    for (const LogEntry &entry : sim.log().entries()) {
        switch (entry.kind) {
        case LogEntry::Kind::Received:
            FUZZ_CHECK(entry.bytes.size() <= LineLimit);
            FUZZ_CHECK(!entry.bytes.contains('\r') && !entry.bytes.contains('\n'));
            lastLine = entry.bytes;
            lineSeen = true;
            break;
        case LogEntry::Kind::Command:
            FUZZ_CHECK(lineSeen);
            FUZZ_CHECK(entry.unit == 1 || entry.unit == 2);
            if (direct)
                FUZZ_CHECK(entry.bytes == lastLine && !lastLine.trimmed().isEmpty());
            else
                FUZZ_CHECK(carries(lastLine, UnitIds[entry.unit - 1], entry.bytes));
            break;
        case LogEntry::Kind::Sent:
            FUZZ_CHECK(direct ? entry.bytes.endsWith('#')
                              : entry.bytes.endsWith(Simulator::ControllerPrompt)
                                    || entry.bytes.endsWith(Simulator::DebugPrompt));
            break;
        case LogEntry::Kind::Note:
            break;
        }
    }
    return 0;
}
