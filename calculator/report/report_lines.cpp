#include "report/report_lines.h"

#include "physics/density.h"
#include "physics/depth.h"

#include <array>
#include <charconv>
#include <cmath>

namespace quillan::report {

namespace {

// A percentage to one decimal with the locale's decimal separator: "45.6".
std::string percentTenths(double fraction, const NumberLocale& numbers) {
    std::array<char, 32> buffer{};
    const double tenths = std::nearbyint(fraction * 1000.0) / 10.0;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), tenths,
                                   std::chars_format::fixed, 1)
                         .ptr;
    std::string text(buffer.data(), end);
    const std::size_t point = text.find('.');
    return text.substr(0, point) + numbers.decimalSeparator + text.substr(point + 1);
}

} // namespace

std::string separatorLine() {
    return std::string(109, '-');
}

std::string headingLine(std::string_view dateTime) {
    return "Mix Calculation " + std::string(dateTime);
}

std::int16_t wholeFigure(Pressure pressure, UnitSystem units) {
    return toInt16(figureOf(pressure, units));
}

namespace {

double shownFigure(Pressure pressure, UnitSystem units, double step) {
    // Divided, not multiplied, by the steps per unit: 194 / 10 is the double nearest 19.4.
    const double perUnit = std::nearbyint(1.0 / step);
    const double figure = std::nearbyint(figureOf(pressure, units) * perUnit) / perUnit;
    toInt16(figure); // as the window's figures, within 16 bits
    return figure;
}

ShownGauges shownGauges(const GaugeReadings& readings, UnitSystem units, double step) {
    ShownGauges gauges;
    if (readings.drainTo)
        gauges.drainTo = shownFigure(*readings.drainTo, units, step);
    gauges.afterHelium = shownFigure(readings.afterHelium, units, step);
    gauges.afterOxygen = shownFigure(readings.afterOxygen, units, step);
    gauges.afterTopUp = shownFigure(readings.afterTopUp, units, step);
    return gauges;
}

std::optional<double> percentOf(const std::optional<GasFraction>& fraction) {
    if (!fraction)
        return std::nullopt;
    return fraction->inPercent();
}

} // namespace

ShownPlan shownPlanOf(const BlendPlan& plan, const ReportOptions& options) {
    const UnitSystem units = options.units;
    const double step = readingStep(options.planOptions());
    ShownPlan shown;
    shown.drain = shownFigure(plan.drain, units, step);
    shown.helium = shownFigure(plan.helium, units, step);
    shown.oxygen = shownFigure(plan.oxygen, units, step);
    shown.topUp = shownFigure(plan.topUp, units, step);
    shown.topUpGas = plan.topUpGas.name();
    shown.finalPressure = wholeFigure(plan.final.pressure, units);
    shown.finalMix = wholePercent(plan.final.mix);
    shown.finalMixName = plan.final.mix.name();
    if (plan.gauges)
        shown.gauges = shownGauges(*plan.gauges, units, step);
    if (plan.exactGauges)
        shown.exactGauges = shownGauges(*plan.exactGauges, units, 0.0001);
    if (plan.settledPressure)
        shown.settledPressure = shownFigure(*plan.settledPressure, units, step);
    shown.idealFiguresMix = plan.idealFiguresMix;
    shown.showsIdealFigures = plan.showsIdealFigures;
    shown.o2AfterHelium = percentOf(plan.o2AfterHelium);
    shown.o2AfterOxygen = percentOf(plan.o2AfterOxygen);
    shown.fullDrainMix = plan.fullDrainMix;
    const SeaWaterScale scale = seaWaterScale(units);
    shown.mod = CalcMOD(std::int16_t(shown.finalMix.o2), scale);
    shown.po2 = CalcPO2(double(shown.finalMix.o2), shown.mod, scale);
    shown.end = CalcEND(double(shown.finalMix.n), shown.mod, scale);
    if (shown.mod >= 0)
        shown.densityAtMod =
            gasDensity(gasLawOf(options.gas), plan.final.mix, ambientBar(shown.mod, scale));
    if (options.modAtPO2)
        shown.modAtPO2 = CalcMOD(std::int16_t(shown.finalMix.o2), scale, *options.modAtPO2);
    return shown;
}

std::string readingText(double figure, const ReportOptions& options) {
    if (readingStep(options.planOptions()) >= 1.0)
        return formatNumber(static_cast<std::int64_t>(std::nearbyint(figure)));
    return formatFixed1(figure, options.numbers);
}

