#include "report/depth_figures.h"

#include "physics/density.h"
#include "physics/depth.h"

namespace quillan::report {

DepthFigures figuresAtDepth(const WholePercent& mix, std::int16_t depth, UnitSystem units) {
    if (depth == 0 || mix.o2 == 0)
        return DepthFigures{depth, 0, 0.0, true};
    const SeaWaterScale scale = seaWaterScale(units);
    return DepthFigures{depth, CalcEND(double(mix.n), depth, scale),
                        CalcPO2(double(mix.o2), depth, scale), false};
}

std::optional<double> densityAt(const WholePercent& mix, std::int16_t depth,
                                const ReportOptions& options) {
    return gasDensity(gasLawOf(options.gas), GasMix::percent(mix.o2, mix.he),
                      ambientBar(depth, seaWaterScale(options.units)));
}

std::string depthLine(const DepthFigures& figures, const ReportOptions& options) {
    const std::string depthUnit(unitLabels(options.units).depth);
    const std::string po2 = figures.zeroed ? "0" : formatFixed2(figures.po2, options.numbers);
    return "At " + formatNumber(figures.depth) + " " + depthUnit + ": END " +
           formatNumber(figures.end) + " " + depthUnit + ", PO2 " + po2;
}

} // namespace quillan::report
