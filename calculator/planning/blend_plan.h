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

// The gas one step moves, unrounded: the gauge's rise (its fall for the drain), and the amount,
// as the pressure it would show alone in the cylinder as an ideal gas at 20 °C.
struct StepGas {
    Pressure rise;
    double amount = 0.0;
};
struct MovedGas {
    StepGas drained;
    StepGas helium;
    StepGas oxygen;
    StepGas topUp;
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
    bool showsIdealFigures = false; // a plan under a real-gas law, compared with ideal gas
    // Plans counted by gauge: the readings unrounded, and, filled hot, what the cylinder
    // reads once it has settled.
    std::optional<GaugeReadings> exactGauges;
    std::optional<Pressure> settledPressure;
    // What an analyser should read after the helium and after the oxygen, where the plan adds
    // them: a wrong step shows before the top-up.
    std::optional<GasFraction> o2AfterHelium;
    std::optional<GasFraction> o2AfterOxygen;
    // Drained to empty, the start's atmosphere stays: the mix the cylinder really ends with.
    std::optional<GasMix> fullDrainMix;
    // What each step moves, for the gas used and its cost.
    MovedGas moved;
    // The start already holds the required mix (within half a point): at most a drain.
    bool startIsRequiredMix = false;
};

// Why there is no plan. Each has its own report line.
enum class NoPlan {
    TargetRequired,    // no required pressure (or, for a blend, no required O2)
    LowSourceO2,       // a starting mix too lean in oxygen to start from
    MixImpossible,     // no amounts of the gases make the mix
    AboveTestPressure, // the fill would take the cylinder past its test pressure
};

// A plan, or the reason there is none.
struct PlanOutcome {
    std::optional<BlendPlan> plan;
    NoPlan whyNot = NoPlan::MixImpossible;
    // The start holds the required pressure or more: the plan, if any, drains first.
    bool startAtOrAboveRequired = false;
};

} // namespace quillan
