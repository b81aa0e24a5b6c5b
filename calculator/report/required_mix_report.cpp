#include "report/blend_report.h"
#include "report/real_gas_report.h"
#include "report/report_lines.h"

#include "engine/depth.h"

namespace quillan::report {

namespace {

BlendPlan planOf(const Mixer& mixer, UnitSystem units) {
    BlendPlan plan;
    plan.drain = mixer.DrainAmount();
    plan.helium = mixer.AddHePSI();
    plan.oxygen = mixer.AddO2PSI();
    plan.topUp = mixer.TopupMixPSI();
    plan.topUpGas = mixer.GetMixDescription(kTopupGas);
    plan.finalPressure = mixer.TargetPSI();
    plan.finalMix = {mixer.TargetO2(), mixer.TargetHe(), mixer.TargetN()};
    plan.finalMixName = mixer.GetMixDescription(kTargetTank);
    setFinalMixFigures(plan, units);
    return plan;
}

void addMixingLines(std::vector<std::string>& lines, const Mixer& mixer, const BlendPlan& plan,
                    const ReportOptions& options) {
    const std::string psi(unitLabels(options.units).pressure);
    lines.push_back("Mixing");
    lines.push_back(separatorLine());
    if (plan.drain > 0)
        lines.push_back("Drain " + formatNumber(plan.drain) + " " + psi + " from the starting Mix");
    lines.push_back("Starting " + mixer.GetMixDescription(kSourceTank) + " " + psi + " should be " +
                    formatNumber(subInt16(mixer.SourcePSI(), plan.drain)));
    if (plan.helium > 0)
        lines.push_back("Add " + formatNumber(plan.helium) + " " + psi + " of He");
    if (plan.oxygen > 0)
        lines.push_back("Add " + formatNumber(plan.oxygen) + " " + psi + " of O2");
    lines.push_back("Add " + formatNumber(plan.topUp) + " " + psi + " of " + plan.topUpGas);
    lines.push_back("Ending " + psi + " should be " + formatNumber(plan.finalPressure));
    addFinalMixLines(lines, plan, options);
}

// The solver for the chosen gas model, and the mixing and final-mix lines of its plan;
// nothing when the mix cannot be made.
std::optional<BlendPlan> planWithLines(Mixer& mixer, std::vector<std::string>& lines,
                                       const ReportOptions& options) {
    switch (options.gas) {
    case GasModel::IdealPartialPressures:
        if (!mixer.CalcMix())
            return std::nullopt;
        break;
    case GasModel::RealGas:
        return realGasRequiredMix(mixer, lines, options);
    }
    BlendPlan plan = planOf(mixer, options.units);
    addMixingLines(lines, mixer, plan, options);
    return plan;
}

} // namespace

BlendReport requiredMixReport(const Mixer& problem, std::string_view dateTime,
                              const ReportOptions& options) {
    BlendReport report;
    report.step = kLoadingStep;
    const std::string psi(unitLabels(options.units).pressure);
    std::vector<std::string>& lines = report.lines;
    try {
        Mixer mixer = problem;
        lines.push_back(headingLine(dateTime));
        lines.push_back("Calculate " + mixer.GetMixDescription(kSourceTank) + " to " +
                        mixer.GetMixDescription(kTargetTank) + " by adding He, O2 and " +
                        mixer.GetMixDescription(kTopupGas));
        lines.push_back(separatorLine());

        if (mixer.TargetPSI() == 0 || mixer.TargetO2() == 0) {
            stopReport(report, "Target cylinder " + psi + " and fO2 are required values");
            return report;
        }
        if (mixer.SourcePSI() >= mixer.TargetPSI()) {
            stopAtOrAboveTarget(report, mixer, psi);
            return report;
        }
        if (mixer.SourcePSI() > unitRanges(options.units).nearlyEmptyPressure &&
            mixer.SourceO2() <= 10) {
            stopReport(report, "Low source O2. Must be > 10");
            return report;
        }

        report.plan = planWithLines(mixer, lines, options);
        if (report.plan)
            report.outcome = Outcome::Plan;
        else
            stopReport(report,
                       mixer.ErrDesc().empty() ? std::string(kMixImpossible) : mixer.ErrDesc());
        // Made or not, the window then shows the required mix at its MOD.
        report.targetDepth = CalcMOD(mixer.TargetO2(), seaWaterScale(options.units));
        report.depthMix = MixPercentages{mixer.TargetO2(), mixer.TargetHe(), mixer.TargetN()};
    } catch (const RuntimeError& err) {
        recordFailure(report, err);
    }
    return report;
}

} // namespace quillan::report
