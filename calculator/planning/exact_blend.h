#pragma once

// The blend worked out exactly for ideal gases, for problems the pass loop of CalcMix cannot
// settle. Every quantity is a straight line in the PSI of source gas kept after draining, so the
// feasible kept pressures form one interval; the plan keeps as much source gas as it allows.

#include "planning/mixer.h"

#include <cstdint>
#include <optional>

namespace quillan {

// The classic solver's whole-PSI quantities in filling order: drain, then helium, oxygen and
// top-up gas.
struct WholePsiSteps {
    std::int16_t drain;
    std::int16_t helium;
    std::int16_t oxygen;
    std::int16_t topup;
};

// True for a problem the exact solve can answer: a source of 0 PSI or more, a target of 1 PSI or
// more, percentages that can make up a real gas, and a top-up O2 of 21..99.
// Each mix's nitrogen is what its O2 and He leave.
bool exactBlendApplies(const Mixer& problem);

// The plan with the least drain, in whole PSI: no quantity negative, at least the smallest
// top-up (1 PSI), the cylinder ending at the target pressure and the O2 and He partial
// pressures within the plan tolerance (2 PSI) of the target's. Nothing when no kept pressure from 0
// to the whole source allows one. Only for problems exactBlendApplies accepts.
std::optional<WholePsiSteps> exactBlend(const Mixer& problem);

} // namespace quillan
