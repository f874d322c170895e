#include "device/StatusQueries.h"

#include "device/DeviceHost.h"
#include "device/StatusRecords.h"
#include "link/Link.h"
#include "link/SerialPort.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

#include <iterator>

namespace tess {
namespace {

const QString kQuerying = QStringLiteral("Tessaline querying Quorex(s). Please wait....");
const QString kFormatMismatch = QStringLiteral(
    "Warning: Current Output Format and Input Format does not match (no valid input video?). Tessaline may not "
    "function properly.");

// The least number of characters before the prompt can end each reply.
constexpr int kSystemReplyLength = 8;
constexpr int kInputReplyLength = 70;
constexpr int kOutputReplyLength = 62;

// Output formats 0 to 3 and their sizes.
constexpr int kFormatWidth[] = {640, 800, 1024, 1280};
constexpr int kFormatHeight[] = {480, 600, 768, 1024};

// The reply up to its prompt: a record is looked for there and nowhere else.
records::Bytes replyBytes(const Link &link)
{
    const QByteArrayView reply = link.replyView();
    return {reinterpret_cast<const std::uint8_t *>(reply.data()), std::size_t(reply.size())};
}

}  // namespace

const QString StatusQueries::ErrorReadingCaption = QStringLiteral("VKS - Tessaline :Error reading from Quorex(s)");

StatusQueries::StatusQueries(Link &link, SettingsModel &model, DeviceHost &host)
    : link_(link), model_(model), host_(host)
{
}

int StatusQueries::queryId(int unit) const
{
    return unit == 1 || unit == 2 ? host_.unitIds.id(unit) : 0;
}

bool StatusQueries::exchange(Query query)
{
    // Nothing of an earlier reply may be taken for this one's record, and
    // with the port closed no exchange happens at all: start from an empty
    // reply and clear flags.
    link_.query(query == Query::System  ? kSystemReplyLength
                : query == Query::Input ? kInputReplyLength
                                        : kOutputReplyLength);
    if (!link_.ExchangeFailed)
        return true;
    if (link_.lastReplyRejected())
        return noRecord(query);
    if (!link_.ControllerMode)
        return false;

    // Through the controller a refusal is asked again; an output query is
    // also asked again when nothing at all came back. The user decides
    // after every third failure whether to go on. A port that closed
    // meanwhile (disconnected, or lost for good) ends the query.
    const bool againWhenEmpty = query == Query::Output;
    const auto askAgain = [&] {
        return link_.ExchangeFailed && link_.port().isOpen() && !link_.lastReplyRejected()
               && (link_.ControllerError || (againWhenEmpty && link_.reply().isEmpty()));
    };
    int failures = 1;
    while (askAgain()) {
        if (failures % Link::TimeoutsBeforeAsking == 0 && !link_.askKeepTrying())
            return false;
        link_.AwaitQueryReply();
        if (link_.ExchangeFailed)
            ++failures;
    }
    if (link_.ExchangeFailed && link_.lastReplyRejected())
        return noRecord(query);
    return !link_.ExchangeFailed;
}

bool StatusQueries::noRecord(Query query)
{
    static const char *const keyword[] = {"SYINFOQX", "IINFOQX", "OINFOQX"};
    host_.setStatusText(QStringLiteral("Error parsing %1 message....").arg(QLatin1String(keyword[int(query)])));
    link_.clock().processPendingEvents();
    link_.clock().sleepBlocking(100);
    if (query == Query::System)
        link_.clock().processPendingEvents();
    return false;
}

bool StatusQueries::QuerySystemInfo(int unit)
{
    if (link_.ControllerMode)
        link_.formatCommand("QXQUERY *%dSYINFOQX!\r", queryId(unit));
    else
        link_.formatCommand("SYINFOQX\r");
    if (!exchange(Query::System))
        return false;
    const auto record = records::findRecord(replyBytes(link_), records::SystemTypes);
    if (!record)
        return noRecord(Query::System);
    FirmwareVersionBytes version = model_.firmwareVersion(unit);
    records::decodeSystemInfo(record->payload, version);
    model_.setFirmwareVersion(unit, version);
    return true;
}

bool StatusQueries::QueryInputInfo(int unit, int screen)
{
    if (link_.ControllerMode)
        link_.formatCommand("QXQUERY *%dIINFOQX %1d!\r", queryId(unit), screen);
    else
        link_.formatCommand("IINFOQX %1d\r", screen);
    if (!exchange(Query::Input))
        return false;
    const auto record = records::findRecord(replyBytes(link_), records::InputTypes);
    if (!record)
        return noRecord(Query::Input);
    records::decodeInputInfo(record->type, record->payload, model_.input(unit, screen));
    return true;
}

bool StatusQueries::QueryOutputInfo(int unit, int screen)
{
    if (link_.ControllerMode)
        link_.formatCommand("QXQUERY *%dOINFOQX %1d!\r", queryId(unit), screen);
    else
        link_.formatCommand("OINFOQX %1d\r", screen);
    if (!exchange(Query::Output))
        return false;
    const auto record = records::findRecord(replyBytes(link_), records::OutputTypes);
    if (!record)
        return noRecord(Query::Output);
    records::decodeOutputInfo(record->type, record->payload, model_.output(unit, screen));
    return true;
}

bool StatusQueries::continueAfterFailure(const char *what, int screen)
{
    return link_.dialogs().askYesNo(
        ErrorReadingCaption,
        QStringLiteral("Tessaline unable to read %1 Status on Screen %2. Do you still wish to continue? Click Yes "
                       "to continue (NOTE: Tessaline settings on Screen %2 will be invalid)")
            .arg(QLatin1String(what))
            .arg(screen));
}

int StatusQueries::ReadAllStatus(int unit)
{
    host_.setInfoText(kQuerying);
    host_.setInfoProgressText(QString());
    host_.showInfoForm();

    // A port that closed during the read (disconnected, or lost for good)
    // ends it at once: the caller reports the failure once.
    const auto lineClosed = [this] { return !link_.port().isOpen(); };

    if (!QuerySystemInfo(unit)) {
        host_.hideInfoForm();
        return -1;
    }
    // The Information page shows unit 1's version, whichever unit is read.
    host_.setVersion1Text(model_.versionText(1));
    host_.setInfoProgressText(QStringLiteral("."));

    for (int screen = 1; screen <= SettingsModel::ScreensPerUnit; ++screen) {
        if (!QueryInputInfo(unit, screen) && (lineClosed() || !continueAfterFailure("Input", screen))) {
            host_.hideInfoForm();
            return -1 - screen;
        }
        if (screen == 2)
            host_.setInfoProgressText(QStringLiteral(".."));
        else if (screen == 4)
            host_.setInfoProgressText(QStringLiteral("..."));
    }
    for (int screen = 1; screen <= SettingsModel::ScreensPerUnit; ++screen) {
        if (!QueryOutputInfo(unit, screen) && (lineClosed() || !continueAfterFailure("Output", screen))) {
            host_.hideInfoForm();
            return -5 - screen;
        }
    }
    host_.setInfoProgressText(QStringLiteral("...."));
    host_.setSettingsReadFromUnits(true);

    const int format = model_.output(1, 1).OutputFormat;
    if (format < int(std::size(kFormatWidth))) {
        host_.setOutputFormatSize(kFormatWidth[format], kFormatHeight[format]);
        if (model_.input(1, 1).HActive != kFormatWidth[format])
            link_.dialogs().showMessage(kFormatMismatch);
    }
    host_.hideInfoForm();
    return 1;
}

}  // namespace tess
