// The best mix for a depth as the lines the command line prints and the dialog shows, and
// whether it can be blended from the cylinder at hand.
#pragma once

#include "planning/best_mix.h"
#include "report/report_options.h"

#include <string>
#include <vector>

namespace quillan::report {

// The mix's name, O2 and He, MOD, END, density, the limits it sits at and where it stops
// being hypoxic; or, without a mix, the limit that fails and by how much.
std::vector<std::string> bestMixLines(const BestMixLimits& limits, const BestMixOutcome& outcome,
                                      const NumberLocale& numbers);

// "Blendable from the cylinder at hand", or "Not blendable: " and why.
std::string blendableLine(const PlanOutcome& outcome, const ReportOptions& options);

// "PO2", "END" or "density", as the lines name a limit.
std::string limitCaption(MixLimit limit);

} // namespace quillan::report
