// How dense a breathing gas is at depth, in grams per litre: the work of breathing it.
#pragma once

#include "physics/gas_law.h"
#include "quantities/unit_system.h"

#include <optional>

namespace quillan {

// The gas a diver breathes is taken at 20 °C.
inline constexpr Temperature kBreathingTemperature = kRoomTemperature;

// Grams per mole of a mix: O2 31.998, He 4.0026, N2 28.0134.
double molarMass(const GasMix& mix);

// The absolute pressure at a depth in the scale's unit, in bar.
double ambientBar(double depth, SeaWaterScale scale);

// Density in g/L at `absoluteBar` under `law`; nothing where the law cannot say.
std::optional<double> gasDensity(const GasLaw& law, const GasMix& mix, double absoluteBar);

// Caution above 5.2 g/L and warning above 6.2 g/L: the recommended and maximum figures of
// Anthony and Mitchell.
inline constexpr double kDensityCaution = 5.2;
inline constexpr double kDensityWarning = 6.2;

} // namespace quillan
