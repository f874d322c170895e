#include "device/Refills.h"

namespace tess {

const char *refillName(Refill what)
{
    switch (what) {
    case Refill::ScreenInfo:
        return "ScreenInfoComboBoxChange";
    case Refill::PlanningFromUnits:
        return "SyncPlanningFromUnits";
    case Refill::SourceSetup:
        return "SyncSourceSetup";
    case Refill::ColourBalance:
        return "SyncColourBalance";
    case Refill::TestPattern:
        return "SyncTestPattern";
    case Refill::BlackLevel:
        return "SyncBlackLevel";
    case Refill::Halo:
        return "SyncHalo";
    case Refill::AdvancedFeather:
        return "SyncAdvancedFeather";
    case Refill::BasicFeather:
        return "SyncBasicFeather";
    case Refill::DataDoubling:
        return "SyncDataDoubling";
    case Refill::DisplaySetup:
        return "SyncDisplaySetup";
    case Refill::SeamRemoval:
        return "SyncSeamRemoval";
    case Refill::OverlapWidthCheck:
        return "OWidthEditExit";
    case Refill::PageControlChange:
        return "PhasePageControlChange";
    }
    return "";
}

void Refills::provide(Refill what, Operation operation)
{
    operations_[std::size_t(what)] = std::move(operation);
}

void Refills::run(Refill what, int number) const
{
    if (const Operation &operation = operations_[std::size_t(what)])
        operation(number);
}

bool Refills::provided(Refill what) const
{
    return bool(operations_[std::size_t(what)]);
}

void RefillWholeWindow(const Refills &refills)
{
    for (Refill what : {Refill::ScreenInfo, Refill::PlanningFromUnits, Refill::SourceSetup, Refill::DisplaySetup,
                        Refill::SeamRemoval, Refill::OverlapWidthCheck, Refill::PageControlChange})
        refills.run(what);
}

}  // namespace tess
