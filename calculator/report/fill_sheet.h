// The fill sheet after a plan, when the cylinder is known: the gas used, nominal beside real,
// the cost, what the least-drain plan would save, and the safety lines.
#pragma once

#include "planning/fill_cost.h"
#include "planning/gas_used.h"
#include "report/report_options.h"

#include <optional>
#include <string>
#include <vector>

namespace quillan::report {

struct FillSheet {
    Cylinder cylinder;
    GasUsed used;
    std::optional<FillCost> cost;
    std::optional<double> leastDrainSaving; // when the least-drain plan costs less
    bool oxygenCleanRequired = false;       // above 40 % O2, or pure oxygen added
    std::vector<std::string> warnings;
};

// `leastDrain` is the plan with the least drain, when it differs from `plan`.
FillSheet fillSheetOf(const BlendPlan& plan, const std::optional<BlendPlan>& leastDrain,
                      const ReportOptions& options);

// `topUpGas` names the top-up gas as the plan's lines do.
void addFillSheetLines(std::vector<std::string>& lines, const FillSheet& sheet,
                       const std::string& topUpGas, const ReportOptions& options);

// "Refused: the fill would reach ..., past the cylinder's test pressure of ...".
std::string aboveTestPressureLine(const ReportOptions& options);

} // namespace quillan::report
