#include "cli/PtyLine.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace tess::sim {

namespace {

const struct {
    speed_t speed;
    int baud;
} kSpeeds[] = {{B1200, 1200},     {B2400, 2400},     {B4800, 4800},     {B9600, 9600},
               {B19200, 19200},   {B38400, 38400},   {B57600, 57600},   {B115200, 115200},
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
    : QObject(parent), sim_(simulator), clock_(clock)
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &PtyLine::pump);
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
}

bool PtyLine::open(QString *error)
{
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
    timer_.stop();
    unlock_.stop();
    delete reader_;
    reader_ = nullptr;
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
    master_ = slave_ = -1;
    outgoing_.clear();
    sim_.discardPendingOutput();
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
    sim_.receive(QByteArray(buffer, int(n)), clock_.elapsed(), lineSettings());
    pump();
}

void PtyLine::pump()
{
    if (master_ < 0)
        return;
    const qint64 now = clock_.elapsed();
    if (outgoing_.isEmpty())
        lastPump_ = now;  // no credit piles up while the line is idle
    for (const QByteArray &piece : sim_.takeDue(now))
        outgoing_ += piece;

    if (!outgoing_.isEmpty()) {
        qsizetype budget = outgoing_.size();
        if (pacingBaud_ > 0) {
            credit_ = qMin(credit_ + double(now - lastPump_) * pacingBaud_ / 10000.0, 256.0);
            budget = qMin<qsizetype>(budget, qsizetype(credit_));
        }
        lastPump_ = now;
        if (budget > 0) {
            const ssize_t written = ::write(master_, outgoing_.constData(), size_t(budget));
            if (written > 0) {
                outgoing_.remove(0, written);
                credit_ = qMax(0.0, credit_ - double(written));
            }
        }
    }
    if (!outgoing_.isEmpty()) {
        timer_.start(2);
    } else if (const auto due = sim_.nextDueMs()) {
        timer_.start(int(qBound(qint64(0), *due - now, qint64(1) << 30)));
    } else {
        credit_ = 0;
    }
}

}  // namespace tess::sim
