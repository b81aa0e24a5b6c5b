#include "planning/gauge_blend.h"

#include "planning/gauge_plan.h"

#include <cmath>

namespace quillan {

namespace {

FillGas fillGasOf(GasModel model, const PlanOptions& options) {
    const GasLaw& law = gasLawOf(model);
    return {{law, options.settle}, {law, options.fill}};
}

// A reading as the gauge shows it, in steps of the options' reading step.
Pressure shownReading(Pressure exact, const PlanOptions& options) {
    const double perUnit = std::nearbyint(1.0 / readingStep(options));
    const double figure = std::nearbyint(figureOf(exact, options.units) * perUnit) / perUnit;
    toInt16(figure); // a reading must fit the figures the window shows
    return pressureIn(options.units, figure);
}

// The plan's readings as the blender is told them; a drain that rounds away is none.
GaugePlan shownReadings(const GaugePlan& exact, const BlendProblem& problem,
                        const PlanOptions& options) {
    GaugePlan shown = exact;
    shown.drainTo = shownReading(exact.drainTo, options);
    shown.afterHelium = shownReading(exact.afterHelium, options);
    shown.afterOxygen = shownReading(exact.afterOxygen, options);
    shown.afterTopUp = shownReading(exact.afterTopUp, options);
    // At one temperature a drain that rounds away is none; filled warmer or cooler the start
    // reads otherwise than it was read, and the plan's own reading stands.
    if (options.fill == options.settle) {
        shown.drains = exact.drains && shown.drainTo < problem.start.pressure;
        if (!shown.drains)
            shown.drainTo = problem.start.pressure;
    }
    return shown;
}

GaugeReadings readingsOf(const GaugePlan& plan) {
    GaugeReadings readings;
    if (plan.drains)
        readings.drainTo = plan.drainTo;
    readings.afterHelium = plan.afterHelium;
    readings.afterOxygen = plan.afterOxygen;
    readings.afterTopUp = plan.afterTopUp;
    return readings;
}

// What the ideal-gas figures, filled by under the real law, would have given.
std::optional<GasMix> idealFiguresMix(const BlendProblem& problem, const PlanOptions& options) {
    const FillGas ideal = fillGasOf(GasModel::IdealPartialPressures, options);
    const std::optional<GaugePlan> plan = planByGauge(ideal, problem);
    if (!plan)
        return std::nullopt;
    return fillByGauge(fillGasOf(options.gas, options), problem,
                       shownReadings(*plan, problem, options))
        .mix();
}

MovedGas movedOf(const GaugePlan& exact, const BlendProblem& problem) {
    MovedGas moved;
    moved.drained = {problem.start.pressure - exact.drainTo, exact.drained};
    if (!exact.drains)
        moved.drained.rise = Pressure();
    moved.helium = {exact.afterHelium - exact.drainTo, exact.helium};
    moved.oxygen = {exact.afterOxygen - exact.afterHelium, exact.oxygen};
    moved.topUp = {exact.afterTopUp - exact.afterOxygen, exact.topUp};
    return moved;
}

} // namespace

std::optional<BlendPlan> gaugeBlend(const BlendProblem& problem, const PlanOptions& options) {
    const FillGas gas = fillGasOf(options.gas, options);
    const std::optional<GaugePlan> exact = planByGauge(gas, problem);
    if (!exact)
        return std::nullopt;
    const GaugePlan shown = shownReadings(*exact, problem, options);
    BlendPlan plan;
    plan.drain = shown.drains ? problem.start.pressure - shown.drainTo : Pressure();
    // Undrained and filled at another temperature, the first step starts from the start's
    // reading at that temperature.
    plan.helium = shown.afterHelium - shown.drainTo;
    plan.oxygen = shown.afterOxygen - shown.afterHelium;
    plan.topUp = shown.afterTopUp - shown.afterOxygen;
    plan.topUpGas = problem.topUp;
    plan.final = problem.required;
    plan.gauges = readingsOf(shown);
    plan.exactGauges = readingsOf(*exact);
    plan.moved = movedOf(*exact, problem);
    // Filled by the shown readings: what an analyser reads after the helium and after the
    // oxygen, where the plan adds them, and what the cylinder ends with.
    const FillSteps filled = fillStepByStep(gas, problem, shown);
    if (shown.afterHelium > shown.drainTo)
        plan.o2AfterHelium = filled.afterHelium.mix().o2();
    if (shown.afterOxygen > shown.afterHelium)
        plan.o2AfterOxygen = filled.afterOxygen.mix().o2();
    if (options.fill != options.settle)
        plan.settledPressure = readingOf(gas.settled, filled.afterTopUp);
    if (exact->fullDrain)
        plan.fullDrainMix = filled.afterTopUp.mix();
    if (options.gas != GasModel::IdealPartialPressures) {
        plan.showsIdealFigures = true;
        plan.idealFiguresMix = idealFiguresMix(problem, options);
    }
    return plan;
}

BlendPlan gaugeTopUp(const BlendProblem& problem, const PlanOptions& options) {
    const FillGas gas = fillGasOf(options.gas, options);
    const GasAmounts filled = topUpByGauge(gas, problem);
    BlendPlan plan;
    plan.topUp = problem.required.pressure - problem.start.pressure;
    plan.topUpGas = problem.topUp;
    plan.final = {problem.required.pressure, filled.mix()};
    GaugeReadings gauges;
    gauges.afterTopUp = problem.required.pressure;
    if (options.fill != options.settle) {
        // Filled hot, the gauge reads more than it will once settled.
        gauges.afterTopUp = readingOf(gas.filling, filled);
        plan.settledPressure = problem.required.pressure;
    }
    plan.gauges = gauges;
    plan.moved.topUp = {plan.topUp, filled.total() - gas.settled.amountAt(problem.start.mix,
                                                                          problem.start.pressure)};
    if (options.gas != GasModel::IdealPartialPressures) {
        plan.showsIdealFigures = true;
        plan.idealFiguresMix =
            topUpByGauge(fillGasOf(GasModel::IdealPartialPressures, options), problem).mix();
    }
    return plan;
}

} // namespace quillan
