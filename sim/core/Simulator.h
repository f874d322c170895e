#pragma once

#include "core/Faults.h"
#include "core/Log.h"
#include "core/Random.h"
#include "core/Unit.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace tess::sim {

enum class Mode { Direct, Controller };
enum class Parity { None, Odd, Even, Mark, Space };

// The serial line settings the device listens with (or that the other side
// has set).
struct LineSettings {
    int baud = 38400;
    Parity parity = Parity::None;
    bool operator==(const LineSettings &) const = default;
};

struct Setup {
    Mode mode = Mode::Direct;
    // Controller mode: the RS-485 ID of each unit behind it (none, one or two).
    QList<int> ids;
    static Setup direct() { return {Mode::Direct, {}}; }
    static Setup controller(QList<int> ids = {1, 2}) { return {Mode::Controller, std::move(ids)}; }
};

struct ControlResult {
    enum class Action { None, Vanish, Restore };
    bool ok = true;
    QString message;
    Action action = Action::None;
};

// The device side of the serial line: one Quorex answering directly, or a
// VKS Controller with up to two Quorex units behind it. Bytes go in, bytes
// come out; time is whatever the caller says it is.
class Simulator {
public:
    explicit Simulator(const Setup &setup = Setup::direct());

    Mode mode() const { return mode_; }
    int unitCount() const { return int(units_.size()); }
    // Unit 1 or 2 (the first or second behind the controller).
    Unit &unit(int number) { return *units_.at(number - 1); }
    int idOf(int number) const { return ids_.at(number - 1); }
    Faults &faults() { return faults_; }
    Log &log() { return log_; }
    bool debugMode() const { return debug_; }
    void setDebugMode(bool on) { debug_ = on; }

    // Bytes that the program wrote. `line` is how the other side has set
    // the line; when line checking is on and it differs from what the
    // device listens with, the device hears only noise and ignores it.
    void receive(const QByteArray &bytes, qint64 nowMs, std::optional<LineSettings> line = {});
    LineSettings listensWith;
    bool checkLineSettings = false;

    // Puts bytes on the line as if the device had sent them.
    void sendRaw(const QByteArray &bytes, qint64 nowMs);
    // Random bytes that never look like a prompt, an error text or a record.
    QByteArray garbage(int count, quint64 seed);

    // The pieces of output that are due by `nowMs`, in order; each piece is
    // one arrival on the other side.
    QList<QByteArray> takeDue(qint64 nowMs);
    // The next piece if it is due by `nowMs`.
    std::optional<QByteArray> takeNext(qint64 nowMs);
    std::optional<qint64> nextDueMs() const;
    void discardPendingOutput() { pending_.clear(); }
    // Called whenever output is queued (the in-process port plans its
    // delivery); never delivers anything itself.
    std::function<void()> onOutput;

    // A control command (see sim/README.md), e.g. "drop 2" or "debug on".
    ControlResult control(const QString &command, qint64 nowMs);

    static quint8 checksum(const QByteArray &text);
    static constexpr const char *ControllerPrompt = "CTRLR>";
    static constexpr const char *DebugPrompt = "DEBUG>";

private:
    void line(const QByteArray &text, qint64 now);
    void directLine(const QByteArray &text, qint64 now);
    void controllerLine(const QByteArray &text, qint64 now);
    void refuse(qint64 now);
    void relay(int id, const QByteArray &command, const QByteArray &echo, qint64 now);
    void controllerError(int code, const QByteArray &echo, qint64 now, int waitMs = 0);
    QByteArray prompt() const;
    QByteArray cutRecord(const QByteArray &record) const;
    // The lose and insert faults, applied to one reply.
    void damage(QByteArray &head, QByteArray &tail);
    int numberOf(const Unit *unit) const;
    Unit *unitById(int id);

    // One reply: `head` leaves at `headDue`, `tail` at `tailDue` (a unit
    // echoes at once and answers when it has done the work).
    void reply(const QByteArray &head, const QByteArray &tail, qint64 headDue, qint64 tailDue, int unit);
    void queue(const QByteArray &bytes, qint64 due);

    Mode mode_;
    QList<int> ids_;
    std::vector<std::unique_ptr<Unit>> units_;
    Faults faults_;
    Log log_;
    bool debug_ = false;

    QByteArray lineBuffer_;
    bool lineTooLong_ = false;
    bool swallowCr_ = false;

    struct Piece {
        qint64 due;
        QByteArray bytes;
    };
    std::deque<Piece> pending_;
    qint64 lastDue_ = 0;
    Random splitRandom_;
    Random noiseRandom_;

    friend class ControlCommands;
};

}  // namespace tess::sim
