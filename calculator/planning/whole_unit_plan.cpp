#include "planning/whole_unit_plan.h"

#include "physics/gas_law.h"
#include "planning/exact_blend.h"
#include "planning/gauge_plan.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace quillan {

namespace {

// The ideal law on gauge pressures: a cylinder at 0 holds nothing, as the classic arithmetic
// counts it.
CylinderGas partialPressures() {
    static const IdealGas ideal;
    return {ideal, kRoomTemperature, false};
}

// The whole figures around an exact one: itself when it is whole, else the two neighbours.
std::vector<double> wholeAround(double exact) {
    const double below = std::floor(exact);
    if (below == exact)
        return {exact};
    return {below, below + 1.0};
}

struct Readings {
    double drainTo, afterHelium, afterOxygen;
};

BlendPlan planOf(const BlendProblem& problem, UnitSystem units, const Readings& r) {
    const double start = figureOf(problem.start.pressure, units);
    const double required = figureOf(problem.required.pressure, units);
    BlendPlan plan;
    plan.drain = pressureIn(units, start - r.drainTo);
    plan.helium = pressureIn(units, r.afterHelium - r.drainTo);
    plan.oxygen = pressureIn(units, r.afterOxygen - r.afterHelium);
    plan.topUp = pressureIn(units, required - r.afterOxygen);
    plan.topUpGas = problem.topUp;
    plan.final = problem.required;
    return plan;
}

// How far a replayed mix misses the required one: the larger of the O2 and He misses.
double missOf(const BlendProblem& problem, const BlendPlan& plan) {
    const GasMix got = replayIdeal(problem, plan);
    return std::max(std::fabs(got.o2().value() - problem.required.mix.o2().value()),
                    std::fabs(got.he().value() - problem.required.mix.he().value()));
}

} // namespace

std::optional<BlendPlan> classicPlan(const Mixer& problem, bool leastDrain) {
    Mixer mixer = problem;
    std::optional<WholePsiSteps> steps;
    if (leastDrain && exactBlendApplies(problem)) {
        steps = exactBlend(problem);
    } else if (mixer.CalcMix()) {
        steps = WholePsiSteps{mixer.DrainAmount(), mixer.AddHePSI(), mixer.AddO2PSI(),
                              mixer.TopupMixPSI()};
    }
    if (!steps)
        return std::nullopt;
    BlendPlan plan;
    plan.drain = Pressure::psi(steps->drain);
    plan.helium = Pressure::psi(steps->helium);
    plan.oxygen = Pressure::psi(steps->oxygen);
    plan.topUp = Pressure::psi(steps->topup);
    plan.topUpGas = GasMix::percent(mixer.TopupMixFO2());
    plan.final = {Pressure::psi(mixer.TargetPSI()),
                  GasMix::percent(mixer.TargetO2(), mixer.TargetHe())};
    // The whole-PSI quantities are the plan; as partial pressures, each is its own amount.
    for (auto [step, rise] : {std::pair{&plan.moved.drained, plan.drain},
                              {&plan.moved.helium, plan.helium},
                              {&plan.moved.oxygen, plan.oxygen},
                              {&plan.moved.topUp, plan.topUp}})
        *step = {rise, rise.inBar()};
    return plan;
}

std::optional<BlendPlan> wholeReadingPlan(const BlendProblem& problem, UnitSystem units) {
    const std::optional<GaugePlan> exact =
        planByGauge(atOneTemperature(partialPressures()), problem);
    if (!exact)
        return std::nullopt;
    const double start = figureOf(problem.start.pressure, units);
    const double required = figureOf(problem.required.pressure, units);
    const double drainTo = figureOf(exact->drainTo, units);
    const double afterHelium = figureOf(exact->afterHelium, units);
    const double afterOxygen = figureOf(exact->afterOxygen, units);
    // A step the exact plan does not take stays untaken.
    std::vector<double> drains = exact->drains ? wholeAround(drainTo) : std::vector{start};
    std::reverse(drains.begin(), drains.end()); // the least drain first

    std::optional<BlendPlan> best;
    double bestMiss = 0.0;
    bool bestTopsUp = false;
    for (const double d : drains) {
        if (d < 0.0 || d > start)
            continue;
        for (const double h : afterHelium > drainTo ? wholeAround(afterHelium) : std::vector{d}) {
            for (const double o :
                 afterOxygen > afterHelium ? wholeAround(afterOxygen) : std::vector{h}) {
                if (h < d || o < h || o > required)
                    continue;
                const BlendPlan plan = planOf(problem, units, {d, h, o});
                const double miss = missOf(problem, plan);
                const bool topsUp = o < required;
                // The closest replay; of two as close, one that still ends with the top-up
                // gas, then the one that keeps more of the start.
                const bool closer = !best || miss < bestMiss - 1e-12;
                const bool asClose = best && std::fabs(miss - bestMiss) <= 1e-12;
                if (closer || (asClose && topsUp && !bestTopsUp)) {
                    best = plan;
                    bestMiss = miss;
                    bestTopsUp = topsUp;
                }
            }
        }
    }
    // What the steps move is the exact plan's, not its readings' rounding.
    if (best)
        for (auto [step, amount] : {std::pair{&best->moved.drained, exact->drained},
                                    {&best->moved.helium, exact->helium},
                                    {&best->moved.oxygen, exact->oxygen},
                                    {&best->moved.topUp, exact->topUp}})
            *step = {Pressure::bar(amount), amount};
    return best;
}

GasMix replayIdeal(const BlendProblem& problem, const BlendPlan& plan) {
    GasAmounts cylinder =
        amountsOf(problem.start.mix, (problem.start.pressure - plan.drain).inBar());
    cylinder.add(GasMix::helium(), plan.helium.inBar());
    cylinder.add(GasMix::oxygen(), plan.oxygen.inBar());
    cylinder.add(plan.topUpGas, plan.topUp.inBar());
    return cylinder.mix();
}

} // namespace quillan
