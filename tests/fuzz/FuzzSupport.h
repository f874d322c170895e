#pragma once

// What every fuzz target shares: the entry point libFuzzer calls (and the
// replay driver, with each corpus file), a check that ends the run loudly
// when an oracle disagrees, and a reader over the fuzzer's bytes.

#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace tess::fuzz {

[[noreturn]] inline void oracleFailed(const char *what, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: oracle failed: %s\n", file, line, what);
    std::abort();
}

#define FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : ::tess::fuzz::oracleFailed(#condition, __FILE__, __LINE__))

// Takes the fuzzer's bytes from the front; past the end it reads zeros.
class Input {
public:
    Input(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    QByteArray take(std::size_t n)
    {
        n = std::min(n, size_ - at_);
        const QByteArray out(reinterpret_cast<const char *>(data_ + at_), qsizetype(n));
        at_ += n;
        return out;
    }
    QByteArray rest() { return take(size_ - at_); }
    bool empty() const { return at_ >= size_; }

private:
    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// A QCoreApplication for targets that need the event loop; made once.
void ensureApplication();

}  // namespace tess::fuzz
