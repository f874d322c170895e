#pragma once

#include <array>
#include <functional>

namespace tess {

// What the window does after the model changed under it: each operation
// copies part of the settings model into the controls of the page that owns
// them, and sends nothing. The pages provide the operations they own under
// these names; the device layer (reading from the units, commands that read
// status back) and other pages run them without knowing the pages.
enum class Refill {
    ScreenInfo,         // the Information page's status display
    PlanningFromUnits,  // SyncPlanningFromUnits
    SourceSetup,        // SyncSourceSetup, for the channel the page shows
    ColourBalance,      // SyncColourBalance, for the channel the page shows
    TestPattern,        // SyncTestPattern(projector)
    BlackLevel,         // SyncBlackLevel(projector)
    Halo,               // SyncHalo(projector)
    AdvancedFeather,    // SyncAdvancedFeather(projector)
    BasicFeather,       // SyncBasicFeather
    DataDoubling,       // SyncDataDoubling
    DisplaySetup,       // SyncDisplaySetup
    SeamRemoval,        // SyncSeamRemoval, for the channel the page shows
    OverlapWidthCheck,  // the overlap width field's exit check after a read
    PageControlChange,  // the page control's change handler
};
inline constexpr int RefillCount = int(Refill::PageControlChange) + 1;

// The operation's name as the program's handlers are named.
const char *refillName(Refill what);

class Refills {
public:
    // `number` is the projector (1-8) for the operations that take one,
    // and 0 for the others.
    using Operation = std::function<void(int number)>;

    // The owner of `what` provides it once; a second provider replaces the
    // first.
    void provide(Refill what, Operation operation);
    // Runs `what`. The window provides every operation (tested); an
    // operation nobody provided (a test's partial window) does nothing.
    void run(Refill what, int number = 0) const;
    bool provided(Refill what) const;

private:
    std::array<Operation, RefillCount> operations_;
};

// Brings the whole window in line with a model that was replaced (read
// from the units or from a file), in this order: the Information page's
// status display, the Planning page, the Source Setup, Display Setup and
// Seam Removal pages, the overlap width check and the page change handler.
// Sends nothing; the caller holds SuppressSend around it.
void RefillWholeWindow(const Refills &refills);

}  // namespace tess
