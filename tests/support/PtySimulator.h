#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>

namespace tess::test {

// Runs one control command on the quorex-sim listening at `socket`.
inline bool simControl(const QString &socket, const QString &command)
{
    QProcess send;
    send.start(qEnvironmentVariable("QUOREX_SIM"),
               QStringList{QStringLiteral("--send"), socket} + command.split(u' '));
    return send.waitForFinished(5000) && send.exitCode() == 0;
}

// Real time passes, with events, until `done` or `ms` ran out.
template <typename Done>
bool waitUntil(Done done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QTest::qWait(20);
    return done();
}

// quorex-sim (QUOREX_SIM) serving one setup on a pseudo-terminal, with its
// COM1 entry in the port map of XDG_CONFIG_HOME, logging to `log`.
class PtySimulator {
public:
    PtySimulator(const QStringList &arguments, const QString &log)
    {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(
            qEnvironmentVariable("QUOREX_SIM"),
            arguments + QStringList{QStringLiteral("--port"), QStringLiteral("COM1"), QStringLiteral("--log"), log});
    }
    ~PtySimulator() { stop(); }
    PtySimulator(const PtySimulator &) = delete;
    PtySimulator &operator=(const PtySimulator &) = delete;

    // Waits for "ready"; false when it could not serve (no pseudo-terminal).
    bool ready()
    {
        if (!process_.waitForStarted(5000))
            return false;
        for (int i = 0; i < 100 && process_.state() == QProcess::Running; ++i) {
            while (process_.canReadLine()) {
                if (process_.readLine().trimmed() == "ready")
                    return true;
            }
            process_.waitForReadyRead(100);
        }
        return false;
    }

    // Ends it as a user would (SIGTERM), killing it if it lingers.
    void stop()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(3000))
            process_.kill();
        process_.waitForFinished(1000);
    }

    // The line goes dead at once: the process dies without a word, and its
    // end of the terminal with it.
    void kill()
    {
        process_.kill();
        process_.waitForFinished(3000);
    }

private:
    QProcess process_;
};

}  // namespace tess::test
