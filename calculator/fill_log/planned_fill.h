// A fill's record made from the plan the blender was shown, so that the window and the
// command line log the same figures.
#pragma once

#include "fill_log/fill_record.h"
#include "planning/mixer.h"
#include "report/blend_report.h"

namespace quillan::filllog {

// `who` brings the time, the people, the cylinder and the notes; the problem, the report
// and its options bring the rest. Throws BadFill when the report holds no plan.
FillRecord plannedFill(FillRecord who, const Mixer& problem, const report::BlendReport& report,
                       const report::ReportOptions& options);

} // namespace quillan::filllog
