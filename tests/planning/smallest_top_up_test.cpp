// The smallest top-up a plan may end with is 1 PSI in either unit system (0.069 bar), not one
// whole unit of the display: an almost pure oxygen mix needs only a breath of top-up gas.
#include "planning/blend_planner.h"

#include <gtest/gtest.h>

using namespace quillan;

namespace {

struct TopUpCase {
    const char* name;
    UnitSystem units;
    std::int16_t requiredPressure;
    bool planned;
};

class SmallestTopUp : public testing::TestWithParam<TopUpCase> {};

TEST_P(SmallestTopUp, IsOnePsi) {
    const TopUpCase& c = GetParam();
    // Empty to O2 99 % with air: the top-up is 1 % of the pressure / 0.79.
    Mixer problem;
    problem.Load(0, 0, 0, 0, c.requiredPressure, 99, 0, 1);
    problem.TopupMixFO2(21);
    EXPECT_EQ(planRequiredMix(problem, {.units = c.units}).plan.has_value(), c.planned);
}

INSTANTIATE_TEST_SUITE_P(
    BothUnits, SmallestTopUp,
    testing::Values(TopUpCase{"Psi_1_3_PsiOfAir", UnitSystem::PsiAndFeet, 100, true},
                    TopUpCase{"Psi_0_6_PsiOfAir", UnitSystem::PsiAndFeet, 50, false},
                    TopUpCase{"Bar_1_3_PsiOfAir", UnitSystem::BarAndMetres, 7, true},
                    TopUpCase{"Bar_0_9_PsiOfAir", UnitSystem::BarAndMetres, 5, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
