#include "planning/blend_planner.h"

#include "engine/runtime_error.h"
#include "planning/blend_problem.h"
#include "planning/gauge_blend.h"
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

// The analyser's O2 after the helium and after the oxygen of a whole-unit plan, counted as
// partial pressures from the figures as given.
void addCheckpoints(BlendPlan& plan, const Mixer& problem, UnitSystem units) {
    const double kept = problem.SourcePSI() - figureOf(plan.drain, units);
    const double helium = figureOf(plan.helium, units);
    const double oxygen = figureOf(plan.oxygen, units);
    const double o2 = kept * problem.SourceO2() / 100.0;
    if (helium > 0.0)
        plan.o2AfterHelium = GasFraction::fraction(o2 / (kept + helium));
    if (oxygen > 0.0)
        plan.o2AfterOxygen = GasFraction::fraction((o2 + oxygen) / (kept + helium + oxygen));
}

std::optional<BlendPlan> withCheckpoints(std::optional<BlendPlan> plan, const Mixer& problem,
                                         UnitSystem units) {
    if (plan)
        addCheckpoints(*plan, problem, units);
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
    plan.moved.drained = {plan.drain, plan.drain.inBar()};
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
    // A nitrox top-up is the classic problem's own; a supply gas with helium is planned on
    // unrounded pressures.
    const bool supplied = options.topUpGas && options.topUpGas->he().value() > 0.0;
    if (options.classic() && options.units == UnitSystem::PsiAndFeet && !supplied)
        return outcomeOf(
            withCheckpoints(classicPlan(problem, options.leastDrain), problem, options.units));
    checkTopUpGas(problem);
    const auto typed = [&](bool emptyIsAir) {
        BlendProblem typedProblem = problemOf(problem, options.units, emptyIsAir);
        if (options.topUpGas)
            typedProblem.topUp = *options.topUpGas;
        return typedProblem;
    };
    if (options.classic())
        return outcomeOf(
            withCheckpoints(wholeReadingPlan(typed(false), options.units), problem, options.units));
    return outcomeOf(gaugeBlend(typed(true), options));
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

// No fill goes past the cylinder's test pressure.
PlanOutcome withinTestPressure(PlanOutcome outcome, const PlanOptions& options) {
    if (outcome.plan && options.cylinder &&
        highestReading(*outcome.plan) > options.cylinder->testPressure() + Pressure::bar(1e-6)) {
        outcome.plan.reset();
        outcome.whyNot = NoPlan::AboveTestPressure;
    }
    return outcome;
}

PlanOutcome topUpFor(const Mixer& problem, const PlanOptions& options) {
    if (isLowSourceO2(problem.SourcePSI(), problem.SourceO2(), options.units))
        return noPlan(NoPlan::LowSourceO2);
    BlendPlan plan;
    plan.topUp = pressureIn(options.units, problem.TargetPSI() - problem.SourcePSI());
    plan.topUpGas = GasMix::percent(problem.TopupMixFO2());
    plan.final.pressure = pressureIn(options.units, problem.TargetPSI());
    if (options.classic()) {
        plan.final.mix = idealTopUpMix(problem);
        plan.moved.topUp = {plan.topUp, plan.topUp.inBar()};
        return outcomeOf(plan);
    }
    checkTopUpGas(problem);
    BlendProblem gauged;
    gauged.start = contentsOf(problem.SourcePSI(), problem.SourceO2(), problem.SourceHe(),
                              problem.SourceN(), options.units, true);
    gauged.required.pressure = plan.final.pressure;
    gauged.topUp = plan.topUpGas;
    return outcomeOf(gaugeTopUp(gauged, options));
}

} // namespace

Pressure highestReading(const BlendPlan& plan) {
    return plan.gauges ? std::max(plan.gauges->afterTopUp, plan.final.pressure)
                       : plan.final.pressure;
}

PlanOutcome planRequiredMix(const Mixer& problem, const PlanOptions& options) {
    if (problem.TargetPSI() == 0 || problem.TargetO2() == 0)
        return noPlan(NoPlan::TargetRequired);
    PlanOutcome outcome = withinTestPressure(blendFor(problem, options), options);
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
    return withinTestPressure(topUpFor(problem, options), options);
}

double readingStep(const PlanOptions& options) {
    return options.units == UnitSystem::BarAndMetres && options.gas == GasModel::Gerg2008 ? 0.1
                                                                                          : 1.0;
}

} // namespace quillan
