#pragma once

// Drives a simulator core by hand: bytes in, time on, bytes out.

#include "core/Simulator.h"

#include <QByteArray>

namespace tess::test {

struct Wire {
    explicit Wire(const sim::Setup &setup = sim::Setup::direct()) : sim(setup) {}

    sim::Simulator sim;
    qint64 now = 0;

    // Writes bytes, lets `ms` pass and returns what arrived meanwhile.
    QByteArray send(const QByteArray &bytes, int ms = 10)
    {
        sim.receive(bytes, now);
        return run(ms);
    }
    QByteArray run(int ms)
    {
        now += ms;
        QByteArray out;
        for (const QByteArray &piece : sim.takeDue(now))
            out += piece;
        return out;
    }
    sim::ControlResult control(const QString &command) { return sim.control(command, now); }

    // A command line in the form the mode needs, for unit 1 or 2: the
    // direct form as it is, or "PASS *<id>...!<checksum>\r\r".
    QByteArray command(const QByteArray &directForm, int unit = 1) const
    {
        if (sim.mode() == sim::Mode::Direct)
            return directForm + "\r";
        return frame("*" + QByteArray::number(sim.idOf(unit)) + directForm + "!");
    }
    // A status query in the form the mode needs.
    QByteArray query(const QByteArray &directForm, int unit = 1) const
    {
        if (sim.mode() == sim::Mode::Direct)
            return directForm + "\r";
        return "QXQUERY *" + QByteArray::number(sim.idOf(unit)) + directForm + "!\r";
    }
    static QByteArray frame(const QByteArray &addressed)
    {
        return "PASS " + addressed
               + QByteArray::number(sim::Simulator::checksum(addressed), 16).toUpper().rightJustified(2, '0')
               + "\r\r";
    }
};

}  // namespace tess::test
