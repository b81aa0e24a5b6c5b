// Real gases in bar and metres: the model works in absolute bar from gauge bar as it does from
// gauge PSI, so a plan in bar is the PSI plan converted, and the report lines say bar.
#include "report/blend_report.h"
#include "report_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace quillan;
using namespace quillan::report;
using namespace quillan::report::test;

namespace {

ReportOptions metricRealGas() {
    ReportOptions options;
    options.units = UnitSystem::BarAndMetres;
    options.gas = GasModel::Virial;
    return options;
}

// The same blends worked in bar and in PSI: each reading in bar is the PSI one converted, to
// within the rounding of the whole figures.
TEST(MetricRealGas, ReadingsInBarAreThePsiReadingsConverted) {
    const Problem cases[] = {{0, 0, 0, 0, 207, 18, 45, 37, 21},
                             {70, 80, 0, 20, 207, 32, 0, 68, 21},
                             {50, 21, 35, 44, 230, 10, 70, 20, 32}};
    for (const Problem& inBar : cases) {
        Problem inPsi = inBar;
        inPsi[0] = static_cast<std::int16_t>(std::nearbyint(inBar[0] * kPsiPerBar));
        inPsi[4] = static_cast<std::int16_t>(std::nearbyint(inBar[4] * kPsiPerBar));
        ReportOptions imperial = metricRealGas();
        imperial.units = UnitSystem::PsiAndFeet;
        const BlendReport bar = requiredMixReport(mixerOf(inBar), "", metricRealGas());
        const BlendReport psi = requiredMixReport(mixerOf(inPsi), "", imperial);
        ASSERT_TRUE(bar.plan && psi.plan && bar.plan->gauges && psi.plan->gauges) << inBar[0];
        const ShownGauges& b = *bar.plan->gauges;
        const ShownGauges& p = *psi.plan->gauges;
        EXPECT_EQ(b.drainTo.has_value(), p.drainTo.has_value()) << inBar[0];
        const double slack = kPsiPerBar / 2.0 + 1.0;
        EXPECT_NEAR(b.drainTo.value_or(0) * kPsiPerBar, p.drainTo.value_or(0), slack);
        EXPECT_NEAR(b.afterHelium * kPsiPerBar, p.afterHelium, slack) << inBar[0];
        EXPECT_NEAR(b.afterOxygen * kPsiPerBar, p.afterOxygen, slack) << inBar[0];
    }
}

// The 3000 PSI check blend at 207 bar: helium to 1337 PSI is 92 bar, oxygen to 1568 PSI is
// 108 bar. The ideal figures (94 and 111 bar) give a mix richer in helium than at 3000 PSI.
TEST(MetricRealGas, EmptyCylinderToTrimix1845InBar) {
    const BlendReport report =
        requiredMixReport(mixerOf({0, 0, 0, 0, 207, 18, 45, 37, 21}), "", metricRealGas());
    ASSERT_EQ(report.outcome, Outcome::Plan);
    const std::vector<std::string> expected{
        "Mix Calculation ",
        "Calculate [Empty cylinder] to Trimix 18/45 by adding He, O2 and Air",
        kSeparator,
        "Mixing",
        kSeparator,
        "Starting [Empty cylinder] bar should be 0",
        "Add He until the gauge reads 92 bar",
        "Add O2 until the gauge reads 108 bar",
        "Add Air until the gauge reads 207 bar",
        "Ending bar should be 207",
        "",
        "Final Mix: Trimix 18/45",
        kSeparator,
        "MOD 78 m", // 78.9, rounded down
        "PO2 1.58",
        "END 31 m",
        "Ideal-gas figures would have given O2 18.3 %, He 45.8 %",
    };
    EXPECT_EQ(report.lines, expected);
    const ShownPlan& plan = *report.plan;
    ASSERT_TRUE(plan.gauges);
    EXPECT_FALSE(plan.gauges->drainTo);
    EXPECT_EQ(plan.helium, 92);
    EXPECT_EQ(plan.oxygen, 108 - 92);
    EXPECT_EQ(plan.topUp, 207 - 108);
    EXPECT_EQ(report.targetDepth, std::optional<std::int16_t>(78));
}

TEST(MetricRealGas, DrainAndTopUpLinesSayBar) {
    const BlendReport drained =
        requiredMixReport(mixerOf({70, 80, 0, 20, 207, 32, 0, 68, 21}), "", metricRealGas());
    ASSERT_EQ(drained.outcome, Outcome::Plan);
    ASSERT_TRUE(drained.plan->gauges && drained.plan->gauges->drainTo);
    const std::string drainTo = std::to_string(int(*drained.plan->gauges->drainTo));
    ASSERT_GE(drained.lines.size(), 8u);
    EXPECT_EQ(drained.lines[5], "Drain the starting Mix until the gauge reads " + drainTo + " bar");
    EXPECT_EQ(drained.lines[6], "Starting Nitrox 80 bar should be " + drainTo);
    EXPECT_EQ(drained.lines[7], "Add Air until the gauge reads 207 bar");

    // 70 bar of trimix 18/45 topped with nitrox 32 to 207 bar: 27.1/15.8 real, 27.2/15.4 ideal.
    const BlendReport topped =
        topUpReport(mixerOf({70, 18, 45, 37, 207, 0, 0, 0, 32}), "", metricRealGas());
    ASSERT_EQ(topped.outcome, Outcome::Plan);
    EXPECT_EQ(topped.requiredMix, std::optional<WholePercent>(WholePercent{27, 16, 57}));
    ASSERT_GE(topped.lines.size(), 8u);
    EXPECT_EQ(topped.lines[1], "Top Trimix 18/45 with Nitrox 32 to 207 bar");
    EXPECT_EQ(topped.lines[5], "Starting Trimix 18/45 bar should be 70");
    EXPECT_EQ(topped.lines[6], "Add Nitrox 32 until the gauge reads 207 bar");
    EXPECT_EQ(topped.lines.back(), "Ideal-gas figures would have given O2 27.2 %, He 15.4 %");
}

} // namespace
