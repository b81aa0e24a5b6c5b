#pragma once

#include "engine/number_rules.h"

#include <cstdint>

namespace quillan {

// The same as partialPressure with percent / 100.0 worked out already, for loops that reuse it;
// fails with 6 instead of throwing.
inline Checked<std::int16_t> tryPartialPressureOfFraction(std::int16_t psi, double fraction) {
    if (psi == 0) {
        return {0};
    }
    return tryToInt16(fraction * psi);
}
inline std::int16_t partialPressureOfFraction(std::int16_t psi, double fraction) {
    return valueOrRaise(tryPartialPressureOfFraction(psi, fraction));
}

// PSI of a gas making up `percent` of a cylinder at `psi`: 0 for an empty cylinder, otherwise
// (percent / 100.0) * psi to the nearest integer, halves to even; outside 16 bits throws 6.
// The division comes first: the order decides which products land on exact halves.
inline std::int16_t partialPressure(std::int16_t psi, std::int16_t percent) {
    return partialPressureOfFraction(psi, percent / 100.0);
}

} // namespace quillan
