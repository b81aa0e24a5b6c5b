// What the analyser's reading means for a fill: how far it is from the required mix, the
// depths it may be breathed to, and the plan that corrects it when it is off.
#pragma once

#include "fill_log/fill_record.h"
#include "report/blend_report.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillan::filllog {

// Points of O2 or He the analysed mix may be off the required one.
inline constexpr double kDefaultTolerance = 1.0;

struct AnalysedFigures {
    double o2Off = 0.0; // analysed minus required, in points
    double heOff = 0.0;
    bool withinTolerance = false;
    // In the fill's depth unit, rounded down, from the O2 rounded up: never deeper than the
    // gas allows.
    std::int16_t modAt14 = 0;
    std::int16_t modAt16 = 0;
    std::int16_t endAtMod14 = 0;
    std::optional<double> densityAtMod14; // g/L, under the fill's gas model
};

AnalysedFigures analysedFigures(const FillRecord& fill, const Analysis& analysis, double tolerance);

std::vector<std::string> analysisLines(const FillRecord& fill, const Analysis& analysis,
                                       const AnalysedFigures& figures, double tolerance);

// The analysed contents, at the fill's final pressure, become the starting cylinder; the
// required mix stays. `dateTime` heads the report.
report::BlendReport correctingPlan(const FillRecord& fill, const Analysis& analysis,
                                   std::string_view dateTime);

} // namespace quillan::filllog
