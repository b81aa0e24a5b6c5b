#include "planning/blend_planner.h"

#include "engine/runtime_error.h"
#include "planning/blend_problem.h"
#include "planning/gauge_plan.h"
#include "planning/whole_unit_plan.h"
#include "rules/limits.h"

#include <cmath>
#include <cstdlib>

namespace quillan {

namespace {

PlanOutcome noPlan(NoPlan why) {
    return {std::nullopt, why};
}

PlanOutcome outcomeOf(std::optional<BlendPlan> plan) {
    return {std::move(plan), NoPlan::MixImpossible};
}

// The classic solver's refusals of a top-up gas, raised the same for every gas model.
void checkTopUpGas(const Mixer& problem) {
    if (!kSolvableTopUpO2Range.contains(problem.TopupMixFO2()))
        throw RuntimeError(kErrApplication, "DrainAmount", "Invalid top mix O2 %");
    if (problem.TopupMixFO2() == 100)
        raiseClassicError(kErrDivisionByZero); // pure oxygen brings no nitrogen to plan with
}

CylinderGas realCylinder() {
    return {gasLawOf(GasModel::Virial)};
}

CylinderGas idealCylinder() {
    return {gasLawOf(GasModel::IdealPartialPressures)};
}

// A reading as the gauge shows it: whole units.
Pressure wholeReading(Pressure exact, UnitSystem units) {
    return pressureIn(units, toInt16(figureOf(exact, units)));
}

// The plan's readings as the blender is told them; a drain that rounds away is none.
GaugePlan shownReadings(const GaugePlan& exact, const BlendProblem& problem, UnitSystem units) {
    GaugePlan shown;
    shown.drainTo = wholeReading(exact.drainTo, units);
    shown.afterHelium = wholeReading(exact.afterHelium, units);
    shown.afterOxygen = wholeReading(exact.afterOxygen, units);
    shown.afterTopUp = wholeReading(exact.afterTopUp, units);
    shown.drains = exact.drains && shown.drainTo < problem.start.pressure;
    if (!shown.drains)
        shown.drainTo = problem.start.pressure;
    return shown;
}

std::optional<GasMix> idealFiguresMix(const BlendProblem& problem, UnitSystem units) {
    const std::optional<GaugePlan> ideal = planByGauge(idealCylinder(), problem);
    if (!ideal)
        return std::nullopt;
    return fillByGauge(realCylinder(), problem, shownReadings(*ideal, problem, units)).mix();
}

std::optional<BlendPlan> realGasPlan(const BlendProblem& problem, UnitSystem units) {
    const std::optional<GaugePlan> exact = planByGauge(realCylinder(), problem);
    if (!exact)
        return std::nullopt;
    const GaugePlan shown = shownReadings(*exact, problem, units);
    BlendPlan plan;
    GaugeReadings gauges;
    if (shown.drains)
        gauges.drainTo = shown.drainTo;
    gauges.afterHelium = shown.afterHelium;
    gauges.afterOxygen = shown.afterOxygen;
    gauges.afterTopUp = shown.afterTopUp;
    plan.drain = problem.start.pressure - shown.drainTo;
    plan.helium = shown.afterHelium - shown.drainTo;
    plan.oxygen = shown.afterOxygen - shown.afterHelium;
    plan.topUp = shown.afterTopUp - shown.afterOxygen;
    plan.topUpGas = problem.topUp;
    plan.final = problem.required;
    plan.gauges = gauges;
    plan.idealFiguresMix = idealFiguresMix(problem, units);
    return plan;
}

// A start that holds the required pressure or more, and already the required mix: drain to
// the required pressure, and add nothing.
BlendPlan drainOnly(const Mixer& problem, UnitSystem units) {
    BlendPlan plan;
    plan.drain = pressureIn(units, problem.SourcePSI() - problem.TargetPSI());
    plan.topUpGas = GasMix::percent(problem.TopupMixFO2());
    plan.final = {pressureIn(units, problem.TargetPSI()),
                  GasMix::percent(problem.SourceO2(), problem.SourceHe())};
    plan.startIsRequiredMix = true;
    return plan;
}

bool atOrAboveRequired(const Mixer& problem) {
    return problem.SourcePSI() >= problem.TargetPSI();
}

// Within half a point of O2 and of He.
bool startIsRequiredMix(const Mixer& problem) {
    return std::abs(problem.SourceO2() - problem.TargetO2()) <= 0.5 &&
           std::abs(problem.SourceHe() - problem.TargetHe()) <= 0.5;
}

PlanOutcome blendFor(const Mixer& problem, const PlanOptions& options) {
    if (atOrAboveRequired(problem) && startIsRequiredMix(problem))
        return outcomeOf(drainOnly(problem, options.units));
    if (isLowSourceO2(problem.SourcePSI(), problem.SourceO2(), options.units))
        return noPlan(NoPlan::LowSourceO2);
    switch (options.gas) {
    case GasModel::IdealPartialPressures:
        if (options.units == UnitSystem::PsiAndFeet)
            return outcomeOf(classicPlan(problem));
        checkTopUpGas(problem);
        return outcomeOf(wholeReadingPlan(problemOf(problem, options.units, false), options.units));
    case GasModel::Virial:
        break;
    }
    checkTopUpGas(problem);
    return outcomeOf(realGasPlan(problemOf(problem, options.units, true), options.units));
}

// The start topped up with `add` of the top-up gas as partial pressures, on the figures' own
// unrounded values.
GasMix idealTopUpMix(const Mixer& problem) {
    const double start = problem.SourcePSI();
    const double required = problem.TargetPSI();
    const double add = required - start;
    const double addedO2 = problem.TopupMixFO2() / 100.0 * add;
    // Every figure, the added oxygen's included, must fit 16 bits as the fields' figures do.
    toInt16(addedO2);
    const double o2 = problem.SourceO2() / 100.0 * start + addedO2;
    const double he = problem.SourceHe() / 100.0 * start;
    const GasMix mix{GasFraction::fraction(checkedDivide(o2, required)),
                     GasFraction::fraction(checkedDivide(he, required))};
    toInt16(mix.o2().inPercent());
    toInt16(mix.he().inPercent());
    return mix;
}

} // namespace

PlanOutcome planRequiredMix(const Mixer& problem, const PlanOptions& options) {
    if (problem.TargetPSI() == 0 || problem.TargetO2() == 0)
        return noPlan(NoPlan::TargetRequired);
    PlanOutcome outcome = blendFor(problem, options);
    outcome.startAtOrAboveRequired = atOrAboveRequired(problem);
    return outcome;
}

PlanOutcome planTopUp(const Mixer& problem, const PlanOptions& options) {
    if (problem.TargetPSI() == 0)
        return noPlan(NoPlan::TargetRequired);
    if (atOrAboveRequired(problem)) {
        // Nothing needs adding: at most a drain, and the start's mix stays.
        PlanOutcome outcome = outcomeOf(drainOnly(problem, options.units));
        outcome.startAtOrAboveRequired = true;
        return outcome;
    }
    if (isLowSourceO2(problem.SourcePSI(), problem.SourceO2(), options.units))
        return noPlan(NoPlan::LowSourceO2);
    BlendPlan plan;
    plan.topUp = pressureIn(options.units, problem.TargetPSI() - problem.SourcePSI());
    plan.topUpGas = GasMix::percent(problem.TopupMixFO2());
    plan.final.pressure = pressureIn(options.units, problem.TargetPSI());
    switch (options.gas) {
    case GasModel::IdealPartialPressures:
        plan.final.mix = idealTopUpMix(problem);
        return outcomeOf(plan);
    case GasModel::Virial:
        break;
    }
    checkTopUpGas(problem);
    BlendProblem gauged;
    gauged.start = contentsOf(problem.SourcePSI(), problem.SourceO2(), problem.SourceHe(),
                              problem.SourceN(), options.units, true);
    gauged.required.pressure = plan.final.pressure;
    gauged.topUp = plan.topUpGas;
    plan.final.mix = topUpByGauge(realCylinder(), gauged).mix();
    plan.idealFiguresMix = topUpByGauge(idealCylinder(), gauged).mix();
    GaugeReadings gauges;
    gauges.afterTopUp = plan.final.pressure;
    plan.gauges = gauges;
    return outcomeOf(plan);
}

} // namespace quillan
