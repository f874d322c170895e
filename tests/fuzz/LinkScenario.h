#pragma once

// One operation of the link as the program runs it, on an in-memory port in
// virtual time: a status query, a relayed or direct send, the unit count,
// the probe or a complete status read. What "the device" says comes from a
// responder that is asked after every write; the user answers Yes or OK to
// the first few questions and No or Cancel after that.
//
// A scenario's bytes, as the fuzz target reads them:
//   [operation] [flags] [piece size] then one answer per write:
//   [length] [length bytes] ...
// flags: bit 0 through the controller, bit 1 unit 2, bits 2-3 screen - 1,
// bits 4-5 how many questions are answered Yes (0 to 3), bit 6 port 2.

#include "device/StatusQueries.h"
#include "link/DeviceSearch.h"
#include "link/Link.h"
#include "model/SettingsModel.h"
#include "platform/Dialogs.h"
#include "support/FakeDeviceHost.h"
#include "support/FakeWindow.h"
#include "support/RecordedExit.h"
#include "support/ScriptedPort.h"
#include "support/VirtualClock.h"

#include <functional>

namespace tess::fuzz {

enum class Operation { QuerySystem, QueryInput, QueryOutput, SendRelayed, SendDirect, CountUnits, TryPort, ReadAll };
inline constexpr int OperationCount = 8;

struct ScenarioFlags {
    bool controller = false;
    int unit = 1;
    int screen = 1;
    int yesAnswers = 0;
    int port = 1;

    static ScenarioFlags from(std::uint8_t b)
    {
        return {bool(b & 1), b & 2 ? 2 : 1, ((b >> 2) & 3) + 1, (b >> 4) & 3, b & 0x40 ? 2 : 1};
    }
    std::uint8_t byte() const
    {
        return std::uint8_t((controller ? 1 : 0) | (unit == 2 ? 2 : 0) | ((screen - 1) & 3) << 2
                            | (yesAnswers & 3) << 4 | (port == 2 ? 0x40 : 0));
    }
};

class AnsweringDialogs final : public Dialogs {
public:
    int yesLeft = 0;
    int messages = 0;
    int questions = 0;

    void showMessage(const QString &, const QString &) override { ++messages; }
    bool askOkCancel(const QString &, const QString &) override { return answer(); }
    bool askYesNo(const QString &, const QString &) override { return answer(); }
    QString openFileName(const FileRequest &) override { return {}; }
    QString saveFileName(const FileRequest &) override { return {}; }

private:
    bool answer()
    {
        ++questions;
        return yesLeft-- > 0;
    }
};

struct LinkScenario {
    test::VirtualClock clock;
    AnsweringDialogs dialogs;
    test::RecordedExit exit;
    test::ScriptedPort port;
    test::FakeWindow window;
    Link link{port, clock, dialogs, exit, window};
    SettingsModel model;
    test::FakeDeviceHost host;
    StatusQueries queries{link, model, host};
    DeviceSearch search{link, window};
    ScenarioFlags flags;

    // `respond` answers every write (what the program wrote, in order).
    LinkScenario(const ScenarioFlags &f, int pieceSize, std::function<QByteArray(const QByteArray &)> respond)
        : flags(f)
    {
        host.window = &window;
        dialogs.yesLeft = f.yesAnswers;
        window.controllerBox = f.controller;
        window.ids[0] = host.unitIds.id(1);
        window.ids[1] = host.unitIds.id(2);
        link.ControllerMode = f.controller;
        link.PromptChar = f.controller ? '>' : '#';
        port.pieceSize = pieceSize;
        port.respond = [respond](int, const QByteArray &written) { return respond(written); };
        port.setPortNumber(1);
        port.open();
        link.SetDeviceConnected(true);
    }

    // Runs the operation; its result as an int (a bool as 0 or 1).
    int run(Operation op)
    {
        switch (op) {
        case Operation::QuerySystem:
            return queries.QuerySystemInfo(flags.unit);
        case Operation::QueryInput:
            return queries.QueryInputInfo(flags.unit, flags.screen);
        case Operation::QueryOutput:
            return queries.QueryOutputInfo(flags.unit, flags.screen);
        case Operation::SendRelayed:
            // Only the controller takes relayed frames.
            link.ControllerMode = true;
            link.PromptChar = '>';
            link.formatCommand("*%dTP %d!", host.unitIds.id(flags.unit), flags.screen);
            link.ComputeChecksum();
            return link.SendRelayed(host.unitIds.id(flags.unit), 2);
        case Operation::SendDirect:
            link.formatCommand("TP %d\r", flags.screen);
            link.SendDirect();
            return 1;
        case Operation::CountUnits:
            return search.CountUnits();
        case Operation::TryPort:
            port.close();
            return link.TryPort(flags.port);
        case Operation::ReadAll:
            return queries.ReadAllStatus(flags.unit);
        }
        return 0;
    }
};

}  // namespace tess::fuzz
