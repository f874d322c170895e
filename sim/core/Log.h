#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

namespace tess::sim {

// Everything that reached the simulator and everything it sent.
struct LogEntry {
    enum class Kind {
        Received,  // a line that arrived on the serial line (without its carriage return)
        Command,   // a command that reached a unit (direct form, as the unit saw it)
        Sent,      // a reply as it left (before any splitting)
        Note       // what the simulator did instead (dropped, ignored, busy ...)
    };
    qint64 ms = 0;
    Kind kind = Kind::Note;
    int unit = 0;  // 1 or 2 for a unit, 0 for the line or the controller
    QByteArray bytes;
};

class Log {
public:
    void add(qint64 ms, LogEntry::Kind kind, int unit, const QByteArray &bytes);
    const QList<LogEntry> &entries() const { return entries_; }
    void clear() { entries_.clear(); }

    QList<QByteArray> received() const { return of(LogEntry::Kind::Received, -1); }
    QList<QByteArray> sent() const { return of(LogEntry::Kind::Sent, -1); }
    QList<QByteArray> notes() const { return of(LogEntry::Kind::Note, -1); }
    // The commands that reached unit 1 or 2.
    QList<QByteArray> commands(int unit) const { return of(LogEntry::Kind::Command, unit); }

    // Called for every new entry (the command line tool writes its log file).
    std::function<void(const LogEntry &)> listener;

    // One line of text: time, direction, who, the bytes with \r, \n and
    // \xNN escapes.
    static QString format(const LogEntry &entry);
    static QString escape(const QByteArray &bytes);

private:
    QList<QByteArray> of(LogEntry::Kind kind, int unit) const;
    QList<LogEntry> entries_;
};

}  // namespace tess::sim
