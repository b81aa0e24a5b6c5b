#include "planning/best_mix.h"

#include "physics/depth.h"
#include "rules/limits.h"

#include <algorithm>
#include <cmath>

namespace quillan {

namespace {

constexpr double kAirNitrogenShare = 0.79;
// Keeps a figure that is whole on paper (1.4 / 7 is 20 %) from rounding the wrong way.
constexpr double kWholeOnPaper = 1e-9;

double atmospheresAt(double depth, SeaWaterScale scale) {
    return depth / scale.depthPerAtmosphere + 1.0;
}

// The share of the mix that counts as narcotic, and the share air has of it.
double narcoticShare(const WholePercent& mix, bool o2Narcotic) {
    return (o2Narcotic ? mix.o2 + mix.n : mix.n) / 100.0;
}
double airNarcoticShare(bool o2Narcotic) {
    return o2Narcotic ? 1.0 : kAirNitrogenShare;
}

double endOf(const WholePercent& mix, const BestMixLimits& limits, SeaWaterScale scale) {
    const double ata = atmospheresAt(limits.depth, scale) * narcoticShare(mix, limits.o2Narcotic) /
                       airNarcoticShare(limits.o2Narcotic);
    return (ata - 1.0) * scale.depthPerAtmosphere;
}

WholePercent withHelium(int o2, int he) {
    return {o2, he, 100 - o2 - he};
}

std::optional<double> densityOf(const WholePercent& mix, const BestMixLimits& limits,
                                SeaWaterScale scale) {
    return gasDensity(gasLawOf(limits.gas), GasMix::percent(mix.o2, mix.he),
                      ambientBar(limits.depth, scale));
}

bool dense(const WholePercent& mix, const BestMixLimits& limits, SeaWaterScale scale) {
    const std::optional<double> density = densityOf(mix, limits, scale);
    return !density || *density > limits.maxDensity;
}

} // namespace

double defaultMaxEnd(UnitSystem units) {
    return units == UnitSystem::BarAndMetres ? 30.0 : 100.0;
}

BestMixLimits defaultLimits(UnitSystem units, double depth) {
    BestMixLimits limits;
    limits.depth = depth;
    limits.maxEnd = defaultMaxEnd(units);
    limits.units = units;
    return limits;
}

std::string_view mixLimitName(MixLimit limit) {
    switch (limit) {
    case MixLimit::PO2:
        return "po2";
    case MixLimit::End:
        return "end";
    case MixLimit::Density:
        break;
    }
    return "density";
}

BestMixOutcome bestMix(const BestMixLimits& limits) {
    const SeaWaterScale scale = seaWaterScale(limits.units);
    const double ata = atmospheresAt(limits.depth, scale);
    // The deepest depth the calculator takes still leaves several percent of oxygen.
    const int o2 = std::min(100, int(std::floor(100.0 * limits.maxPO2 / ata + kWholeOnPaper)));
    const int mostHelium = std::min<int>(100 - o2, kMaxHeliumOrNitrogen);

    const double endAta = atmospheresAt(limits.maxEnd, scale);
    const double narcoticAllowed = airNarcoticShare(limits.o2Narcotic) * endAta / ata;
    const double nitrogenAllowed = narcoticAllowed - (limits.o2Narcotic ? o2 / 100.0 : 0.0);
    const int endHelium =
        std::max(0, int(std::ceil(100.0 * (1.0 - o2 / 100.0 - nitrogenAllowed) - kWholeOnPaper)));

    BestMixOutcome outcome;
    if (endHelium > mostHelium) {
        const double closest = endOf(withHelium(o2, mostHelium), limits, scale);
        outcome.shortfall = {MixLimit::End, closest - limits.maxEnd};
        return outcome;
    }
    int he = endHelium;
    while (he < mostHelium && dense(withHelium(o2, he), limits, scale))
        ++he;
    const WholePercent mix = withHelium(o2, he);
    const std::optional<double> density = densityOf(mix, limits, scale);
    if (!density || *density > limits.maxDensity) {
        outcome.shortfall = {MixLimit::Density, density.value_or(0.0) - limits.maxDensity};
        return outcome;
    }

    BestMix best;
    best.mix = mix;
    if (o2 < 100)
        best.binding.push_back(MixLimit::PO2);
    if (endHelium > 0 && he == endHelium)
        best.binding.push_back(MixLimit::End);
    if (he > endHelium)
        best.binding.push_back(MixLimit::Density);
    best.mod = CalcMOD(std::int16_t(o2), scale, limits.maxPO2);
    best.end = std::int16_t(std::max(0.0, std::ceil(endOf(mix, limits, scale) - kWholeOnPaper)));
    best.density = *density;
    if (o2 < kHypoxicPO2 * 100.0)
        best.hypoxicAbove = std::int16_t(
            std::ceil((kHypoxicPO2 * 100.0 / o2 - 1.0) * scale.depthPerAtmosphere - kWholeOnPaper));
    outcome.best = best;
    return outcome;
}

PlanOutcome blendOf(Mixer problem, const WholePercent& mix, const PlanOptions& options) {
    problem.TargetO2(std::int16_t(mix.o2));
    problem.TargetHe(std::int16_t(mix.he));
    problem.TargetN(std::int16_t(mix.n));
    return planRequiredMix(problem, options);
}

} // namespace quillan
