#pragma once

namespace tess {

class DeviceSearch;
class Link;
class StatusQueries;

// What pages do with the units beyond sending single commands: the
// connection's mode, counting the units behind the controller, checking a
// projector count against the connection, reading a unit completely, and
// the serial line itself (the Information page's terminal and line lights
// share it).
class Units {
public:
    Units(Link &link, DeviceSearch &search, StatusQueries &queries) : link_(link), search_(search), queries_(queries)
    {
    }
    Units(const Units &) = delete;
    Units &operator=(const Units &) = delete;

    Link &link() const { return link_; }
    // Whether the units are reached through the controller.
    bool controllerMode() const;
    // The units behind the controller (below 1: none found).
    int CountUnits();
    // Whether the connection can serve a wall that needs
    // `projectorsRequired` projectors, with the count list at
    // `countSelection` (0 = "1 Projector").
    bool CheckUnitsForProjectorCount(int projectorsRequired, int countSelection);
    // 1 when everything of `unit` was read, else a negative code.
    int ReadAllStatus(int unit);

private:
    Link &link_;
    DeviceSearch &search_;
    StatusQueries &queries_;
};

}  // namespace tess
