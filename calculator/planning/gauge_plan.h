// A blend planned on amounts of gas, so that any gas law can be counted: the fill order of the
// classic plan (drain, helium, oxygen, top-up gas), given as what the gauge reads after each
// step. Every amount is linear in the amount of starting gas kept, so the plans that add no
// negative amount and at least the smallest top-up form one interval of kept amounts; the plan
// keeps the most starting gas it allows.
#pragma once

#include "physics/gas_law.h"
#include "planning/blend_problem.h"

#include <optional>

namespace quillan {

// What the gauge reads after each step, unrounded.
struct GaugePlan {
    Pressure drainTo; // the starting pressure when nothing is drained
    Pressure afterHelium;
    Pressure afterOxygen;
    Pressure afterTopUp; // the required pressure
    bool drains = false; // false when the whole start is kept
};

// Nothing when no plan exists. Throws RuntimeError (999999) when a pressure does not settle.
std::optional<GaugePlan> planByGauge(const CylinderGas& gas, const BlendProblem& problem);

// The gas in the cylinder after filling by `readings` (rounded or not) in the plan's order:
// drain to its reading, then add each gas until the gauge shows its reading; a step whose
// reading the gauge already shows adds nothing.
GasAmounts fillByGauge(const CylinderGas& gas, const BlendProblem& problem,
                       const GaugePlan& readings);

// The gas after topping the start up with the top-up gas to the required reading.
GasAmounts topUpByGauge(const CylinderGas& gas, const BlendProblem& problem);

} // namespace quillan
