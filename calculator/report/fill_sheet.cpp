#include "report/fill_sheet.h"

#include "report/plan_json.h"

#include <cmath>
#include <cstdint>

namespace quillan::report {

namespace {

constexpr double kOxygenCleanAbove = 0.40;
// A reading equal to a limit is within it, whatever the conversions leave behind.
constexpr Pressure kPressureDust = Pressure::bar(1e-6);

std::string volumeText(Volume volume, const ReportOptions& options) {
    if (options.units == UnitSystem::BarAndMetres)
        return formatFixed1(volume.inLitres(), options.numbers) + " L";
    return formatFixed2(volume.inCubicFeet(), options.numbers) + " cu ft";
}

std::string money(double amount, const ReportOptions& options) {
    const std::string figure = formatFixed2(amount, options.numbers);
    return options.prices->currency.empty() ? figure : figure + " " + options.prices->currency;
}

std::string pressureText(Pressure pressure, const ReportOptions& options) {
    return formatNumber(
               static_cast<std::int64_t>(std::nearbyint(figureOf(pressure, options.units)))) +
           " " + std::string(unitLabels(options.units).pressure);
}

double volumeFigure(Volume volume, const ReportOptions& options) {
    const double figure =
        options.units == UnitSystem::BarAndMetres ? volume.inLitres() : volume.inCubicFeet();
    return std::nearbyint(figure * 100.0) / 100.0;
}

nlohmann::ordered_json volumesJson(const GasVolumes& volumes, const ReportOptions& options) {
    return {{"nominal", volumeFigure(volumes.nominal, options)},
            {"real", volumeFigure(volumes.real, options)}};
}

} // namespace

FillSheet fillSheetOf(const BlendPlan& plan, const std::optional<BlendPlan>& leastDrain,
                      const ReportOptions& options) {
    FillSheet sheet;
    sheet.cylinder = *options.cylinder;
    sheet.used = gasUsed(plan, sheet.cylinder, options.units);
    if (options.prices) {
        sheet.cost = fillCost(sheet.used, *options.prices, options.units);
        if (leastDrain) {
            const FillCost cheaper = fillCost(gasUsed(*leastDrain, sheet.cylinder, options.units),
                                              *options.prices, options.units);
            if (cheaper.total < sheet.cost->total)
                sheet.leastDrainSaving = sheet.cost->total - cheaper.total;
        }
    }
    sheet.oxygenCleanRequired =
        plan.final.mix.o2().value() > kOxygenCleanAbove || plan.moved.oxygen.amount > 0.0;
    const Pressure highest = highestReading(plan);
    if (highest > sheet.cylinder.workingPressure + kPressureDust)
        sheet.warnings.push_back("The fill reaches " + pressureText(highest, options) +
                                 ", above the cylinder's working pressure of " +
                                 pressureText(sheet.cylinder.workingPressure, options));
    return sheet;
}

void addFillSheetLines(std::vector<std::string>& lines, const FillSheet& sheet,
                       const std::string& topUpGas, const ReportOptions& options) {
    const Cylinder& cylinder = sheet.cylinder;
    lines.emplace_back();
    lines.push_back("Cylinder " + cylinder.name + ": " +
                    formatFixed1(cylinder.waterCapacity.inLitres(), options.numbers) +
                    " L of water, working pressure " +
                    pressureText(cylinder.workingPressure, options));
    lines.push_back("Gas used (nominal / real free gas)");
    const auto usedLine = [&](const std::string& gas, const GasVolumes& volumes) {
        if (volumes.nominal.inLitres() > 0.0)
            lines.push_back(gas + " " + volumeText(volumes.nominal, options) + " / " +
                            volumeText(volumes.real, options));
    };
    usedLine("He", sheet.used.helium);
    usedLine("O2", sheet.used.oxygen);
    usedLine(topUpGas, sheet.used.topUp);
    usedLine("Drained", sheet.used.drained);
    if (sheet.cost) {
        const FillCost& cost = *sheet.cost;
        lines.push_back("Cost: He " + money(cost.helium, options) + ", O2 " +
                        money(cost.oxygen, options) + ", " + topUpGas + " " +
                        money(cost.topUp, options) + ", fill fee " + money(cost.fee, options) +
                        ", total " + money(cost.total, options));
        if (sheet.leastDrainSaving)
            lines.push_back("The least-drain plan would save " +
                            money(*sheet.leastDrainSaving, options));
    }
    if (sheet.oxygenCleanRequired)
        lines.push_back("The cylinder and valve must be oxygen clean");
    for (const std::string& warning : sheet.warnings)
        lines.push_back("Warning: " + warning);
}

nlohmann::ordered_json fillSheetFields(const FillSheet& sheet, const ReportOptions& options) {
    const Cylinder& cylinder = sheet.cylinder;
    nlohmann::ordered_json fields = {
        {"cylinder",
         {{"name", cylinder.name},
          {"water_litres", cylinder.waterCapacity.inLitres()},
          {"working_pressure", static_cast<std::int64_t>(std::nearbyint(
                                   figureOf(cylinder.workingPressure, options.units)))}}},
        {"gas_used",
         {{"helium", volumesJson(sheet.used.helium, options)},
          {"oxygen", volumesJson(sheet.used.oxygen, options)},
          {"top_up", volumesJson(sheet.used.topUp, options)},
          {"drained", volumesJson(sheet.used.drained, options)}}},
        {"cost", nullptr},
        {"least_drain_saving", nullptr},
        {"oxygen_clean_required", sheet.oxygenCleanRequired},
        {"warnings", sheet.warnings}};
    if (sheet.cost)
        fields["cost"] = {{"helium", sheet.cost->helium}, {"oxygen", sheet.cost->oxygen},
                          {"top_up", sheet.cost->topUp},  {"fee", sheet.cost->fee},
                          {"total", sheet.cost->total},   {"currency", options.prices->currency}};
    if (sheet.leastDrainSaving)
        fields["least_drain_saving"] = std::nearbyint(*sheet.leastDrainSaving * 100.0) / 100.0;
    return fields;
}

std::string aboveTestPressureLine(const ReportOptions& options) {
    return "Refused: the fill would take the cylinder past its test pressure of " +
           pressureText(options.cylinder->testPressure(), options);
}

} // namespace quillan::report
