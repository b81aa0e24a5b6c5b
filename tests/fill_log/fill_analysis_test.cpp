// What an analyser's reading says about a fill, and the label and correcting plan made
// from it.
#include "fill_log/cylinder_label.h"
#include "fill_log/fill_analysis.h"
#include "fill_log/fill_store.h"
#include "fill_log_test_support.h"

namespace quillan::filllog::test {
namespace {

struct Reading {
    const char* units;
    double o2;
    double he;
    double tolerance;
    bool within;
    int modAt14;
    int modAt16;
};

class AnalysedFiguresTest : public ::testing::TestWithParam<Reading> {};

TEST_P(AnalysedFiguresTest, JudgesTheMixAndItsDepths) {
    const Reading r = GetParam();
    FillRecord fill = plainFill();
    fill.plan.units = r.units;
    const AnalysedFigures figures = analysedFigures(fill, {r.o2, r.he, "Cy", ""}, r.tolerance);
    EXPECT_EQ(figures.withinTolerance, r.within);
    EXPECT_EQ(figures.modAt14, r.modAt14);
    EXPECT_EQ(figures.modAt16, r.modAt16);
}

// Required Nitrox 32. The MOD comes from the O2 rounded up: 31.2 is taken as 32, never 31.
INSTANTIATE_TEST_SUITE_P(Readings, AnalysedFiguresTest,
                         ::testing::Values(Reading{"imperial", 31.8, 0.0, 1.0, true, 111, 132},
                                           Reading{"imperial", 31.0, 0.0, 1.0, true, 116, 137},
                                           Reading{"imperial", 30.9, 0.0, 1.0, false, 116, 137},
                                           Reading{"imperial", 33.0, 1.5, 1.0, false, 107, 127},
                                           Reading{"imperial", 32.4, 0.0, 0.3, false, 107, 127},
                                           Reading{"metric", 31.2, 0.0, 1.0, true, 33, 40}));

TEST(AnalysedDensity, IsTheGasAtItsMod) {
    const AnalysedFigures figures = analysedFigures(plainFill(), {32.0, 0.0, "Cy", ""}, 1.0);
    ASSERT_TRUE(figures.densityAtMod14);
    EXPECT_NEAR(*figures.densityAtMod14, 5.31, 0.02); // 4.42 bar of EAN32 at 20 °C
}

TEST(CorrectingPlan, StartsFromTheAnalysedGasAndMakesTheRequiredMix) {
    const report::BlendReport plan = correctingPlan(plainFill(), {29.6, 0.0, "Cy", ""}, "");
    ASSERT_EQ(plan.outcome, report::Outcome::Plan);
    EXPECT_EQ(plan.plan->finalMix, (WholePercent{32, 0, 68}));
    EXPECT_GT(plan.plan->drain, 0.0); // a full cylinder must lose gas to take oxygen
}

TEST(CylinderLabel, ShowsTheAnalysedMixNotThePlannedOne) {
    FillRecord fill = plainFill();
    EXPECT_THROW(cylinderLabel(fill), BadFill);
    fill.analysis = Analysis{35.6, 0.0, "Cy", "2024-07-08T09:10:11Z"};
    const CylinderLabel label = cylinderLabel(fill);
    EXPECT_EQ(label.mix, "Nitrox 36");
    EXPECT_EQ(label.details[0], "MOD 95 fsw (PO2 1.4)   113 fsw (PO2 1.6)");
    EXPECT_EQ(label.details[2], "Analyst Cy   2024-07-08");
}

} // namespace
} // namespace quillan::filllog::test
