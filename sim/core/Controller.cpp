// The VKS Controller: it takes "PASS" frames with a checksum, "QXQUERY"
// lines, "NQX" and "debug 0/1", and relays commands to the unit with the
// RS-485 ID they carry.

#include "core/Simulator.h"

namespace tess::sim {

namespace {

bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// "*<id><command>!" -> id and command; false when the text has another shape.
bool splitAddressed(const QByteArray &text, int &id, QByteArray &command)
{
    if (text.size() < 3 || text.front() != '*' || text.back() != '!')
        return false;
    qsizetype end = 1;
    while (end < text.size() && text.at(end) >= '0' && text.at(end) <= '9')
        ++end;
    if (end == 1 || end - 1 > 6)
        return false;
    id = text.mid(1, end - 1).toInt();
    command = text.mid(end, text.size() - end - 1);
    return true;
}

}  // namespace

QByteArray Simulator::prompt() const
{
    return debug_ ? DebugPrompt : ControllerPrompt;
}

Unit *Simulator::unitById(int id)
{
    for (qsizetype i = 0; i < ids_.size(); ++i) {
        if (ids_.at(i) == id && units_.at(size_t(i))->present)
            return units_.at(size_t(i)).get();
    }
    return nullptr;
}

int Simulator::numberOf(const Unit *unit) const
{
    for (size_t i = 0; i < units_.size(); ++i) {
        if (units_[i].get() == unit)
            return int(i) + 1;
    }
    return 0;
}

void Simulator::controllerLine(const QByteArray &text, qint64 now)
{
    log_.add(now, LogEntry::Kind::Received, 0, text);
    const QByteArray trimmed = text.trimmed();
    const QByteArray lower = trimmed.toLower();
    const QByteArray echo = trimmed + "\r\n";

    if (trimmed.isEmpty()) {
        reply({}, "\r\n" + prompt(), now, now, 0);
        return;
    }
    if (lower == "debug 0" || lower == "debug 1") {
        debug_ = lower == "debug 1" || faults_.debugStuck;
        reply({}, echo + prompt(), now, now, 0);
        return;
    }
    if (debug_) {
        reply({}, "?\r\n" + prompt(), now, now, 0);
        return;
    }
    const bool pass = lower.startsWith("pass ");
    const bool query = lower.startsWith("qxquery ");
    if (!pass && !query && lower != "nqx") {
        reply({}, "?\r\n" + prompt(), now, now, 0);
        return;
    }
    if (faults_.unrecognisedCount > 0) {
        --faults_.unrecognisedCount;
        reply({}, "?\r\n" + prompt(), now, now, 0);
        return;
    }
    if (lower == "nqx") {
        const char separator = faults_.countSeparator;
        QByteArray ids;
        int count = 0;
        for (qsizetype i = 0; i < ids_.size(); ++i) {
            if (units_.at(size_t(i))->present) {
                ++count;
                ids += separator + QByteArray::number(ids_.at(i));
            }
        }
        reply({}, echo + "QX:" + separator + QByteArray::number(count) + ids + "\r\n" + prompt(), now, now, 0);
        return;
    }

    // "PASS *<id><command>!<two hex digits>" or "QXQUERY *<id><query>!"
    QByteArray addressed = trimmed.mid(pass ? 5 : 8);
    if (pass) {
        const QByteArray digits = addressed.right(2);
        addressed.chop(2);
        if (digits.size() != 2 || !isHex(digits.at(0)) || !isHex(digits.at(1))) {
            controllerError(2, echo, now);
            return;
        }
        if (digits.toUpper().toInt(nullptr, 16) != checksum(addressed)) {
            controllerError(1, echo, now);
            return;
        }
    }
    int id = 0;
    QByteArray command;
    if (!splitAddressed(addressed, id, command)) {
        controllerError(2, echo, now);
        return;
    }
    if (faults_.forcedErrorCount != 0) {
        if (faults_.forcedErrorCount > 0)
            --faults_.forcedErrorCount;
        controllerError(faults_.forcedErrorCode, echo, now, faults_.forcedErrorCode == 4 ? faults_.noResponseMs : 0);
        return;
    }
    relay(id, command, echo, now);
}

void Simulator::relay(int id, const QByteArray &command, const QByteArray &echo, qint64 now)
{
    Unit *u = unitById(id);
    const int number = numberOf(u);
    if (!u) {
        log_.add(now, LogEntry::Kind::Note, 0, "no unit with RS-485 ID " + QByteArray::number(id));
        controllerError(4, echo, now, faults_.noResponseMs);
        return;
    }
    if (!u->responding || u->busyUntil > now) {
        log_.add(now, LogEntry::Kind::Note, number,
                 u->responding ? "unit busy for " + QByteArray::number(u->busyUntil - now) + " ms more"
                               : QByteArray("unit does not respond"));
        controllerError(4, echo, now, faults_.noResponseMs);
        return;
    }
    log_.add(now, LogEntry::Kind::Command, number, command);
    const Unit::Answer answer = u->handle(command);
    if (answer.busyMs > 0)
        u->busyUntil = now + answer.busyMs;
    const QByteArray body = answer.record ? cutRecord(answer.body) : answer.body;
    reply({}, echo + body + (body.isEmpty() ? "" : "\r\n") + prompt(), now, now, number);
}

void Simulator::controllerError(int code, const QByteArray &echo, qint64 now, int waitMs)
{
    reply({}, echo + "!ERR " + QByteArray::number(code) + "\r\n" + prompt(), now + waitMs, now + waitMs, 0);
}

}  // namespace tess::sim
