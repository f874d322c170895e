#include "model/PlanningPreferences.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tess {
namespace {

// The longest file worth reading: six numbers with any sensible spacing.
constexpr qint64 MaxReadBytes = 4096;

bool isCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

class Scanner {
public:
    explicit Scanner(QByteArrayView text) : pos_(text.data()), end_(text.data() + text.size()) {}

    bool readReal(double &out)
    {
        skipSpace();
        const char *p = pos_;
        const bool negative = p < end_ && *p == '-';
        if (p < end_ && (*p == '+' || *p == '-'))
            ++p;
        if (p == end_ || *p == '+' || *p == '-')
            return false;
        auto format = std::chars_format::general;
        if (end_ - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
            format = std::chars_format::hex;
            p += 2;
        }
        const bool hex = format == std::chars_format::hex;
        double value = 0;
        // from_chars would take a sign after "0x" ("-0x-1" as 1); the C
        // library does not.
        const auto [next, error] = hex && (*p == '+' || *p == '-')
                                       ? std::from_chars_result{p, std::errc::invalid_argument}
                                       : std::from_chars(p, end_, value, format);
        if (error == std::errc::invalid_argument && hex) {
            // "0x" without a hex digit after it: the C library reads the 0
            // alone and stops at the x.
            out = negative ? -0.0 : 0.0;
            pos_ = p - 1;
            return true;
        }
        if (error == std::errc::invalid_argument)
            return false;
        // Out of range: the C library gives an infinity or zero; neither is
        // a usable size, so the value is read but cannot be accepted.
        out = error == std::errc::result_out_of_range ? std::numeric_limits<double>::quiet_NaN()
                                                      : (negative ? -value : value);
        pos_ = next;
        return true;
    }

    bool readInt(int &out)
    {
        skipSpace();
        const char *p = pos_;
        if (p < end_ && *p == '+') {
            ++p;
            if (p < end_ && *p == '-')
                return false;
        }
        int value = 0;
        const auto [next, error] = std::from_chars(p, end_, value);
        if (error != std::errc())
            return false;
        out = value;
        pos_ = next;
        return true;
    }

private:
    void skipSpace()
    {
        while (pos_ < end_ && isCSpace(*pos_))
            ++pos_;
    }

    const char *pos_;
    const char *end_;
};

}  // namespace

int scanPreferences(QByteArrayView text, PlanningPreferences &out)
{
    Scanner scan(text);
    if (!scan.readReal(out.HorizontalSize))
        return 0;
    if (!scan.readReal(out.VerticalSize))
        return 1;
    int *const whole[] = {&out.OverlapWidth, &out.ProjectorCountIndex, &out.AlignmentIndex, &out.ResolutionIndex};
    int read = 2;
    for (int *field : whole) {
        if (!scan.readInt(*field))
            return read;
        ++read;
    }
    return read;
}

bool preferencesAcceptable(const PlanningPreferences &prefs, int valuesRead)
{
    return valuesRead == 6 && prefs.ProjectorCountIndex != -1 && prefs.AlignmentIndex != -1
           && prefs.ResolutionIndex != -1 && std::isfinite(prefs.HorizontalSize) && std::isfinite(prefs.VerticalSize)
           && prefs.HorizontalSize > 0 && prefs.VerticalSize > 0 && prefs.OverlapWidth > 0;
}

QByteArray formatPreferences(const PlanningPreferences &prefs)
{
    const char space = ' ';
    return QByteArray::number(prefs.HorizontalSize, 'f', 6) + space + QByteArray::number(prefs.VerticalSize, 'f', 6)
           + space + QByteArray::number(prefs.OverlapWidth) + space + QByteArray::number(prefs.ProjectorCountIndex)
           + space + QByteArray::number(prefs.AlignmentIndex) + space + QByteArray::number(prefs.ResolutionIndex);
}

PreferencesReadResult readPreferencesFile(const QString &path)
{
    PreferencesReadResult result;
    // The file lies in whatever folder the program was started from, and
    // the user never chose it: only a plain file standing at the path itself
    // is read, never what a symbolic link there points at, nor a pipe or a
    // device (either could block the start-up or feed it without end). Qt
    // cannot open a file without following a link, so it is opened here
    // without following one and without waiting for a pipe's writer, and
    // what was opened is checked before anything is read.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return result;
    struct stat opened = {};
    QFile file;
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)
        || !file.open(fd, QIODevice::ReadOnly | QIODevice::Text, QFileDevice::AutoCloseHandle)) {
        ::close(fd);  // not taken over by the QFile
        return result;
    }
    const QByteArray text = file.read(MaxReadBytes);
    file.close();
    PlanningPreferences values;
    const int read = scanPreferences(text, values);
    if (!preferencesAcceptable(values, read)) {
        result.status = PreferencesReadResult::Status::Refused;
        return result;
    }
    result.status = PreferencesReadResult::Status::Accepted;
    result.values = values;
    return result;
}

bool writePreferencesFile(const QString &path, const PlanningPreferences &prefs)
{
    // Nothing but a plain file (or nothing at all) at the path is replaced:
    // QSaveFile would write to the target of a link, which may be any file
    // of the user's. The look is taken without following links, just
    // before QSaveFile takes its own; what it then puts in place replaces
    // the directory entry itself, whatever stands there by then.
    struct stat existing = {};
    if (::lstat(QFile::encodeName(path).constData(), &existing) == 0) {
        if (!S_ISREG(existing.st_mode))
            return false;
    } else if (errno != ENOENT) {
        return false;
    }
    // Written beside the old file and put in its place only when complete,
    // so a full disk never leaves it empty or cut short. Unbuffered, so that
    // a write the disk refuses is seen here and not lost in a flush at
    // commit.
    const QByteArray line = formatPreferences(prefs);
    QSaveFile file(path);
    const bool saved = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(line) == line.size()
                       && file.error() == QFileDevice::NoError && file.commit();
    if (!saved)
        file.cancelWriting();
    return saved;
}

}  // namespace tess
