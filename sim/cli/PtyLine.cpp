#include "cli/PtyLine.h"

#include <QSocketNotifier>
#include <QStringList>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/timerfd.h>
#include <termios.h>
#include <unistd.h>

namespace tess::sim {

namespace {

const struct {
    speed_t speed;
    int baud;
} kSpeeds[] = {{B1200, 1200},     {B2400, 2400},     {B4800, 4800},    {B9600, 9600},
               {B19200, 19200},   {B38400, 38400},   {B57600, 57600},  {B115200, 115200},
               {B230400, 230400}, {B460800, 460800}, {B921600, 921600}};

int baudOf(speed_t speed)
{
    for (const auto &entry : kSpeeds) {
        if (entry.speed == speed)
            return entry.baud;
    }
    return 0;
}

speed_t speedOf(int baud)
{
    for (const auto &entry : kSpeeds) {
        if (entry.baud == baud)
            return entry.speed;
    }
    return B38400;
}

QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QString::fromLatin1(what), QString::fromLocal8Bit(std::strerror(errno)));
}

}  // namespace

PtyLine::PtyLine(Simulator &simulator, const QElapsedTimer &clock, QObject *parent)
    : QObject(parent), sim_(simulator), clock_(clock), pacer_(simulator)
{
    // A byte takes 174 us at 57600 baud: the default timer slack of 50 us
    // would let every wake-up run that much late.
    ::prctl(PR_SET_TIMERSLACK, 1000UL, 0, 0, 0);
    timerFd_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (timerFd_ >= 0) {
        wake_ = new QSocketNotifier(timerFd_, QSocketNotifier::Read, this);
        connect(wake_, &QSocketNotifier::activated, this, [this] {
            quint64 expirations = 0;
            [[maybe_unused]] const auto ignored = ::read(timerFd_, &expirations, sizeof expirations);
            service();
        });
    }
    // The program's serial port makes the terminal exclusive while it has it
    // open. Since the simulator keeps the terminal open too, a program that
    // ended without closing its port would leave it exclusive, and the next
    // start (without root) would find the port busy: clear it now and then.
    unlock_.setInterval(1000);
    connect(&unlock_, &QTimer::timeout, this, [this] {
        if (slave_ >= 0)
            ::ioctl(slave_, TIOCNXCL);
    });
}

PtyLine::~PtyLine()
{
    close();
    if (timerFd_ >= 0)
        ::close(timerFd_);
}

bool PtyLine::open(QString *error)
{
    if (timerFd_ < 0) {
        *error = QStringLiteral("no timer for pacing the line (timerfd_create failed)");
        return false;
    }
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        *error = systemError("posix_openpt");
        return false;
    }
    char name[256] = {};
    if (grantpt(master_) != 0 || unlockpt(master_) != 0 || ptsname_r(master_, name, sizeof name) != 0) {
        *error = systemError("preparing the pseudo-terminal");
        close();
        return false;
    }
    path_ = QString::fromLocal8Bit(name);
    slave_ = ::open(name, O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        *error = systemError("opening the terminal's device");
        close();
        return false;
    }
    // Raw, so nothing is echoed or translated before the program sets the
    // line itself.
    termios raw{};
    tcgetattr(slave_, &raw);
    cfmakeraw(&raw);
    cfsetspeed(&raw, speedOf(sim_.listensWith.baud));
    tcsetattr(slave_, TCSANOW, &raw);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);

    unlock_.start();
    reader_ = new QSocketNotifier(master_, QSocketNotifier::Read, this);
    connect(reader_, &QSocketNotifier::activated, this, &PtyLine::readable);
    return true;
}

void PtyLine::close()
{
    unlock_.stop();
    delete reader_;
    reader_ = nullptr;
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
    master_ = slave_ = -1;
    backlog_.clear();
    pacer_.clear();
    if (timerFd_ >= 0) {
        const itimerspec off{};
        ::timerfd_settime(timerFd_, 0, &off, nullptr);
    }
}

int PtyLine::bitsPerByte(unsigned cflag)
{
    int data = 8;
    switch (cflag & CSIZE) {
    case CS5:
        data = 5;
        break;
    case CS6:
        data = 6;
        break;
    case CS7:
        data = 7;
        break;
    default:
        break;
    }
    return 1 + data + ((cflag & PARENB) ? 1 : 0) + ((cflag & CSTOPB) ? 2 : 1);
}

int PtyLine::lineBits() const
{
    termios t{};
    if (slave_ < 0 || tcgetattr(slave_, &t) != 0)
        return 10;
    return bitsPerByte(unsigned(t.c_cflag));
}

std::optional<LineSettings> PtyLine::lineSettings() const
{
    termios t{};
    if (!reportLine_ || slave_ < 0 || tcgetattr(slave_, &t) != 0)
        return std::nullopt;
    LineSettings line;
    line.baud = baudOf(cfgetospeed(&t));
    if (!(t.c_cflag & PARENB))
        line.parity = Parity::None;
    else if (t.c_cflag & CMSPAR)
        line.parity = (t.c_cflag & PARODD) ? Parity::Mark : Parity::Space;
    else
        line.parity = (t.c_cflag & PARODD) ? Parity::Odd : Parity::Even;
    return line;
}

void PtyLine::readable()
{
    char buffer[4096];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n <= 0)
        return;
    pacer_.written(QByteArray(buffer, int(n)), nowNs(), lineBits(), lineSettings());
    service();
}

void PtyLine::pump()
{
    if (master_ < 0)
        return;
    pacer_.takeOutput(nowNs());
    service();
}

void PtyLine::service()
{
    if (master_ < 0)
        return;
    backlog_ += pacer_.run(nowNs(), lineBits());
    if (!backlog_.isEmpty()) {
        const ssize_t written = ::write(master_, backlog_.constData(), size_t(backlog_.size()));
        if (written > 0)
            backlog_.remove(0, written);
    }
    arm(nowNs());
}

void PtyLine::arm(qint64 now)
{
    std::optional<qint64> wake = pacer_.nextWakeNs();
    if (!backlog_.isEmpty())  // the program does not read: try again soon
        wake = qMin(wake.value_or(now + 1000000), now + 1000000);
    itimerspec when{};
    if (wake) {
        const qint64 delay = qMax<qint64>(1, *wake - now);  // zero would disarm it
        when.it_value.tv_sec = time_t(delay / 1000000000);
        when.it_value.tv_nsec = long(delay % 1000000000);
    }
    ::timerfd_settime(timerFd_, 0, &when, nullptr);
}

std::optional<ControlResult> PtyLine::control(const QString &command)
{
    const QStringList words = command.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.value(0) != QLatin1String("line-stats"))
        return std::nullopt;
    if (words.size() == 2 && words.at(1) == QLatin1String("reset")) {
        pacer_.stats.reset();
        return ControlResult{true, QStringLiteral("ok")};
    }
    if (words.size() != 1)
        return ControlResult{false, QStringLiteral("line-stats: nothing or \"reset\" after it")};
    return ControlResult{true, pacer_.stats.text()
                                   + QStringLiteral(" baud=%1 bits=%2 duplex=%3")
                                         .arg(pacingBaud_)
                                         .arg(lineBits())
                                         .arg(pacer_.halfDuplex() ? QStringLiteral("half") : QStringLiteral("full"))};
}

}  // namespace tess::sim

#include "moc_PtyLine.cpp"
