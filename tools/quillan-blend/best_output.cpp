#include "best_output.h"

#include "report/best_mix_lines.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace quillan::blend {

namespace {

report::ReportOptions reportOptions(const BestRequest& request, const NumberLocale& numbers) {
    report::ReportOptions options;
    options.units = request.limits.units;
    options.gas = request.limits.gas;
    options.numbers = numbers;
    return options;
}

} // namespace

BestAnswer answerBest(const BestRequest& request) {
    BestAnswer answer{bestMix(request.limits), std::nullopt};
    if (answer.outcome.best && request.problem)
        answer.blend = blendOf(*request.problem, answer.outcome.best->mix,
                               reportOptions(request, NumberLocale::classic()).planOptions());
    return answer;
}

std::vector<std::string> bestTextLines(const BestRequest& request, const BestAnswer& answer,
                                       const NumberLocale& numbers) {
    std::vector<std::string> lines = report::bestMixLines(request.limits, answer.outcome, numbers);
    if (answer.blend)
        lines.push_back(report::blendableLine(*answer.blend, reportOptions(request, numbers)));
    return lines;
}

std::string bestJsonText(const BestRequest& request, const BestAnswer& answer,
                         const NumberLocale& numbers) {
    const UnitLabels units = unitLabels(request.limits.units);
    nlohmann::ordered_json json = {
        {"command", "best"},
        {"units", {{"pressure", units.pressure}, {"depth", units.depth}}},
        {"possible", answer.outcome.best.has_value()},
        {"why_not", nullptr},
    };
    if (const auto& best = answer.outcome.best) {
        nlohmann::ordered_json binding = nlohmann::ordered_json::array();
        for (const MixLimit limit : best->binding)
            binding.push_back(mixLimitName(limit));
        json.update({{"o2", best->mix.o2},
                     {"he", best->mix.he},
                     {"mod", best->mod},
                     {"end", best->end},
                     {"density", std::nearbyint(best->density * 100.0) / 100.0},
                     {"binding", binding},
                     {"hypoxic_above", nullptr}});
        if (best->hypoxicAbove)
            json["hypoxic_above"] = *best->hypoxicAbove;
    } else {
        json["why_not"] = bestTextLines(request, answer, NumberLocale::classic()).front();
    }
    if (answer.blend)
        json["blendable"] = answer.blend->plan.has_value();
    json["report"] = bestTextLines(request, answer, numbers);
    return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace quillan::blend
