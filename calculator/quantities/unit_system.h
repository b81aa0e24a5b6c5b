// The two unit systems a blender can work in: PSI and feet of sea water, or bar and metres of
// sea water. Here are their words, their depth of one atmosphere, and the conversions between a
// typed quantity and a figure in either system.
#pragma once

#include "quantities/quantities.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace quillan {

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

// How much sea water makes one atmosphere, in the depth unit the figures are in.
struct SeaWaterScale {
    std::int16_t depthPerAtmosphere;
};
inline constexpr SeaWaterScale kFeetOfSeaWater{33};
inline constexpr SeaWaterScale kMetresOfSeaWater{10};
SeaWaterScale seaWaterScale(UnitSystem units);

// A figure in the system's unit as a quantity, and a quantity as an unrounded figure.
Pressure pressureIn(UnitSystem units, double figure);
double figureOf(Pressure pressure, UnitSystem units);
Depth depthIn(UnitSystem units, double figure);
double figureOf(Depth depth, UnitSystem units);

// A pressure or a depth given in `from` expressed in `to`, unrounded; a figure converted into
// its own system is itself, exactly.
double convertPressure(double value, UnitSystem from, UnitSystem to);
double convertDepth(double value, UnitSystem from, UnitSystem to);

} // namespace quillan