void addFinalMixLines(std::vector<std::string>& lines, const ShownPlan& plan,
                      const ReportOptions& options) {
    const std::string depth(unitLabels(options.units).depth);
    lines.emplace_back();
    lines.push_back("Final Mix: " + plan.finalMixName);
    lines.push_back(separatorLine());
    lines.push_back("MOD " + formatNumber(plan.mod) + " " + depth);
    if (options.modAtPO2 && plan.modAtPO2)
        lines.push_back("MOD at PO2 " + formatNumber(*options.modAtPO2, options.numbers) + " " +
                        formatNumber(*plan.modAtPO2) + " " + depth);
    lines.push_back("PO2 " + formatFixed2(plan.po2, options.numbers));
    lines.push_back("END " + formatNumber(plan.end) + " " + depth);
    if (options.showsCheckpoints() && plan.densityAtMod)
        lines.push_back("Density at MOD " + formatFixed1(*plan.densityAtMod, options.numbers) +
                        " g/L");
}

std::string idealFiguresLine(const std::optional<GasMix>& mix, const NumberLocale& numbers) {
    if (!mix)
        return "Ideal-gas figures give no plan for this mix";
    return "Ideal-gas figures would have given O2 " + percentTenths(mix->o2().value(), numbers) +
           " %, He " + percentTenths(mix->he().value(), numbers) + " %";
}

std::string untilLine(std::string_view gas, double reading, const ReportOptions& options) {
    return "Add " + std::string(gas) + " until the gauge reads " + readingText(reading, options) +
           " " + std::string(unitLabels(options.units).pressure);
}

void addCheckpointLine(std::vector<std::string>& lines, const std::optional<double>& o2,
                       const ReportOptions& options) {
    if (options.showsCheckpoints() && o2)
        lines.push_back("Analyse: O2 should read " + formatFixed1(*o2, options.numbers) + " %");
}

void addSettlingLines(std::vector<std::string>& lines, const ShownPlan& plan,
                      const ReportOptions& options) {
    if (plan.fullDrainMix)
        lines.push_back("Drained to empty the cylinder keeps an atmosphere of the starting Mix: "
                        "it will hold O2 " +
                        percentTenths(plan.fullDrainMix->o2().value(), options.numbers) +
                        " %, He " +
                        percentTenths(plan.fullDrainMix->he().value(), options.numbers) + " %");
    if (plan.settledPressure)
        lines.push_back("Once settled at " +
                        formatNumber(options.settle.inCelsius(), options.numbers) +
                        " °C the gauge should read " + readingText(*plan.settledPressure, options) +
                        " " + std::string(unitLabels(options.units).pressure));
}

void stopReport(BlendReport& report, std::string why) {
    report.lines.push_back(why);
    report.outcome = Outcome::NotPossible;
    report.whyNot = std::move(why);
}

void addAtOrAboveTargetLines(std::vector<std::string>& lines, const Mixer& mixer,
                             const std::string& pressure) {
    lines.push_back("Source " + pressure + " = " + formatNumber(mixer.SourcePSI()));
    lines.push_back("Target " + pressure + " = " + formatNumber(mixer.TargetPSI()));
    lines.push_back("Target " + pressure + " is less than or equal to the Source " + pressure);
}

void addNothingToAddLines(std::vector<std::string>& lines, const Mixer& mixer,
                          const ShownPlan& plan, const ReportOptions& options) {
    const std::string unit(unitLabels(options.units).pressure);
    lines.push_back("Mixing");
    lines.push_back(separatorLine());
    if (plan.drain > 0)
        lines.push_back("Drain " + formatNumber(plan.drain) + " " + unit +
                        " from the starting Mix");
    lines.push_back("Starting " + mixer.GetMixDescription(kSourceTank) + " " + unit +
                    " should be " + formatNumber(plan.finalPressure));
    lines.push_back("Nothing to add: the starting Mix is already " + plan.finalMixName);
    addFinalMixLines(lines, plan, options);
}

void recordFailure(BlendReport& report, const RuntimeError& err) {
    report.outcome = Outcome::Failed;
    report.error = ReportError{err.number, err.source, err.description};
    report.plan.reset();
    report.sheet.reset();
    report.targetDepth.reset();
    report.requiredMix.reset();
    report.depthMix.reset();
}

} // namespace quillan::report
