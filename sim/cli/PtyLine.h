#pragma once

#include "core/Simulator.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

namespace tess::sim {

// Serves a simulator on a pseudo-terminal: what the program writes on the
// terminal's device goes into the simulator, what the simulator sends
// comes out paced at the baud rate (ten bits a byte).
class PtyLine : public QObject {
    Q_OBJECT
public:
    PtyLine(Simulator &simulator, const QElapsedTimer &clock, QObject *parent = nullptr);
    ~PtyLine() override;

    // Bytes per second = baud / 10; 0 sends as fast as the terminal takes.
    void setPacingBaud(int baud) { pacingBaud_ = baud; }
    // Whether to pass the terminal's baud and parity to the simulator, which
    // ignores what arrives with other settings when it checks them.
    void setReportLineSettings(bool on) { reportLine_ = on; }

    bool open(QString *error);
    // The device vanishes: the program's side sees the line hang up.
    void close();
    bool isOpen() const { return master_ >= 0; }
    QString devicePath() const { return path_; }

    // Sends whatever the simulator has due, and plans the next round.
    void pump();

private:
    void readable();
    std::optional<LineSettings> lineSettings() const;

    Simulator &sim_;
    const QElapsedTimer &clock_;
    int master_ = -1;
    int slave_ = -1;  // kept open so the master never sees a hang-up
    QString path_;
    QSocketNotifier *reader_ = nullptr;
    QTimer timer_;
    QTimer unlock_;
    QByteArray outgoing_;
    int pacingBaud_ = 0;
    bool reportLine_ = true;
    double credit_ = 0;
    qint64 lastPump_ = 0;
};

}  // namespace tess::sim
