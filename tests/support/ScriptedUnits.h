#pragma once

#include "model/SettingsModel.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace tess::test {

class ScriptedPort;

// Plays one Quorex on the line (direct mode) or a controller with two units
// behind it (controller mode), on a ScriptedPort, at the level of whole
// lines: every command is answered with the prompt, every status query with
// the record of the addressed unit's state, in its chosen layout. It does not
// act on commands: a test sets the units' state itself.
class ScriptedUnits {
public:
    struct Unit {
        std::array<InputRecord, 5> inputs{};
        std::array<OutputRecord, 5> outputs{};
        FirmwareVersionBytes version{};
        char inputLayout = 'N';
        char outputLayout = 'B';
    };

    ScriptedUnits(ScriptedPort &port, bool controller);

    bool controller;
    Unit units[2];
    int ids[2] = {5, 6};  // RS-485 IDs behind the controller

    // Every complete line that reached the line, as the units see it: the
    // command inside a PASS frame (without checksum), or the direct line,
    // query or "debug 0" as written (with its carriage returns).
    QList<QByteArray> lines;
    // A test's own answer to a line; std::nullopt = the usual answer, an
    // empty array = silence.
    std::function<std::optional<QByteArray>(const QByteArray &line)> answer;
    // Also written to with each line, when set.
    QStringList *journal = nullptr;

    // The usual answers.
    QByteArray okAnswer(const QByteArray &written) const;
    QByteArray queryAnswer(const QByteArray &line) const;
    // The record a unit (0 or 1) sends for a query keyword and screen.
    QByteArray recordFor(int unitIndex, const QByteArray &keyword, int screen) const;

private:
    QByteArray respond(const QByteArray &written);

    QByteArray pending_;
};

}  // namespace tess::test
