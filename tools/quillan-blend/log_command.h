// quillan-blend's fill log: recording a planned fill, and the `log` command that lists,
// analyses and labels the fills.
#pragma once

#include "blend_arguments.h"
#include "report/blend_report.h"

namespace quillan::blend {

// `quillan-blend log ...`, argv[0] being "log"; returns the exit status.
int runLogCommand(int argc, const char* const* argv);

// Records the fill a calculation command planned with --log; returns the exit status.
int recordPlannedFill(const BlendRequest& request, const report::BlendReport& report,
                      const report::ReportOptions& options);

} // namespace quillan::blend
