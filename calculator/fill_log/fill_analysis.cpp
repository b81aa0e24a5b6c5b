#include "fill_log/fill_analysis.h"

#include "physics/density.h"
#include "physics/depth.h"

#include <cmath>

namespace quillan::filllog {

namespace {

UnitSystem unitsOf(const FillRecord& fill) {
    return unitSystemNamed(fill.plan.units).value_or(UnitSystem::PsiAndFeet);
}

GasModel gasModelOf(const FillRecord& fill) {
    return gasModelNamed(fill.plan.gasModel).value_or(GasModel::IdealPartialPressures);
}

std::string fixed1(double value) {
    return formatFixed1(value, NumberLocale::classic());
}

std::string signedFixed1(double value) {
    return (value >= 0.0 ? "+" : "") + fixed1(value);
}

std::int16_t whole(double percent) {
    return static_cast<std::int16_t>(std::nearbyint(percent));
}

} // namespace

AnalysedFigures analysedFigures(const FillRecord& fill, const Analysis& analysis,
                                double tolerance) {
    AnalysedFigures figures;
    figures.o2Off = analysis.o2 - fill.required.o2;
    figures.heOff = analysis.he - fill.required.he;
    // A hair of slack so that 31.0 against 32 with a tolerance of 1 is within.
    figures.withinTolerance = std::fabs(figures.o2Off) <= tolerance + 1e-9 &&
                              std::fabs(figures.heOff) <= tolerance + 1e-9;
    const SeaWaterScale scale = seaWaterScale(unitsOf(fill));
    const auto o2Up = static_cast<std::int16_t>(std::ceil(analysis.o2 - 1e-9));
    figures.modAt14 = CalcMOD(o2Up, scale, 1.4);
    figures.modAt16 = CalcMOD(o2Up, scale, 1.6);
    figures.endAtMod14 = CalcEND(100.0 - analysis.o2 - analysis.he, figures.modAt14, scale);
    figures.densityAtMod14 =
        gasDensity(gasLawOf(gasModelOf(fill)), GasMix::percent(analysis.o2, analysis.he),
                   ambientBar(figures.modAt14, scale));
    return figures;
}

std::vector<std::string> analysisLines(const FillRecord& fill, const Analysis& analysis,
                                       const AnalysedFigures& figures, double tolerance) {
    const std::string depth(unitLabels(unitsOf(fill)).depth);
    std::vector<std::string> lines;
    lines.push_back("Fill " + std::to_string(fill.id) + " analysed by " + analysis.analyst +
                    ": O2 " + fixed1(analysis.o2) + " %, He " + fixed1(analysis.he) +
                    " % (required " + std::to_string(fill.required.o2) + " / " +
                    std::to_string(fill.required.he) + ")");
    lines.push_back(std::string(figures.withinTolerance ? "Within" : "OUT OF") + " tolerance (" +
                    fixed1(tolerance) + " point): O2 " + signedFixed1(figures.o2Off) + ", He " +
                    signedFixed1(figures.heOff));
    lines.push_back("MOD " + formatNumber(figures.modAt14) + " " + depth + " at PO2 1.4, " +
                    formatNumber(figures.modAt16) + " " + depth + " at PO2 1.6");
    std::string atMod = "At " + formatNumber(figures.modAt14) + " " + depth + ": END " +
                        formatNumber(figures.endAtMod14) + " " + depth;
    if (figures.densityAtMod14)
        atMod += ", density " + fixed1(*figures.densityAtMod14) + " g/L";
    lines.push_back(atMod);
    return lines;
}

report::BlendReport correctingPlan(const FillRecord& fill, const Analysis& analysis,
                                   std::string_view dateTime) {
    const std::int16_t o2 = whole(analysis.o2);
    const std::int16_t he = whole(analysis.he);
    const auto requiredN = static_cast<std::int16_t>(100 - fill.required.o2 - fill.required.he);
    Mixer problem;
    problem.Load(static_cast<std::int16_t>(fill.plan.final.pressure), o2, he,
                 static_cast<std::int16_t>(100 - o2 - he),
                 static_cast<std::int16_t>(fill.required.pressure),
                 static_cast<std::int16_t>(fill.required.o2),
                 static_cast<std::int16_t>(fill.required.he), requiredN);
    problem.TopupMixFO2(static_cast<std::int16_t>(fill.plan.topUpO2));
    report::ReportOptions options;
    options.units = unitsOf(fill);
    options.gas = gasModelOf(fill);
    options.fill = Temperature::celsius(fill.plan.fillCelsius);
    options.settle = Temperature::celsius(fill.plan.settleCelsius);
    return report::requiredMixReport(problem, dateTime, options);
}

} // namespace quillan::filllog
