#pragma once

#include <cstdint>

namespace quillan {

// PSI of a gas making up `percent` of a cylinder at `psi`: 0 for an empty cylinder, otherwise
// (percent / 100.0) * psi to the nearest integer, halves to even; outside 16 bits throws 6.
std::int16_t partialPressure(std::int16_t psi, std::int16_t percent);

} // namespace quillan
