#pragma once

#include <QString>

namespace tess {

class DeviceHost;
class Link;
class SettingsModel;

// The three status queries (system information, one input channel, one
// output screen) and the complete status read of a unit with the wait
// window. A query stores its record in the settings model only when the
// reply holds one; otherwise the model keeps what it had.
class StatusQueries {
public:
    StatusQueries(Link &link, SettingsModel &model, DeviceHost &host);

    // True when a record was found and stored.
    bool QuerySystemInfo(int unit);
    bool QueryInputInfo(int unit, int screen);
    bool QueryOutputInfo(int unit, int screen);

    // 1 when everything was read; -1 the system information was not read;
    // -1 - n the user stopped after input screen n was not read; -5 - n the
    // same for output screen n.
    int ReadAllStatus(int unit);

    static const QString ErrorReadingCaption;

private:
    enum class Query { System, Input, Output };
    bool exchange(Query query);
    bool noRecord(Query query);
    bool continueAfterFailure(const char *what, int screen);
    // The ID a query addresses unit 1 or 2 with; 0 for any other unit.
    int queryId(int unit) const;

    Link &link_;
    SettingsModel &model_;
    DeviceHost &host_;
};

}  // namespace tess
