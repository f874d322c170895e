// Writes the seed corpus of every fuzz target from the simulator's real
// replies: each link operation is run against the simulator (directly and
// through the controller, every record layout), and what the program wrote
// and what came back become the seeds.
//
//     fuzz_make_corpus tests/fuzz/corpus

#include "fuzz/FuzzSupport.h"
#include "fuzz/LinkScenario.h"
#include "core/Simulator.h"
#include "model/ConfigurationFile.h"
#include "model/PlanningPreferences.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <iostream>

using namespace tess;
using namespace tess::fuzz;

namespace {

QString corpusRoot;
int written = 0;

// Named by content, so that running the generator again changes nothing.
void seed(const QString &target, const QByteArray &bytes)
{
    const QString folder = corpusRoot + QLatin1Char('/') + target;
    QDir().mkpath(folder);
    const QByteArray name = QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(16);
    QFile file(folder + QLatin1Char('/') + QString::fromLatin1(name));
    if (file.exists())
        return;
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::cerr << "cannot write " << qPrintable(file.fileName()) << '\n';
        std::exit(1);
    }
    ++written;
}

struct Layouts {
    char input;
    char output;
};

// Runs one operation against the simulator and seeds every target with
// what crossed the line.
void record(Operation op, ScenarioFlags flags, int piece, Layouts layouts, const QString &fault = {})
{
    sim::Simulator sim(flags.controller ? sim::Setup::controller({5, 6}) : sim::Setup::direct());
    if (!fault.isEmpty() && !sim.control(fault, 0).ok) {
        std::cerr << "fault refused: " << qPrintable(fault) << '\n';
        std::exit(1);
    }
    for (int unit = 1; unit <= sim.unitCount(); ++unit) {
        sim.unit(unit).inputLayout = layouts.input;
        sim.unit(unit).outputLayout = layouts.output;
    }
    qint64 now = 0;
    QByteArray scenario;
    scenario.append(char(op)).append(char(flags.byte())).append(char(piece));
    auto respond = [&](const QByteArray &bytes) {
        sim.receive(bytes, now);
        now += 1000;
        QByteArray answer;
        for (const QByteArray &part : sim.takeDue(now + 60000))
            answer += part;
        answer = answer.left(255);
        scenario.append(char(answer.size())).append(answer);
        if (answer.contains('\x01'))
            seed(QStringLiteral("records"), answer);
        return answer;
    };
    LinkScenario s(flags, piece, respond);
    s.run(op);
    seed(QStringLiteral("link"), scenario);

    // What the program wrote, for the simulator's framing: flags byte
    // (bit 0 direct, then the piece size), then the bytes.
    const std::uint8_t simFlags = std::uint8_t((flags.controller ? 0 : 1) | (piece % 32) << 1);
    seed(QStringLiteral("controller"), QByteArray(1, char(simFlags)) + s.port.written);

    if (op == Operation::ReadAll) {
        const QByteArray image = ConfigurationFileImage(s.model);
        seed(QStringLiteral("configfile"), image);
        seed(QStringLiteral("configfile"), image.left(image.size() - 1));
        const OutputRecord &out = s.model.output(flags.unit, 1);
        PlanningPreferences prefs;
        prefs.HorizontalSize = s.model.input(flags.unit, 1).HActive / 100.0 + 1;
        prefs.VerticalSize = s.model.input(flags.unit, 1).VActive / 100.0 + 1;
        prefs.OverlapWidth = out.OverlapWidth > 0 ? out.OverlapWidth : 1;
        prefs.ProjectorCountIndex = out.TotalProjectors;
        prefs.AlignmentIndex = out.Justification;
        prefs.ResolutionIndex = out.OutputFormat;
        seed(QStringLiteral("preferences"), formatPreferences(prefs));
        seed(QStringLiteral("preferences"), formatPreferences(prefs).replace(' ', "\n") + '\n');
    }
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " CORPUS_FOLDER\n";
        return 2;
    }
    ensureApplication();
    corpusRoot = QString::fromLocal8Bit(argv[1]);
    const Layouts layouts[] = {{'N', 'B'}, {'F', '>'}, {'N', '?'}, {'F', '@'}};
    for (int op = 0; op < OperationCount; ++op) {
        for (bool controller : {false, true}) {
            for (const Layouts &layout : layouts) {
                ScenarioFlags flags;
                flags.controller = controller;
                flags.unit = controller && layout.output == '?' ? 2 : 1;
                flags.screen = 1 + int(&layout - layouts);
                flags.yesAnswers = 1;
                record(Operation(op), flags, &layout == layouts ? 0 : 7, layout);
            }
        }
    }
    // The line's usual faults, on the queries and the count: records cut
    // short, bytes lost or added, noise, refusals, debug mode.
    const QString faults[] = {QStringLiteral("truncate 20"), QStringLiteral("lose 12"),
                              QStringLiteral("insert 40 2"), QStringLiteral("noise 5"),
                              QStringLiteral("error 1 1"),   QStringLiteral("error 4 1"),
                              QStringLiteral("debug on")};
    for (const QString &fault : faults) {
        for (const Operation op : {Operation::QueryInput, Operation::QueryOutput, Operation::CountUnits}) {
            ScenarioFlags flags;
            flags.controller = true;
            flags.yesAnswers = 1;
            record(op, flags, 0, layouts[0], fault);
            // Errors and debug mode are the controller's.
            if (!fault.startsWith(QLatin1String("error")) && !fault.startsWith(QLatin1String("debug"))) {
                flags.controller = false;
                record(op, flags, 5, layouts[1], fault);
            }
        }
    }
    std::cout << written << " corpus files written\n";
    return 0;
}
