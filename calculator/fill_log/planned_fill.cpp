#include "fill_log/planned_fill.h"

#include "fill_log/fill_store.h"

namespace quillan::filllog {

FillRecord plannedFill(FillRecord who, const Mixer& problem, const report::BlendReport& report,
                       const report::ReportOptions& options) {
    if (report.outcome != report::Outcome::Plan || !report.plan)
        throw BadFill("there is no plan to log");
    FillRecord fill = std::move(who);
    fill.start = {problem.SourcePSI(), problem.SourceO2(), problem.SourceHe()};
    fill.required = {problem.TargetPSI(), problem.TargetO2(), problem.TargetHe()};
    const report::ShownPlan& shown = *report.plan;
    LoggedPlan& plan = fill.plan;
    plan.units = unitSystemName(options.units);
    plan.gasModel = gasModelName(options.gas);
    plan.fillCelsius = options.fill.inCelsius();
    plan.settleCelsius = options.settle.inCelsius();
    plan.drain = shown.drain;
    plan.helium = shown.helium;
    plan.oxygen = shown.oxygen;
    plan.topUp = shown.topUp;
    plan.topUpO2 = problem.TopupMixFO2();
    plan.final = {shown.finalPressure, shown.finalMix.o2, shown.finalMix.he};
    plan.mod = shown.mod;
    plan.reportLines = report.lines;
    if (options.cylinder) {
        fill.cylinder.waterCapacityLitres = options.cylinder->waterCapacity.inLitres();
        fill.cylinder.workingPressureBar = options.cylinder->workingPressure.inBar();
    }
    if (report.sheet) {
        const GasUsed& used = report.sheet->used;
        plan.gasUsedLitres =
            used.helium.real.inLitres() + used.oxygen.real.inLitres() + used.topUp.real.inLitres();
        if (report.sheet->cost && options.prices) {
            plan.cost = report.sheet->cost->total;
            plan.currency = options.prices->currency;
        }
    }
    return fill;
}

} // namespace quillan::filllog
