// A plan as the JSON fields the command line prints: the same figures the lines show.
#pragma once

#include "report/blend_report.h"

#include <nlohmann/json.hpp>

namespace quillan::report {

// drain, helium, oxygen, top_up, top_up_gas, final_mix, mod, po2, end; every key null for a
// report without a plan.
nlohmann::ordered_json planFields(const std::optional<ShownPlan>& plan);

// Plans counted by gauge: gauge (drain_to, after_helium, after_oxygen, after_top_up),
// gauge_exact (the same unrounded) and ideal_figures_mix; null without a plan.
nlohmann::ordered_json gaugeFields(const std::optional<ShownPlan>& plan);

// Filled at other temperatures: settled_pressure and temperatures (fill, settle, in °C).
nlohmann::ordered_json temperatureFields(const std::optional<ShownPlan>& plan,
                                         const ReportOptions& options);

// checkpoints (the analyser's O2 after helium and after oxygen) and density_at_mod (g/L).
nlohmann::ordered_json checkpointFields(const std::optional<ShownPlan>& plan);

// A PO2 as the lines show it, two decimals, so the two always agree.
double shownPO2(double po2);

} // namespace quillan::report
