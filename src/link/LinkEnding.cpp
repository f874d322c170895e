// How the link's last exchange ended, told from its flags and its reply:
// what a record of the line (the journal) writes down for each exchange.
#include "link/Link.h"

#include "model/RecordTypes.h"

#include <QByteArrayView>

namespace tess {

Link::Ending Link::lastEnding() const
{
    // An over-long reply ends as a time-out does; it is told apart first.
    if (replyOverflow_)
        return Ending::Overflow;
    if (timedOut_)
        return Ending::TimedOut;
    if (replyRejected_)
        return Ending::Rejected;
    if (ControllerDebugMode)
        return Ending::DebugMode;
    if (unitNotResponding_)
        return Ending::UnitNotResponding;
    if (ControllerError) {
        const bool code = QByteArrayView(ReplyBuffer, sizeof ReplyBuffer).contains("!ERR");
        return code ? Ending::ErrorCode : Ending::NotUnderstood;
    }
    if (ExchangeFailed)
        return Ending::LineClosed;
    return Ending::Reply;
}

char Link::lastRecordType() const
{
    // The header stands within the first 30 characters of the reply.
    const int end = qMin(replyLength_, 31);
    for (int p = 0; p + 1 < end; ++p) {
        const auto type = static_cast<unsigned char>(ReplyBuffer[p + 1]);
        if (ReplyBuffer[p] == 1 && statusRecordPayloadLength(type) != 0)
            return char(type);
    }
    return 0;
}

}  // namespace tess
