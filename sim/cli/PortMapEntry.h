#pragma once

#include <QString>

namespace tess::sim {

// The entry COM1 or COM2 in the program's port map
// (<generic config dir>/Tessaline/ports/), pointing at the simulator's
// terminal for as long as the simulator runs. A user's own entry is never
// replaced unless forced, and then put back afterwards.
class PortMapEntry {
public:
    PortMapEntry() = default;
    ~PortMapEntry() { remove(); }
    PortMapEntry(const PortMapEntry &) = delete;
    PortMapEntry &operator=(const PortMapEntry &) = delete;

    static QString directory();
    static QString pathFor(int number);

    bool create(int number, const QString &device, bool force, QString *error);
    // Points the entry at another device (after the line came back).
    bool retarget(const QString &device, QString *error);
    // Removes the entry if it is still the one this simulator made, and
    // puts back what it replaced.
    void remove();
    QString path() const { return path_; }

private:
    bool ours() const;
    QString backupPath() const;

    QString path_;
    QString device_;
    bool created_ = false;
    bool movedAside_ = false;
};

}  // namespace tess::sim
