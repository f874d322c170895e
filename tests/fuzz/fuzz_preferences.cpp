// The preferences line ("%lf %lf %d %d %d %d") on any file content.
// Oracle: values that are accepted are the ones the C library's strtod and
// strtol read from the same text, field after field; the line written for
// them reads back as the same values.

#include "fuzz/FuzzSupport.h"
#include "model/PlanningPreferences.h"

#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <locale.h>

using namespace tess;

namespace {

// The C locale whatever the environment says: the file always has a '.'.
locale_t cLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return c;
}

// Reads the six values as the C library does; false when one cannot be read.
bool readWithCLibrary(const QByteArray &text, PlanningPreferences &out)
{
    const char *p = text.constData();
    char *end = nullptr;
    for (double *real : {&out.HorizontalSize, &out.VerticalSize}) {
        *real = strtod_l(p, &end, cLocale());
        if (end == p)
            return false;
        p = end;
    }
    for (int *whole : {&out.OverlapWidth, &out.ProjectorCountIndex, &out.AlignmentIndex, &out.ResolutionIndex}) {
        errno = 0;
        const long value = strtol_l(p, &end, 10, cLocale());
        if (end == p || errno == ERANGE || value < INT_MIN || value > INT_MAX)
            return false;
        *whole = int(value);
        p = end;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    PlanningPreferences prefs;
    const int read = scanPreferences(text, prefs);
    FUZZ_CHECK(read >= 0 && read <= 6);
    if (!preferencesAcceptable(prefs, read))
        return 0;

    // The C functions stop at a zero byte; the program's reading must not
    // have taken anything past one either.
    PlanningPreferences expected;
    FUZZ_CHECK(readWithCLibrary(text, expected));
    FUZZ_CHECK(prefs == expected);

    PlanningPreferences again;
    FUZZ_CHECK(scanPreferences(formatPreferences(prefs), again) == 6);
    FUZZ_CHECK(again.OverlapWidth == prefs.OverlapWidth && again.ProjectorCountIndex == prefs.ProjectorCountIndex
               && again.AlignmentIndex == prefs.AlignmentIndex && again.ResolutionIndex == prefs.ResolutionIndex);
    return 0;
}
