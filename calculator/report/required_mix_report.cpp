#include "report/bank_lines.h"
#include "report/blend_report.h"
#include "report/report_lines.h"

#include "physics/depth.h"
#include "planning/blend_problem.h"
#include "rules/limits.h"

namespace quillan::report {

namespace {

void addMixingLines(std::vector<std::string>& lines, const Mixer& mixer, const ShownPlan& plan,
                    const ReportOptions& options) {
    const std::string psi(unitLabels(options.units).pressure);
    const auto figure = [&](double value) { return readingText(value, options); };
    lines.push_back("Mixing");
    lines.push_back(separatorLine());
    if (plan.drain > 0)
        lines.push_back("Drain " + figure(plan.drain) + " " + psi + " from the starting Mix");
    lines.push_back("Starting " + mixer.GetMixDescription(kSourceTank) + " " + psi + " should be " +
                    figure(mixer.SourcePSI() - plan.drain));
    const auto addHelium = [&] {
        if (plan.helium > 0) {
            lines.push_back("Add " + figure(plan.helium) + " " + psi + " of He");
            addCheckpointLine(lines, plan.o2AfterHelium, options);
        }
    };
    const auto addOxygen = [&] {
        if (plan.oxygen > 0) {
            lines.push_back("Add " + figure(plan.oxygen) + " " + psi + " of O2");
            addCheckpointLine(lines, plan.o2AfterOxygen, options);
        }
    };
    // Partial pressures add in any order: oxygen first keeps pure oxygen at low pressure. The
    // analyser then reads the oxygen before the helium dilutes it.
    if (options.supply && options.supply->oxygenFirst) {
        const double kept = mixer.SourcePSI() - plan.drain;
        const double o2 = kept * mixer.SourceO2() / 100.0 + plan.oxygen;
        ShownPlan reordered = plan;
        reordered.o2AfterOxygen = 100.0 * o2 / (kept + plan.oxygen);
        reordered.o2AfterHelium = 100.0 * o2 / (kept + plan.oxygen + plan.helium);
        if (plan.oxygen > 0) {
            lines.push_back("Add " + figure(plan.oxygen) + " " + psi + " of O2");
            addCheckpointLine(lines, reordered.o2AfterOxygen, options);
        }
        if (plan.helium > 0) {
            lines.push_back("Add " + figure(plan.helium) + " " + psi + " of He");
            addCheckpointLine(lines, reordered.o2AfterHelium, options);
        }
    } else {
        addHelium();
        addOxygen();
    }
    // A whole-bar plan may round its last breath of top-up gas away.
    if (plan.topUp > 0)
        lines.push_back("Add " + figure(plan.topUp) + " " + psi + " of " + plan.topUpGas);
    lines.push_back("Ending " + psi + " should be " + formatNumber(plan.finalPressure));
    addFinalMixLines(lines, plan, options);
}

// A plan counted by gauge: the readings to fill by.
void addGaugeLines(std::vector<std::string>& lines, const Mixer& mixer, const ShownPlan& plan,
                   const ReportOptions& options) {
    const ShownGauges& gauges = *plan.gauges;
    const std::string unit(unitLabels(options.units).pressure);
    lines.push_back("Mixing");
    lines.push_back(separatorLine());
    if (gauges.drainTo)
        lines.push_back("Drain the starting Mix until the gauge reads " +
                        readingText(*gauges.drainTo, options) + " " + unit);
    lines.push_back("Starting " + mixer.GetMixDescription(kSourceTank) + " " + unit +
                    " should be " + readingText(mixer.SourcePSI() - plan.drain, options));
    if (plan.helium > 0) {
        lines.push_back(untilLine("He", gauges.afterHelium, options));
        addCheckpointLine(lines, plan.o2AfterHelium, options);
    }
    if (plan.oxygen > 0) {
        lines.push_back(untilLine("O2", gauges.afterOxygen, options));
        addCheckpointLine(lines, plan.o2AfterOxygen, options);
    }
    lines.push_back(untilLine(plan.topUpGas, gauges.afterTopUp, options));
    lines.push_back("Ending " + unit + " should be " + formatNumber(plan.finalPressure));
    addSettlingLines(lines, plan, options);
    addFinalMixLines(lines, plan, options);
    if (plan.showsIdealFigures)
        lines.push_back(idealFiguresLine(plan.idealFiguresMix, options.numbers));
}

// The plan by the least drain, for what it would save, when it is not the plan already made.
std::optional<BlendPlan> leastDrainPlan(const Mixer& problem, const ReportOptions& options) {
    if (options.leastDrain || !options.prices || !options.planOptions().classic() ||
        options.units != UnitSystem::PsiAndFeet)
        return std::nullopt;
    PlanOptions least = options.planOptions();
    least.leastDrain = true;
    return planRequiredMix(problem, least).plan;
}

void fillFromSupply(BlendReport& report, const Mixer& problem, const BlendPlan& plan,
                    const ReportOptions& options) {
    const CylinderGas gas{gasLawOf(options.gas), options.fill};
    BlendProblem typed = problemOf(problem, options.units, true);
    if (options.topUpGas)
        typed.topUp = *options.topUpGas;
    report.banks =
        fillFromBanks(typed, plan, options.cylinder->waterCapacity, gas, *options.supply);
    addBankLines(report.lines, *report.banks, options);
    if (!report.banks->possible) {
        report.outcome = Outcome::NotPossible;
        report.whyNot = report.banks->whyNot;
    }
}

} // namespace

BlendReport requiredMixReport(const Mixer& problem, std::string_view dateTime,
                              const ReportOptions& options) {
    BlendReport report;
    report.step = kLoadingStep;
    const std::string psi(unitLabels(options.units).pressure);
    std::vector<std::string>& lines = report.lines;
    try {
        lines.push_back(headingLine(dateTime));
        lines.push_back(
            "Calculate " + problem.GetMixDescription(kSourceTank) + " to " +
            problem.GetMixDescription(kTargetTank) + " by adding He, O2 and " +
            (options.topUpGas ? options.topUpGas->name() : problem.GetMixDescription(kTopupGas)));
        lines.push_back(separatorLine());

        const PlanOutcome outcome = planRequiredMix(problem, options.planOptions());
        // A cylinder at or above the required pressure is drained first, then blended.
        if (outcome.startAtOrAboveRequired)
            addAtOrAboveTargetLines(lines, problem, psi);
        if (!outcome.plan) {
            switch (outcome.whyNot) {
            case NoPlan::TargetRequired:
                stopReport(report, "Target cylinder " + psi + " and fO2 are required values");
                return report;
            case NoPlan::LowSourceO2:
                stopReport(report, std::string(kLowSourceO2Text));
                return report;
            case NoPlan::MixImpossible:
                stopReport(report, std::string(kMixImpossible));
                break;
            case NoPlan::AboveTestPressure:
                stopReport(report, aboveTestPressureLine(options));
                break;
            }
        } else {
            const ShownPlan plan = shownPlanOf(*outcome.plan, options);
            if (outcome.plan->startIsRequiredMix)
                addNothingToAddLines(lines, problem, plan, options);
            else if (plan.gauges)
                addGaugeLines(lines, problem, plan, options);
            else
                addMixingLines(lines, problem, plan, options);
            if (options.cylinder) {
                report.sheet =
                    fillSheetOf(*outcome.plan, leastDrainPlan(problem, options), options);
                addFillSheetLines(lines, *report.sheet, plan.topUpGas, options);
            }
            report.plan = plan;
            report.outcome = Outcome::Plan;
            if (options.supply && options.cylinder)
                fillFromSupply(report, problem, *outcome.plan, options);
        }
        // Made or not, the window then shows the required mix at its MOD.
        report.targetDepth = CalcMOD(problem.TargetO2(), seaWaterScale(options.units));
        report.depthMix = WholePercent{problem.TargetO2(), problem.TargetHe(), problem.TargetN()};
    } catch (const RuntimeError& err) {
        recordFailure(report, err);
    }
    return report;
}

} // namespace quillan::report
