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

// Adds `mix` until the gauge reads `gauge`; nothing when it reads that already.
void fillTo(const CylinderGas& gas, GasAmounts& have, const GasMix& mix, Pressure gauge) {
    const std::optional<double> amount = gas.amountToReach(have, mix, gauge);
    if (!amount)
        notSettled();
    if (*amount > 0.0)
        have.add(mix, *amount);
}

bool sameTemperature(const FillGas& gas) {
    return gas.settled.temperature == gas.filling.temperature;
}

// The amounts each step adds, kept starting gas first.
struct Steps {
    double kept, helium, oxygen, topUp;
};

// The readings of filling by `steps`: each step's gauge at the fill temperature.
GaugePlan readingsOf(const FillGas& gas, const BlendProblem& p, const Steps& s, double wholeStart) {
    GaugePlan plan;
    plan.drains = s.kept < wholeStart;
    GasAmounts cylinder = amountsOf(p.start.mix, s.kept);
    // Undrained, the start reads as it was read, or as it reads at the fill temperature.
    plan.drainTo =
        plan.drains || !sameTemperature(gas) ? readingOf(gas.filling, cylinder) : p.start.pressure;
    cylinder.add(GasMix::helium(), s.helium);
    plan.afterHelium = s.helium > 0.0 ? readingOf(gas.filling, cylinder) : plan.drainTo;
    cylinder.add(GasMix::oxygen(), s.oxygen);
    plan.afterOxygen = s.oxygen > 0.0 ? readingOf(gas.filling, cylinder) : plan.afterHelium;
    cylinder.add(p.topUp, s.topUp);
    // At one temperature the last reading is the required pressure itself, exactly.
    plan.afterTopUp = sameTemperature(gas) ? p.required.pressure : readingOf(gas.filling, cylinder);
    plan.drained = wholeStart - s.kept;
    plan.helium = s.helium;
    plan.oxygen = s.oxygen;
    plan.topUp = s.topUp;
    return plan;
}

// Drained to empty, the start's atmosphere stays: helium and oxygen as the mix needs them,
// the top-up gas filling to the required amount. Only when every fraction lands near enough.
std::optional<GaugePlan> fullDrain(const FillGas& gas, const BlendProblem& p, double target,
                                   double kept, double wholeStart) {
    const GasMix& s = p.start.mix;
    const GasMix& g = p.required.mix;
    const double f = p.topUp.o2().value();
    const double topUp =
        std::max(0.0, (g.n2().value() * target - s.n2().value() * kept) / p.topUp.n2().value());
    Steps steps{kept, 0.0, 0.0, 0.0};
    steps.helium = std::max(0.0, g.he().value() * target - s.he().value() * kept -
                                     p.topUp.he().value() * topUp);
    steps.oxygen = std::max(0.0, g.o2().value() * target - s.o2().value() * kept - f * topUp);
    GasAmounts cylinder = amountsOf(s, kept);
    cylinder.add(GasMix::helium(), steps.helium);
    cylinder.add(GasMix::oxygen(), steps.oxygen);
    // The mix is not quite the required one, nor its compressibility: the top-up fills to the
    // required pressure itself, once settled.
    const std::optional<double> topUpAmount =
        gas.settled.amountToReach(cylinder, p.topUp, p.required.pressure);
    if (!topUpAmount)
        notSettled();
    steps.topUp = *topUpAmount;
    if (steps.topUp < kSmallestTopUp.inBar())
        return std::nullopt;
    cylinder.add(p.topUp, steps.topUp);
    const GasMix got = cylinder.mix();
    if (std::fabs(got.o2().value() - g.o2().value()) > kFullDrainTolerance ||
        std::fabs(got.he().value() - g.he().value()) > kFullDrainTolerance)
        return std::nullopt;
    GaugePlan plan = readingsOf(gas, p, steps, wholeStart);
    plan.drainTo = Pressure(); // the gauge's zero, however the law rounds an atmosphere
    plan.fullDrain = true;
    return plan;
}

} // namespace

Pressure readingOf(const CylinderGas& gas, const GasAmounts& amounts) {
    const std::optional<Pressure> gauge = gas.gaugeOf(amounts);
    if (!gauge)
        notSettled();
    return *gauge;
}

