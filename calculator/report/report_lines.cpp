#include "report/report_lines.h"

#include "engine/depth.h"

namespace quillan::report {

std::string separatorLine() {
    return std::string(109, '-');
}

std::string headingLine(std::string_view dateTime) {
    return "Mix Calculation " + std::string(dateTime);
}

void setFinalMixFigures(BlendPlan& plan, UnitSystem units) {
    const SeaWaterScale scale = seaWaterScale(units);
    plan.mod = CalcMOD(plan.finalMix.o2, scale);
    plan.po2 = CalcPO2(double(plan.finalMix.o2), plan.mod, scale);
    plan.end = CalcEND(double(plan.finalMix.n), plan.mod, scale);
}

void addFinalMixLines(std::vector<std::string>& lines, const BlendPlan& plan,
                      const ReportOptions& options) {
    const std::string depth(unitLabels(options.units).depth);
    lines.emplace_back();
    lines.push_back("Final Mix: " + plan.finalMixName);
    lines.push_back(separatorLine());
    lines.push_back("MOD " + formatNumber(plan.mod) + " " + depth);
    lines.push_back("PO2 " + formatFixed2(plan.po2, options.numbers));
    lines.push_back("END " + formatNumber(plan.end) + " " + depth);
}

void stopReport(BlendReport& report, std::string why) {
    report.lines.push_back(why);
    report.outcome = Outcome::NotPossible;
    report.whyNot = std::move(why);
}

void stopAtOrAboveTarget(BlendReport& report, const Mixer& mixer, const std::string& pressure) {
    report.lines.push_back("Source " + pressure + " = " + formatNumber(mixer.SourcePSI()));
    report.lines.push_back("Target " + pressure + " = " + formatNumber(mixer.TargetPSI()));
    stopReport(report, "Target " + pressure + " is less than or equal to the Source " + pressure);
}

void recordFailure(BlendReport& report, const RuntimeError& err) {
    report.outcome = Outcome::Failed;
    report.error = ReportError{err.number, err.source, err.description};
    report.plan.reset();
    report.targetDepth.reset();
    report.requiredMix.reset();
    report.depthMix.reset();
}

} // namespace quillan::report
