// The log as CSV (RFC 4180) for a spreadsheet or the station's records, one fill a row.
#pragma once

#include "fill_log/fill_record.h"

#include <string>
#include <vector>

namespace quillan::filllog {

// A heading row, then the fills; unknown figures are empty fields.
std::string fillsCsv(const std::vector<FillRecord>& fills);

} // namespace quillan::filllog
