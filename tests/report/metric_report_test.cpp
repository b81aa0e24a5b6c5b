// Both reports in bar and metres: the worked blends, the stops in bar wording, and the
// nearly-empty source at 7 bar where it is 100 PSI.
#include "report/blend_report.h"
#include "report_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillan;
using namespace quillan::report;
using namespace quillan::report::test;

namespace {

ReportOptions metric() {
    ReportOptions options;
    options.units = UnitSystem::BarAndMetres;
    return options;
}

std::vector<std::string> afterDateLine(const BlendReport& report) {
    if (report.lines.empty())
        return {};
    return {report.lines.begin() + 1, report.lines.end()};
}

struct MetricCase {
    const char* name;
    BlendReport (*make)(const Mixer&, std::string_view, const ReportOptions&);
    Problem problem;
    std::vector<std::string> lines; // after the date line
    std::optional<std::int16_t> targetDepth;
};

void PrintTo(const MetricCase& c, std::ostream* out) {
    *out << c.name;
}

class MetricReport : public testing::TestWithParam<MetricCase> {};

TEST_P(MetricReport, LinesAndTargetDepth) {
    const MetricCase& c = GetParam();
    const BlendReport report = c.make(mixerOf(c.problem), kStamp, metric());
    EXPECT_EQ(afterDateLine(report), c.lines);
    EXPECT_EQ(report.targetDepth, c.targetDepth);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedBlends, MetricReport,
    testing::Values(
        MetricCase{"Ean32FromEmpty",
                   requiredMixReport,
                   {0, 0, 0, 0, 200, 32, 0, 68, 21},
                   {"Calculate [Empty cylinder] to Nitrox 32 by adding He, O2 and Air", kSeparator,
                    "Mixing", kSeparator, "Starting [Empty cylinder] bar should be 0",
                    "Add 28 bar of O2", "Add 172 bar of Air", "Ending bar should be 200", "",
                    "Final Mix: Nitrox 32", kSeparator, "MOD 40 m", "PO2 1.60", "END 33 m"},
                   40},
        MetricCase{"Trimix2135FromEmpty",
                   requiredMixReport,
                   {0, 0, 0, 0, 200, 21, 35, 44, 21},
                   {"Calculate [Empty cylinder] to Trimix 21/35 by adding He, O2 and Air",
                    kSeparator, "Mixing", kSeparator, "Starting [Empty cylinder] bar should be 0",
                    "Add 70 bar of He", "Add 19 bar of O2", "Add 111 bar of Air",
                    "Ending bar should be 200", "", "Final Mix: Trimix 21/35", kSeparator,
                    "MOD 66 m", "PO2 1.60", "END 32 m"},
                   66},
        // Drained to 172.15 bar and filled with 27.85 bar of oxygen and 0.07 of air: the
        // whole-bar readings closest to that add no air.
        MetricCase{"FullCylinderReblended",
                   requiredMixReport,
                   {200, 21, 0, 79, 200, 32, 0, 68, 21},
                   {"Calculate Air to Nitrox 32 by adding He, O2 and Air", kSeparator,
                    "Source bar = 200", "Target bar = 200",
                    "Target bar is less than or equal to the Source bar", "Mixing", kSeparator,
                    "Drain 28 bar from the starting Mix", "Starting Air bar should be 172",
                    "Add 28 bar of O2", "Ending bar should be 200", "", "Final Mix: Nitrox 32",
                    kSeparator, "MOD 40 m", "PO2 1.60", "END 33 m"},
                   40},
        // 100 PSI is about 7 bar: above it a hypoxic source is refused, at it any passes.
        MetricCase{"LowSourceO2Above7Bar",
                   requiredMixReport,
                   {8, 10, 0, 90, 200, 32, 0, 68, 21},
                   {"Calculate Nitrox 10 to Nitrox 32 by adding He, O2 and Air", kSeparator,
                    "Low source O2. Must be > 10"},
                   std::nullopt},
        MetricCase{"AnySourceO2At7Bar",
                   requiredMixReport,
                   {7, 5, 0, 95, 200, 32, 0, 68, 21},
                   {"Calculate Nitrox 5 to Nitrox 32 by adding He, O2 and Air", kSeparator,
                    "Mixing", kSeparator, "Starting Nitrox 5 bar should be 7", "Add 29 bar of O2",
                    "Add 164 bar of Air", "Ending bar should be 200", "", "Final Mix: Nitrox 32",
                    kSeparator, "MOD 40 m", "PO2 1.60", "END 33 m"},
                   40},
        MetricCase{"TopUpTrimix1820WithNitrox32",
                   topUpReport,
                   {7, 18, 20, 62, 200, 0, 0, 0, 32},
                   {"Top Trimix 18/20 with Nitrox 32 to 200 bar", kSeparator, "Mixing", kSeparator,
                    "Starting Trimix 18/20 bar should be 7", "Add 193 bar of Nitrox 32", "",
                    "Final Mix: Trimix 32/1", kSeparator, "MOD 40 m", "PO2 1.60", "END 32 m"},
                   40}));

} // namespace

namespace {

// Top-ups in bar worked on unrounded pressures: the mix the cylinder really holds, to the
// nearest percent, adding up to 100.
struct MetricTopUp {
    const char* name;
    Problem problem;
    WholePercent mix;
};

class MetricTopUpMix : public testing::TestWithParam<MetricTopUp> {};

TEST_P(MetricTopUpMix, IsWhatTheCylinderHolds) {
    const BlendReport report = topUpReport(mixerOf(GetParam().problem), kStamp, metric());
    ASSERT_TRUE(report.plan);
    EXPECT_EQ(report.plan->finalMix, GetParam().mix);
}

INSTANTIATE_TEST_SUITE_P(
    ByHand, MetricTopUpMix,
    testing::Values(
        MetricTopUp{"Nitrox36With32To200", {14, 36, 0, 64, 200, 0, 0, 0, 32}, {32, 0, 68}}, // 32.28
        MetricTopUp{
            "Nitrox50WithAirTo200", {66, 50, 0, 50, 200, 0, 0, 0, 21}, {31, 0, 69}}, // 30.57
        MetricTopUp{"AirWithAirTo2", {1, 21, 0, 79, 2, 0, 0, 0, 21}, {21, 0, 79}},
        MetricTopUp{"EmptyWithNitrox50To3", {0, 0, 0, 0, 3, 0, 0, 0, 50}, {50, 0, 50}},
        MetricTopUp{
            "NoOxygenWithNitrox32To15", {1, 0, 0, 0, 15, 0, 0, 0, 32}, {30, 0, 70}}), // 29.87
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
