#include "blend_output.h"

#include "report/depth_figures.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace quillan::blend {

namespace {

std::optional<report::DepthFigures> depthFigures(const BlendRequest& request,
                                                 const report::BlendReport& report) {
    if (!request.depth || !report.depthMix)
        return std::nullopt;
    return report::figuresAtDepth(*report.depthMix, *request.depth, request.units);
}

// PO2 as the report shows it, two decimals, so the two always agree.
double shownPO2(double po2) {
    return parseNumber(formatFixed2(po2, NumberLocale::classic()), NumberLocale::classic());
}

// A fraction as a percentage to one decimal, as the report's ideal-figures line shows it.
double percentTenths(double fraction) {
    return std::nearbyint(fraction * 1000.0) / 10.0;
}

// Real gases only: the readings to fill by, and the mix the ideal-gas figures give.
nlohmann::ordered_json gaugeJson(const report::ShownPlan& plan) {
    nlohmann::ordered_json gauges = {{"drain_to", nullptr},
                                     {"after_helium", nullptr},
                                     {"after_oxygen", nullptr},
                                     {"after_top_up", plan.finalPressure}};
    if (plan.gauges) {
        if (plan.gauges->drainTo)
            gauges["drain_to"] = *plan.gauges->drainTo;
        gauges["after_helium"] = plan.gauges->afterHelium;
        gauges["after_oxygen"] = plan.gauges->afterOxygen;
        gauges["after_top_up"] = plan.gauges->afterTopUp;
    }
    nlohmann::ordered_json ideal = nullptr;
    if (plan.idealFiguresMix)
        ideal = {{"o2", percentTenths(plan.idealFiguresMix->o2().value())},
                 {"he", percentTenths(plan.idealFiguresMix->he().value())}};
    return {{"gauge", gauges}, {"ideal_figures_mix", ideal}};
}

nlohmann::ordered_json planJson(const report::ShownPlan& plan) {
    return {{"drain", plan.drain},
            {"helium", plan.helium},
            {"oxygen", plan.oxygen},
            {"top_up", plan.topUp},
            {"top_up_gas", plan.topUpGas},
            {"final_mix",
             {{"name", plan.finalMixName},
              {"pressure", plan.finalPressure},
              {"o2", plan.finalMix.o2},
              {"he", plan.finalMix.he},
              {"n", plan.finalMix.n}}},
            {"mod", plan.mod},
            {"po2", shownPO2(plan.po2)},
            {"end", plan.end}};
}

} // namespace

report::BlendReport makeReport(const BlendRequest& request, const std::string& dateTime,
                               const report::ReportOptions& options) {
    return request.command == Command::TopUp
               ? report::topUpReport(request.problem, dateTime, options)
               : report::requiredMixReport(request.problem, dateTime, options);
}

std::vector<std::string> textLines(const BlendRequest& request, const report::BlendReport& report,
                                   const report::ReportOptions& options) {
    std::vector<std::string> lines = report.lines;
    if (report.error && request.command == Command::RequiredMix)
        lines.push_back(report::errorAtLine(report.step));
    if (const auto figures = depthFigures(request, report)) {
        lines.emplace_back();
        lines.push_back(report::depthLine(*figures, options));
    }
    return lines;
}

std::string jsonText(const BlendRequest& request, const report::BlendReport& report,
                     const report::ReportOptions& options) {
    const UnitLabels units = unitLabels(options.units);
    nlohmann::ordered_json plan = {
        {"command", request.command == Command::TopUp ? "top-up" : "required-mix"},
        {"units", {{"pressure", units.pressure}, {"depth", units.depth}}},
        {"possible", report.outcome == report::Outcome::Plan},
        {"why_not", nullptr},
        {"error", nullptr},
    };
    const nlohmann::ordered_json noPlan = planJson({});
    for (const auto& [key, value] : noPlan.items())
        plan[key] = nullptr;
    if (report.plan)
        plan.update(planJson(*report.plan));
    if (request.gas == GasModel::RealGas) {
        plan["gas"] = "real";
        plan["gauge"] = nullptr;
        plan["ideal_figures_mix"] = nullptr;
        if (report.plan)
            plan.update(gaugeJson(*report.plan));
    }
    if (report.outcome == report::Outcome::NotPossible)
        plan["why_not"] = report.whyNot;
    if (report.error) {
        plan["why_not"] = report::errorAtLine(report.step);
        plan["error"] = {{"number", report.error->number},
                         {"source", report.error->source},
                         {"description", report.error->description}};
    }
    if (request.depth) {
        plan["at_depth"] = nullptr;
        if (const auto figures = depthFigures(request, report))
            plan["at_depth"] = {
                {"depth", figures->depth}, {"end", figures->end}, {"po2", shownPO2(figures->po2)}};
    }
    plan["report"] = textLines(request, report, options);
    return plan.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace quillan::blend
