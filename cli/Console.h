#pragma once

#include <QByteArray>
#include <functional>
#include <optional>

namespace tess {
class Clock;
class SerialPort;
}  // namespace tess

namespace tess::cli {

class Interrupt;

// The program's standard streams. The real ones in main(); tests catch
// what is written and give the answers typed.
struct Console {
    std::function<void(const QByteArray &)> out;
    std::function<void(const QByteArray &)> err;
    // One line typed on standard input, without its line end; nothing at
    // its end (or when reading was interrupted).
    std::function<std::optional<QByteArray>()> readLine;
    bool errIsTerminal = false;
    bool inIsTerminal = false;
};

// What a run works with.
struct Environment {
    Console console;
    Clock &clock;
    // The serial port; null: COM1 and COM2 as the user's port map names them.
    SerialPort *port = nullptr;
    // Ctrl+C; null: none comes.
    Interrupt *interrupt = nullptr;
};

// Exit codes, as --help and the README state them.
enum Exit : int {
    Done = 0,
    Differences = 1,    // diff: A and B differ
    UsageOrFile = 2,    // a bad argument, a file that cannot be read or written, a value the window would stop at
    LineFailed = 3,     // no units found, or the line failed
    Interrupted = 130,  // Ctrl+C (or SIGTERM, SIGHUP)
};

}  // namespace tess::cli