std::optional<GaugePlan> planByGauge(const FillGas& gas, const BlendProblem& p) {
    const double so2 = p.start.mix.o2().value();
    const double she = p.start.mix.he().value();
    const double sn2 = p.start.mix.n2().value();
    const double go2 = p.required.mix.o2().value();
    const double ghe = p.required.mix.he().value();
    const double gn2 = p.required.mix.n2().value();
    const double f = p.topUp.o2().value();
    const double ht = p.topUp.he().value();
    const double nt = p.topUp.n2().value();
    // The top-up gas brings the nitrogen: one without any cannot be planned by it.
    if (!(nt > kDust))
        return std::nullopt;
    const double target = amountAt(gas.settled, p.required.mix, p.required.pressure);
    const double wholeStart = amountAt(gas.settled, p.start.mix, p.start.pressure);
    // A drained cylinder still holds its atmosphere, at the temperature it is drained at.
    const double leastKept = amountAt(gas.filling, p.start.mix, Pressure());
    const double leastTopUp = kSmallestTopUp.inBar(); // as an amount, near enough

    // Top-up t = (gn2 N - sn2 k) / nt; helium ghe N - she k - ht t; oxygen go2 N - so2 k
    // - f t; each times nt so that every slope is a plain difference. A nitrox top-up
    // (ht 0, nt 1 - f) keeps the helium bound unscaled, as it has always been worked out.
    const std::array bounds{
        ht == 0.0 ? AmountBound{ghe * target, she}
                  : AmountBound{(nt * ghe - ht * gn2) * target, nt * she - ht * sn2},
        AmountBound{gn2 * target - nt * leastTopUp, sn2},
        AmountBound{(nt * go2 - f * gn2) * target, nt * so2 - f * sn2},
    };
    double lowest = leastKept;
    double highest = wholeStart;
    bool possible = true;
    for (const AmountBound& bound : bounds) {
        if (bound.slope > kDust)
            highest = std::min(highest, bound.offset / bound.slope);
        else if (bound.slope < -kDust)
            lowest = std::max(lowest, bound.offset / bound.slope);
        else if (bound.offset < -kDust)
            possible = false;
    }
    if (!possible || highest < lowest - kDust) {
        // Only a real cylinder keeps an atmosphere when drained; the classic arithmetic's
        // empty cylinder holds nothing, and the interval already held it.
        if (!gas.filling.countsAtmosphere || wholeStart <= leastKept)
            return std::nullopt;
        return fullDrain(gas, p, target, leastKept, wholeStart);
    }

    const double kept = std::max(highest, lowest);
    Steps steps{kept, 0.0, 0.0, (gn2 * target - sn2 * kept) / nt};
    steps.helium = std::max(0.0, ghe * target - she * kept - ht * steps.topUp);
    steps.oxygen = std::max(0.0, go2 * target - so2 * kept - f * steps.topUp);
    return readingsOf(gas, p, steps, wholeStart);
}

FillSteps fillStepByStep(const FillGas& gas, const BlendProblem& p, const GaugePlan& readings) {
    const double kept = readings.drains ? amountAt(gas.filling, p.start.mix, readings.drainTo)
                                        : amountAt(gas.settled, p.start.mix, p.start.pressure);
    FillSteps steps;
    steps.afterHelium = amountsOf(p.start.mix, kept);
    fillTo(gas.filling, steps.afterHelium, GasMix::helium(), readings.afterHelium);
    steps.afterOxygen = steps.afterHelium;
    fillTo(gas.filling, steps.afterOxygen, GasMix::oxygen(), readings.afterOxygen);
    steps.afterTopUp = steps.afterOxygen;
    fillTo(gas.filling, steps.afterTopUp, p.topUp, readings.afterTopUp);
    return steps;
}

GasAmounts fillByGauge(const FillGas& gas, const BlendProblem& p, const GaugePlan& readings) {
    return fillStepByStep(gas, p, readings).afterTopUp;
}

GasAmounts topUpByGauge(const FillGas& gas, const BlendProblem& p) {
    GasAmounts cylinder =
        amountsOf(p.start.mix, amountAt(gas.settled, p.start.mix, p.start.pressure));
    // The required pressure is what the cylinder reads once settled.
    fillTo(gas.settled, cylinder, p.topUp, p.required.pressure);
    return cylinder;
}

} // namespace quillan
