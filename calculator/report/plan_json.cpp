#include "report/plan_json.h"

#include <cmath>

namespace quillan::report {

namespace {

// A fraction as a percentage to one decimal, as the ideal-figures line shows it.
double percentTenths(double fraction) {
    return std::nearbyint(fraction * 1000.0) / 10.0;
}

nlohmann::ordered_json fieldsOf(const ShownPlan& plan) {
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
    if (plan->gauges) {
        if (plan->gauges->drainTo)
            gauges["drain_to"] = *plan->gauges->drainTo;
        gauges["after_helium"] = plan->gauges->afterHelium;
        gauges["after_oxygen"] = plan->gauges->afterOxygen;
        gauges["after_top_up"] = plan->gauges->afterTopUp;
    }
    nlohmann::ordered_json ideal = nullptr;
    if (plan->idealFiguresMix)
        ideal = {{"o2", percentTenths(plan->idealFiguresMix->o2().value())},
                 {"he", percentTenths(plan->idealFiguresMix->he().value())}};
    return {{"gauge", gauges}, {"ideal_figures_mix", ideal}};
}

} // namespace quillan::report
