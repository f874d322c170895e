#pragma once

#include <QString>

namespace tess::PortMap {

// COM1 and COM2 open the devices named by the user's port map: a symbolic
// link (or a file holding a device path on its first line) called COM1 or
// COM2 in <user config dir>/Tessaline/ports/, like Wine's dosdevices.
// Without an entry COM1 is /dev/ttyS0 and COM2 /dev/ttyS1.

// The folder of the port map.
QString directory();
// The entry for port n (1 or 2), whether or not it exists.
QString entryPath(int number);
// Whether the user has an entry for port n.
bool hasEntry(int number);
// The device that port n opens.
QString devicePath(int number);

// What the port map says about port n.
struct Lookup {
    bool hasEntry = false;
    // The device to open: the entry itself when it is a link, the path it
    // holds when it is a file, the system's port without an entry.
    QString device;
    // Why the entry cannot be used, naming the entry and what it names;
    // empty when it can (or when there is no entry).
    QString problem;
};
// Looks without opening anything (a pipe could block, a device could act
// on being opened) and follows links only as far as the system does. A
// character device that the system does not count among its terminals
// (/dev/null, /dev/zero) is no serial device, and a problem.
Lookup lookup(int number);

}  // namespace tess::PortMap
