// What the calculator accepts, defined once for the window and the command line: the ranges
// of the inputs in each unit system, the top-up gas's oxygen, the balancing of a mix's three
// percentages, and the starting mixes too lean to blend from.
#pragma once

#include "quantities/unit_system.h"

#include <cstdint>
#include <string_view>

namespace quillan {

// An inclusive range of whole numbers.
struct WholeRange {
    std::int16_t lower;
    std::int16_t upper;
    bool contains(double value) const { return value >= lower && value <= upper; }
};

// The pressures and the depth, all from 0 up, and the pressure at or below which a starting
// cylinder counts as nearly empty (any O2 passes then), in the system's whole units.
struct UnitRanges {
    std::int16_t maxStartingPressure;
    std::int16_t maxRequiredPressure;
    std::int16_t maxDepth;
    std::int16_t nearlyEmptyPressure;
};
UnitRanges unitRanges(UnitSystem units);

inline constexpr WholeRange kPercentRange{0, 100};
// Helium and nitrogen never make more than 90 % of a mix.
inline constexpr std::int16_t kMaxHeliumOrNitrogen = 90;
// The top-up gases a user may pick: air up to Nitrox 50.
inline constexpr WholeRange kTopUpO2Range{21, 50};
// The top-up oxygen the solver itself takes; outside it the plan is refused with an error.
inline constexpr WholeRange kSolvableTopUpO2Range{21, 100};

// The three percentages of one mix as entered, and as balanced: O2 held to 0..100, He and N to
// 0..90; a mix of no oxygen or of pure oxygen has no He and no N; O2 and He are taken down to
// whole numbers, He gives way where the two pass 100, and N is what they leave.
struct MixFigures {
    double o2 = 0.0;
    double he = 0.0;
    double n = 0.0;
    bool operator==(const MixFigures&) const = default;
};
MixFigures balanceMix(MixFigures entered);

// A cylinder's temperature while filling or settled, in °C: a fill station's range.
inline constexpr double kLowestCelsius = -10.0;
inline constexpr double kHighestCelsius = 60.0;

// A starting mix at or below this O2 % cannot be blended from, unless nearly empty.
inline constexpr std::int16_t kLowestSourceO2 = 10;
inline constexpr std::string_view kLowSourceO2Text = "Low source O2. Must be > 10";
bool isLowSourceO2(std::int16_t sourcePressure, std::int16_t sourceO2, UnitSystem units);

} // namespace quillan
