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

// cylinder, gas_used (nominal and real per gas), cost, least_drain_saving,
// oxygen_clean_required and warnings.
nlohmann::ordered_json fillSheetFields(const FillSheet& sheet, const ReportOptions& options);

// steps (gas, bank, to_reading, bank_after, boosted), banks_after, possible, why_not and
// highest_reading.
nlohmann::ordered_json bankFields(const BankFill& fill, const ReportOptions& options);

// A PO2 as the lines show it, two decimals, so the two always agree.
double shownPO2(double po2);

} // namespace quillan::report
