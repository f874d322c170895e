#pragma once

#include "core/Simulator.h"
#include "model/SettingsModel.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Walls and configuration files for the tests of sending everything: the
// window's send and the command line's must put the same lines on the line.
namespace tess::test {

// The units of `sim` report a wall of `projectors`; every input sees
// locked video but those of the channels (1-8) in `unlocked`.
void prepareWall(sim::Simulator &sim, int projectors, const QList<int> &unlocked);

// What a damaged or foreign configuration file may hold.
enum class Damage {
    PatternPastList,
    BasicGammaNaN,
    EdgeGammaInfinite,
    WidthsBeyondBounds,
    ContrastNaN,
    ContrastOutOfBounds,
    AlignmentPastList,
    CountPastList,
    UnitWideUnknown,
};
void damage(SettingsModel &model, Damage what);

// The window, connected to units of `setup` (found and read), opens `file`
// and chooses "Send Current Settings to Quorex(s)".
struct WindowSend {
    QList<QByteArray> lines;  // what the line carried, from the send on
    QStringList messages;     // the boxes the send showed
};
WindowSend windowSendsFile(const sim::Setup &setup, const QString &file);

}  // namespace tess::test
