#include "blend_output.h"

#include "report/bank_lines.h"
#include "report/depth_figures.h"
#include "report/plan_json.h"

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

// g/L to one decimal of the required mix at the request's depth, under its gas model.
nlohmann::ordered_json densityAtDepth(const BlendRequest& request,
                                      const report::BlendReport& report,
                                      const report::ReportOptions& options) {
    if (!report.depthMix || !request.depth)
        return nullptr;
    const auto density = report::densityAt(*report.depthMix, *request.depth, options);
    if (!density)
        return nullptr;
    return std::nearbyint(*density * 10.0) / 10.0;
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
        std::string line = report::depthLine(*figures, options);
        if (options.showsCheckpoints())
            if (const auto density = report::densityAt(*report.depthMix, *request.depth, options))
                line += ", density " + formatFixed1(*density, options.numbers) + " g/L";
        lines.push_back(line);
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
    plan.update(report::planFields(report.plan));
    if (!options.planOptions().classic()) {
        plan["gas"] = gasModelName(request.gas);
        plan.update(report::gaugeFields(report.plan));
        plan.update(report::temperatureFields(report.plan, options));
    }
    if (options.showsCheckpoints())
        plan.update(report::checkpointFields(report.plan));
    if (options.modAtPO2) {
        plan["mod_at"] = nullptr;
        if (report.plan && report.plan->modAtPO2)
            plan["mod_at"] = {{"po2", *options.modAtPO2}, {"depth", *report.plan->modAtPO2}};
    }
    if (report.sheet)
        plan.update(report::fillSheetFields(*report.sheet, options));
    if (report.banks)
        plan.update(report::bankFields(*report.banks, options));
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
            plan["at_depth"] = {{"depth", figures->depth},
                                {"end", figures->end},
                                {"po2", report::shownPO2(figures->po2)}};
        if (options.showsCheckpoints())
            plan["density_at_depth"] = densityAtDepth(request, report, options);
    }
    plan["report"] = textLines(request, report, options);
    return plan.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace quillan::blend
