#include "fill_log/cylinder_label.h"

#include "fill_log/fill_analysis.h"
#include "fill_log/fill_store.h"

#include <cmath>

namespace quillan::filllog {

CylinderLabel cylinderLabel(const FillRecord& fill) {
    if (!fill.analysis)
        throw BadFill("fill " + std::to_string(fill.id) + " has not been analysed");
    const Analysis& analysis = *fill.analysis;
    const AnalysedFigures figures = analysedFigures(fill, analysis, kDefaultTolerance);
    const std::string depth(
        unitLabels(unitSystemNamed(fill.plan.units).value_or(UnitSystem::PsiAndFeet)).depth);
    const auto fixed1 = [](double value) { return formatFixed1(value, NumberLocale::classic()); };
    CylinderLabel label;
    label.mix = GasMix::percent(std::nearbyint(analysis.o2), std::nearbyint(analysis.he)).name();
    label.details = {
        "MOD " + formatNumber(figures.modAt14) + " " + depth + " (PO2 1.4)   " +
            formatNumber(figures.modAt16) + " " + depth + " (PO2 1.6)",
        "Analysed O2 " + fixed1(analysis.o2) + " %   He " + fixed1(analysis.he) + " %",
        "Analyst " + analysis.analyst + "   " + analysis.time.substr(0, 10),
        "Blender " + fill.blender + "   Cylinder " + fill.cylinder.serial,
    };
    return label;
}

} // namespace quillan::filllog
