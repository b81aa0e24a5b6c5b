#include "report/real_gas_report.h"

#include "report/report_lines.h"

#include "engine/gas_names.h"
#include "engine/runtime_error.h"

#include <array>
#include <charconv>

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

// The plan's readings as the report shows them, whole units; a drain that rounds away is none.
GaugePlan shownReadings(const GaugePlan& plan, const GaugeBlendProblem& problem) {
    GaugePlan shown{};
    shown.drainTo = toInt16(plan.drainTo);
    shown.afterHelium = toInt16(plan.afterHelium);
    shown.afterOxygen = toInt16(plan.afterOxygen);
    shown.afterTopUp = toInt16(plan.afterTopUp);
    shown.drains = plan.drains && shown.drainTo < problem.sourceGauge;
    if (!shown.drains)
        shown.drainTo = problem.sourceGauge;
    return shown;
}

std::optional<GasFractions> idealFiguresMix(const GaugeBlendProblem& problem) {
    const std::optional<GaugePlan> ideal = planByGauge(GasLaw::ideal(), problem);
    if (!ideal)
        return std::nullopt;
    return fillByGauge(GasLaw::real(), problem, shownReadings(*ideal, problem)).fractions();
}

std::string untilLine(std::string_view gas, std::int16_t reading, std::string_view unit) {
    return "Add " + std::string(gas) + " until the gauge reads " + formatNumber(reading) + " " +
           std::string(unit);
}

MixPercentages wholePercentages(const GasFractions& mix) {
    return {toInt16(mix.o2 * 100.0), toInt16(mix.he * 100.0), toInt16(mix.n2 * 100.0)};
}

} // namespace

PressureScale pressureScale(UnitSystem units) {
    switch (units) {
    case UnitSystem::PsiAndFeet:
        break;
    case UnitSystem::BarAndMetres:
        return PressureScale::bar();
    }
    return PressureScale::psi();
}

GasFractions mixFractions(const MixPercentages& mix) {
    if (mix.o2 == 0 && mix.he == 0 && mix.n == 0)
        return kAir;
    if (mix.o2 < 0 || mix.he < 0 || mix.o2 + mix.he > 100)
        raiseClassicError(kErrInvalidProcedureCall);
    return {mix.o2 / 100.0, mix.he / 100.0, (100 - mix.o2 - mix.he) / 100.0};
}

GaugeBlendProblem gaugeProblem(const Mixer& mixer, UnitSystem units) {
    const std::int16_t topUpO2 = mixer.TopupMixFO2();
    if (topUpO2 < 21 || topUpO2 > 100)
        throw RuntimeError(kErrApplication, "DrainAmount", "Invalid top mix O2 %");
    if (topUpO2 == 100)
        raiseClassicError(kErrDivisionByZero); // pure oxygen brings no nitrogen to plan with
    GaugeBlendProblem problem;
    problem.sourceGauge = mixer.SourcePSI();
    problem.source = mixFractions({mixer.SourceO2(), mixer.SourceHe(), mixer.SourceN()});
    problem.targetGauge = mixer.TargetPSI();
    problem.target = mixFractions({mixer.TargetO2(), mixer.TargetHe(), mixer.TargetN()});
    problem.topUpO2 = topUpO2 / 100.0;
    problem.scale = pressureScale(units);
    return problem;
}

std::string idealFiguresLine(const std::optional<GasFractions>& mix, const NumberLocale& numbers) {
    if (!mix)
        return "Ideal-gas figures give no plan for this mix";
    return "Ideal-gas figures would have given O2 " + percentTenths(mix->o2, numbers) + " %, He " +
           percentTenths(mix->he, numbers) + " %";
}

std::optional<BlendPlan> realGasRequiredMix(const Mixer& mixer, std::vector<std::string>& lines,
                                            const ReportOptions& options) {
    const GaugeBlendProblem problem = gaugeProblem(mixer, options.units);
    const std::optional<GaugePlan> real = planByGauge(GasLaw::real(), problem);
    if (!real)
        return std::nullopt;
    const GaugePlan shown = shownReadings(*real, problem);

    BlendPlan plan;
    GaugeReadings gauges;
    if (shown.drains)
        gauges.drainTo = toInt16(shown.drainTo);
    const std::int16_t start = toInt16(shown.drainTo);
    gauges.afterHelium = toInt16(shown.afterHelium);
    gauges.afterOxygen = toInt16(shown.afterOxygen);
    gauges.afterTopUp = toInt16(shown.afterTopUp);
    plan.drain = subInt16(mixer.SourcePSI(), start);
    plan.helium = subInt16(gauges.afterHelium, start);
    plan.oxygen = subInt16(gauges.afterOxygen, gauges.afterHelium);
    plan.topUp = subInt16(gauges.afterTopUp, gauges.afterOxygen);
    plan.topUpGas = mixer.GetMixDescription(kTopupGas);
    plan.finalPressure = mixer.TargetPSI();
    plan.finalMix = {mixer.TargetO2(), mixer.TargetHe(), mixer.TargetN()};
    plan.finalMixName = mixer.GetMixDescription(kTargetTank);
    plan.gauges = gauges;
    plan.idealFiguresMix = idealFiguresMix(problem);
    setFinalMixFigures(plan, options.units);

    const std::string unit(unitLabels(options.units).pressure);
    lines.push_back("Mixing");
    lines.push_back(separatorLine());
    if (gauges.drainTo)
        lines.push_back("Drain the starting Mix until the gauge reads " +
                        formatNumber(*gauges.drainTo) + " " + unit);
    lines.push_back("Starting " + mixer.GetMixDescription(kSourceTank) + " " + unit +
                    " should be " + formatNumber(start));
    if (plan.helium > 0)
        lines.push_back(untilLine("He", gauges.afterHelium, unit));
    if (plan.oxygen > 0)
        lines.push_back(untilLine("O2", gauges.afterOxygen, unit));
    lines.push_back(untilLine(plan.topUpGas, gauges.afterTopUp, unit));
    lines.push_back("Ending " + unit + " should be " + formatNumber(plan.finalPressure));
    addFinalMixLines(lines, plan, options);
    lines.push_back(idealFiguresLine(plan.idealFiguresMix, options.numbers));
    return plan;
}

RealTopUp realGasTopUp(const Mixer& mixer, UnitSystem units) {
    const GaugeBlendProblem problem = gaugeProblem(mixer, units);
    return {wholePercentages(topUpByGauge(GasLaw::real(), problem).fractions()),
            topUpByGauge(GasLaw::ideal(), problem).fractions()};
}

void addRealTopUpLines(std::vector<std::string>& lines, const Mixer& mixer, const BlendPlan& plan,
                       const ReportOptions& options) {
    const std::string unit(unitLabels(options.units).pressure);
    lines.push_back("Starting " + mixer.GetMixDescription(kSourceTank) + " " + unit +
                    " should be " + formatNumber(mixer.SourcePSI()));
    lines.push_back(untilLine(plan.topUpGas, plan.finalPressure, unit));
    addFinalMixLines(lines, plan, options);
    lines.push_back(idealFiguresLine(plan.idealFiguresMix, options.numbers));
}

} // namespace quillan::report
