// A blend planned by gauge readings: the same fill order as the ideal plan (drain, helium,
// oxygen, top-up gas), worked out on amounts of gas so that compressibility is counted. The
// same code plans for ideal gases when given GasLaw::ideal().
#pragma once

#include "report/real_gas.h"

#include <optional>

namespace quillan::report {

// Gauge pressures in the scale's unit. A cylinder at 0 still holds one atmosphere of its
// mix: the caller gives air for a source described as empty.
struct GaugeBlendProblem {
    double sourceGauge = 0.0;
    GasFractions source;
    double targetGauge = 0.0;
    GasFractions target;
    double topUpO2 = 0.21; // the top-up gas is oxygen and nitrogen; below 1
    PressureScale scale = PressureScale::psi();
};

// What the gauge reads after each step, at settled temperature.
struct GaugePlan {
    double drainTo;     // the source's own pressure when nothing is drained
    double afterHelium; // equal to drainTo when no helium is added, and so on
    double afterOxygen;
    double afterTopUp; // the required pressure
    bool drains;       // false when the whole source is kept
};

// The plan that keeps the most source gas: every amount is linear in the kept source amount,
// so the plans that add no negative amount and at least one gauge unit of top-up gas form one
// interval of kept amounts, from the one atmosphere a drained cylinder keeps up to the whole
// source. Nothing when that interval is empty. Throws RuntimeError (999999) when a pressure
// does not settle.
std::optional<GaugePlan> planByGauge(const GasLaw& law, const GaugeBlendProblem& problem);

// The gas in the cylinder after filling by `readings` (rounded or not) in the plan's order:
// drain to its reading, then add each gas until the gauge shows its reading; a step whose
// reading the gauge already shows adds nothing.
GasAmounts fillByGauge(const GasLaw& law, const GaugeBlendProblem& problem,
                       const GaugePlan& readings);

// The gas after topping the source up with the top-up gas to the target's reading.
GasAmounts topUpByGauge(const GasLaw& law, const GaugeBlendProblem& problem);

} // namespace quillan::report
