#include "cli/Interrupt.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace tess::cli {
namespace {

int pipeEnds[2] = {-1, -1};

extern "C" void onSignal(int)
{
    // Only what is safe in a signal handler: one write to the pipe.
    const char byte = 1;
    const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    (void)written;
}

}  // namespace

Interrupt::~Interrupt()
{
    if (notifier_) {
        for (int sig : {SIGINT, SIGTERM, SIGHUP})
            std::signal(sig, SIG_DFL);
    }
}

bool Interrupt::catchSignals()
{
    if (pipeEnds[0] < 0 && ::pipe2(pipeEnds, O_NONBLOCK | O_CLOEXEC) != 0)
        return false;
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &Interrupt::drain);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a question waiting for its answer on the terminal
    // returns, so that Ctrl+C ends it too.
    action.sa_flags = 0;
    for (int sig : {SIGINT, SIGTERM, SIGHUP})
        sigaction(sig, &action, nullptr);
    return true;
}

void Interrupt::drain()
{
    char bytes[16];
    bool any = false;
    while (::read(pipeEnds[0], bytes, sizeof bytes) > 0)
        any = true;
    if (any)
        emit requested();
}

}  // namespace tess::cli

#include "moc_Interrupt.cpp"
