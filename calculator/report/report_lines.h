// Pieces shared by both reports: the separator, the heading's date line, and the final mix
// with its MOD, PO2 and END.
#pragma once

#include "report/blend_report.h"

#include <string>
#include <string_view>

namespace quillan::report {

// Exactly 109 hyphen-minus characters.
std::string separatorLine();

// "Mix Calculation " and the date and time.
std::string headingLine(std::string_view dateTime);

// The final mix's figures at its own MOD, in the depth unit of `units`, filled into `plan`.
void setFinalMixFigures(BlendPlan& plan, UnitSystem units);

// An empty line, "Final Mix: ...", the separator, MOD, PO2 and END.
void addFinalMixLines(std::vector<std::string>& lines, const BlendPlan& plan,
                      const ReportOptions& options);

// Ends a report early: `why` becomes its last line and the reason the blend cannot be made.
void stopReport(BlendReport& report, std::string why);

// The stop both commands make when the source already holds the target pressure: the two
// pressures, then why.
void stopAtOrAboveTarget(BlendReport& report, const Mixer& mixer, const std::string& pressure);

// Records a failure: the error value, and the outcome Failed.
void recordFailure(BlendReport& report, const RuntimeError& err);

} // namespace quillan::report
