#include "link/SerialPort.h"

#include "platform/Clock.h"

namespace tess {
namespace {

// The most a prompt wait reads at once.
constexpr qint64 ReadChunk = 4096;

}  // namespace

bool SerialPort::waitForString(Clock &clock, const QByteArray &text, int ticks)
{
    bool failed = false;
    const auto connection =
        connect(this, &SerialPort::errorOccurred, this, [&failed](const QString &) { failed = true; });
    const qint64 deadline = clock.nowMs() + qint64(ticks) * TickMs;
    // Only the tail that could still begin the text is kept between reads,
    // so a chattering line neither grows the buffer nor is rescanned.
    const qsizetype keep = qMax<qsizetype>(text.size() - 1, 0);
    QByteArray seen;
    bool found = false;
    while (!found && !failed && isOpen()) {
        if (bytesAvailable() > 0) {
            seen += read(qMin<qint64>(bytesAvailable(), ReadChunk));
            found = seen.contains(text);
            if (!found)
                seen = seen.right(keep);
        }
        const qint64 left = deadline - clock.nowMs();
        if (found || left <= 0)
            break;
        if (bytesAvailable() == 0)
            clock.waitForEvents(int(qMin<qint64>(left, TickMs)));
    }
    disconnect(connection);
    return found;
}

}  // namespace tess

#include "moc_SerialPort.cpp"
