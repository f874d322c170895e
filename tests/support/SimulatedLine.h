#pragma once

#include "core/Simulator.h"
#include "port/SimSerialPort.h"
#include "support/VirtualClock.h"

namespace tess::test {

// A serial line to simulated hardware, in virtual time: the clock, the
// simulator (one unit, or the controller with its units) and the
// in-process port wired to it, answering on COM1.
//
//     SimulatedLine line(sim::Setup::controller({5, 6}));
//     line.port.setPortNumber(1);
//     line.port.open();
//     line.sim.control("drop 1", line.clock.nowMs());
//     ... line.sim.log().received() ...
struct SimulatedLine {
    explicit SimulatedLine(const sim::Setup &setup = sim::Setup::direct()) : sim(setup), port(clock, sim) {}

    // A control command at the current virtual time (see sim/README.md).
    sim::ControlResult control(const QString &command) { return port.control(command); }

    VirtualClock clock;
    sim::Simulator sim;
    sim::SimSerialPort port;
};

}  // namespace tess::test
