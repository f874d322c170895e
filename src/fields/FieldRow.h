#pragma once

#include "device/Refills.h"
#include "fields/FieldDescription.h"

#include <functional>
#include <optional>
#include <span>

namespace tess {

struct WindowState;
namespace command {
struct ScreenValue;
}

// A bound as a field table gives it: a constant, or a value the page holds
// under a name of its own, read at the moment of the check.
struct RowBound {
    constexpr RowBound(double constant = 0) : value(constant) {}  // NOLINT: a constant is a bound
    static constexpr RowBound held(int name)
    {
        RowBound bound;
        bound.heldName = name;
        return bound;
    }
    double value = 0;
    int heldName = -1;  // the page's name of the bound; -1: the constant
};

// What sets a field apart beyond its numbers (see FieldDescription).
enum FieldFlag : unsigned {
    SpinReportsNotValid = 1U << 0,
    ExitReportsGenericConversion = 1U << 1,
    NotADeviceSetting = 1U << 2,
    SkipFocusExitWhileBusy = 1U << 3,
    // The field, its label and its spin button are enabled only in the
    // service view.
    ServiceViewOnly = 1U << 4,
};

// One row of a page's field table. A row describes a single field, or the
// members `first` to `last` of a family (the projectors, channels or gains
// that share it) on the side `side` ('L', 'R'; 0 either); a family whose
// members differ in a few properties has a row per group of members.
struct FieldRow {
    int family = 0;  // the page's name of the field or family
    int first = 0;   // the members the row covers
    int last = 0;
    char side = 0;
    // objectNames: %1 the member's number, %2 its side letter.
    const char *edit = "";
    const char *spin = nullptr;  // none
    FieldKind kind = FieldKind::Whole;
    RowBound lower{};
    RowBound upper{};
    const char *defaultText = "0";
    const char *rangeText = "";
    int maxLength = 0;
    // Null: "Error! Value out of bounds! " and the range text. %1 and %2 in
    // it stand for the bounds as they are at the moment of the check.
    const char *boundsMessage = nullptr;
    const char *noun = "";
    int repeatMs = 250;
    unsigned flags = 0;
    std::optional<double> emptyValue{};
    // After a value out of bounds: the refill that puts the field back.
    std::optional<Refill> refill{};
    // The command a good value goes out with, for the reader ("" none of its
    // own): the page's code sends it. A screen value's is in its row below.
    const char *command = "";
    // A screen's own value (one whole number per screen): the page builds,
    // labels, places, sends and refills the field from this row and the
    // command table alone. Null: the page's code does.
    const command::ScreenValue *screenValue = nullptr;
    // The caption of the field's label, and the label's objectName (%1 the
    // member's number); a field placed from its row only.
    const char *caption = "";
    const char *label = "";
};

// What the rows of a page need of the page at the moment of a check.
struct FieldRowEnv {
    const Refills &refills;
    WindowState &state;
    // The bound the page holds under `name` as it stands now.
    std::function<double(int name)> heldBound;
};

// The first row of `family` that covers member `number` on `side`. A table
// without one is a fault of the program (std::logic_error).
const FieldRow &fieldRow(std::span<const FieldRow> table, int family, int number = 0, char side = 0);

// The description of member `number` on `side` of `row`: names filled in,
// held bounds read through `env`, the refill run with SuppressSend held.
// Enter successor, error focus and what a good value does are the page's.
FieldDescription describeField(const FieldRow &row, const FieldRowEnv &env, int number = 0, char side = 0);

// Both steps at once.
FieldDescription describeField(std::span<const FieldRow> table, int family, const FieldRowEnv &env, int number = 0,
                               char side = 0);

}  // namespace tess
