// The banks each step opens, in order, and what every bank holds afterwards.
#pragma once

#include "planning/bank_fill.h"
#include "report/report_options.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace quillan::report {

void addBankLines(std::vector<std::string>& lines, const BankFill& fill,
                  const ReportOptions& options);

// steps (gas, bank, to_reading, bank_after, boosted), banks_after, possible, why_not and
// highest_reading.
nlohmann::ordered_json bankFields(const BankFill& fill, const ReportOptions& options);

} // namespace quillan::report
