#include "physics/depth.h"

#include "engine/number_rules.h"
#include "engine/runtime_error.h"

#include <cmath>

namespace quillan {

namespace {

constexpr double kAirNitrogen = 0.79;

// Whole percentages (1 or more, 0 or less) become fractions; values in between already are.
double gasFraction(double percentOrFraction) {
    if (percentOrFraction >= 1.0 || percentOrFraction <= 0.0) {
        return percentOrFraction / 100.0;
    }
    return percentOrFraction;
}

// The depth of one atmosphere as a double: exact (33.0 or 10.0), so the figures in feet are
// the same doubles as with the literal 33.0 in each formula.
double perAtmosphere(SeaWaterScale scale) {
    return scale.depthPerAtmosphere;
}

} // namespace

std::int16_t CalcMOD(std::int16_t O2, SeaWaterScale scale, double maxPO2) {
    try {
        // A limit: rounded down, never past the PO2 it is worked out for. The dust allowance
        // keeps a depth that is whole on paper (32 % at 1.6 is 132 fsw) from flooring below.
        const double depth = (checkedDivide(maxPO2, O2 / 100.0) - 1.0) * perAtmosphere(scale);
        return toInt16(std::floor(depth + 1e-9));
    } catch (const RuntimeError&) {
        return -1;
    }
}

double CalcATA(std::int16_t depth, SeaWaterScale scale) {
    return depth / perAtmosphere(scale) + 1.0;
}

double CalcPO2(double O2, std::int16_t depth, SeaWaterScale scale) {
    const double po2 = CalcATA(depth, scale) * gasFraction(O2);
    // Only a non-finite O2 argument can get here; it counts as an overflow.
    return std::isfinite(po2) ? po2 : -1.0;
}

std::int16_t CalcEND(double N, std::int16_t depth, SeaWaterScale scale) {
    try {
        const std::int16_t absoluteDepth = addInt16(depth, scale.depthPerAtmosphere);
        const std::int16_t end =
            toInt16((absoluteDepth * gasFraction(N)) / kAirNitrogen - perAtmosphere(scale));
        return end < 0 ? std::int16_t{0} : end;
    } catch (const RuntimeError&) {
        return -1;
    }
}

} // namespace quillan
