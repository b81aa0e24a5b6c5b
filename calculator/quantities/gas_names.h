#pragma once

#include <string>

namespace quillan {

// Names a top-up gas from its O2, given as a percentage (1 or more, 0 or less) or as a fraction
// (between 0 and 1): "Air" for exactly 21.0, otherwise "Nitrox " and the whole percentage.
// "Error" when the percentage does not fit 16 bits.
std::string GetGasName(double O2);

} // namespace quillan
