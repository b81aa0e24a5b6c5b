// A blend planned on amounts of gas, so that any gas law and temperature can be counted: the
// fill order of the classic plan (drain, helium, oxygen, top-up gas), given as what the gauge
// reads after each step. Every amount is linear in the amount of starting gas kept, so the
// plans that add no negative amount and at least the smallest top-up form one interval of kept
// amounts; the plan keeps the most starting gas it allows.
#pragma once

#include "physics/gas_law.h"
#include "planning/blend_problem.h"

#include <optional>

namespace quillan {

// One law at the fill's two temperatures.
struct FillGas {
    CylinderGas settled; // how the start reads, and where the required pressure is meant
    CylinderGas filling; // every reading the blender fills by, the drain's included
};
inline FillGas atOneTemperature(const CylinderGas& gas) {
    return {gas, gas};
}

// What the gauge reads after each step, unrounded, at the fill temperature.
struct GaugePlan {
    Pressure drainTo; // when nothing is drained, the start's reading at the fill temperature
    Pressure afterHelium;
    Pressure afterOxygen;
    Pressure afterTopUp;    // the required pressure, or more in a cylinder filled hot
    bool drains = false;    // false when the whole start is kept
    bool fullDrain = false; // drained to empty, the start's atmosphere left: near the mix only
    // The amount each step moves (see GasAmounts): drained, then added.
    double drained = 0.0;
    double helium = 0.0;
    double oxygen = 0.0;
    double topUp = 0.0;
};

// How far each fraction of a full-drain plan may miss the required mix.
inline constexpr double kFullDrainTolerance = 0.005;

// The plan keeping the most starting gas; when none keeps any, a full drain whose mix is
// within kFullDrainTolerance. Nothing when neither exists. Throws RuntimeError (999999) when a
// pressure does not settle or the law cannot say.
std::optional<GaugePlan> planByGauge(const FillGas& gas, const BlendProblem& problem);

// The gas in the cylinder after filling by `readings` (rounded or not) in the plan's order:
// drain to its reading, then add each gas until the gauge shows its reading; a step whose
// reading the gauge already shows adds nothing.
GasAmounts fillByGauge(const FillGas& gas, const BlendProblem& problem, const GaugePlan& readings);

// The gas in the cylinder after each step of filling by `readings`, as fillByGauge fills.
struct FillSteps {
    GasAmounts afterHelium;
    GasAmounts afterOxygen;
    GasAmounts afterTopUp;
};
FillSteps fillStepByStep(const FillGas& gas, const BlendProblem& problem,
                         const GaugePlan& readings);

// What the gauge reads for `amounts`; throws RuntimeError (999999) when it does not settle.
Pressure readingOf(const CylinderGas& gas, const GasAmounts& amounts);

// The gas after topping the start up with the top-up gas to the required reading.
GasAmounts topUpByGauge(const FillGas& gas, const BlendProblem& problem);

} // namespace quillan
