#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <functional>

namespace tess {

class Clock;

// The command journal: one line per event, appended to a file and flushed
// as it happens, each line led by the milliseconds since the journal began
// (monotonic), then the event and its details:
//
//   0 start program=tessaline-cli version=1.04 time=2025-03-04T10:12:00.120+01:00 ...
//   35 send unit=1 "PASS *5DDBL 1!E3\r\r"
//   44 reply prompt length=24
//
// Off unless asked for. A journal that cannot be written is said once (on
// standard error) and turns itself off; it never holds up the program.
class Journal {
public:
    // Where a failure is said; standard error unless given.
    using Complaint = std::function<void(const QString &)>;

    Journal(const QString &path, Clock &clock, Complaint complain = {});
    ~Journal();
    Journal(const Journal &) = delete;
    Journal &operator=(const Journal &) = delete;

    bool isOn() const { return file_.isOpen(); }
    const QString &path() const { return path_; }

    // One line: `event` and its `details` (may be empty).
    void write(const QString &event, const QString &details = QString());
    // The "start" line: the program, its version, the wall-clock time and
    // whatever the front end adds (port, mode).
    void writeStart(const QString &program, const QString &version, const QString &details);

    // Text in double quotes with \r, \n, \", \\ and \xNN escapes, so a
    // line is one line whatever it holds.
    static QString quote(const QByteArray &bytes);
    static QString quote(const QString &text) { return quote(text.toUtf8()); }

private:
    void fail(const QString &why);

    QString path_;
    Clock &clock_;
    Complaint complain_;
    QFile file_;
    qint64 startMs_ = 0;
};

}  // namespace tess
