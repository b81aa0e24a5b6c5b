#pragma once

// Diving figures in sea-water units: one atmosphere is 33 fsw (or 10 m), air holds 0.79
// nitrogen. None of them throws; each returns -1 (or -1.0) when its arithmetic fails.

#include "quantities/unit_system.h"

#include <cstdint>

namespace quillan {

// The PO2 the MOD field and the reports are worked out at.
inline constexpr double kClassicMaxPO2 = 1.6;

// Maximum operating depth at a PO2 limit for a whole O2 percentage, rounded down to a whole
// depth unit; -1 for O2 0.
std::int16_t CalcMOD(std::int16_t O2, SeaWaterScale scale = kFeetOfSeaWater,
                     double maxPO2 = kClassicMaxPO2);

// Absolute pressure in atmospheres at a depth.
double CalcATA(std::int16_t depth, SeaWaterScale scale = kFeetOfSeaWater);

// O2 partial pressure in atmospheres of a mix at a depth. O2 of 1 or more, or 0 or less, is a
// percentage; a value between 0 and 1 is taken as a fraction already.
double CalcPO2(double O2, std::int16_t depth, SeaWaterScale scale = kFeetOfSeaWater);

// Equivalent narcotic depth (never negative on success; -1 on failure). N is read like
// CalcPO2's O2.
std::int16_t CalcEND(double N, std::int16_t depth, SeaWaterScale scale = kFeetOfSeaWater);

} // namespace quillan
