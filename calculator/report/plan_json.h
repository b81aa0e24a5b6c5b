// A plan as the JSON fields the command line prints: the same figures the lines show.
#pragma once

#include "report/blend_report.h"

#include <nlohmann/json.hpp>

namespace quillan::report {

// drain, helium, oxygen, top_up, top_up_gas, final_mix, mod, po2, end; every key null for a
// report without a plan.
nlohmann::ordered_json planFields(const std::optional<ShownPlan>& plan);

// Plans counted by gauge: gauge (drain_to, after_helium, after_oxygen, after_top_up) and
// ideal_figures_mix; both null without a plan.
nlohmann::ordered_json gaugeFields(const std::optional<ShownPlan>& plan);

// A PO2 as the lines show it, two decimals, so the two always agree.
double shownPO2(double po2);

} // namespace quillan::report
