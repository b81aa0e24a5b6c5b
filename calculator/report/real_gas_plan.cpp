#include "report/real_gas_plan.h"

#include "engine/runtime_error.h"

#include <array>
#include <cmath>

namespace quillan::report {

namespace {

// Differences of fractions that should cancel exactly leave rounding dust of this size.
constexpr double kDust = 1e-12;

// A quantity that must stay at least 0, as a line in the kept source amount k.
struct Bound {
    double offset;
    double slope; // quantity = offset - slope * k
};

GasFractions topUpGas(const GaugeBlendProblem& p) {
    return {p.topUpO2, 0.0, 1.0 - p.topUpO2};
}

double amountAtGauge(const GasLaw& law, const GaugeBlendProblem& p, const GasFractions& mix,
                     double gauge) {
    return amountAt(law, mix, p.scale.absoluteBar(gauge));
}

double settledGauge(const GasLaw& law, const GaugeBlendProblem& p, const GasAmounts& amounts) {
    const std::optional<double> bar = pressureOf(law, amounts);
    if (!bar)
        throw RuntimeError(kErrApplication, "RealGas", "Cylinder pressure did not settle");
    return p.scale.gauge(*bar);
}

GasAmounts amountsOf(const GasFractions& mix, double amount) {
    GasAmounts a;
    a.add(mix, amount);
    return a;
}

// Adds `gas` until the gauge reads `gauge`; nothing when it reads that already.
void fillTo(const GasLaw& law, const GaugeBlendProblem& p, GasAmounts& have,
            const GasFractions& gas, double gauge) {
    const double amount = amountToReach(law, have, gas, p.scale.absoluteBar(gauge));
    if (amount > 0.0)
        have.add(gas, amount);
}

} // namespace

std::optional<GaugePlan> planByGauge(const GasLaw& law, const GaugeBlendProblem& p) {
    const GasFractions& s = p.source;
    const GasFractions& g = p.target;
    const double f = p.topUpO2;
    const double targetAmount = amountAtGauge(law, p, g, p.targetGauge);
    const double wholeSource = amountAtGauge(law, p, s, p.sourceGauge);
    const double leastKept = amountAtGauge(law, p, s, 0.0);
    const double leastTopUp = p.scale.barPerUnit; // one gauge unit, near enough

    // Helium g.he N - s.he k; top-up (g.n2 N - s.n2 k) / (1 - f); oxygen g.o2 N - s.o2 k
    // - f * top-up, times (1 - f) so that every slope is a plain difference.
    const std::array bounds{
        Bound{g.he * targetAmount, s.he},
        Bound{g.n2 * targetAmount - (1.0 - f) * leastTopUp, s.n2},
        Bound{((1.0 - f) * g.o2 - f * g.n2) * targetAmount, (1.0 - f) * s.o2 - f * s.n2},
    };
    double lowest = leastKept;
    double highest = wholeSource;
    for (const Bound& bound : bounds) {
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
    const double helium = std::max(0.0, g.he * targetAmount - s.he * kept);
    const double topUp = (g.n2 * targetAmount - s.n2 * kept) / (1.0 - f);
    const double oxygen = std::max(0.0, g.o2 * targetAmount - s.o2 * kept - f * topUp);

    GaugePlan plan{};
    plan.drains = kept < wholeSource;
    GasAmounts cylinder = amountsOf(s, kept);
    plan.drainTo = plan.drains ? settledGauge(law, p, cylinder) : p.sourceGauge;
    cylinder.add(kHelium, helium);
    plan.afterHelium = helium > 0.0 ? settledGauge(law, p, cylinder) : plan.drainTo;
    cylinder.add(kOxygen, oxygen);
    plan.afterOxygen = oxygen > 0.0 ? settledGauge(law, p, cylinder) : plan.afterHelium;
    plan.afterTopUp = p.targetGauge;
    return plan;
}

GasAmounts fillByGauge(const GasLaw& law, const GaugeBlendProblem& p, const GaugePlan& readings) {
    const double kept = readings.drains ? readings.drainTo : p.sourceGauge;
    GasAmounts cylinder = amountsOf(p.source, amountAtGauge(law, p, p.source, kept));
    fillTo(law, p, cylinder, kHelium, readings.afterHelium);
    fillTo(law, p, cylinder, kOxygen, readings.afterOxygen);
    fillTo(law, p, cylinder, topUpGas(p), readings.afterTopUp);
    return cylinder;
}

GasAmounts topUpByGauge(const GasLaw& law, const GaugeBlendProblem& p) {
    GasAmounts cylinder = amountsOf(p.source, amountAtGauge(law, p, p.source, p.sourceGauge));
    fillTo(law, p, cylinder, topUpGas(p), p.targetGauge);
    return cylinder;
}

} // namespace quillan::report
