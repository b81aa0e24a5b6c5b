// Both commands' reports as the window shows them: the worked blends, the stops before
// blending, and failures that keep the lines made before them.
#include "report/blend_report.h"
#include "report_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillan;
using namespace quillan::report;
using namespace quillan::report::test;

namespace {

std::vector<std::string> mixing(std::vector<std::string> steps) {
    steps.insert(steps.begin(), {"Mixing", kSeparator});
    return steps;
}

std::vector<std::string> afterHeading(const BlendReport& report) {
    EXPECT_FALSE(report.lines.empty());
    if (report.lines.empty())
        return {};
    EXPECT_EQ(report.lines.front(), "Mix Calculation " + std::string(kStamp));
    return {report.lines.begin() + 1, report.lines.end()};
}

struct ReportCase {
    const char* name;
    Problem problem;
    std::vector<std::string> lines; // after the date line
    Outcome outcome;
    std::optional<std::int16_t> targetDepth;
};

void PrintTo(const ReportCase& c, std::ostream* out) {
    *out << c.name;
}

class RequiredMixReport : public testing::TestWithParam<ReportCase> {};

TEST_P(RequiredMixReport, LinesOutcomeAndTargetDepth) {
    const ReportCase& c = GetParam();
    const BlendReport report = requiredMixReport(mixerOf(c.problem), kStamp, {});
    EXPECT_EQ(afterHeading(report), c.lines);
    EXPECT_EQ(report.outcome, c.outcome);
    EXPECT_EQ(report.targetDepth, c.targetDepth);
    EXPECT_EQ(report.plan.has_value(), c.outcome == Outcome::Plan);
    EXPECT_FALSE(report.requiredMix); // this command never rewrites the required mix
    if (c.outcome == Outcome::NotPossible) {
        EXPECT_EQ(report.whyNot, report.lines.back());
    }
}

INSTANTIATE_TEST_SUITE_P(
    WorkedBlends, RequiredMixReport,
    testing::Values(
        ReportCase{"Ean32FromEmpty",
                   {{0, 0, 0, 0, 3000, 32, 0, 68, 21}},
                   [] {
                       std::vector<std::string> l{
                           "Calculate [Empty cylinder] to Nitrox 32 by adding He, O2 and Air",
                           kSeparator};
                       auto m = mixing({"Starting [Empty cylinder] PSI should be 0",
                                        "Add 418 PSI of O2", "Add 2582 PSI of Air",
                                        "Ending PSI should be 3000", "", "Final Mix: Nitrox 32",
                                        kSeparator, "MOD 132 fsw", "PO2 1.60", "END 109 fsw"});
                       l.insert(l.end(), m.begin(), m.end());
                       return l;
                   }(),
                   Outcome::Plan,
                   132},
        ReportCase{"DrainNitrox80",
                   {{1000, 80, 0, 20, 3000, 32, 0, 68, 21}},
                   [] {
                       std::vector<std::string> l{
                           "Calculate Nitrox 80 to Nitrox 32 by adding He, O2 and Air", kSeparator};
                       auto m =
                           mixing({"Drain 441 PSI from the starting Mix",
                                   "Starting Nitrox 80 PSI should be 559", "Add 2441 PSI of Air",
                                   "Ending PSI should be 3000", "", "Final Mix: Nitrox 32",
                                   kSeparator, "MOD 132 fsw", "PO2 1.60", "END 109 fsw"});
                       l.insert(l.end(), m.begin(), m.end());
                       return l;
                   }(),
                   Outcome::Plan,
                   132},
        ReportCase{"Trimix2135FromEmpty",
                   {{0, 0, 0, 0, 3000, 21, 35, 44, 21}},
                   [] {
                       std::vector<std::string> l{
                           "Calculate [Empty cylinder] to Trimix 21/35 by adding He, O2 and Air",
                           kSeparator};
                       auto m =
                           mixing({"Starting [Empty cylinder] PSI should be 0",
                                   "Add 1050 PSI of He", "Add 279 PSI of O2", "Add 1671 PSI of Air",
                                   "Ending PSI should be 3000", "", "Final Mix: Trimix 21/35",
                                   kSeparator, "MOD 218 fsw", "PO2 1.60", "END 107 fsw"});
                       l.insert(l.end(), m.begin(), m.end());
                       return l;
                   }(),
                   Outcome::Plan,
                   218},
        ReportCase{"RequiredPressureZero",
                   {{0, 0, 0, 0, 0, 32, 0, 68, 21}},
                   {"Calculate [Empty cylinder] to [Empty cylinder] by adding He, O2 and Air",
                    kSeparator, "Target cylinder PSI and fO2 are required values"},
                   Outcome::NotPossible,
                   std::nullopt},
        // Already the required mix: nothing to blend.
        ReportCase{"SourceAlreadyTheRequiredMix",
                   {{3000, 32, 0, 68, 3000, 32, 0, 68, 21}},
                   {"Calculate Nitrox 32 to Nitrox 32 by adding He, O2 and Air", kSeparator,
                    "Source PSI = 3000", "Target PSI = 3000",
                    "Target PSI is less than or equal to the Source PSI", "Mixing", kSeparator,
                    "Starting Nitrox 32 PSI should be 3000",
                    "Nothing to add: the starting Mix is already Nitrox 32", "",
                    "Final Mix: Nitrox 32", kSeparator, "MOD 132 fsw", "PO2 1.60", "END 109 fsw"},
                   Outcome::Plan,
                   132},
        ReportCase{"LowSourceO2",
                   {{200, 10, 0, 90, 3000, 32, 0, 68, 21}},
                   {"Calculate Nitrox 10 to Nitrox 32 by adding He, O2 and Air", kSeparator,
                    "Low source O2. Must be > 10"},
                   Outcome::NotPossible,
                   std::nullopt},
        ReportCase{"TopUpTooRichForEan32",
                   {{0, 0, 0, 0, 3000, 32, 0, 68, 36}},
                   {"Calculate [Empty cylinder] to Nitrox 32 by adding He, O2 and Nitrox 36",
                    kSeparator, "Mix can't be created using current parameters"},
                   Outcome::NotPossible,
                   132}));

class TopUpReport : public testing::TestWithParam<ReportCase> {};

TEST_P(TopUpReport, LinesOutcomeAndTargetDepth) {
    const ReportCase& c = GetParam();
    const BlendReport report = topUpReport(mixerOf(c.problem), kStamp, {});
    EXPECT_EQ(afterHeading(report), c.lines);
    EXPECT_EQ(report.outcome, c.outcome);
    EXPECT_EQ(report.targetDepth, c.targetDepth);
    EXPECT_EQ(report.requiredMix.has_value(), c.outcome == Outcome::Plan);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedBlends, TopUpReport,
    testing::Values(
        ReportCase{"Trimix1820WithNitrox32",
                   {{100, 18, 20, 62, 3000, 0, 0, 0, 32}},
                   [] {
                       std::vector<std::string> l{"Top Trimix 18/20 with Nitrox 32 to 3000 PSI",
                                                  kSeparator};
                       auto m = mixing({"Starting Trimix 18/20 PSI should be 100",
                                        "Add 2900 PSI of Nitrox 32", "", "Final Mix: Trimix 32/1",
                                        kSeparator, "MOD 132 fsw", "PO2 1.60", "END 107 fsw"});
                       l.insert(l.end(), m.begin(), m.end());
                       return l;
                   }(),
                   Outcome::Plan,
                   132},
        ReportCase{
            "EmptyWithAir",
            {{0, 0, 0, 0, 3000, 32, 0, 68, 21}},
            [] {
                std::vector<std::string> l{"Top [Empty cylinder] with Air to 3000 PSI", kSeparator};
                auto m = mixing({"Starting [Empty cylinder] PSI should be 0", "Add 3000 PSI of Air",
                                 "", "Final Mix: Air", kSeparator, "MOD 218 fsw", "PO2 1.60",
                                 "END 218 fsw"});
                l.insert(l.end(), m.begin(), m.end());
                return l;
            }(),
            Outcome::Plan,
            218},
        ReportCase{"RequiredPressureZero",
                   {{0, 0, 0, 0, 0, 32, 0, 68, 21}},
                   {"Top [Empty cylinder] with Air to 0 PSI", kSeparator,
                    "Target cylinder PSI is required"},
                   Outcome::NotPossible,
                   std::nullopt},
        ReportCase{"SourceAsFullAsTarget",
                   {{3000, 32, 0, 68, 3000, 32, 0, 68, 21}},
                   {"Top Nitrox 32 with Air to 3000 PSI", kSeparator, "Source PSI = 3000",
                    "Target PSI = 3000", "Target PSI is less than or equal to the Source PSI", "",
                    "End Calculation", "", "Mixing", kSeparator,
                    "Starting Nitrox 32 PSI should be 3000",
                    "Nothing to add: the starting Mix is already Nitrox 32", "",
                    "Final Mix: Nitrox 32", kSeparator, "MOD 132 fsw", "PO2 1.60", "END 109 fsw"},
                   Outcome::Plan,
                   132}));

TEST(TopUpReport, FinalMixIsWrittenBackAddingUpTo100) {
    // 31.84 % O2 and 0.6 % He: nitrogen is what the two rounded figures leave.
    const BlendReport report =
        topUpReport(mixerOf({{100, 18, 20, 62, 3000, 0, 0, 0, 32}}), kStamp, {});
    ASSERT_TRUE(report.requiredMix);
    EXPECT_EQ(*report.requiredMix, (WholePercent{32, 1, 67}));
    EXPECT_EQ(report.depthMix, report.requiredMix);
    ASSERT_TRUE(report.plan);
    EXPECT_EQ(report.plan->topUp, 2900);
    EXPECT_EQ(report.plan->finalMixName, "Trimix 32/1");
}

// A run-time error ends the report with the lines made so far and the error as a value.
TEST(ReportFailure, KeepsLinesMadeBeforeIt) {
    struct Case {
        BlendReport (*make)(const Mixer&, std::string_view, const ReportOptions&);
        Problem problem;
        std::int32_t number;
    };
    const Case cases[] = {
        // The solver refuses a top-up gas outside 21..100.
        {requiredMixReport, {{0, 0, 0, 0, 3000, 32, 0, 68, 15}}, kErrApplication},
        // The top-up gas's oxygen does not fit 16 bits.
        {topUpReport, {{0, 0, 0, 0, 3000, 0, 0, 0, 32767}}, kErrOverflow},
    };
    for (const Case& c : cases) {
        const BlendReport report = c.make(mixerOf(c.problem), kStamp, {});
        EXPECT_EQ(report.outcome, Outcome::Failed);
        ASSERT_TRUE(report.error);
        EXPECT_EQ(report.error->number, c.number);
        EXPECT_FALSE(report.error->description.empty());
        EXPECT_EQ(report.lines.size(), 3u);
        EXPECT_EQ(report.lines.back(), kSeparator);
        EXPECT_EQ(report.step, "Loading Mix Array");
        EXPECT_FALSE(report.plan || report.targetDepth || report.requiredMix || report.depthMix);
    }
    EXPECT_EQ(errorAtLine(kLoadingStep), "Error at Loading Mix Array");
}

TEST(ReportOptionsTest, PO2UsesTheGivenDecimalSeparator) {
    ReportOptions options;
    options.numbers = NumberLocale{",", "."};
    const BlendReport report =
        requiredMixReport(mixerOf({{0, 0, 0, 0, 3000, 32, 0, 68, 21}}), kStamp, options);
    ASSERT_GE(report.lines.size(), 2u);
    EXPECT_EQ(report.lines[report.lines.size() - 2], "PO2 1,60");
}

} // namespace
