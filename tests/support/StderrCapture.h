#pragma once

#include <QByteArray>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace tess::test {

// What the program writes to its standard error stream while one lives.
// The stream goes into a pipe (which no file size limit a test sets
// touches) and comes back on take() or at the end of the scope; what does
// not fit into the pipe is lost.
class StderrCapture {
public:
    StderrCapture()
    {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
            return;
        read_ = ends[0];
        std::fflush(stderr);
        saved_ = ::dup(STDERR_FILENO);
        if (saved_ < 0 || ::dup2(ends[1], STDERR_FILENO) < 0) {
            if (saved_ >= 0)
                ::close(saved_);
            saved_ = -1;
        }
        ::close(ends[1]);
    }
    ~StderrCapture()
    {
        restore();
        if (read_ >= 0)
            ::close(read_);
    }
    StderrCapture(const StderrCapture &) = delete;
    StderrCapture &operator=(const StderrCapture &) = delete;

    bool ok() const { return saved_ >= 0; }

    // Everything written so far; the stream is given back.
    QByteArray take()
    {
        restore();
        QByteArray text;
        char buffer[4096];
        ssize_t n = 0;
        while (read_ >= 0 && (n = ::read(read_, buffer, sizeof buffer)) > 0)
            text.append(buffer, qsizetype(n));
        return text;
    }

private:
    void restore()
    {
        if (saved_ < 0)
            return;
        std::fflush(stderr);
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
        saved_ = -1;
    }

    int read_ = -1;
    int saved_ = -1;
};

}  // namespace tess::test
