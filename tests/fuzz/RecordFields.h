#pragma once

// The settings model's record fields by the names the independent record
// decoder (tests/sim/RecordDecoder.h) gives them, so that what the program
// decoded can be compared with that reading field by field.

#include "fuzz/FuzzSupport.h"
#include "model/SettingsModel.h"

#include <QVariantMap>

#include <cmath>

namespace tess::fuzz {

template <typename Record>
struct NamedField {
    const char *name;
    double (*get)(const Record &);
};

#define TESS_FIELD(Record, name)                              \
    NamedField<Record>                                        \
    {                                                         \
#name, [](const Record &r) { return double(r.name); } \
    }

inline constexpr NamedField<InputRecord> InputFields[] = {
    TESS_FIELD(InputRecord, VideoLoaded),  TESS_FIELD(InputRecord, VideoLocked),
    TESS_FIELD(InputRecord, Phase),        TESS_FIELD(InputRecord, Reserved8),
    TESS_FIELD(InputRecord, Reserved9),    TESS_FIELD(InputRecord, HTotal),
    TESS_FIELD(InputRecord, HPositionRef), TESS_FIELD(InputRecord, HPosition),
    TESS_FIELD(InputRecord, VPositionRef), TESS_FIELD(InputRecord, VPosition),
    TESS_FIELD(InputRecord, HActive),      TESS_FIELD(InputRecord, VActive),
    TESS_FIELD(InputRecord, InputSync),    TESS_FIELD(InputRecord, Termination),
    TESS_FIELD(InputRecord, ContrastC),    TESS_FIELD(InputRecord, BrightnessC),
    TESS_FIELD(InputRecord, ContrastR),    TESS_FIELD(InputRecord, BrightnessR),
    TESS_FIELD(InputRecord, ContrastG),    TESS_FIELD(InputRecord, BrightnessG),
    TESS_FIELD(InputRecord, ContrastB),    TESS_FIELD(InputRecord, BrightnessB),
    TESS_FIELD(InputRecord, HPositionMax), TESS_FIELD(InputRecord, VPositionMax),
};

inline constexpr NamedField<OutputRecord> OutputFields[] = {
    TESS_FIELD(OutputRecord, OutputFormat),     TESS_FIELD(OutputRecord, FrameRate),
    TESS_FIELD(OutputRecord, OutputSync),       TESS_FIELD(OutputRecord, AdvancedMode),
    TESS_FIELD(OutputRecord, ProjectorGroup),   TESS_FIELD(OutputRecord, TotalProjectors),
    TESS_FIELD(OutputRecord, DataDoubling),     TESS_FIELD(OutputRecord, Justification),
    TESS_FIELD(OutputRecord, OverlapWidth),     TESS_FIELD(OutputRecord, BasicGamma),
    TESS_FIELD(OutputRecord, BasicFeather),     TESS_FIELD(OutputRecord, LeftGamma),
    TESS_FIELD(OutputRecord, LeftFeather),      TESS_FIELD(OutputRecord, RightGamma),
    TESS_FIELD(OutputRecord, RightFeather),     TESS_FIELD(OutputRecord, HaloLeftWidth),
    TESS_FIELD(OutputRecord, HaloLeftOffset),   TESS_FIELD(OutputRecord, HaloRightWidth),
    TESS_FIELD(OutputRecord, HaloRightOffset),  TESS_FIELD(OutputRecord, GammaLeftWidth),
    TESS_FIELD(OutputRecord, GammaLeftOffset),  TESS_FIELD(OutputRecord, GammaRightWidth),
    TESS_FIELD(OutputRecord, GammaRightOffset), TESS_FIELD(OutputRecord, BlackLevel),
    TESS_FIELD(OutputRecord, TestPattern),      TESS_FIELD(OutputRecord, OutputRaster),
    TESS_FIELD(OutputRecord, TestGrid),         TESS_FIELD(OutputRecord, SeamPrefix),
    TESS_FIELD(OutputRecord, SeamGain1),        TESS_FIELD(OutputRecord, SeamGain2),
    TESS_FIELD(OutputRecord, SeamGain3),        TESS_FIELD(OutputRecord, SeamGain4),
    TESS_FIELD(OutputRecord, SeamGain5),        TESS_FIELD(OutputRecord, SeamGain6),
    TESS_FIELD(OutputRecord, SeamGain7),        TESS_FIELD(OutputRecord, SeamGain8),
    TESS_FIELD(OutputRecord, SeamBridge),       TESS_FIELD(OutputRecord, FeatherCurve),
    TESS_FIELD(OutputRecord, BridgeThreshold),
};

#undef TESS_FIELD

// Reals travel as tenths and are kept in single precision: equal within
// what a float holds. 16-bit fields are signed in the model and read
// unsigned by the independent decoder: equal modulo 2^16 for those.
inline bool sameValue(double model, double expected)
{
    if (model == expected || std::fabs(model - expected) <= 1e-6 * std::fmax(1.0, std::fabs(expected)))
        return true;
    return model < 0 && model >= -32768 && model + 65536 == expected;
}

// The name of the first field where `record` differs from `expected`
// (the fields `expected` names), or nullptr when all agree. `fallback`,
// when given, is also accepted: the value the field held before.
template <typename Record, std::size_t N>
const char *firstDifference(const NamedField<Record> (&fields)[N], const Record &record, const QVariantMap &expected,
                            const Record *fallback = nullptr)
{
    for (const auto &field : fields) {
        const auto it = expected.constFind(QLatin1String(field.name));
        if (it == expected.cend())
            continue;
        const double got = field.get(record);
        if (sameValue(got, it.value().toDouble()))
            continue;
        if (fallback && got == field.get(*fallback))
            continue;
        return field.name;
    }
    return nullptr;
}

// Fails naming the field, when there is one.
#define FUZZ_CHECK_SAME_FIELDS(difference)                          \
    do {                                                            \
        if (const char *field_ = (difference))                      \
            ::tess::fuzz::oracleFailed(field_, __FILE__, __LINE__); \
    } while (false)

}  // namespace tess::fuzz
