#include "fields/field_rules.h"

#include "fields/window_fields.h"

quillan::WholeRange boundsOf(FieldId field, quillan::UnitSystem units) {
    const quillan::UnitRanges ranges = quillan::unitRanges(units);
    switch (field) {
    case FieldId::SourcePressure:
        return {0, ranges.maxStartingPressure};
    case FieldId::TargetPressure:
        return {0, ranges.maxRequiredPressure};
    case FieldId::TargetDepth:
        return {0, ranges.maxDepth};
    case FieldId::TopUpO2:
        return quillan::kTopUpO2Range;
    case FieldId::SourceO2:
    case FieldId::SourceHe:
    case FieldId::TargetO2:
    case FieldId::TargetHe:
        break;
    }
    return quillan::kPercentRange;
}

namespace {

constexpr MixFields kStartingMix{&WindowFields::txtSourceO2, &WindowFields::txtSourceHe,
                                 &WindowFields::txtSourceN};
constexpr MixFields kRequiredMix{&WindowFields::txtTargetO2, &WindowFields::txtTargetHe,
                                 &WindowFields::txtTargetN};

constexpr std::array<FieldRule, 8> kFieldRules{{
    {FieldId::SourcePressure, &WindowFields::txtSourcePSI, &kStartingMix, false, false},
    {FieldId::SourceO2, &WindowFields::txtSourceO2, &kStartingMix, false, false},
    {FieldId::SourceHe, &WindowFields::txtSourceHe, &kStartingMix, false, false},
    {FieldId::TargetPressure, &WindowFields::txtTargetPSI, nullptr, false, false},
    {FieldId::TargetO2, &WindowFields::txtTargetO2, &kRequiredMix, true, false},
    {FieldId::TargetHe, &WindowFields::txtTargetHe, &kRequiredMix, true, false},
    {FieldId::TargetDepth, &WindowFields::txtTargetDepth, nullptr, true, false},
    {FieldId::TopUpO2, &WindowFields::txtTopO2, nullptr, false, true},
}};

constexpr std::array<UnitField, 3> kUnitFields{{
    {Quantity::Pressure, FieldId::SourcePressure, &WindowFields::txtSourcePSI},
    {Quantity::Pressure, FieldId::TargetPressure, &WindowFields::txtTargetPSI},
    {Quantity::Depth, FieldId::TargetDepth, &WindowFields::txtTargetDepth},
}};

} // namespace

const std::array<FieldRule, 8>& fieldRules() {
    return kFieldRules;
}

const std::array<UnitField, 3>& unitFields() {
    return kUnitFields;
}
