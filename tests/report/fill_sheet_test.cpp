// The fill sheet after a plan: only with a cylinder, the safety lines, the test-pressure refusal
// and what the least-drain plan would save.
#include "quantities/cylinder_library.h"
#include "report/blend_report.h"
#include "report_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quillan;
using namespace quillan::report;
using namespace quillan::report::test;

namespace {

bool has(const BlendReport& report, const std::string& line) {
    return std::find(report.lines.begin(), report.lines.end(), line) != report.lines.end();
}

ReportOptions withCylinder(const char* name) {
    ReportOptions options;
    options.cylinder = cylinderNamed(name, options.units);
    options.prices = Prices{0.5, 0.5, 0.0};
    return options;
}

TEST(FillSheet, SafetyLinesAndLimits) {
    // 4500 PSI is 1.5 x the AL80's 3000: past its working pressure, at its test pressure.
    const BlendReport full =
        requiredMixReport(mixerOf({0, 0, 0, 0, 4500, 32, 0, 68, 21}), kStamp, withCylinder("AL80"));
    ASSERT_EQ(full.outcome, Outcome::Plan);
    EXPECT_TRUE(has(full, "The cylinder and valve must be oxygen clean"));
    EXPECT_TRUE(has(full, "Warning: The fill reaches 4500 PSI, above the cylinder's working "
                          "pressure of 3000 PSI"));
    // Air alone adds no oxygen and stays under 40 %: no oxygen-clean line.
    const BlendReport air =
        topUpReport(mixerOf({0, 0, 0, 0, 3000, 0, 0, 0, 21}), kStamp, withCylinder("AL80"));
    EXPECT_FALSE(has(air, "The cylinder and valve must be oxygen clean"));
    // Past the test pressure the fill is refused.
    const BlendReport refused =
        requiredMixReport(mixerOf({0, 0, 0, 0, 4500, 32, 0, 68, 21}), kStamp, withCylinder("LP85"));
    EXPECT_EQ(refused.outcome, Outcome::NotPossible);
    EXPECT_EQ(refused.whyNot,
              "Refused: the fill would take the cylinder past its test pressure of 3960 PSI");
}

TEST(FillSheet, LeastDrainSavingOnlyWhereThePlansDiffer) {
    const Problem wasteful{3931, 57, 34, 9, 4446, 31, 62, 7, 47};
    const BlendReport classic = requiredMixReport(mixerOf(wasteful), kStamp, withCylinder("HP120"));
    ASSERT_TRUE(classic.sheet && classic.sheet->leastDrainSaving);
    EXPECT_GT(*classic.sheet->leastDrainSaving, 0.0);
    ReportOptions least = withCylinder("HP120");
    least.leastDrain = true;
    EXPECT_FALSE(requiredMixReport(mixerOf(wasteful), kStamp, least).sheet->leastDrainSaving);
    // Without a cylinder there is no sheet: the classic lines, which the sheet only follows.
    const BlendReport plain = requiredMixReport(mixerOf(wasteful), kStamp, {});
    EXPECT_FALSE(plain.sheet);
    ASSERT_LT(plain.lines.size(), classic.lines.size());
    EXPECT_TRUE(std::equal(plain.lines.begin(), plain.lines.end(), classic.lines.begin()));
}

} // namespace
