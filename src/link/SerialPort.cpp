#include "link/SerialPort.h"

#include "platform/Clock.h"

namespace tess {

bool SerialPort::waitForString(Clock &clock, const QByteArray &text, int ticks)
{
    bool failed = false;
    const auto connection = connect(this, &SerialPort::errorOccurred, this,
                                    [&failed](const QString &) { failed = true; });
    const qint64 deadline = clock.nowMs() + qint64(ticks) * TickMs;
    QByteArray seen;
    bool found = false;
    while (!found && !failed) {
        if (bytesAvailable() > 0) {
            seen += read(bytesAvailable());
            found = seen.contains(text);
            continue;
        }
        const qint64 left = deadline - clock.nowMs();
        if (left <= 0)
            break;
        clock.waitForEvents(int(qMin<qint64>(left, TickMs)));
    }
    disconnect(connection);
    return found;
}

}  // namespace tess
