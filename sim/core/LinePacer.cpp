#include "core/LinePacer.h"

#include <algorithm>

namespace tess::sim {

namespace {

constexpr qint64 NsPerMs = 1000000;

}  // namespace

void LineStats::add(qint64 lateNs, qsizetype bytes, bool fromProgram)
{
    const qint64 us = qMax<qint64>(0, lateNs) / 1000;
    counts_[size_t(qMin<qint64>(us, Buckets))] += bytes;
    maxUs_ = qMax(maxUs_, us);
    (fromProgram ? in_ : out_) += bytes;
}

void LineStats::reset()
{
    std::fill(counts_.begin(), counts_.end(), 0);
    in_ = out_ = maxUs_ = 0;
}

qint64 LineStats::medianUs() const
{
    const qint64 total = in_ + out_;
    qint64 seen = 0;
    for (size_t us = 0; us < counts_.size(); ++us) {
        seen += counts_[us];
        if (total > 0 && 2 * seen >= total)
            return qint64(us);
    }
    return 0;
}

QString LineStats::text() const
{
    return QStringLiteral("in=%1 out=%2 late-median-us=%3 late-max-us=%4")
        .arg(in_)
        .arg(out_)
        .arg(medianUs())
        .arg(maxUs_);
}

qint64 LinePacer::wireNs(qint64 count, int bits, int baud)
{
    if (baud <= 0 || count <= 0)
        return 0;
    return (count * bits * 1000000000LL + baud - 1) / baud;
}

void LinePacer::written(const QByteArray &bytes, qint64 nowNs, int bitsPerByte, std::optional<LineSettings> settings)
{
    if (bytes.isEmpty())
        return;
    // What was due before these bytes came has the wire first.
    advance(nowNs, bitsPerByte);
    qint64 &wire = wireOf(true);
    Chunk chunk{bytes, qMax(nowNs, wire), bitsPerByte, settings};
    wire = chunk.startNs + wireNs(bytes.size(), bitsPerByte, baud_);
    in_.push_back(std::move(chunk));
}

QByteArray LinePacer::run(qint64 nowNs, int bitsPerByte)
{
    advance(nowNs, bitsPerByte);
    QByteArray sent;
    while (!out_.empty() && out_.front().onWire) {
        Piece &piece = out_.front();
        qsizetype n = piece.next;
        for (; n < piece.bytes.size(); ++n) {
            const qint64 end = piece.endOf(n, baud_);
            if (end > nowNs)
                break;
            stats.add(nowNs - end, 1, false);
        }
        sent += piece.bytes.mid(piece.next, n - piece.next);
        piece.next = n;
        if (n < piece.bytes.size())
            break;
        out_.pop_front();
    }
    return sent;
}

void LinePacer::advance(qint64 nowNs, int bitsPerByte)
{
    schedule(nowNs, bitsPerByte);
    while (!in_.empty()) {
        Chunk &chunk = in_.front();
        const qsizetype last = stretchEnd(chunk);
        const qint64 at = chunk.endOf(last, baud_);
        if (at > nowNs)
            break;
        const QByteArray stretch = chunk.bytes.mid(chunk.next, last + 1 - chunk.next);
        const std::optional<LineSettings> settings = chunk.settings;
        chunk.next = last + 1;
        if (chunk.next >= chunk.bytes.size())
            in_.pop_front();
        stats.add(nowNs - at, stretch.size(), true);
        sim_.receive(stretch, at / NsPerMs, settings);
        takeOutput(at);
        schedule(nowNs, bitsPerByte);
    }
}

void LinePacer::schedule(qint64 nowNs, int bitsPerByte)
{
    for (Piece &piece : out_) {
        if (piece.onWire)
            continue;
        if (piece.dueNs > nowNs)
            break;
        qint64 &wire = wireOf(false);
        piece.onWire = true;
        piece.startNs = qMax(piece.dueNs, wire);
        piece.bits = bitsPerByte;
        wire = piece.startNs + wireNs(piece.bytes.size(), bitsPerByte, baud_);
    }
}

void LinePacer::takeOutput(qint64 nowNs)
{
    if (sim_.faults().silent) {
        // A dead line sends nothing, not even what was on its way.
        clearOutput();
        return;
    }
    // The simulator counts whole milliseconds; what it queues now is due
    // that many milliseconds after this very moment.
    const qint64 nowMs = nowNs / NsPerMs;
    while (const std::optional<qint64> due = sim_.nextDueMs()) {
        const std::optional<QByteArray> bytes = sim_.takeNext(*due);
        out_.push_back({*bytes, nowNs + (qMax(*due, nowMs) - nowMs) * NsPerMs});
    }
}

qsizetype LinePacer::stretchEnd(const Chunk &chunk) const
{
    const qsizetype cr = chunk.bytes.indexOf('\r', chunk.next);
    return cr >= 0 ? cr : chunk.bytes.size() - 1;
}

std::optional<qint64> LinePacer::nextWakeNs() const
{
    std::optional<qint64> wake;
    if (!in_.empty())
        wake = in_.front().endOf(stretchEnd(in_.front()), baud_);
    if (!out_.empty()) {
        const Piece &piece = out_.front();
        const qint64 at = piece.onWire ? piece.endOf(piece.next, baud_) : piece.dueNs;
        wake = wake ? qMin(*wake, at) : at;
    }
    return wake;
}

void LinePacer::clear()
{
    in_.clear();
    clearOutput();
    inFree_ = outFree_ = 0;
}

void LinePacer::clearOutput()
{
    out_.clear();
    sim_.discardPendingOutput();
    if (!half_)
        outFree_ = 0;  // what was on its way no longer holds the wire
}

}  // namespace tess::sim
