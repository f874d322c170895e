// How the link's last exchange ended, told from its flags and its reply:
// what a record of the line (the journal) writes down for each exchange.
#include "link/Link.h"

namespace tess {

Link::Ending Link::lastEnding() const
{
    // An over-long reply ends as a time-out does; it is told apart first.
    if (reply_.overflowed())
        return Ending::Overflow;
    if (timedOut_)
        return Ending::TimedOut;
    if (reply_.rejected())
        return Ending::Rejected;
    if (ControllerDebugMode)
        return Ending::DebugMode;
    if (unitNotResponding_)
        return Ending::UnitNotResponding;
    if (ControllerError) {
        const bool code = reply_.bytes().contains("!ERR");
        return code ? Ending::ErrorCode : Ending::NotUnderstood;
    }
    if (ExchangeFailed)
        return Ending::LineClosed;
    return Ending::Reply;
}

char Link::lastRecordType() const
{
    return reply_.recordType();
}

}  // namespace tess
