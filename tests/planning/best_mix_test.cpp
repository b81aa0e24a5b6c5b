// The best mix for a depth, checked against hand sums (10 m or 33 ft per atmosphere, density at
// 20 °C), and whether it can be blended from the cylinder at hand.
#include "planning/best_mix.h"

#include <gtest/gtest.h>

using namespace quillan;

namespace {

struct BestCase {
    const char* name;
    BestMixLimits limits;
    WholePercent mix;
    std::vector<MixLimit> binding;
    std::int16_t end;
    double density;
    std::optional<std::int16_t> hypoxicAbove;
};

BestMixLimits limitsOf(UnitSystem units, double depth,
                       GasModel gas = GasModel::IdealPartialPressures, bool o2Narcotic = true) {
    BestMixLimits limits = defaultLimits(units, depth);
    limits.gas = gas;
    limits.o2Narcotic = o2Narcotic;
    return limits;
}

BestMixLimits withDensity(BestMixLimits limits, double maxDensity) {
    limits.maxDensity = maxDensity;
    return limits;
}

constexpr auto kMetric = UnitSystem::BarAndMetres;
constexpr auto kImperial = UnitSystem::PsiAndFeet;
constexpr auto kGerg = GasModel::Gerg2008;

class BestMixFor : public testing::TestWithParam<BestCase> {};

TEST_P(BestMixFor, DepthAndLimits) {
    const BestCase& c = GetParam();
    const BestMixOutcome outcome = bestMix(c.limits);
    ASSERT_TRUE(outcome.best);
    EXPECT_EQ(outcome.best->mix, c.mix);
    EXPECT_EQ(outcome.best->binding, c.binding);
    EXPECT_EQ(outcome.best->end, c.end);
    EXPECT_NEAR(outcome.best->density, c.density, 0.005);
    EXPECT_EQ(outcome.best->hypoxicAbove, c.hypoxicAbove);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BestMixFor,
    testing::Values(
        // 1.4 / 7 = 20 % O2; END wants 43 % He, at 5.38 g/L, so density asks for 46 %.
        BestCase{"DensityAddsHeliumAt60m",
                 limitsOf(kMetric, 60),
                 {20, 46, 34},
                 {MixLimit::PO2, MixLimit::Density},
                 28,
                 5.17,
                 std::nullopt},
        // Helium's Z above 1 makes the mix a little lighter under the reference law.
        BestCase{"RealGasDensityAt60m",
                 limitsOf(kMetric, 60, kGerg),
                 {20, 46, 34},
                 {MixLimit::PO2, MixLimit::Density},
                 28,
                 5.15,
                 std::nullopt},
        BestCase{"EndSetsHeliumAt40m",
                 limitsOf(kMetric, 40),
                 {28, 20, 52},
                 {MixLimit::PO2, MixLimit::End},
                 30,
                 5.06,
                 std::nullopt},
        // Only nitrogen counts, up to 0.79 x 4 / 5; 28/9 is 5.61 g/L, under the hard limit only.
        BestCase{"OxygenNotNarcoticAt40m",
                 withDensity(limitsOf(kMetric, 40, {}, false), 6.2),
                 {28, 9, 63},
                 {MixLimit::PO2, MixLimit::End},
                 30,
                 5.61,
                 std::nullopt},
        BestCase{"DensityOutweighsEndWithOxygenNotNarcotic",
                 limitsOf(kMetric, 40, {}, false),
                 {28, 18, 54},
                 {MixLimit::PO2, MixLimit::Density},
                 25,
                 5.16,
                 std::nullopt},
        BestCase{"NitroxNeedsNoHeliumAt20m",
                 limitsOf(kMetric, 20),
                 {46, 0, 54},
                 {MixLimit::PO2},
                 20,
                 3.72,
                 std::nullopt},
        // 200 ft is 7.06 atmospheres: 19 % O2, and 46 % He would be 5.203 g/L.
        BestCase{"FeetAt200ft",
                 limitsOf(kImperial, 200),
                 {19, 47, 34},
                 {MixLimit::PO2, MixLimit::Density},
                 91,
                 5.13,
                 std::nullopt},
        // 1.4 / 11 leaves 12 % O2, which reaches 0.16 only below 3.3 m.
        BestCase{"HypoxicAt100m",
                 limitsOf(kMetric, 100),
                 {12, 72, 16},
                 {MixLimit::PO2, MixLimit::Density},
                 21,
                 5.12,
                 std::int16_t{4}}),
    [](const testing::TestParamInfo<BestCase>& info) { return std::string(info.param.name); });

TEST(BestMixFor, DensityBindingMeansOneLessHeliumIsTooDense) {
    for (const GasModel gas : {GasModel::IdealPartialPressures, kGerg}) {
        const BestMixLimits limits = limitsOf(kMetric, 60, gas);
        const WholePercent mix = bestMix(limits).best->mix;
        const auto denser = gasDensity(gasLawOf(gas), GasMix::percent(mix.o2, mix.he - 1),
                                       ambientBar(60, kMetresOfSeaWater));
        EXPECT_GT(*denser, limits.maxDensity) << gasModelName(gas);
    }
}

struct ShortCase {
    const char* name;
    BestMixLimits limits;
    MixLimit failing;
    double by;
};

BestMixLimits withEnd(BestMixLimits limits, double maxEnd) {
    limits.maxEnd = maxEnd;
    return limits;
}

class NoMixFor : public testing::TestWithParam<ShortCase> {};

TEST_P(NoMixFor, NamesTheLimitAndTheShortfall) {
    const ShortCase& c = GetParam();
    const BestMixOutcome outcome = bestMix(c.limits);
    EXPECT_FALSE(outcome.best);
    EXPECT_EQ(outcome.shortfall.limit, c.failing);
    EXPECT_NEAR(outcome.shortfall.by, c.by, 0.005);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NoMixFor,
    testing::Values(
        // 28 % O2 at 5 atmospheres is already 1.4 narcotic atmospheres: an END of 4 m.
        ShortCase{"OxygenAloneBreaksEnd", withEnd(limitsOf(kMetric, 40), 0), MixLimit::End, 4},
        // 8/90 at 16 atmospheres is 4.47 g/L.
        ShortCase{"MostHeliumStillTooDense", withDensity(limitsOf(kMetric, 150), 4.0),
                  MixLimit::Density, 0.47}),
    [](const testing::TestParamInfo<ShortCase>& info) { return std::string(info.param.name); });

struct BlendCase {
    const char* name;
    std::int16_t topUpO2;
    bool blendable;
};

class BestMixBlend : public testing::TestWithParam<BlendCase> {};

TEST_P(BestMixBlend, FromAnEmptyCylinder) {
    const BlendCase& c = GetParam();
    Mixer problem;
    problem.Load(0, 21, 0, 79, 200, 0, 0, 0);
    problem.TopupMixFO2(c.topUpO2);
    PlanOptions options;
    options.units = kMetric;
    EXPECT_EQ(blendOf(problem, {20, 46, 34}, options).plan.has_value(), c.blendable);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BestMixBlend,
    testing::Values(BlendCase{"ToppedUpWithAir", 21, true},
                    // 34 % nitrogen from Nitrox 50 brings 34 % oxygen with it, past 20 %.
                    BlendCase{"ToppedUpWithNitrox50", 50, false}),
    [](const testing::TestParamInfo<BlendCase>& info) { return std::string(info.param.name); });

} // namespace
