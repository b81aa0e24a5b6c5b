#include "log_listing.h"

#include "quantities/gas_mix.h"

#include <nlohmann/json.hpp>

namespace quillan::blend {

namespace {

std::string mixName(const filllog::LoggedMix& mix) {
    return GasMix::percent(mix.o2, mix.he).name();
}

nlohmann::ordered_json mixFields(const filllog::LoggedMix& mix) {
    return {{"pressure", mix.pressure}, {"o2", mix.o2}, {"he", mix.he}, {"name", mixName(mix)}};
}

nlohmann::ordered_json orNull(const std::optional<double>& value) {
    return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

// The shortest text that reads back as the same number.
std::string number(double value) {
    return nlohmann::json(value).dump();
}

} // namespace

std::string fillLine(const filllog::FillRecord& fill) {
    std::string line = std::to_string(fill.id) + "  " + fill.time + "  " + fill.customer + "  " +
                       fill.cylinder.serial + "  " + mixName(fill.required) + " to " +
                       std::to_string(fill.required.pressure);
    if (fill.analysis)
        line += "  analysed " + number(fill.analysis->o2) + "/" + number(fill.analysis->he) +
                " by " + fill.analysis->analyst;
    return line;
}

std::string fillsJson(const std::vector<filllog::FillRecord>& fills) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const filllog::FillRecord& fill : fills) {
        const filllog::LoggedCylinder& cylinder = fill.cylinder;
        const filllog::LoggedPlan& plan = fill.plan;
        const std::optional<filllog::Analysis>& analysis = fill.analysis;
        list.push_back({
            {"id", fill.id},
            {"time", fill.time},
            {"blender", fill.blender},
            {"customer", fill.customer},
            {"cylinder_serial", cylinder.serial},
            {"cylinder",
             {{"water_capacity_l", orNull(cylinder.waterCapacityLitres)},
              {"working_pressure_bar", orNull(cylinder.workingPressureBar)},
              {"last_hydro_test", cylinder.lastHydroTest},
              {"last_visual_inspection", cylinder.lastVisualInspection},
              {"o2_clean", cylinder.oxygenClean}}},
            {"start", mixFields(fill.start)},
            {"required_mix", mixFields(fill.required)},
            {"plan",
             {{"units", plan.units},
              {"gas", plan.gasModel},
              {"fill_celsius", plan.fillCelsius},
              {"settle_celsius", plan.settleCelsius},
              {"drain", plan.drain},
              {"helium", plan.helium},
              {"oxygen", plan.oxygen},
              {"top_up", plan.topUp},
              {"final_mix", mixFields(plan.final)},
              {"mod", plan.mod},
              {"gas_used_l", orNull(plan.gasUsedLitres)},
              {"cost", orNull(plan.cost)},
              {"currency", plan.currency}}},
            {"analysed_o2", analysis ? nlohmann::ordered_json(analysis->o2) : nullptr},
            {"analysed_he", analysis ? nlohmann::ordered_json(analysis->he) : nullptr},
            {"analyst", analysis ? nlohmann::ordered_json(analysis->analyst) : nullptr},
            {"analysed_at", analysis ? nlohmann::ordered_json(analysis->time) : nullptr},
            {"customer_accepted", analysis && analysis->customerAccepted},
            {"notes", fill.notes},
        });
    }
    return list.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace quillan::blend
