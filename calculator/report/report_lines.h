// Pieces shared by both reports: the separator, the heading's date line, the plan in whole
// figures, the final mix with its MOD, PO2 and END, and the stops.
#pragma once

#include "report/blend_report.h"

#include <string>
#include <string_view>

namespace quillan::report {

// Exactly 109 hyphen-minus characters.
std::string separatorLine();

// "Mix Calculation " and the date and time.
std::string headingLine(std::string_view dateTime);

// The plan in the figures the blender reads, with its final mix's figures at its own MOD.
ShownPlan shownPlanOf(const BlendPlan& plan, const ReportOptions& options);

// A pressure figure as the lines write it: whole, or to the tenth the readings are given in.
std::string readingText(double figure, const ReportOptions& options);

// A pressure in whole units of `units`, halves to even; 6 when it does not fit 16 bits.
std::int16_t wholeFigure(Pressure pressure, UnitSystem units);

// An empty line, "Final Mix: ...", the separator, MOD, PO2 and END.
void addFinalMixLines(std::vector<std::string>& lines, const ShownPlan& plan,
                      const ReportOptions& options);

// "Ideal-gas figures would have given O2 18.3 %, He 45.6 %", or the line saying they give no
// plan at all when `mix` is nothing.
std::string idealFiguresLine(const std::optional<GasMix>& mix, const NumberLocale& numbers);

// "Add He until the gauge reads 1337 PSI".
std::string untilLine(std::string_view gas, double reading, const ReportOptions& options);

// "Analyse: O2 should read 8.5 %", when the options show checkpoints and the step has one.
void addCheckpointLine(std::vector<std::string>& lines, const std::optional<double>& o2,
                       const ReportOptions& options);

// The lines after the mixing steps of a plan counted by gauge: what the cylinder reads once
// settled, and what a full drain really leaves.
void addSettlingLines(std::vector<std::string>& lines, const ShownPlan& plan,
                      const ReportOptions& options);

// Ends a report early: `why` becomes its last line and the reason the blend cannot be made.
void stopReport(BlendReport& report, std::string why);

// What both commands say first when the source already holds the target pressure: the two
// pressures, and that the target is not above the source.
void addAtOrAboveTargetLines(std::vector<std::string>& lines, const Mixer& mixer,
                             const std::string& pressure);

// The mixing lines of a plan that adds nothing: the drain, if any, and the pressure to end at.
void addNothingToAddLines(std::vector<std::string>& lines, const Mixer& mixer,
                          const ShownPlan& plan, const ReportOptions& options);

// Records a failure: the error value, and the outcome Failed.
void recordFailure(BlendReport& report, const RuntimeError& err);

} // namespace quillan::report
