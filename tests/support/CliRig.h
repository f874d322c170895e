#pragma once

#include "cli/Cli.h"
#include "cli/Interrupt.h"
#include "core/Simulator.h"
#include "port/SimSerialPort.h"
#include "support/VirtualClock.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace tess::test {

// tessaline-cli in-process, against simulated units on COM1, in virtual
// time: what it writes to standard output and error is kept, and answers
// to --ask come from `typed`.
class CliRig {
public:
    explicit CliRig(const sim::Setup &setup = sim::Setup::controller({5, 6}));

    VirtualClock clock;
    sim::Simulator sim;
    sim::SimSerialPort port{clock, sim};
    cli::Interrupt interrupt;
    QByteArray out;
    QByteArray err;
    QList<QByteArray> typed;
    bool errIsTerminal = false;

    // Runs `tessaline-cli arguments...`; returns the exit code. Output of
    // earlier runs is cleared.
    int run(const QStringList &arguments);
    QString errText() const { return QString::fromUtf8(err); }
    QString outText() const { return QString::fromUtf8(out); }

    // The lines the line carried from the first one that holds `from` on
    // (all of them when it is empty), as the simulator received them.
    QList<QByteArray> receivedFrom(const QByteArray &from) const;
};

// The lines of `lines` from the first that holds `from` on.
QList<QByteArray> linesFrom(const QList<QByteArray> &lines, const QByteArray &from);

}  // namespace tess::test
