#pragma once

#include "core/LinePacer.h"
#include "core/Simulator.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

namespace tess::sim {

// Serves a simulator on a pseudo-terminal, timed as a serial line both
// ways: what the program writes reaches the simulator, and what the
// simulator sends reaches the program, one byte-time a byte (start, data,
// parity and stop bits as the program set the terminal, at the device's
// baud rate), woken by a timer to the microsecond.
class PtyLine : public QObject {
    Q_OBJECT
public:
    PtyLine(Simulator &simulator, const QElapsedTimer &clock, QObject *parent = nullptr);
    ~PtyLine() override;

    // The rate both directions are paced at; 0 passes bytes on at once.
    void setPacingBaud(int baud)
    {
        pacer_.setBaud(baud);
        pacingBaud_ = baud;
    }
    // One wire for both directions (RS-485) instead of one each (RS-232).
    void setHalfDuplex(bool on) { pacer_.setHalfDuplex(on); }
    // Whether to pass the terminal's baud and parity to the simulator, which
    // ignores what arrives with other settings when it checks them.
    void setReportLineSettings(bool on) { reportLine_ = on; }

    bool open(QString *error);
    // The device vanishes: the program's side sees the line hang up.
    void close();
    bool isOpen() const { return master_ >= 0; }
    QString devicePath() const { return path_; }

    // Takes what the simulator has queued (after a control command), sends
    // whatever is due, and plans the next round.
    void pump();
    // The line's own control commands ("line-stats", "line-stats reset");
    // nothing for any other command.
    std::optional<ControlResult> control(const QString &command);

    // Start + data + parity + stop bits of a termios c_cflag.
    static int bitsPerByte(unsigned cflag);

private:
    void readable();
    void service();
    void arm(qint64 nowNs);
    qint64 nowNs() const { return clock_.nsecsElapsed(); }
    int lineBits() const;
    std::optional<LineSettings> lineSettings() const;

    Simulator &sim_;
    const QElapsedTimer &clock_;
    LinePacer pacer_;
    int pacingBaud_ = 0;
    int master_ = -1;
    int slave_ = -1;  // kept open so the master never sees a hang-up
    int timerFd_ = -1;
    QString path_;
    QSocketNotifier *reader_ = nullptr;
    QSocketNotifier *wake_ = nullptr;
    QTimer unlock_;
    QByteArray backlog_;  // due but not taken by the terminal yet
    bool reportLine_ = true;
};

}  // namespace tess::sim
