#include "field_rules.h"

#include "frm_main.h"

FieldBounds boundsOf(FieldId field, quillan::report::UnitSystem units) {
    const quillan::report::UnitRanges ranges = quillan::report::unitRanges(units);
    switch (field) {
    case FieldId::SourcePressure:
        return {0, ranges.maxStartingPressure};
    case FieldId::TargetPressure:
        return {0, ranges.maxRequiredPressure};
    case FieldId::TargetDepth:
        return {0, ranges.maxDepth};
    case FieldId::TopUpO2:
        return {21, 50};
    case FieldId::SourceO2:
    case FieldId::SourceHe:
    case FieldId::TargetO2:
    case FieldId::TargetHe:
        break;
    }
    return {0, 100};
}

namespace {

constexpr MixFields kStartingMix{&frmMain::txtSourceO2, &frmMain::txtSourceHe,
                                 &frmMain::txtSourceN};
constexpr MixFields kRequiredMix{&frmMain::txtTargetO2, &frmMain::txtTargetHe,
                                 &frmMain::txtTargetN};

constexpr std::array<FieldRule, 8> kFieldRules{{
    {FieldId::SourcePressure, &frmMain::txtSourcePSI, &kStartingMix, false, false},
    {FieldId::SourceO2, &frmMain::txtSourceO2, &kStartingMix, false, false},
    {FieldId::SourceHe, &frmMain::txtSourceHe, &kStartingMix, false, false},
    {FieldId::TargetPressure, &frmMain::txtTargetPSI, nullptr, false, false},
    {FieldId::TargetO2, &frmMain::txtTargetO2, &kRequiredMix, true, false},
    {FieldId::TargetHe, &frmMain::txtTargetHe, &kRequiredMix, true, false},
    {FieldId::TargetDepth, &frmMain::txtTargetDepth, nullptr, true, false},
    {FieldId::TopUpO2, &frmMain::txtTopO2, nullptr, false, true},
}};

constexpr std::array<UnitField, 3> kUnitFields{{
    {Quantity::Pressure, FieldId::SourcePressure, &frmMain::txtSourcePSI},
    {Quantity::Pressure, FieldId::TargetPressure, &frmMain::txtTargetPSI},
    {Quantity::Depth, FieldId::TargetDepth, &frmMain::txtTargetDepth},
}};

} // namespace

const std::array<FieldRule, 8>& fieldRules() {
    return kFieldRules;
}

const std::array<UnitField, 3>& unitFields() {
    return kUnitFields;
}
