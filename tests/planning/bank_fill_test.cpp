// Filling from banks: the published cascades (other tools count air as 20.9 % O2 and a little
// compressibility, so the figures agree within about a bar), order, minimum, booster and the
// gas balance.
#include "planning/bank_fill.h"
#include "planning/blend_planner.h"

#include <gtest/gtest.h>

using namespace quillan;

namespace {

const IdealGas kIdealLaw;
const CylinderGas kFilling{kIdealLaw};

Bank bank(SupplyGas role, double litres, double bar, GasMix gas = GasMix::oxygen()) {
    return {role, gas, Volume::litres(litres), Pressure::bar(bar)};
}

struct Fill {
    BlendProblem problem;
    BlendPlan plan;
};

Fill plannedInBar(std::array<std::int16_t, 5> v) { // start bar, O2, required bar, O2, top O2
    Mixer mixer;
    mixer.Load(v[0], v[1], 0, std::int16_t(100 - v[1]), v[2], v[3], 0, std::int16_t(100 - v[3]));
    mixer.TopupMixFO2(v[4]);
    const PlanOutcome outcome = planRequiredMix(mixer, {.units = UnitSystem::BarAndMetres});
    EXPECT_TRUE(outcome.plan);
    return {problemOf(mixer, UnitSystem::BarAndMetres, true), *outcome.plan};
}

TEST(BankFill, OneOxygenBank) {
    const Fill fill = plannedInBar({30, 26, 232, 32, 21});
    BankSupply supply;
    supply.banks = {bank(SupplyGas::Oxygen, 49, 90)};
    const BankFill banks =
        fillFromBanks(fill.problem, fill.plan, Volume::litres(12), kFilling, supply);
    ASSERT_TRUE(banks.possible);
    ASSERT_EQ(banks.steps[0].bank, std::optional<std::size_t>(0));
    EXPECT_NEAR(banks.steps[0].toReading.inBar(), 60.6, 1.0);
    EXPECT_NEAR(banks.banksAfter[0].inBar(), 82.5, 1.0);
}

TEST(BankFill, TwoOxygenBanksLowestFirst) {
    const Fill fill = plannedInBar({20, 21, 232, 32, 21});
    BankSupply supply;
    supply.banks = {bank(SupplyGas::Oxygen, 52, 100), bank(SupplyGas::Oxygen, 49, 30)};
    const BankFill banks =
        fillFromBanks(fill.problem, fill.plan, Volume::litres(7), kFilling, supply);
    ASSERT_TRUE(banks.possible);
    ASSERT_GE(banks.steps.size(), 2u);
    EXPECT_EQ(banks.steps[0].bank, std::optional<std::size_t>(1));
    EXPECT_NEAR(banks.steps[0].toReading.inBar(), 28.7, 1.0);
    EXPECT_EQ(banks.steps[1].bank, std::optional<std::size_t>(0));
    EXPECT_NEAR(banks.steps[1].toReading.inBar(), 52.6, 1.0);
    // What left the banks is what the cylinder gained, to 0.1 %.
    double left = 0.0;
    for (std::size_t i = 0; i < 2; ++i)
        left += (supply.banks[i].pressure - banks.banksAfter[i]).inBar() *
                supply.banks[i].waterCapacity.inLitres();
    EXPECT_NEAR(left, banks.intoCylinder, banks.intoCylinder * 0.001);
}

// An empty 10 L cylinder filled with air from 100 L at 200 bar, then 100 L at 250: about 180
// then 240 bar; from the fuller bank alone, about 225. Past that only a booster helps.
TEST(BankFill, CascadeOrderMinimumAndBooster) {
    Fill fill = plannedInBar({0, 21, 300, 21, 21});
    BankSupply supply;
    supply.banks = {bank(SupplyGas::TopUp, 100, 250, GasMix::air()),
                    bank(SupplyGas::TopUp, 100, 200, GasMix::air())};
    const BankFill cascade =
        fillFromBanks(fill.problem, fill.plan, Volume::litres(10), kFilling, supply);
    EXPECT_FALSE(cascade.possible);
    ASSERT_EQ(cascade.steps.size(), 2u);
    EXPECT_NEAR(cascade.steps[0].toReading.inBar(), 180.0, 3.0);
    EXPECT_NEAR(cascade.highestReading->inBar(), 240.0, 5.0);
    EXPECT_NE(cascade.whyNot.find("without a booster"), std::string::npos);

    BankSupply fuller = supply;
    fuller.banks.pop_back();
    EXPECT_NEAR(fillFromBanks(fill.problem, fill.plan, Volume::litres(10), kFilling, fuller)
                    .highestReading->inBar(),
                225.0, 3.0);

    supply.booster = true;
    const BankFill boosted =
        fillFromBanks(fill.problem, fill.plan, Volume::litres(10), kFilling, supply);
    ASSERT_TRUE(boosted.possible);
    ASSERT_TRUE(boosted.steps.back().boosted);
    EXPECT_NEAR(boosted.steps.back().boosted->inBar(), 300.0 - cascade.highestReading->inBar(),
                0.01);
    for (const Pressure after : boosted.banksAfter)
        EXPECT_GE(after.inBar(), supply.minimum.inBar() - 1e-6);
}

} // namespace
