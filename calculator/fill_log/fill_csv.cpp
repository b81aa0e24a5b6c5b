#include "fill_log/fill_csv.h"

#include <charconv>
#include <optional>

namespace quillan::filllog {

namespace {

constexpr const char* kHeading =
    "id,time,blender,customer,cylinder_serial,water_capacity_l,working_pressure_bar,"
    "last_hydro_test,last_visual_inspection,o2_clean,units,start_pressure,start_o2,start_he,"
    "required_pressure,required_o2,required_he,gas_model,final_pressure,final_o2,final_he,mod,"
    "gas_used_l,cost,currency,analysed_o2,analysed_he,analyst,analysed_at,customer_accepted,"
    "notes\r\n";

// Quoted when it holds a separator, a quote or a line break; quotes doubled.
std::string field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

// The shortest text that reads back as the same number, whatever the locale.
std::string number(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

std::string number(const std::optional<double>& value) {
    return value ? number(*value) : std::string();
}

} // namespace

std::string fillsCsv(const std::vector<FillRecord>& fills) {
    std::string csv = kHeading;
    for (const FillRecord& f : fills) {
        const std::optional<Analysis>& a = f.analysis;
        const std::vector<std::string> row = {
            std::to_string(f.id),
            f.time,
            field(f.blender),
            field(f.customer),
            field(f.cylinder.serial),
            number(f.cylinder.waterCapacityLitres),
            number(f.cylinder.workingPressureBar),
            f.cylinder.lastHydroTest,
            f.cylinder.lastVisualInspection,
            f.cylinder.oxygenClean ? "yes" : "no",
            field(f.plan.units),
            std::to_string(f.start.pressure),
            std::to_string(f.start.o2),
            std::to_string(f.start.he),
            std::to_string(f.required.pressure),
            std::to_string(f.required.o2),
            std::to_string(f.required.he),
            field(f.plan.gasModel),
            std::to_string(f.plan.final.pressure),
            std::to_string(f.plan.final.o2),
            std::to_string(f.plan.final.he),
            std::to_string(f.plan.mod),
            number(f.plan.gasUsedLitres),
            number(f.plan.cost),
            field(f.plan.currency),
            a ? number(a->o2) : "",
            a ? number(a->he) : "",
            a ? field(a->analyst) : "",
            a ? a->time : "",
            a && a->customerAccepted ? "yes" : "no",
            field(f.notes),
        };
        for (std::size_t i = 0; i < row.size(); ++i)
            csv += (i == 0 ? "" : ",") + row[i];
        csv += "\r\n";
    }
    return csv;
}

} // namespace quillan::filllog
