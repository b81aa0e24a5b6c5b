// Plans whose steps are whole units of the display: the classic whole-PSI solver, and the
// unrounded ideal plan in bar with readings chosen among whole bar.
#pragma once

#include "planning/blend_plan.h"
#include "planning/blend_problem.h"
#include "planning/mixer.h"

#include <optional>

namespace quillan {

// The classic solver's plan (Mixer::CalcMix) for a problem in whole PSI, or with `leastDrain`
// its exact plan with the least drain where it applies; nothing when the mix cannot be made.
std::optional<BlendPlan> classicPlan(const Mixer& problem, bool leastDrain = false);

// The ideal plan worked out on unrounded pressures, shown in whole `units`: of the whole
// readings around the exact ones, those whose replay comes closest to the required mix.
std::optional<BlendPlan> wholeReadingPlan(const BlendProblem& problem, UnitSystem units);

// The mix a cylinder holds after the plan's steps, filled as partial pressures.
GasMix replayIdeal(const BlendProblem& problem, const BlendPlan& plan);

} // namespace quillan
