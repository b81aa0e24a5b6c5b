// The mix to blend for a planned depth: the most oxygen the PO2 limit allows and the least
// helium the narcosis and gas density limits allow, in whole percent rounded to the safe side.
#pragma once

#include "physics/density.h"
#include "physics/gas_model.h"
#include "planning/blend_planner.h"
#include "quantities/gas_mix.h"
#include "quantities/unit_system.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace quillan {

// The PO2 limits a diver may choose, and the PO2 below which a mix does not keep one awake.
inline constexpr double kBestMixPO2 = 1.4;
inline constexpr double kLowestDivePO2 = 1.2;
inline constexpr double kHighestDivePO2 = 1.6;
inline constexpr double kHypoxicPO2 = 0.16;

// Depths are in the unit system's depth unit.
struct BestMixLimits {
    double depth = 0.0;
    double maxPO2 = kBestMixPO2;
    double maxEnd = 0.0;
    bool o2Narcotic = true;
    double maxDensity = kDensityCaution; // g/L
    UnitSystem units = UnitSystem::BarAndMetres;
    GasModel gas = GasModel::IdealPartialPressures;
};

// The usual maximum END: 30 m or 100 ft.
double defaultMaxEnd(UnitSystem units);
BestMixLimits defaultLimits(UnitSystem units, double depth);

enum class MixLimit { PO2, End, Density };
// "po2", "end" or "density".
std::string_view mixLimitName(MixLimit limit);

struct BestMix {
    WholePercent mix;
    std::vector<MixLimit> binding;            // the limits the mix sits at
    std::int16_t mod = 0;                     // at the diver's PO2, rounded down
    std::int16_t end = 0;                     // at the planned depth, rounded up
    double density = 0.0;                     // g/L at the planned depth
    std::optional<std::int16_t> hypoxicAbove; // shallowest depth it may be breathed, rounded up
};

// The limit no mix meets, and by how much it is missed in its own unit (depth or g/L) by the
// mix that comes closest.
struct MixShortfall {
    MixLimit limit = MixLimit::End;
    double by = 0.0;
};

struct BestMixOutcome {
    std::optional<BestMix> best;
    MixShortfall shortfall; // only without a mix
};

BestMixOutcome bestMix(const BestMixLimits& limits);

// Whether `mix` can be blended for the problem's starting cylinder, required pressure and
// top-up gas; the problem's own required mix plays no part.
PlanOutcome blendOf(Mixer problem, const WholePercent& mix, const PlanOptions& options);

} // namespace quillan
