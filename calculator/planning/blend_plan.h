// The plan of a blend, whichever way it was worked out: the steps in filling order, and the
// cylinder it ends with.
#pragma once

#include "quantities/gas_mix.h"
#include "quantities/quantities.h"

#include <optional>

namespace quillan {

// What the gauge should read after each step.
struct GaugeReadings {
    std::optional<Pressure> drainTo; // only when the plan drains
    Pressure afterHelium;
    Pressure afterOxygen;
    Pressure afterTopUp;
};

struct BlendPlan {
    // The steps as the blender is told them: the gauge's fall, then its rise for each gas.
    Pressure drain;
    Pressure helium;
    Pressure oxygen;
    Pressure topUp;
    GasMix topUpGas;
    CylinderContents final;
    // Plans counted by gauge: the readings to fill by, and the mix the ideal-gas figures would
    // have given (for a top-up, the mix they predict); nothing when they give no plan.
    std::optional<GaugeReadings> gauges;
    std::optional<GasMix> idealFiguresMix;
    // The start already holds the required mix (within half a point): at most a drain.
    bool startIsRequiredMix = false;
};

// Why there is no plan. Each has its own report line.
enum class NoPlan {
    TargetRequired, // no required pressure (or, for a blend, no required O2)
    LowSourceO2,    // a starting mix too lean in oxygen to start from
    MixImpossible,  // no amounts of the gases make the mix
};

// A plan, or the reason there is none.
struct PlanOutcome {
    std::optional<BlendPlan> plan;
    NoPlan whyNot = NoPlan::MixImpossible;
    // The start holds the required pressure or more: the plan, if any, drains first.
    bool startAtOrAboveRequired = false;
};

} // namespace quillan
