// Commits the fault named on the command line and otherwise ends well, so
// that the sanitizer build shows each sanitizer is on and its report fails
// the program: `leak` (LeakSanitizer), `overflow` (AddressSanitizer, a heap
// buffer overrun), `undefined` (UndefinedBehaviorSanitizer, a signed
// overflow).
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void *volatile kept = nullptr;

int leak()
{
    kept = std::malloc(33);
    kept = nullptr;
    return 0;
}

int overflow()
{
    char *bytes = static_cast<char *>(std::malloc(8));
    volatile int past = 8;
    bytes[past] = 1;
    std::free(bytes);
    return 0;
}

int undefined()
{
    volatile int large = INT_MAX;
    volatile int sum = large + 1;
    (void)sum;
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    const char *fault = argc > 1 ? argv[1] : "";
    if (std::strcmp(fault, "leak") == 0)
        return leak();
    if (std::strcmp(fault, "overflow") == 0)
        return overflow();
    if (std::strcmp(fault, "undefined") == 0)
        return undefined();
    std::fprintf(stderr, "usage: %s leak|overflow|undefined\n", argv[0]);
    return 2;
}
