#include "core/Unit.h"

#include "core/Records.h"

#include <QList>
#include <cmath>
#include <functional>
#include <limits>

namespace tess::sim {

namespace {

// Reads the arguments of one command; any argument that does not fit
// marks the whole command as invalid.
class Args {
public:
    explicit Args(const QList<QByteArray> &words) : words_(words) {}

    bool done() const { return ok_ && next_ == words_.size(); }

    qint64 whole(qint64 low, qint64 high)
    {
        const QByteArray word = take();
        bool ok = false;
        const qint64 v = word.toLongLong(&ok);
        if (!ok || v < low || v > high)
            ok_ = false;
        // A bad argument reads as the lowest allowed value, so that indexing
        // stays in range; the command is refused all the same.
        return ok_ ? v : low;
    }
    int screen(int last = 4) { return int(whole(1, last)); }
    quint8 byte() { return quint8(whole(0, 255)); }
    qint32 i32() { return qint32(whole(std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max())); }
    // A real number as whole tenths.
    qint32 tenths()
    {
        bool ok = false;
        const double v = take().toDouble(&ok);
        if (!ok || !std::isfinite(v) || std::fabs(v) > 1e8)
            ok_ = false;
        return ok_ ? qint32(std::lround(v * 10.0)) : 0;
    }
    // One letter out of `allowed` (case-insensitive), returned in upper case.
    char letter(const char *allowed)
    {
        const QByteArray word = take().toUpper();
        if (word.size() != 1 || !QByteArray(allowed).contains(word.at(0)))
            ok_ = false;
        return ok_ ? word.at(0) : '\0';
    }

private:
    QByteArray take()
    {
        if (next_ >= words_.size()) {
            ok_ = false;
            return {};
        }
        return words_.at(next_++);
    }

