#pragma once

namespace tess {

class DeviceHost;
class DeviceSearch;
class Dialogs;
class Link;
class Refills;
class StatusQueries;
struct WindowState;

// "Read from Quorex(s) ...": counts the units behind the controller, reads
// each one completely into the settings model and brings every page in
// line with it. A failed read leaves the window as it was.
class ReadAll {
public:
    ReadAll(Link &link, DeviceSearch &search, StatusQueries &queries, WindowState &state, DeviceHost &host,
            const Refills &refills, Dialogs &dialogs);

    // True when every unit in use was read and the window refilled; false
    // after the failure's message.
    bool ReadfromQuorexs1Click();

private:
    void end();

    Link &link_;
    DeviceSearch &search_;
    StatusQueries &queries_;
    WindowState &state_;
    DeviceHost &host_;
    const Refills &refills_;
    Dialogs &dialogs_;
};

}  // namespace tess
