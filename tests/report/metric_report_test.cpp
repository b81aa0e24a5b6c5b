// Bar and metres: the unit system's words, ranges and conversions, both reports' worked
// blends and stops, and the depth figures at 10 m of sea water to the atmosphere.
#include "report/blend_report.h"
#include "report/depth_figures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillan;
using namespace quillan::report;

namespace {

const std::string kSeparator(109, '-');
constexpr std::string_view kStamp = "06-Dec-2026  05:18 AM";

ReportOptions metric() {
    ReportOptions options;
    options.units = UnitSystem::BarAndMetres;
    return options;
}

// Starting bar, O2, He, N; required bar, O2, He, N; top-up O2.
Mixer mixerOf(std::array<std::int16_t, 9> v) {
    Mixer mixer;
    mixer.Load(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
    mixer.TopupMixFO2(v[8]);
    return mixer;
}

std::vector<std::string> afterHeading(const BlendReport& report) {
    if (report.lines.empty())
        return {};
    return {report.lines.begin() + 1, report.lines.end()};
}

TEST(UnitSystems, NamesWordsRangesAndScale) {
    struct Case {
        UnitSystem units;
        std::string_view name, pressure, depth;
        UnitRanges ranges;
        std::int16_t depthPerAtmosphere;
    };
    const Case cases[] = {
        {UnitSystem::PsiAndFeet, "imperial", "PSI", "fsw", {4000, 4500, 500, 100}, 33},
        {UnitSystem::BarAndMetres, "metric", "bar", "m", {275, 310, 152, 7}, 10},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(unitSystemName(c.units), c.name);
        EXPECT_EQ(unitSystemNamed(c.name), c.units);
        EXPECT_EQ(unitLabels(c.units).pressure, c.pressure);
        EXPECT_EQ(unitLabels(c.units).depth, c.depth);
        const UnitRanges ranges = unitRanges(c.units);
        EXPECT_EQ(ranges.maxStartingPressure, c.ranges.maxStartingPressure);
        EXPECT_EQ(ranges.maxRequiredPressure, c.ranges.maxRequiredPressure);
        EXPECT_EQ(ranges.maxDepth, c.ranges.maxDepth);
        EXPECT_EQ(ranges.nearlyEmptyPressure, c.ranges.nearlyEmptyPressure);
        EXPECT_EQ(seaWaterScale(c.units).depthPerAtmosphere, c.depthPerAtmosphere);
    }
    for (const char* unknown : {"", "Metric", "psi", "imperial "})
        EXPECT_FALSE(unitSystemNamed(unknown)) << unknown;
}

TEST(UnitSystems, Conversions) {
    constexpr auto psi = UnitSystem::PsiAndFeet;
    constexpr auto bar = UnitSystem::BarAndMetres;
    EXPECT_EQ(convertPressure(3000, psi, psi), 3000.0);
    EXPECT_EQ(convertPressure(207, bar, bar), 207.0);
    EXPECT_NEAR(convertPressure(3000, psi, bar), 206.84, 0.005);
    EXPECT_NEAR(convertPressure(200, bar, psi), 2900.76, 0.005);
    EXPECT_DOUBLE_EQ(convertPressure(1, bar, psi), 14.5038);
    // One atmosphere of sea water is 33 fsw or 10 m, so depths convert exactly.
    EXPECT_DOUBLE_EQ(convertDepth(132, psi, bar), 40.0);
    EXPECT_DOUBLE_EQ(convertDepth(40, bar, psi), 132.0);
    // Each range in bar or metres lies within what the PSI ranges allow, give or take the
    // rounding to whole units (152 m is 500 ft at 0.3048 m to the foot).
    const UnitRanges feet = unitRanges(psi), metres = unitRanges(bar);
    EXPECT_LE(convertPressure(metres.maxStartingPressure, bar, psi), feet.maxStartingPressure);
    EXPECT_LE(convertPressure(metres.maxRequiredPressure, bar, psi), feet.maxRequiredPressure);
    EXPECT_NEAR(metres.maxDepth, feet.maxDepth * 0.3048, 0.5);
}

struct MetricCase {
    const char* name;
    BlendReport (*make)(const Mixer&, std::string_view, const ReportOptions&);
    std::array<std::int16_t, 9> problem;
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
    EXPECT_EQ(afterHeading(report), c.lines);
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
        MetricCase{"DrainNitrox80",
                   requiredMixReport,
                   {70, 80, 0, 20, 200, 32, 0, 68, 21},
                   {"Calculate Nitrox 80 to Nitrox 32 by adding He, O2 and Air", kSeparator,
                    "Mixing", kSeparator, "Drain 32 bar from the starting Mix",
                    "Starting Nitrox 80 bar should be 38", "Add 162 bar of Air",
                    "Ending bar should be 200", "", "Final Mix: Nitrox 32", kSeparator, "MOD 40 m",
                    "PO2 1.60", "END 33 m"},
                   40},
        MetricCase{"RequiredPressureZero",
                   requiredMixReport,
                   {0, 0, 0, 0, 0, 32, 0, 68, 21},
                   {"Calculate [Empty cylinder] to [Empty cylinder] by adding He, O2 and Air",
                    kSeparator, "Target cylinder bar and fO2 are required values"},
                   std::nullopt},
        MetricCase{"SourceAsFullAsTarget",
                   requiredMixReport,
                   {200, 32, 0, 68, 200, 32, 0, 68, 21},
                   {"Calculate Nitrox 32 to Nitrox 32 by adding He, O2 and Air", kSeparator,
                    "Source bar = 200", "Target bar = 200",
                    "Target bar is less than or equal to the Source bar"},
                   std::nullopt},
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
                    "Mixing", kSeparator, "Starting Nitrox 5 bar should be 7", "Add 30 bar of O2",
                    "Add 163 bar of Air", "Ending bar should be 200", "", "Final Mix: Nitrox 32",
                    kSeparator, "MOD 40 m", "PO2 1.60", "END 33 m"},
                   40},
        MetricCase{"TopUpTrimix1820WithNitrox32",
                   topUpReport,
                   {7, 18, 20, 62, 200, 0, 0, 0, 32},
                   {"Top Trimix 18/20 with Nitrox 32 to 200 bar", kSeparator, "Mixing", kSeparator,
                    "Starting Trimix 18/20 bar should be 7", "Add 193 bar of Nitrox 32", "",
                    "Final Mix: Trimix 32/1", kSeparator, "MOD 40 m", "PO2 1.60", "END 33 m"},
                   40},
        MetricCase{"TopUpRequiredPressureZero",
                   topUpReport,
                   {0, 0, 0, 0, 0, 0, 0, 0, 21},
                   {"Top [Empty cylinder] with Air to 0 bar", kSeparator,
                    "Target cylinder bar is required"},
                   std::nullopt},
        MetricCase{"TopUpLowSourceO2",
                   topUpReport,
                   {8, 10, 0, 90, 200, 0, 0, 0, 21},
                   {"Top Nitrox 10 with Air to 200 bar", kSeparator, "Low source O2. Must be > 10"},
                   std::nullopt}));

TEST(MetricDepthFigures, AsTheDisplayShowsThem) {
    struct Case {
        MixPercentages mix;
        std::int16_t depth;
        const char* line;
    };
    const Case cases[] = {
        {{32, 0, 68}, 30, "At 30 m: END 24 m, PO2 1.28"},
        {{32, 0, 68}, 40, "At 40 m: END 33 m, PO2 1.60"},
        {{21, 0, 79}, 30, "At 30 m: END 30 m, PO2 0.84"},
        {{21, 35, 44}, 40, "At 40 m: END 18 m, PO2 1.05"},
        {{100, 0, 0}, 6, "At 6 m: END 0 m, PO2 1.60"},
        {{21, 0, 79}, 0, "At 0 m: END 0 m, PO2 0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(depthLine(figuresAtDepth(c.mix, c.depth, UnitSystem::BarAndMetres), metric()),
                  c.line)
            << c.line;
}

} // namespace
