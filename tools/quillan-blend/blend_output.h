// What quillan-blend prints for a request: the window's report line for line, or the plan
// as one JSON object.
#pragma once

#include "blend_arguments.h"
#include "report/blend_report.h"

#include <string>
#include <vector>

namespace quillan::blend {

// The report the window would show for the request, from the date and time given.
report::BlendReport makeReport(const BlendRequest& request, const std::string& dateTime,
                               const report::ReportOptions& options);

// The lines to print: the report (with the required-mix command's error line, as the window
// shows it), then with --depth the required mix's END and PO2 at that depth.
std::vector<std::string> textLines(const BlendRequest& request, const report::BlendReport& report,
                                   const report::ReportOptions& options);

// The plan as one JSON document, on one line.
std::string jsonText(const BlendRequest& request, const report::BlendReport& report,
                     const report::ReportOptions& options);

} // namespace quillan::blend
