#include "support/ScriptedUnits.h"

#include "core/Simulator.h"

#include "support/RecordEncoder.h"
#include "support/ScriptedPort.h"

#include <cctype>

namespace tess::test {
namespace {

// The controller's prompt as the simulator gives it, so both stand-ins of
// the units say the same.
QByteArray controllerPrompt()
{
    return QByteArray("\r\n") + sim::Simulator::ControllerPrompt;
}

}  // namespace

ScriptedUnits::ScriptedUnits(ScriptedPort &port, bool controllerMode) : controller(controllerMode)
{
    port.respond = [this](int, const QByteArray &written) { return respond(written); };
}

QByteArray ScriptedUnits::recordFor(int unitIndex, const QByteArray &keyword, int screen) const
{
    const Unit &u = units[unitIndex];
    if (keyword == "SYINFOQX")
        return recordBytes(8, systemPayload(u.version));
    if (keyword == "IINFOQX")
        return recordBytes(u.inputLayout, inputPayload(u.inputs[screen], u.inputLayout));
    return recordBytes(u.outputLayout, outputPayload(u.outputs[screen], u.outputLayout));
}

QByteArray ScriptedUnits::okAnswer(const QByteArray &written) const
{
    // The controller echoes the framed line; a unit answers with its prompt.
    return controller ? written + "\r\nOK" + controllerPrompt() : QByteArray("\r\n#");
}

QByteArray ScriptedUnits::queryAnswer(const QByteArray &line) const
{
    // "QXQUERY *<id><keyword>[ <screen>]!\r" or "<keyword>[ <screen>]\r".
    QByteArray body = line.trimmed();
    int unitIndex = 0;
    if (controller) {
        body = body.mid(int(sizeof "QXQUERY *") - 1).chopped(1);
        int digits = 0;
        while (digits < body.size() && std::isdigit(static_cast<unsigned char>(body[digits])))
            ++digits;
        const int id = body.left(digits).toInt();
        body = body.mid(digits);
        if (id == ids[0])
            unitIndex = 0;
        else if (id == ids[1])
            unitIndex = 1;
        else
            return line + "\n!ERR 4" + controllerPrompt();  // nobody with that ID
    }
    const QList<QByteArray> words = body.split(' ');
    const int screen = words.size() > 1 ? words[1].toInt() : 0;
    const QByteArray prompt = controller ? controllerPrompt() : QByteArray("\r\n#");
    return line + "\n" + recordFor(unitIndex, words[0], screen) + prompt;
}

QByteArray ScriptedUnits::respond(const QByteArray &written)
{
    pending_ += written;
    const bool framed = controller && pending_.startsWith("PASS ");
    if (framed ? !pending_.endsWith("\r\r") : !pending_.endsWith('\r'))
        return {};
    const QByteArray whole = pending_;
    pending_.clear();

    // The command inside a frame: between "PASS " and the two checksum digits.
    const QByteArray line = framed ? whole.mid(5, whole.size() - 5 - 4) : whole;
    lines << line;
    if (journal)
        *journal << QString::fromLatin1(line);
    if (answer) {
        if (const std::optional<QByteArray> own = answer(line))
            return *own;
    }
    if (line == "\r" || line == "debug 0\r")
        return controller ? QByteArray("\r\n>") : QByteArray("\r\n#");
    const bool query =
        controller ? line.startsWith("QXQUERY ")
                   : (line.startsWith("SYINFOQX") || line.startsWith("IINFOQX") || line.startsWith("OINFOQX"));
    return query ? queryAnswer(line) : okAnswer(whole);
}

}  // namespace tess::test
