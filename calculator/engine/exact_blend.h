#pragma once

// The blend worked out exactly for ideal gases, for problems the pass loop of CalcMix cannot
// settle. Every quantity is a straight line in the PSI of source gas kept after draining, so the
// feasible kept pressures form one interval; the plan keeps as much source gas as it allows.

#include <cstdint>
#include <optional>

namespace quillan {

// Whole-PSI quantities in filling order: drain, then helium, oxygen and top-up gas.
struct BlendPlan {
    std::int16_t drain;
    std::int16_t helium;
    std::int16_t oxygen;
    std::int16_t topup;
};

// A blending problem in PSI and whole percent; each mix's nitrogen is what O2 and He leave.
struct BlendProblem {
    std::int16_t sourcePSI;
    std::int16_t sourceO2;
    std::int16_t sourceHe;
    std::int16_t targetPSI;
    std::int16_t targetO2;
    std::int16_t targetHe;
    std::int16_t topupO2;
};

// True for a problem the exact solve can answer: a source of 0 PSI or more, a target of 1 PSI or
// more, percentages that can make up a real gas, and a top-up O2 of 21..99.
bool exactBlendApplies(const BlendProblem& problem);

// The plan with the least drain, in whole PSI: no quantity negative, at least 1 PSI of top-up
// gas, the cylinder ending at the target pressure and the O2 and He partial pressures within
// 2 PSI of the target's. Nothing when no kept pressure from 0 to the whole source allows one.
// Only for problems exactBlendApplies accepts.
std::optional<BlendPlan> exactBlend(const BlendProblem& problem);

} // namespace quillan
