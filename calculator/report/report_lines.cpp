#include "report/report_lines.h"

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

ShownPlan shownPlanOf(const BlendPlan& plan, UnitSystem units) {
    ShownPlan shown;
    shown.drain = wholeFigure(plan.drain, units);
    shown.helium = wholeFigure(plan.helium, units);
    shown.oxygen = wholeFigure(plan.oxygen, units);
    shown.topUp = wholeFigure(plan.topUp, units);
    shown.topUpGas = plan.topUpGas.name();
    shown.finalPressure = wholeFigure(plan.final.pressure, units);
    shown.finalMix = wholePercent(plan.final.mix);
    shown.finalMixName = plan.final.mix.name();
    if (plan.gauges) {
        ShownGauges gauges;
        if (plan.gauges->drainTo)
            gauges.drainTo = wholeFigure(*plan.gauges->drainTo, units);
        gauges.afterHelium = wholeFigure(plan.gauges->afterHelium, units);
        gauges.afterOxygen = wholeFigure(plan.gauges->afterOxygen, units);
        gauges.afterTopUp = wholeFigure(plan.gauges->afterTopUp, units);
        shown.gauges = gauges;
    }
    shown.idealFiguresMix = plan.idealFiguresMix;
    const SeaWaterScale scale = seaWaterScale(units);
    shown.mod = CalcMOD(std::int16_t(shown.finalMix.o2), scale);
    shown.po2 = CalcPO2(double(shown.finalMix.o2), shown.mod, scale);
    shown.end = CalcEND(double(shown.finalMix.n), shown.mod, scale);
    return shown;
}

void addFinalMixLines(std::vector<std::string>& lines, const ShownPlan& plan,
                      const ReportOptions& options) {
    const std::string depth(unitLabels(options.units).depth);
    lines.emplace_back();
    lines.push_back("Final Mix: " + plan.finalMixName);
    lines.push_back(separatorLine());
    lines.push_back("MOD " + formatNumber(plan.mod) + " " + depth);
    lines.push_back("PO2 " + formatFixed2(plan.po2, options.numbers));
    lines.push_back("END " + formatNumber(plan.end) + " " + depth);
}

std::string idealFiguresLine(const std::optional<GasMix>& mix, const NumberLocale& numbers) {
    if (!mix)
        return "Ideal-gas figures give no plan for this mix";
    return "Ideal-gas figures would have given O2 " + percentTenths(mix->o2().value(), numbers) +
           " %, He " + percentTenths(mix->he().value(), numbers) + " %";
}

std::string untilLine(std::string_view gas, std::int16_t reading, std::string_view unit) {
    return "Add " + std::string(gas) + " until the gauge reads " + formatNumber(reading) + " " +
           std::string(unit);
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
    report.targetDepth.reset();
    report.requiredMix.reset();
    report.depthMix.reset();
}

} // namespace quillan::report
