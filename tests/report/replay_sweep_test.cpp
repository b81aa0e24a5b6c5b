// Filling by what a report shows gives the mix it names: for random window problems in both
// unit systems, the shown quantities replayed as partial pressures make the shown final mix,
// to the nearest whole percent.
#include "planning/blend_problem.h"
#include "planning/whole_unit_plan.h"
#include "report/blend_report.h"
#include "report_test_support.h"
#include "rules/limits.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillan;
using namespace quillan::report;
using namespace quillan::report::test;

namespace {

// Whole units of one more step than a cylinder of this pressure can tell apart.
constexpr double kRealisticShare = 0.35;

Problem randomProblem(std::mt19937& random, UnitSystem units) {
    auto pick = [&random](int low, int high) {
        return static_cast<std::int16_t>(std::uniform_int_distribution<int>(low, high)(random));
    };
    const UnitRanges ranges = unitRanges(units);
    const std::int16_t required =
        pick(ranges.maxRequiredPressure * kRealisticShare, ranges.maxRequiredPressure);
    const auto mix = [&](int lowestO2) {
        const std::int16_t o2 = pick(lowestO2, 99);
        const std::int16_t he = pick(0, 100 - o2) / pick(1, 4);
        return std::array<std::int16_t, 3>{o2, he, static_cast<std::int16_t>(100 - o2 - he)};
    };
    const auto start = mix(11);
    const auto want = mix(5);
    return {pick(0, required - 1),
            start[0],
            start[1],
            start[2],
            required,
            want[0],
            want[1],
            want[2],
            pick(kTopUpO2Range.lower, kTopUpO2Range.upper)};
}

GasMix replayed(const Mixer& mixer, const ShownPlan& shown, UnitSystem units) {
    BlendPlan plan;
    plan.drain = pressureIn(units, shown.drain);
    plan.helium = pressureIn(units, shown.helium);
    plan.oxygen = pressureIn(units, shown.oxygen);
    plan.topUp = pressureIn(units, shown.topUp);
    plan.topUpGas = GasMix::percent(mixer.TopupMixFO2());
    return replayIdeal(problemOf(mixer, units, false), plan);
}

TEST(ReplaySweep, ShownQuantitiesMakeTheShownMix) {
    std::mt19937 random(20261207);
    for (const UnitSystem units : {UnitSystem::PsiAndFeet, UnitSystem::BarAndMetres}) {
        ReportOptions options;
        options.units = units;
        int plans = 0;
        for (int i = 0; i < 1500; ++i) {
            const Mixer mixer = test::mixerOf(randomProblem(random, units));
            for (const auto make : {requiredMixReport, topUpReport}) {
                const BlendReport report = make(mixer, "", options);
                ASSERT_FALSE(report.error) << i;
                if (!report.plan)
                    continue;
                ++plans;
                // Within half a point: an exact half may round either way.
                const GasMix got = replayed(mixer, *report.plan, units);
                EXPECT_NEAR(got.o2().inPercent(), report.plan->finalMix.o2, 0.5 + 1e-9)
                    << unitSystemName(units) << " " << i << ": " << report.lines[1];
                EXPECT_NEAR(got.he().inPercent(), report.plan->finalMix.he, 0.5 + 1e-9)
                    << unitSystemName(units) << " " << i << ": " << report.lines[1];
                EXPECT_EQ(report.plan->finalMix.o2 + report.plan->finalMix.he +
                              report.plan->finalMix.n,
                          100);
            }
        }
        EXPECT_GT(plans, 1500) << unitSystemName(units);
    }
}

} // namespace
