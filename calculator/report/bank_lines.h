// The banks each step opens, in order, and what every bank holds afterwards.
#pragma once

#include "planning/bank_fill.h"
#include "report/report_options.h"

#include <string>
#include <vector>

namespace quillan::report {

void addBankLines(std::vector<std::string>& lines, const BankFill& fill,
                  const ReportOptions& options);

} // namespace quillan::report
