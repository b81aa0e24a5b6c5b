// Gas used and its price, checked by hand, and the least-drain plan on blends the pass loop
// drains far more for.
#include "planning/blend_planner.h"
#include "planning/fill_cost.h"
#include "quantities/cylinder_library.h"

#include <gtest/gtest.h>

using namespace quillan;

namespace {

Mixer problemOf(std::array<std::int16_t, 7> v) {
    Mixer mixer;
    mixer.Load(v[0], v[1], v[2], std::int16_t(100 - v[1] - v[2]), v[3], v[4], v[5],
               std::int16_t(100 - v[4] - v[5]));
    mixer.TopupMixFO2(v[6]);
    return mixer;
}

struct UsedCase {
    const char* name;
    UnitSystem units;
    const char* cylinder;
    std::array<std::int16_t, 7> problem; // start PSI/bar, O2, He; required; top-up O2
    double helium, oxygen, topUp;        // nominal, in litres (metric) or cubic feet
    Prices prices;
    double total;
};

class GasUsedAndCost : public testing::TestWithParam<UsedCase> {};

TEST_P(GasUsedAndCost, ByHand) {
    const UsedCase& c = GetParam();
    const std::optional<Cylinder> cylinder = cylinderNamed(c.cylinder, c.units);
    ASSERT_TRUE(cylinder);
    const PlanOutcome outcome = planRequiredMix(problemOf(c.problem), {.units = c.units});
    ASSERT_TRUE(outcome.plan);
    const GasUsed used = gasUsed(*outcome.plan, *cylinder, c.units);
    const auto figure = [&](Volume v) {
        return c.units == UnitSystem::BarAndMetres ? v.inLitres() : v.inCubicFeet();
    };
    EXPECT_NEAR(figure(used.helium.nominal), c.helium, 0.05);
    EXPECT_NEAR(figure(used.oxygen.nominal), c.oxygen, 0.05);
    EXPECT_NEAR(figure(used.topUp.nominal), c.topUp, 0.05);
    // Free gas at 15 C and 1.01325 bar: the same ideal gas, 288.15 / 293.15 / 1.01325 of it.
    EXPECT_NEAR(figure(used.helium.real), c.helium * 0.970084, 0.05);
    EXPECT_DOUBLE_EQ(fillCost(used, c.prices, c.units).total, c.total);
}

INSTANTIATE_TEST_SUITE_P(
    Worked, GasUsedAndCost,
    testing::Values(
        // 81.2 bar of helium, 48.72 - 0.21 x 129.215 bar of oxygen, 129.215 bar of air.
        UsedCase{"Twelve_litres_to_21_35",
                 UnitSystem::BarAndMetres,
                 "12L@232",
                 {0, 0, 0, 232, 21, 35, 21},
                 974.4,
                 259.0,
                 1550.6,
                 {0.05, 0.01, 0.0},
                 51.31},
        // The rated 77.4 cu ft at 3000 PSI: 418 PSI of oxygen is 10.78 cu ft.
        UsedCase{"AL80_to_nitrox_32",
                 UnitSystem::PsiAndFeet,
                 "AL80",
                 {0, 0, 0, 3000, 32, 0, 21},
                 0.0,
                 10.78,
                 66.62,
                 {0.0, 0.5, 0.0},
                 5.39},
        // A twinset holds twice the water: 81.2 bar of helium in 24 L. 0.015 x 518.04 L of
        // oxygen is 7.7706, and each part is billed in whole cents before the fee is added.
        UsedCase{"Twin_twelves_to_21_35",
                 UnitSystem::BarAndMetres,
                 "2x12L@232",
                 {0, 0, 0, 232, 21, 35, 21},
                 1948.8,
                 518.0,
                 3101.2,
                 {0.0, 0.015, 0.0, 5.0},
                 12.77}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LeastDrain, KeepsTheGasThePassLoopThrowsAway) {
    struct Case {
        std::array<std::int16_t, 7> problem;
        double classicDrain, leastDrain;
    };
    const Case cases[] = {{{3931, 57, 34, 4446, 31, 62, 47}, 3673, 1683},
                          {{2281, 56, 0, 4322, 31, 48, 49}, 2231, 220}};
    for (const Case& c : cases) {
        PlanOptions options;
        const auto classic = planRequiredMix(problemOf(c.problem), options).plan;
        options.leastDrain = true;
        const auto least = planRequiredMix(problemOf(c.problem), options).plan;
        ASSERT_TRUE(classic && least);
        EXPECT_NEAR(classic->drain.inPsi(), c.classicDrain, 1e-6);
        EXPECT_NEAR(least->drain.inPsi(), c.leastDrain, 1e-6);
    }
}

TEST(CylinderLibrary, NamesAndDescriptions) {
    EXPECT_DOUBLE_EQ(cylinderNamed("AL80", UnitSystem::PsiAndFeet)->nominalGas().inCubicFeet(),
                     77.4);
    EXPECT_EQ(cylinderNamed("2x10L@300", UnitSystem::BarAndMetres)->waterCapacity,
              Volume::litres(20.0));
    EXPECT_NEAR(cylinderNamed("11.1@3000", UnitSystem::PsiAndFeet)->workingPressure.inPsi(), 3000.0,
                1e-9);
    for (const char* bad : {"AL81", "12L@", "0L", "x12", "12L@-5"})
        EXPECT_FALSE(cylinderNamed(bad, UnitSystem::BarAndMetres)) << bad;
}

} // namespace
