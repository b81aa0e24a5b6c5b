#include "report/blend_report.h"
#include "report/real_gas_report.h"
#include "report/report_lines.h"

#include "engine/depth.h"
#include "engine/gas_names.h"

namespace quillan::report {

namespace {

// The source topped up with `add` of the top-up gas, each percentage rounded on its own, so
// the three need not add up to 100. The top-up gas counts as oxygen and nitrogen only.
MixPercentages idealTopUp(const Mixer& mixer, std::int16_t add) {
    const std::int16_t o2Added = toInt16(mixer.TopupMixFO2() / 100.0 * add);
    const std::int16_t nAdded = subInt16(add, o2Added);
    const double sourcePSI = mixer.SourcePSI();
    const double targetPSI = mixer.TargetPSI();
    MixPercentages mix;
    mix.o2 =
        toInt16(checkedDivide(mixer.SourceO2() / 100.0 * sourcePSI + o2Added, targetPSI) * 100.0);
    mix.he = toInt16(checkedDivide(mixer.SourceHe() / 100.0 * sourcePSI, targetPSI) * 100.0);
    mix.n = toInt16(checkedDivide(mixer.SourceN() / 100.0 * sourcePSI + nAdded, targetPSI) * 100.0);
    return mix;
}

// The mix after the top-up, and for real gases what the ideal-gas figures predict instead.
struct ToppedUp {
    MixPercentages mix;
    std::optional<GasFractions> idealFigures;
};

ToppedUp toppedUpMix(const Mixer& mixer, std::int16_t add, const ReportOptions& options) {
    switch (options.gas) {
    case GasModel::IdealPartialPressures:
        break;
    case GasModel::RealGas: {
        const RealTopUp real = realGasTopUp(mixer, options.units);
        return {real.mix, real.idealFigures};
    }
    }
    return {idealTopUp(mixer, add), std::nullopt};
}

// From "Starting ..." to the last line, for the chosen gas model.
void addToppingLines(std::vector<std::string>& lines, const Mixer& mixer, const BlendPlan& plan,
                     const ReportOptions& options) {
    switch (options.gas) {
    case GasModel::IdealPartialPressures:
        break;
    case GasModel::RealGas:
        addRealTopUpLines(lines, mixer, plan, options);
        return;
    }
    const std::string psi(unitLabels(options.units).pressure);
    lines.push_back("Starting " + mixer.GetMixDescription(kSourceTank) + " " + psi + " should be " +
                    formatNumber(mixer.SourcePSI()));
    lines.push_back("Add " + formatNumber(plan.topUp) + " " + psi + " of " + plan.topUpGas);
    addFinalMixLines(lines, plan, options);
}

} // namespace

BlendReport topUpReport(const Mixer& problem, std::string_view dateTime,
                        const ReportOptions& options) {
    BlendReport report;
    report.step = kLoadingStep;
    const std::string psi(unitLabels(options.units).pressure);
    std::vector<std::string>& lines = report.lines;
    try {
        Mixer mixer = problem;
        const std::string topUpGas = GetGasName(double(mixer.TopupMixFO2()));
        lines.push_back(headingLine(dateTime));
        lines.push_back("Top " + mixer.GetMixDescription(kSourceTank) + " with " + topUpGas +
                        " to " + formatNumber(mixer.TargetPSI()) + " " + psi);
        lines.push_back(separatorLine());

        if (mixer.TargetPSI() == 0) {
            stopReport(report, "Target cylinder " + psi + " is required");
            return report;
        }
        if (mixer.SourcePSI() >= mixer.TargetPSI()) {
            stopAtOrAboveTarget(report, mixer, psi);
            lines.emplace_back();
            lines.push_back("End Calculation");
            return report;
        }
        if (mixer.SourcePSI() > unitRanges(options.units).nearlyEmptyPressure &&
            mixer.SourceO2() <= 10) {
            stopReport(report, "Low source O2. Must be > 10");
            return report;
        }

        const std::int16_t add = subInt16(mixer.TargetPSI(), mixer.SourcePSI());
        const auto [mix, idealFigures] = toppedUpMix(mixer, add, options);
        mixer.TargetO2(mix.o2);
        mixer.TargetHe(mix.he);
        mixer.TargetN(mix.n);

        BlendPlan plan;
        plan.topUp = add;
        plan.topUpGas = topUpGas;
        plan.finalPressure = mixer.TargetPSI();
        plan.finalMix = mix;
        plan.finalMixName = mixer.GetMixDescription(kTargetTank);
        plan.idealFiguresMix = idealFigures;
        setFinalMixFigures(plan, options.units);

        lines.push_back("Mixing");
        lines.push_back(separatorLine());
        addToppingLines(lines, mixer, plan, options);

        report.requiredMix = mix;
        report.depthMix = mix;
        report.targetDepth = plan.mod;
        report.plan = std::move(plan);
        report.outcome = Outcome::Plan;
    } catch (const RuntimeError& err) {
        recordFailure(report, err);
    }
    return report;
}

} // namespace quillan::report
