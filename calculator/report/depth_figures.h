// A mix's END and PO2 at a depth the user chooses, as the window's depth display shows them.
#pragma once

#include "report/blend_report.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quillan::report {

struct DepthFigures {
    std::int16_t depth = 0;
    std::int16_t end = 0;
    double po2 = 0.0;
    // Depth 0 or a mix without oxygen: the display shows plain zeros, PO2 included.
    bool zeroed = false;
};

// The depth is in the depth unit of `units`.
DepthFigures figuresAtDepth(const WholePercent& mix, std::int16_t depth,
                            UnitSystem units = UnitSystem::PsiAndFeet);

// The mix's density at the depth in g/L under the options' gas model; nothing where the law
// cannot say.
std::optional<double> densityAt(const WholePercent& mix, std::int16_t depth,
                                const ReportOptions& options);

// "At 100 fsw: END 81 fsw, PO2 1.29".
std::string depthLine(const DepthFigures& figures, const ReportOptions& options);

} // namespace quillan::report
