#pragma once

// What the benchmarks share: the real serial port with every byte each way
// time-stamped, boxes that are written down instead of shown, quorex-sim
// started on a pseudo-terminal in a port map of its own, an interrupt that
// ends a run cleanly, and the figures of a series of samples.

#include "link/QtSerialPort.h"
#include "platform/Dialogs.h"

#include <QElapsedTimer>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>

namespace tess::bench {

// Exit codes of every benchmark.
enum Exit : int {
    Done = 0,
    BoxesShown = 1,      // the program showed a box it should not have, or sent nothing
    SetupFailed = 2,     // no simulator, no port, no temporary folder
    FasterThanWire = 3,  // "setup broken: faster than the wire"
    Interrupted = 130,
};

// Nanoseconds on one monotonic clock for the whole run.
qint64 nowNs();

// The real port; every write and read is logged with its time.
class TimedPort final : public SerialPort {
public:
    struct Event {
        qint64 ns;
        bool out;  // written by the program
        QByteArray bytes;
    };

    TimedPort();

    QList<Event> log;
    qint64 sent() const;
    qint64 received() const;
    // What the program wrote, all pieces joined.
    QByteArray written() const;
    // Time of the last read, 0 when none.
    qint64 lastReadNs() const;
    // The program's own time between the end of one answer and the next
    // command: for every write that follows a read, the time since that
    // read (ms).
    QList<double> turnaroundsMs() const;

    bool portExists(int number) const override { return port_.portExists(number); }
    QString portProblem(int number) const override { return port_.portProblem(number); }
    void setPortNumber(int number) override { port_.setPortNumber(number); }
    int portNumber() const override { return port_.portNumber(); }
    OpenResult open() override { return port_.open(); }
    void close() override { port_.close(); }
    bool isOpen() const override { return port_.isOpen(); }
    void setBaudRate(int baud) override { port_.setBaudRate(baud); }
    int baudRate() const override { return port_.baudRate(); }
    void setParity(Parity parity) override { port_.setParity(parity); }
    Parity parity() const override { return port_.parity(); }
    void setHardwareFlowControl(bool on) override { port_.setHardwareFlowControl(on); }
    bool hardwareFlowControl() const override { return port_.hardwareFlowControl(); }
    void write(const QByteArray &bytes) override;
    qint64 outputFree() const override { return port_.outputFree(); }
    void flushInput() override;
    qint64 bytesAvailable() const override { return port_.bytesAvailable(); }
    QByteArray read(qint64 n) override;
    std::optional<ModemLines> modemLines() override { return port_.modemLines(); }

    // Bits a character takes on the line: start, eight data, parity, stop.
    int bitsPerByte() const { return parity() == Parity::None ? 10 : 11; }

private:
    QtSerialPort port_;
};

// Every box is written down; questions are answered from a list of
// expected texts (Yes for the ones given, No for all others).
class BenchDialogs final : public Dialogs {
public:
    QStringList yesTo;  // question texts (beginnings) answered Yes
    QStringList shown;  // every text, in order
    void showMessage(const QString &text, const QString & = QString()) override { shown << text; }
    bool askOkCancel(const QString &, const QString &text) override { return shown << text, false; }
    bool askYesNo(const QString &, const QString &text) override;
    QString openFileName(const FileRequest &) override { return {}; }
    QString saveFileName(const FileRequest &) override { return {}; }
};

// quorex-sim on a pseudo-terminal with a control socket, in the port map
// of XDG_CONFIG_HOME (the caller points it at a folder of its own before
// anything reads it).
class SimProcess {
public:
    SimProcess(QString path, QString socket) : path_(std::move(path)), socket_(std::move(socket)) {}
    ~SimProcess() { stop(); }
    // Starts it and waits for "ready" with the port's entry in place; the
    // error says why not.
    bool start(const QStringList &arguments, int port, QString *error);
    // The simulator's own account of its lateness (`line-stats`); empty
    // when it has none.
    QString lineStats() const;
    bool control(const QString &command) const;
    void stop();

private:
    QString send(const QString &command, bool *ok) const;

    QString path_;
    QString socket_;
    QProcess process_;
};

// The path of quorex-sim: given, from QUOREX_SIM, or beside the build.
QString simulatorPath(const QString &given);

// SIGINT, SIGTERM and SIGHUP end the run at the next check instead of
// killing it, so that everything is cleaned up.
void catchInterrupts();
bool interrupted();

// The machine's load when asked (/proc/loadavg, the first three numbers).
QString machineLoad();

struct Spread {
    double median = 0, min = 0, max = 0, q1 = 0, q3 = 0;
};
Spread spreadOf(QList<double> values);

// Time on the wire for `bytes` characters (ms).
inline double wireMs(qint64 bytes, int bitsPerByte, int baud)
{
    return double(bytes) * bitsPerByte * 1000.0 / baud;
}

}  // namespace tess::bench
