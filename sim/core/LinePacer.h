#pragma once

#include "core/Simulator.h"

#include <QByteArray>
#include <QString>
#include <deque>
#include <optional>
#include <vector>

namespace tess::sim {

// How late the bytes crossed against their schedule (the event loop waking
// late), and how many crossed each way.
class LineStats {
public:
    void add(qint64 lateNs, qsizetype bytes, bool fromProgram);
    void reset();
    qint64 bytesIn() const { return in_; }
    qint64 bytesOut() const { return out_; }
    qint64 medianUs() const;
    qint64 maxUs() const { return maxUs_; }
    // "in=N out=N late-median-us=N late-max-us=N"
    QString text() const;

private:
    static constexpr int Buckets = 10000;  // one a microsecond; the last takes all beyond
    std::vector<qint64> counts_ = std::vector<qint64>(Buckets + 1, 0);
    qint64 in_ = 0;
    qint64 out_ = 0;
    qint64 maxUs_ = 0;
};

// The wire between the program and the simulated devices, timed in
// nanoseconds: every byte the program writes reaches the simulator one
// byte-time after the previous one reached it (and not before one byte-time
// after it was written), every byte the devices send leaves one byte-time
// after the previous one. Full duplex: the two directions have a wire each.
// Half duplex (RS-485): one wire; nothing the devices send leaves before
// what the program wrote has arrived, and nothing the program writes starts
// while the devices send.
//
// Time is whatever the caller says it is; it only has to grow. The caller
// reports what the program wrote, then calls run() at nextWakeNs() (or
// whenever it likes) and puts what run() returns on the line.
class LinePacer {
public:
    explicit LinePacer(Simulator &simulator) : sim_(simulator) {}

    // The baud rate both sides use; 0 paces nothing (every byte crosses at
    // once).
    void setBaud(int baud) { baud_ = baud; }
    void setHalfDuplex(bool on) { half_ = on; }
    bool halfDuplex() const { return half_; }

    // Bytes the program wrote, seen at `nowNs`, with the bits a byte takes
    // on the line and the line settings the program has set.
    void written(const QByteArray &bytes, qint64 nowNs, int bitsPerByte, std::optional<LineSettings> settings);
    // Passes to the simulator what has arrived by `nowNs`, and returns what
    // the devices have finished sending by then.
    QByteArray run(qint64 nowNs, int bitsPerByte);
    // Takes what the simulator queued outside run() (a control command at
    // `nowNs`); run() calls it itself.
    void takeOutput(qint64 nowNs);
    // When run() has something to do next.
    std::optional<qint64> nextWakeNs() const;
    // Drops everything on its way, both ways (the line went dead).
    void clear();
    void clearOutput();

    LineStats stats;

    // The time `count` bytes of `bits` each take at `baud`, rounded up.
    static qint64 wireNs(qint64 count, int bits, int baud);

private:
    struct Chunk {  // what the program wrote at once
        QByteArray bytes;
        qint64 startNs = 0;
        int bits = 10;
        std::optional<LineSettings> settings;
        qsizetype next = 0;  // bytes passed on
        qint64 endOf(qsizetype i, int baud) const { return startNs + wireNs(i + 1, bits, baud); }
    };
    struct Piece {  // one piece of the devices' output
        QByteArray bytes;
        qint64 dueNs = 0;
        bool onWire = false;
        qint64 startNs = 0;
        int bits = 10;
        qsizetype next = 0;  // bytes sent
        qint64 endOf(qsizetype i, int baud) const { return startNs + wireNs(i + 1, bits, baud); }
    };

    // Passes on what has arrived by `nowNs` and puts on the wire what the
    // devices have due by then, in the order it happened.
    void advance(qint64 nowNs, int bitsPerByte);
    // Puts the devices' pieces that are due by `nowNs` on the wire.
    void schedule(qint64 nowNs, int bitsPerByte);
    // The end of the next stretch of the front chunk to pass on: up to a
    // carriage return (the only byte the devices act on) or the chunk's end.
    qsizetype stretchEnd(const Chunk &chunk) const;
    qint64 &wireOf(bool fromProgram) { return (half_ || fromProgram) ? inFree_ : outFree_; }

    Simulator &sim_;
    int baud_ = 0;
    bool half_ = false;
    std::deque<Chunk> in_;
    std::deque<Piece> out_;
    qint64 inFree_ = 0;   // the program's wire (the only one in half duplex) is free from
    qint64 outFree_ = 0;  // the devices' wire (full duplex) is free from
};

}  // namespace tess::sim
