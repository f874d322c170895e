#pragma once

#include <QString>

namespace tess::sim {

// The entry COM1 or COM2 in the program's port map
// (<generic config dir>/Tessaline/ports/), pointing at the simulator's
// terminal for as long as the simulator runs. A user's own entry is never
// replaced unless forced, and then put back afterwards.
//
// Beside its link the simulator keeps a marker, .COM1.quorex-sim, holding
// its process id and terminal. An entry whose marker names a simulator that
// no longer runs (killed, so it could not clean up) is the simulator's own
// leftover and is replaced; without a matching marker an entry is the
// user's.
class PortMapEntry {
public:
    PortMapEntry() = default;
    ~PortMapEntry() { remove(); }
    PortMapEntry(const PortMapEntry &) = delete;
    PortMapEntry &operator=(const PortMapEntry &) = delete;

    static QString directory();
    static QString pathFor(int number);

    // `note` receives what was done on the way (a leftover entry replaced).
    bool create(int number, const QString &device, bool force, QString *error, QString *note = nullptr);
    // Points the entry at another device (after the line came back).
    bool retarget(const QString &device, QString *error);
    // Removes the entry if it is still the one this simulator made, and
    // puts back what it replaced.
    void remove();
    QString path() const { return path_; }

private:
    bool ours() const;
    QString backupPath() const;
    QString markerPath() const;
    void writeMarker() const;
    // The entry is a link made by a simulator that no longer runs; `pid`
    // receives the process the marker names (alive or not) when it matches.
    bool leftByDeadSimulator(qint64 *pid) const;
    void clearLeftover();

    QString path_;
    QString device_;
    bool created_ = false;
    bool movedAside_ = false;
};

}  // namespace tess::sim
