// Plans counted by gauge under any gas law and at the fill's two temperatures: the readings to
// fill by, rounded to what the gauge shows, with the figures that check them.
#pragma once

#include "planning/blend_plan.h"
#include "planning/blend_planner.h"
#include "planning/blend_problem.h"

#include <optional>

namespace quillan {

// Nothing when the mix cannot be made. Throws RuntimeError when a pressure does not settle.
std::optional<BlendPlan> gaugeBlend(const BlendProblem& problem, const PlanOptions& options);

// The start topped up to the required pressure, once settled: the plan's final mix is what
// the cylinder then holds.
BlendPlan gaugeTopUp(const BlendProblem& problem, const PlanOptions& options);

} // namespace quillan
