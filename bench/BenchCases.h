#pragma once

// The cases the window benchmark times, and how one is run: samples, their
// honest bounds, the program's turnaround, and the table row.

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

namespace tess {
class TTessalineForm;
}

namespace tess::bench {

class BenchDialogs;
class SimProcess;
class TimedPort;

struct CaseRun {
    TTessalineForm &form;
    TimedPort &port;
    BenchDialogs &dialogs;
    SimProcess &sim;
};

struct Sample {
    double ms = 0;
    double boundMs = 0;
    // The program's own time before the first byte it wrote and after the
    // last byte on the line either way.
    double leadMs = 0;
    double tailMs = 0;
};

struct BenchCase {
    const char *name;
    QStringList simArguments;
    bool connect;  // the window searches and reads the units first
    // Whether the time from an answer to the next command is all the
    // program's own (no mandated pause, no timer between them).
    bool turnaroundIsOverhead;
    // Texts of boxes that belong to the case (beginnings).
    QStringList expectedBoxes;
    std::function<void(CaseRun &)> prepare;
    // One sample; nullopt when what it times is not built yet.
    std::function<std::optional<Sample>(CaseRun &, int index)> sample;
    int warmUps = 2;
};

const QList<BenchCase> &allCases();
const BenchCase *findCase(const QString &name);
// Runs the warm-ups and samples and prints the row; returns the exit code.
int runCase(const BenchCase &c, CaseRun &run, int samples);

// The pauses (ms) that relayed commands in `written` must be followed by.
double mandatedPausesMs(const QByteArray &written);

}  // namespace tess::bench