    QList<QByteArray> words_;
    qsizetype next_ = 0;
    bool ok_ = true;
};

qint32 &colour(InputSettings &in, char letter, bool contrast)
{
    switch (letter) {
    case 'R':
        return contrast ? in.contrastR : in.brightnessR;
    case 'G':
        return contrast ? in.contrastG : in.brightnessG;
    case 'B':
        return contrast ? in.contrastB : in.brightnessB;
    default:
        return contrast ? in.contrastC : in.brightnessC;
    }
}

}  // namespace

Unit::Unit(int position, int unitsInWall) : position_(position), unitsInWall_(qMax(1, unitsInWall))
{
    inputs[0] = InputSignal::lockedAt(1280, 1024);
    settings = factoryDefaults();
    saved = settings;
}

UnitSettings Unit::factoryDefaults() const
{
    UnitSettings d;
    for (int i = 0; i < 4; ++i)
        d.inputs[i] = InputSettings::defaultsFor(inputs[i]);
    d.wide.projectorGroup = quint8(position_ == 0 ? 0 : 1);
    d.wide.totalProjectors = quint8(4 * unitsInWall_);
    return d;
}

void Unit::setInputSignal(int input, const InputSignal &signal)
{
    InputSignal &current = inputs[input - 1];
    const bool gained =
        signal.present
        && (!current.present || current.hActive != signal.hActive || current.vActive != signal.vActive);
    current = signal;
    if (gained) {
        settings.inputs[input - 1].hPosition = signal.hPositionRef;
        settings.inputs[input - 1].vPosition = signal.vPositionRef;
    }
}

QByteArray Unit::systemRecord() const
{
    return Records::system(version);
}

QByteArray Unit::inputRecord(int input) const
{
    return Records::input(inputLayout, inputs[input - 1], settings.inputs[input - 1]);
}

QByteArray Unit::outputRecord(int screen) const
{
    return Records::output(outputLayout, outputs[screen - 1], settings.screens[screen - 1], settings.wide);
}

Unit::Answer Unit::handle(const QByteArray &line)
{
    QList<QByteArray> words = line.simplified().split(' ');
    words.removeAll(QByteArray());
    if (words.isEmpty())
        return {};  // an empty command: just the acknowledgement
    const QByteArray keyword = words.takeFirst().toUpper();
    Args a(words);
    UnitSettings next = settings;
    auto &wide = next.wide;
    Answer answer;

    using Handler = std::function<void()>;
    const QHash<QByteArray, Handler> commands{
        {"BLKGN",
         [&] {
             const int s = a.screen();
             next.screens[s - 1].blackLevel = a.byte();
         }},
        {"OTPMQX",
         [&] {
             const int s = a.screen(5);
             const quint8 pattern = a.byte(), raster = a.byte(), grid = a.byte();
             for (int i = 1; i <= 4; ++i) {
                 if (s == 5 || s == i) {
                     next.screens[i - 1].testPattern = pattern;
                     next.screens[i - 1].outputRaster = raster;
                     next.screens[i - 1].testGrid = grid;
                 }
             }
         }},
        {"HALO",
         [&] {
             ScreenSettings &sc = next.screens[a.screen() - 1];
             const bool left = a.letter("LR") == 'L';
             const qint32 width = a.i32(), offset = a.i32();
             (left ? sc.haloLeftWidth : sc.haloRightWidth) = width;
             (left ? sc.haloLeftOffset : sc.haloRightOffset) = offset;
         }},
        {"QXCTRL", [&] { wide.advancedMode = a.byte(); }},
        {"DDBL", [&] { wide.dataDoubling = a.byte(); }},
        {"DISP",
         [&] {
             wide.justification = a.byte();
             wide.overlapWidth = a.i32();
         }},
        {"EFTB",
         [&] {
             wide.basicFeather = quint16(a.whole(0, 65535));
             wide.basicGamma = a.tenths();
         }},
        {"PEFT",
         [&] {
             ScreenSettings &sc = next.screens[a.screen() - 1];
             const bool left = a.letter("LR") == 'L';
             const auto on = quint16(a.whole(0, 65535));
             const qint32 gamma = a.tenths(), width = a.i32(), offset = a.i32();
             (left ? sc.leftFeather : sc.rightFeather) = on;
             (left ? sc.leftGamma : sc.rightGamma) = gamma;
             (left ? sc.gammaLeftWidth : sc.gammaRightWidth) = width;
             (left ? sc.gammaLeftOffset : sc.gammaRightOffset) = offset;
         }},
        {"FEATHER", [&] { wide.featherCurve = quint8(a.letter("LS")); }},
        {"PRJ",
         [&] {
             wide.projectorGroup = a.byte();
             wide.totalProjectors = a.byte();
         }},
        {"ICPHOQX",
         [&] {
             InputSettings &in = next.inputs[a.screen() - 1];
             a.letter("M");
             in.phase = a.i32();
         }},
        {"IRSPQX",
         [&] {
             InputSettings &in = next.inputs[a.screen() - 1];
             a.letter("M");
             const bool horizontal = a.letter("HV") == 'H';
             (horizontal ? in.hPosition : in.vPosition) = a.i32();
         }},
        {"ICNTQX",
         [&] {
             InputSettings &in = next.inputs[a.screen() - 1];
             const char c = a.letter("CRGB");
             colour(in, c, true) = a.tenths();
         }},
        {"IBRTQX",
         [&] {
             InputSettings &in = next.inputs[a.screen() - 1];
             const char c = a.letter("CRGB");
             colour(in, c, false) = a.tenths();
         }},
        {"ICSAVQX",
         [&] {
             const int s = a.screen();
             saved.inputs[s - 1] = next.inputs[s - 1];
         }},
        {"ICRSTQX",
         [&] {
             const int s = a.screen();
             next.inputs[s - 1] = InputSettings::defaultsFor(inputs[s - 1]);
         }},
        {"MANSEAM",
         [&] {
             ScreenSettings &sc = next.screens[a.screen() - 1];
             sc.seamPrefix = a.i32();
             for (quint8 &gain : sc.seamGains)
                 gain = a.byte();
         }},
        {"BRDGSEAM", [&] { wide.seamBridge = a.byte(); }},
        {"AUTOSEAM",
         [&] {
             const int s = a.screen();
             for (int i = 0; i < 8; ++i)
                 next.screens[s - 1].seamGains[i] = quint8(qBound(0, 128 + s * SeamSteps[i], 255));
         }},
        {"BRTHRS", [&] { wide.bridgeThreshold = a.byte(); }},
        {"RGBADJ",
         [&] {
             for (int i = 0; i < 4; ++i) {
                 if (!inputs[i].present || !inputs[i].locked)
                     continue;
                 InputSettings &in = next.inputs[i];
                 in.contrastR = BalancedRgb[0];
                 in.brightnessR = BalancedRgb[1];
                 in.contrastG = BalancedRgb[2];
                 in.brightnessG = BalancedRgb[3];
                 in.contrastB = BalancedRgb[4];
                 in.brightnessB = BalancedRgb[5];
             }
         }},
        {"SYSAVE", [&] { saved = next; }},
        {"RESETQX",
         [&] {
             a.letter("F");
             next = factoryDefaults();
         }},
        {"SYINFOQX", [&] { answer.body = systemRecord(); }},
        {"IINFOQX", [] {}},
        {"OINFOQX", [] {}},
    };

    const auto found = commands.constFind(keyword);
    if (found == commands.constEnd())
        return {InvalidCommand, false, false, 0};
    // Queries are answered from the state after the arguments were read.
    if (keyword == "IINFOQX" || keyword == "OINFOQX") {
        const int s = a.screen();
        if (!a.done())
            return {InvalidParameter, true, false, 0};
        answer.body = keyword == "IINFOQX" ? inputRecord(s) : outputRecord(s);
        answer.record = true;
        return answer;
    }
    const UnitSettings savedBefore = saved;
    found.value()();
    if (!a.done()) {
        saved = savedBefore;
        return {InvalidParameter, true, false, 0};
    }
    settings = next;
    answer.record = keyword == "SYINFOQX";
    answer.busyMs = processingMs.value(keyword, 0);
    return answer;
}

}  // namespace tess::sim
