#include "report/bank_lines.h"

#include "report/plan_json.h"

#include <cmath>

namespace quillan::report {

namespace {

const char* gasName(SupplyGas gas) {
    switch (gas) {
    case SupplyGas::Helium:
        return "He";
    case SupplyGas::Oxygen:
        return "O2";
    case SupplyGas::TopUp:
        break;
    }
    return "top-up";
}

double figure(Pressure pressure, const ReportOptions& options) {
    return std::nearbyint(figureOf(pressure, options.units) * 10.0) / 10.0;
}

std::string text(Pressure pressure, const ReportOptions& options) {
    return formatFixed1(figureOf(pressure, options.units), options.numbers) + " " +
           std::string(unitLabels(options.units).pressure);
}

} // namespace

void addBankLines(std::vector<std::string>& lines, const BankFill& fill,
                  const ReportOptions& options) {
    lines.emplace_back();
    lines.push_back("Banks");
    for (const BankStep& step : fill.steps) {
        std::string line = std::string(gasName(step.gas)) + ": ";
        if (!step.bank)
            line +=
                "from the unlimited supply until the gauge reads " + text(step.toReading, options);
        else if (step.boosted)
            line += "boost " + text(*step.boosted, options) + " from bank " +
                    std::to_string(*step.bank + 1) + " until the gauge reads " +
                    text(step.toReading, options);
        else
            line += "open bank " + std::to_string(*step.bank + 1) + " until the gauge reads " +
                    text(step.toReading, options);
        if (step.bankAfter)
            line += " (bank left at " + text(*step.bankAfter, options) + ")";
        lines.push_back(line);
    }
    if (!fill.possible) {
        const GasMix& mix = *fill.reachedMix;
        lines.push_back("The fill cannot be completed: " + fill.whyNot + "; the cylinder then " +
                        "reads " + text(*fill.highestReading, options) + " and holds O2 " +
                        formatFixed1(mix.o2().inPercent(), options.numbers) + " %, He " +
                        formatFixed1(mix.he().inPercent(), options.numbers) + " %");
    }
    std::string after = "Banks after:";
    for (std::size_t i = 0; i < fill.banksAfter.size(); ++i)
        after += (i == 0 ? " " : ", ") + std::to_string(i + 1) + " at " +
                 text(fill.banksAfter[i], options);
    lines.push_back(after);
}

nlohmann::ordered_json bankFields(const BankFill& fill, const ReportOptions& options) {
    nlohmann::ordered_json steps = nlohmann::ordered_json::array();
    for (const BankStep& step : fill.steps)
        steps.push_back(
            {{"gas", step.gas == SupplyGas::Helium   ? "helium"
                     : step.gas == SupplyGas::Oxygen ? "oxygen"
                                                     : "top_up"},
             {"bank", step.bank ? nlohmann::ordered_json(*step.bank) : nullptr},
             {"to_reading", figure(step.toReading, options)},
             {"bank_after",
              step.bankAfter ? nlohmann::ordered_json(figure(*step.bankAfter, options)) : nullptr},
             {"boosted",
              step.boosted ? nlohmann::ordered_json(figure(*step.boosted, options)) : nullptr}});
    nlohmann::ordered_json after = nlohmann::ordered_json::array();
    for (const Pressure pressure : fill.banksAfter)
        after.push_back(figure(pressure, options));
    nlohmann::ordered_json fields = {{"steps", steps}, {"banks_after", after}};
    if (!fill.possible) {
        fields["possible"] = false;
        fields["why_not"] = fill.whyNot;
        fields["highest_reading"] = figure(*fill.highestReading, options);
    }
    return fields;
}

} // namespace quillan::report
