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

}  // namespace tess::PortMap
