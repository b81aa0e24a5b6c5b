// The two unit systems a blender can work in: PSI and feet of sea water, or bar and metres
// of sea water. Everything that differs between them lives here: the words the lines use,
// the ranges of the inputs, the sea-water scale of the depth figures, and the conversions.
#pragma once

#include "engine/depth.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace quillan::report {

enum class UnitSystem {
    PsiAndFeet,   // pressure in PSI, depth in feet of sea water
    BarAndMetres, // pressure in bar, depth in metres of sea water
};

// "imperial" or "metric": the name the settings and the command line use.
std::string_view unitSystemName(UnitSystem units);
std::optional<UnitSystem> unitSystemNamed(std::string_view name);

// The words the lines use for a pressure and a depth.
struct UnitLabels {
    std::string_view pressure;
    std::string_view depth;
};
UnitLabels unitLabels(UnitSystem units);

// What the inputs may hold, all from 0 up to these whole numbers, and the pressure at or
// below which a starting cylinder counts as nearly empty (any O2 passes then).
struct UnitRanges {
    std::int16_t maxStartingPressure;
    std::int16_t maxRequiredPressure;
    std::int16_t maxDepth;
    std::int16_t nearlyEmptyPressure;
};
UnitRanges unitRanges(UnitSystem units);

// 33 fsw or 10 m of sea water make one atmosphere.
SeaWaterScale seaWaterScale(UnitSystem units);

// 1 bar = 14.5038 PSI. Depths follow the sea-water scale: 10 m and 33 fsw are both one
// atmosphere, so 1 m = 3.3 fsw and a figure in feet converts to the one in metres exactly.
inline constexpr double kPsiPerBar = 14.5038;
inline constexpr double kFeetPerMetre = 3.3;

// A pressure or a depth given in `from` expressed in `to`, unrounded.
double convertPressure(double value, UnitSystem from, UnitSystem to);
double convertDepth(double value, UnitSystem from, UnitSystem to);

} // namespace quillan::report
