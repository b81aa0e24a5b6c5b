#include "report/plan_json.h"

#include <cmath>

namespace quillan::report {

namespace {

// A fraction as a percentage to one decimal, as the ideal-figures line shows it.
double percentTenths(double fraction) {
    return std::nearbyint(fraction * 1000.0) / 10.0;
}

// A figure as JSON: a whole one as an integer, as the lines write it.
nlohmann::ordered_json figure(double value) {
    if (value == std::nearbyint(value))
        return static_cast<std::int64_t>(value);
    return value;
}

nlohmann::ordered_json optionalFigure(const std::optional<double>& value) {
    return value ? figure(*value) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json readingsJson(const ShownGauges& gauges) {
    return {{"drain_to", optionalFigure(gauges.drainTo)},
            {"after_helium", figure(gauges.afterHelium)},
            {"after_oxygen", figure(gauges.afterOxygen)},
            {"after_top_up", figure(gauges.afterTopUp)}};
}

nlohmann::ordered_json fieldsOf(const ShownPlan& plan) {
    return {{"drain", figure(plan.drain)},
            {"helium", figure(plan.helium)},
            {"oxygen", figure(plan.oxygen)},
            {"top_up", figure(plan.topUp)},
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

double shownPO2(double po2) {
    return parseNumber(formatFixed2(po2, NumberLocale::classic()), NumberLocale::classic());
}

nlohmann::ordered_json planFields(const std::optional<ShownPlan>& plan) {
    if (plan)
        return fieldsOf(*plan);
    nlohmann::ordered_json none = fieldsOf({});
    for (auto& [key, value] : none.items())
        value = nullptr;
    return none;
}

nlohmann::ordered_json gaugeFields(const std::optional<ShownPlan>& plan) {
    if (!plan)
        return {{"gauge", nullptr}, {"ideal_figures_mix", nullptr}};
    nlohmann::ordered_json gauges = {{"drain_to", nullptr},
                                     {"after_helium", nullptr},
                                     {"after_oxygen", nullptr},
                                     {"after_top_up", plan->finalPressure}};
    if (plan->gauges)
        gauges = readingsJson(*plan->gauges);
    nlohmann::ordered_json ideal = nullptr;
    if (plan->idealFiguresMix)
        ideal = {{"o2", percentTenths(plan->idealFiguresMix->o2().value())},
                 {"he", percentTenths(plan->idealFiguresMix->he().value())}};
    nlohmann::ordered_json fields = {{"gauge", gauges}, {"ideal_figures_mix", ideal}};
    if (plan->exactGauges)
        fields["gauge_exact"] = readingsJson(*plan->exactGauges);
    return fields;
}

nlohmann::ordered_json temperatureFields(const std::optional<ShownPlan>& plan,
                                         const ReportOptions& options) {
    return {{"settled_pressure",
             plan ? optionalFigure(plan->settledPressure) : nlohmann::ordered_json(nullptr)},
            {"temperatures",
             {{"fill", options.fill.inCelsius()}, {"settle", options.settle.inCelsius()}}}};
}

nlohmann::ordered_json checkpointFields(const std::optional<ShownPlan>& plan) {
    nlohmann::ordered_json checkpoints = nlohmann::ordered_json::array();
    nlohmann::ordered_json density = nullptr;
    if (plan) {
        if (plan->o2AfterHelium)
            checkpoints.push_back(
                {{"after", "helium"}, {"o2", percentTenths(*plan->o2AfterHelium / 100.0)}});
        if (plan->o2AfterOxygen)
            checkpoints.push_back(
                {{"after", "oxygen"}, {"o2", percentTenths(*plan->o2AfterOxygen / 100.0)}});
        if (plan->densityAtMod)
            density = std::nearbyint(*plan->densityAtMod * 10.0) / 10.0;
    }
    return {{"checkpoints", checkpoints}, {"density_at_mod", density}};
}

} // namespace quillan::report
