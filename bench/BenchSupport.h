#pragma once

// What the benchmarks share: the real serial port counting the bytes each
// way, a window that needs nothing, boxes that count as failures, and
// quorex-sim started in a port map of its own.

#include "link/LinkHost.h"
#include "link/PortMap.h"
#include "link/QtSerialPort.h"
#include "platform/Dialogs.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <cstdio>

namespace tess::bench {

// The real port, counting the bytes that pass each way.
class CountingPort final : public SerialPort {
public:
    CountingPort()
    {
        connect(&port_, &SerialPort::dataAvailable, this, &SerialPort::dataAvailable);
        connect(&port_, &SerialPort::errorOccurred, this, &SerialPort::errorOccurred);
    }
    qint64 sent = 0;
    qint64 received = 0;

    bool portExists(int number) const override { return port_.portExists(number); }
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
    void write(const QByteArray &bytes) override
    {
        sent += bytes.size();
        port_.write(bytes);
    }
    qint64 outputFree() const override { return port_.outputFree(); }
    void flushInput() override
    {
        received += port_.bytesAvailable();
        port_.flushInput();
    }
    qint64 bytesAvailable() const override { return port_.bytesAvailable(); }
    QByteArray read(qint64 n) override
    {
        const QByteArray bytes = port_.read(n);
        received += bytes.size();
        return bytes;
    }

    // Opens COM1, with hardware flow control when the terminal takes it.
    bool openCom1(int baud)
    {
        setBaudRate(baud);
        setHardwareFlowControl(true);
        setPortNumber(1);
        if (open().ok())
            return true;
        setHardwareFlowControl(false);
        return open().ok();
    }

private:
    QtSerialPort port_;
};

// A window of the controller mode that shows nothing.
class QuietLinkHost : public LinkHost {
public:
    void setStatusText(const QString &) override {}
    void setPagesEnabled(bool) override {}
    bool busyCursorShown() const override { return busy_; }
    void setBusyCursor(bool busy) override { busy_ = busy; }
    int handlerBusy() const override { return handlerBusy_; }
    void setHandlerBusy(int value) override { handlerBusy_ = value; }
    void setLineMonitoring(bool) override {}

private:
    bool busy_ = false;
    int handlerBusy_ = 0;
};

// Every box is a failure of the run: say what it was and answer No.
class StderrDialogs final : public Dialogs {
public:
    int shown = 0;
    void showMessage(const QString &text, const QString & = QString()) override { note(text); }
    bool askOkCancel(const QString &, const QString &text) override { return note(text), false; }
    bool askYesNo(const QString &, const QString &text) override { return note(text), false; }
    QString openFileName(const FileRequest &) override { return {}; }
    QString saveFileName(const FileRequest &) override { return {}; }

private:
    void note(const QString &text)
    {
        ++shown;
        std::fprintf(stderr, "box shown: %s\n", qPrintable(text));
    }
};

// The options every benchmark takes: the simulator to start and its reply
// delay.
struct SimulatorOptions {
    QCommandLineOption path{QStringLiteral("sim"), QStringLiteral("quorex-sim to start."), QStringLiteral("path")};
    QCommandLineOption delayMs{QStringLiteral("delay-ms"), QStringLiteral("The simulator's reply delay (default 0)."),
                               QStringLiteral("ms"), QStringLiteral("0")};
    void addTo(QCommandLineParser &parser) const { parser.addOptions({path, delayMs}); }
};

// The path of quorex-sim: given, from QUOREX_SIM, or beside the build.
inline QString simulatorPath(const QString &given)
{
    if (!given.isEmpty())
        return given;
    return qEnvironmentVariable("QUOREX_SIM",
                                QCoreApplication::applicationDirPath() + QStringLiteral("/../sim/quorex-sim"));
}

// Starts the simulator and waits until it serves with its COM1 entry in
// place (it prints "ready"). The caller has pointed XDG_CONFIG_HOME at a
// folder of its own before the application object was made.
inline bool startSimulator(QProcess &sim, const QString &path, const QString &arguments)
{
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(path, QProcess::splitCommand(arguments));
    if (!sim.waitForStarted(5000))
        return false;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 10000 && sim.state() != QProcess::NotRunning) {
        while (sim.canReadLine()) {
            if (sim.readLine().trimmed() == "ready")
                return PortMap::hasEntry(1);
        }
        sim.waitForReadyRead(50);
    }
    return false;
}

inline void stopSimulator(QProcess &sim)
{
    sim.terminate();
    if (!sim.waitForFinished(3000))
        sim.kill();
    sim.waitForFinished(1000);
}

}  // namespace tess::bench
