// tessaline-cli: the installer's toolbox on Tessaline's core. See
// `tessaline-cli --help` and the README.
#include "cli/Cli.h"
#include "cli/Interrupt.h"
#include "platform/Clock.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

void write(FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

// One line from standard input; nothing at its end or when a signal came.
std::optional<QByteArray> readLine()
{
    QByteArray line;
    for (;;) {
        char c = 0;
        const ssize_t got = ::read(STDIN_FILENO, &c, 1);
        if (got <= 0)
            return got < 0 || line.isEmpty() ? std::nullopt : std::optional<QByteArray>(line);
        if (c == '\n')
            return line;
        line += c;
    }
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tessaline"));

    tess::cli::Interrupt interrupt;
    interrupt.catchSignals();
    tess::cli::Environment env{
        {[](const QByteArray &bytes) { write(stdout, bytes); }, [](const QByteArray &bytes) { write(stderr, bytes); },
         readLine, isatty(STDERR_FILENO) == 1, isatty(STDIN_FILENO) == 1},
        tess::Clock::system(),
        nullptr,
        &interrupt};
    return tess::cli::run(QCoreApplication::arguments(), env);
}
