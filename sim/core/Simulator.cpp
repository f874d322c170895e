#include "core/Simulator.h"

#include "core/Records.h"

namespace tess::sim {

namespace {

constexpr int MaxLine = 1024;

QByteArray describe(const LineSettings &line)
{
    static const char *const names[] = {"no", "odd", "even", "mark", "space"};
    return QByteArray::number(line.baud) + " baud, " + names[int(line.parity)] + " parity";
}

}  // namespace

Simulator::Simulator(const Setup &setup) : mode_(setup.mode), ids_(setup.ids)
{
    if (mode_ == Mode::Direct)
        ids_ = {0};
    while (ids_.size() > 2)
        ids_.removeLast();
    for (qsizetype i = 0; i < ids_.size(); ++i)
        units_.push_back(std::make_unique<Unit>(int(i), int(ids_.size())));
    listensWith.baud = mode_ == Mode::Direct ? 38400 : 57600;
}

quint8 Simulator::checksum(const QByteArray &text)
{
    quint8 sum = 0;
    for (char c : text)
        sum = quint8(sum + quint8(c));
    return sum;
}

void Simulator::receive(const QByteArray &bytes, qint64 now, std::optional<LineSettings> settings)
{
    if (bytes.isEmpty())
        return;
    if (faults_.silent) {
        log_.add(now, LogEntry::Kind::Note, 0,
                 "line is silent: ignored " + QByteArray::number(bytes.size()) + " bytes");
        return;
    }
    if (checkLineSettings && settings && *settings != listensWith) {
        log_.add(now, LogEntry::Kind::Note, 0,
                 "line set to " + describe(*settings) + ", device listens with " + describe(listensWith)
                     + ": heard only noise, ignored " + QByteArray::number(bytes.size()) + " bytes");
        return;
    }
    for (char c : bytes) {
        if (swallowCr_) {
            // A relayed frame ends in two carriage returns; the second one
            // belongs to the frame.
            swallowCr_ = false;
            if (c == '\r')
                continue;
        }
        if (c == '\r') {
            swallowCr_ = mode_ == Mode::Controller && lineBuffer_.trimmed().toLower().startsWith("pass ");
            const QByteArray text = lineBuffer_;
            const bool tooLong = lineTooLong_;
            lineBuffer_.clear();
            lineTooLong_ = false;
            if (tooLong) {
                log_.add(now, LogEntry::Kind::Note, 0, "line longer than 1024 characters: refused");
                refuse(now);
            } else {
                line(text, now);
            }
        } else if (c == '\n') {
            continue;
        } else if (c == '\b' || c == '\x7f') {
            lineBuffer_.chop(1);
        } else if (lineBuffer_.size() < MaxLine) {
            lineBuffer_.append(c);
        } else {
            lineTooLong_ = true;
        }
    }
}

void Simulator::line(const QByteArray &text, qint64 now)
{
    if (mode_ == Mode::Direct)
        directLine(text, now);
    else
        controllerLine(text, now);
}

void Simulator::directLine(const QByteArray &text, qint64 now)
{
    Unit &u = *units_.front();
    log_.add(now, LogEntry::Kind::Received, 1, text);
    if (!u.responding || !u.present) {
        log_.add(now, LogEntry::Kind::Note, 1, "unit 1 does not respond");
        return;
    }
    // A unit that is still working takes the line when it is done.
    const qint64 start = qMax(now, u.busyUntil);
    const QByteArray echo = faults_.echo && !text.isEmpty() ? text + "\r\n" : QByteArray();
    QByteArray body;
    if (!text.trimmed().isEmpty()) {
        log_.add(now, LogEntry::Kind::Command, 1, text);
        const Unit::Answer answer = u.handle(text);
        body = answer.record ? cutRecord(answer.body) : answer.body;
        if (answer.busyMs > 0)
            u.busyUntil = start + answer.busyMs;
    }
    reply(echo, body + "\r\n#", start, qMax(start, u.busyUntil), 1);
}

void Simulator::refuse(qint64 now)
{
    if (mode_ == Mode::Direct)
        reply({}, QByteArray(Unit::InvalidCommand) + "\r\n#", now, now, 1);
    else
        reply({}, "?\r\n" + prompt(), now, now, 0);
}

QByteArray Simulator::cutRecord(const QByteArray &record) const
{
    if (faults_.truncatePayload < 0)
        return record;
    return record.left(2 + faults_.truncatePayload);
}

void Simulator::reply(const QByteArray &head, const QByteArray &tail, qint64 headDue, qint64 tailDue, int unit)
{
    const QByteArray whole = head + tail;
    if (faults_.dropReplies > 0) {
        --faults_.dropReplies;
        log_.add(headDue, LogEntry::Kind::Note, unit, "reply dropped: " + Log::escape(whole).toUtf8());
        return;
    }
    log_.add(headDue, LogEntry::Kind::Sent, unit, whole);
    QByteArray first = head;
    QByteArray second = tail;
    if (faults_.insertAt >= 0 || faults_.loseByteAt >= 0)
        damage(first, second);
    if (faults_.noiseBytes > 0)
        first.prepend(garbage(faults_.noiseBytes, noiseRandom_.next()));
    queue(first, headDue + faults_.delayMs);
    queue(second, tailDue + faults_.delayMs);
}

void Simulator::damage(QByteArray &head, QByteArray &tail)
{
    // Positions count over the whole reply; the damage stays in the part
    // (echo or answer) it falls into.
    QByteArray whole = head + tail;
    qsizetype headSize = head.size();
    const qsizetype insertAt = faults_.insertAt;
    if (insertAt >= 0 && insertAt <= whole.size() && faults_.insertBytes > 0) {
        whole.insert(insertAt, garbage(faults_.insertBytes, noiseRandom_.next()));
        if (insertAt < headSize)
            headSize += faults_.insertBytes;
    }
    const qsizetype loseAt = faults_.loseByteAt;
    if (loseAt >= 0 && loseAt < whole.size()) {
        whole.remove(loseAt, 1);
        if (loseAt < headSize)
            --headSize;
    }
    head = whole.left(headSize);
    tail = whole.mid(headSize);
}

void Simulator::sendRaw(const QByteArray &bytes, qint64 now)
{
    log_.add(now, LogEntry::Kind::Sent, 0, bytes);
    queue(bytes, now + faults_.delayMs);
}

void Simulator::queue(const QByteArray &bytes, qint64 due)
{
    qsizetype at = 0;
    while (at < bytes.size()) {
        qsizetype size = bytes.size() - at;
        if (faults_.split == Faults::Split::Fixed)
            size = qMax(1, faults_.splitSize);
        else if (faults_.split == Faults::Split::Random)
            size = splitRandom_.between(1, qMax(1, faults_.splitSize));
        // The line is sequential: nothing overtakes what was queued earlier.
        lastDue_ = qMax(lastDue_, due);
        pending_.push_back({lastDue_, bytes.mid(at, size)});
        at += size;
        due = lastDue_ + faults_.splitGapMs;
    }
    if (!bytes.isEmpty() && onOutput)
        onOutput();
}

QList<QByteArray> Simulator::takeDue(qint64 now)
{
    QList<QByteArray> out;
    while (!pending_.empty() && pending_.front().due <= now) {
        out.append(pending_.front().bytes);
        pending_.pop_front();
    }
    return out;
}

std::optional<QByteArray> Simulator::takeNext(qint64 now)
{
    if (pending_.empty() || pending_.front().due > now)
        return std::nullopt;
    QByteArray bytes = pending_.front().bytes;
    pending_.pop_front();
    return bytes;
}

std::optional<qint64> Simulator::nextDueMs() const
{
    if (pending_.empty())
        return std::nullopt;
    return pending_.front().due;
}

QByteArray Simulator::garbage(int count, quint64 seed)
{
    Random random(seed);
    QByteArray out;
    out.reserve(count);
    while (out.size() < count) {
        const auto b = char(random.between(0x20, 0xff));
        if (b == '#' || b == '>' || b == '?' || b == '!' || b == '\x7f')
            continue;
        out.append(b);
    }
    return out;
}

}  // namespace tess::sim
