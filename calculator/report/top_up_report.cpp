#include "report/blend_report.h"
#include "report/report_lines.h"

#include "quantities/gas_names.h"
#include "rules/limits.h"

namespace quillan::report {

namespace {

// From "Starting ..." to the last line.
void addToppingLines(std::vector<std::string>& lines, const Mixer& mixer, const ShownPlan& plan,
                     const ReportOptions& options) {
    const std::string unit(unitLabels(options.units).pressure);
    lines.push_back("Starting " + mixer.GetMixDescription(kSourceTank) + " " + unit +
                    " should be " + formatNumber(mixer.SourcePSI()));
    if (plan.gauges) {
        lines.push_back(untilLine(plan.topUpGas, plan.gauges->afterTopUp, options));
        addSettlingLines(lines, plan, options);
        addFinalMixLines(lines, plan, options);
        if (plan.showsIdealFigures)
            lines.push_back(idealFiguresLine(plan.idealFiguresMix, options.numbers));
        return;
    }
    lines.push_back("Add " + readingText(plan.topUp, options) + " " + unit + " of " +
                    plan.topUpGas);
    addFinalMixLines(lines, plan, options);
}

} // namespace

BlendReport topUpReport(const Mixer& problem, std::string_view dateTime,
                        const ReportOptions& options) {
    BlendReport report;
    report.step = kLoadingStep;
    const std::string psi(unitLabels(options.units).pressure);
    std::vector<std::string>& lines = report.lines;
    try {
        const std::string topUpGas = GetGasName(double(problem.TopupMixFO2()));
        lines.push_back(headingLine(dateTime));
        lines.push_back("Top " + problem.GetMixDescription(kSourceTank) + " with " + topUpGas +
                        " to " + formatNumber(problem.TargetPSI()) + " " + psi);
        lines.push_back(separatorLine());

        const PlanOutcome outcome = planTopUp(problem, options.planOptions());
        if (!outcome.plan) {
            switch (outcome.whyNot) {
            case NoPlan::TargetRequired:
            case NoPlan::MixImpossible:
                stopReport(report, "Target cylinder " + psi + " is required");
                break;
            case NoPlan::LowSourceO2:
                stopReport(report, std::string(kLowSourceO2Text));
                break;
            case NoPlan::AboveTestPressure:
                stopReport(report, aboveTestPressureLine(options));
                break;
            }
            return report;
        }
        ShownPlan plan = shownPlanOf(*outcome.plan, options);
        plan.topUpGas = topUpGas;
        if (outcome.startAtOrAboveRequired) {
            // The lines this case has always had, then what the cylinder holds.
            addAtOrAboveTargetLines(lines, problem, psi);
            lines.emplace_back();
            lines.push_back("End Calculation");
            lines.emplace_back();
            addNothingToAddLines(lines, problem, plan, options);
        } else {
            lines.push_back("Mixing");
            lines.push_back(separatorLine());
            addToppingLines(lines, problem, plan, options);
        }

        if (options.cylinder) {
            report.sheet = fillSheetOf(*outcome.plan, std::nullopt, options);
            addFillSheetLines(lines, *report.sheet, plan.topUpGas, options);
        }
        report.requiredMix = plan.finalMix;
        report.depthMix = plan.finalMix;
        report.targetDepth = plan.mod;
        report.plan = std::move(plan);
        report.outcome = Outcome::Plan;
    } catch (const RuntimeError& err) {
        recordFailure(report, err);
    }
    return report;
}

} // namespace quillan::report
