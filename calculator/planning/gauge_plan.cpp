#include "planning/gauge_plan.h"

#include "engine/runtime_error.h"
#include "planning/plan_tolerances.h"

#include <array>
#include <cmath>

namespace quillan {

namespace {

// Differences of fractions that should cancel exactly leave rounding dust of this size.
constexpr double kDust = 1e-12;

// A quantity that must stay at least 0, as a line in the kept starting amount k.
struct AmountBound {
    double offset;
    double slope; // quantity = offset - slope * k
};

[[noreturn]] void notSettled() {
    throw RuntimeError(kErrApplication, "RealGas", "Cylinder pressure did not settle");
}

double amountAt(const CylinderGas& gas, const GasMix& mix, Pressure gauge) {
    const double amount = gas.amountAt(mix, gauge);
    if (!std::isfinite(amount))
        notSettled();
    return amount;
}

Pressure settledGauge(const CylinderGas& gas, const GasAmounts& amounts) {
    const std::optional<Pressure> gauge = gas.gaugeOf(amounts);
    if (!gauge)
        notSettled();
    return *gauge;
}

// Adds `mix` until the gauge reads `gauge`; nothing when it reads that already.
void fillTo(const CylinderGas& gas, GasAmounts& have, const GasMix& mix, Pressure gauge) {
    const std::optional<double> amount = gas.amountToReach(have, mix, gauge);
    if (!amount)
        notSettled();
    if (*amount > 0.0)
        have.add(mix, *amount);
}

} // namespace

std::optional<GaugePlan> planByGauge(const CylinderGas& gas, const BlendProblem& p) {
    const double so2 = p.start.mix.o2().value();
    const double she = p.start.mix.he().value();
    const double sn2 = p.start.mix.n2().value();
    const double go2 = p.required.mix.o2().value();
    const double ghe = p.required.mix.he().value();
    const double gn2 = p.required.mix.n2().value();
    const double f = p.topUp.o2().value();
    const double targetAmount = amountAt(gas, p.required.mix, p.required.pressure);
    const double wholeStart = amountAt(gas, p.start.mix, p.start.pressure);
    const double leastKept = amountAt(gas, p.start.mix, Pressure());
    const double leastTopUp = kSmallestTopUp.inBar(); // as an amount, near enough

    // Helium ghe N - she k; top-up (gn2 N - sn2 k) / (1 - f); oxygen go2 N - so2 k
    // - f * top-up, times (1 - f) so that every slope is a plain difference.
    const std::array bounds{
        AmountBound{ghe * targetAmount, she},
        AmountBound{gn2 * targetAmount - (1.0 - f) * leastTopUp, sn2},
        AmountBound{((1.0 - f) * go2 - f * gn2) * targetAmount, (1.0 - f) * so2 - f * sn2},
    };
    double lowest = leastKept;
    double highest = wholeStart;
    for (const AmountBound& bound : bounds) {
        if (bound.slope > kDust)
            highest = std::min(highest, bound.offset / bound.slope);
        else if (bound.slope < -kDust)
            lowest = std::max(lowest, bound.offset / bound.slope);
        else if (bound.offset < -kDust)
            return std::nullopt;
    }
    if (highest < lowest - kDust)
        return std::nullopt;

    const double kept = std::max(highest, lowest);
    const double helium = std::max(0.0, ghe * targetAmount - she * kept);
    const double topUp = (gn2 * targetAmount - sn2 * kept) / (1.0 - f);
    const double oxygen = std::max(0.0, go2 * targetAmount - so2 * kept - f * topUp);

    GaugePlan plan;
    plan.drains = kept < wholeStart;
    GasAmounts cylinder = amountsOf(p.start.mix, kept);
    plan.drainTo = plan.drains ? settledGauge(gas, cylinder) : p.start.pressure;
    cylinder.add(GasMix::helium(), helium);
    plan.afterHelium = helium > 0.0 ? settledGauge(gas, cylinder) : plan.drainTo;
    cylinder.add(GasMix::oxygen(), oxygen);
    plan.afterOxygen = oxygen > 0.0 ? settledGauge(gas, cylinder) : plan.afterHelium;
    plan.afterTopUp = p.required.pressure;
    return plan;
}

GasAmounts fillByGauge(const CylinderGas& gas, const BlendProblem& p, const GaugePlan& readings) {
    const Pressure kept = readings.drains ? readings.drainTo : p.start.pressure;
    GasAmounts cylinder = amountsOf(p.start.mix, amountAt(gas, p.start.mix, kept));
    fillTo(gas, cylinder, GasMix::helium(), readings.afterHelium);
    fillTo(gas, cylinder, GasMix::oxygen(), readings.afterOxygen);
    fillTo(gas, cylinder, p.topUp, readings.afterTopUp);
    return cylinder;
}

GasAmounts topUpByGauge(const CylinderGas& gas, const BlendProblem& p) {
    GasAmounts cylinder = amountsOf(p.start.mix, amountAt(gas, p.start.mix, p.start.pressure));
    fillTo(gas, cylinder, p.topUp, p.required.pressure);
    return cylinder;
}

} // namespace quillan
