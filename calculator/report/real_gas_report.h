// The real-gas parts of both reports: the mixing lines that give gauge readings to fill by,
// and the line that tells what the ideal-gas figures would have given instead.
#pragma once

#include "report/blend_report.h"
#include "report/real_gas_plan.h"

#include <optional>
#include <string>
#include <vector>

namespace quillan::report {

// How gauge readings of a unit system convert to absolute bar.
PressureScale pressureScale(UnitSystem units);

// A mix in whole percent as fractions, nitrogen being what O2 and He leave; air for a mix
// given as all 0 (an empty cylinder). Throws RuntimeError (5) for percentages no gas has.
GasFractions mixFractions(const MixPercentages& mix);

// The blending problem of `mixer` in gauge readings. Throws RuntimeError as the ideal solver
// does for a top-up O2 outside 21..100 (999999) or of 100 (11).
GaugeBlendProblem gaugeProblem(const Mixer& mixer, UnitSystem units);

// "Ideal-gas figures would have given O2 18.3 %, He 45.6 %", or the line saying they give no
// plan at all when `mix` is nothing.
std::string idealFiguresLine(const std::optional<GasFractions>& mix, const NumberLocale& numbers);

// The required-mix command with real gases: the plan with its mixing, final-mix and ideal-figures
// lines added to `lines`, or nothing when the mix cannot be made.
std::optional<BlendPlan> realGasRequiredMix(const Mixer& mixer, std::vector<std::string>& lines,
                                            const ReportOptions& options);

// The top-up command with real gases: the mix in the cylinder after topping up by gauge.
struct RealTopUp {
    MixPercentages mix;        // whole percent, each rounded on its own
    GasFractions idealFigures; // what the ideal-gas figures predict
};
RealTopUp realGasTopUp(const Mixer& mixer, UnitSystem units);

// The top-up command's lines from "Starting ..." to the ideal-figures line.
void addRealTopUpLines(std::vector<std::string>& lines, const Mixer& mixer, const BlendPlan& plan,
                       const ReportOptions& options);

} // namespace quillan::report
