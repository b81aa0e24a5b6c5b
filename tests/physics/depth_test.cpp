#include "engine/number_rules.h"
#include "physics/depth.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace quillan {
namespace {

struct ReferenceRow {
    std::int16_t o2;
    std::int16_t mod;
    double n;
    std::int16_t end;
    double po2;
};

class DepthReference : public ::testing::TestWithParam<ReferenceRow> {};

TEST_P(DepthReference, ModThenEndAndPo2AtThatDepth) {
    const ReferenceRow& row = GetParam();
    const std::int16_t mod = CalcMOD(row.o2);
    EXPECT_EQ(mod, row.mod);
    EXPECT_EQ(CalcEND(row.n, mod), row.end);
    EXPECT_DOUBLE_EQ(CalcPO2(row.o2, mod), row.po2);
}

INSTANTIATE_TEST_SUITE_P(Mixes, DepthReference,
                         ::testing::Values(ReferenceRow{21, 218, 79, 218, 251.0 / 33.0 * 0.21},
                                           ReferenceRow{21, 218, 44, 107, 251.0 / 33.0 * 0.21},
                                           ReferenceRow{32, 132, 68, 109, 1.6},
                                           // Rounded down: 113.67, 72.6 and 19.8 fsw.
                                           ReferenceRow{36, 113, 64, 85,
                                                        (113.0 / 33.0 + 1.0) * 0.36},
                                           ReferenceRow{50, 72, 50, 33, (72.0 / 33.0 + 1.0) * 0.5},
                                           ReferenceRow{100, 19, 0, 0, 19.0 / 33.0 + 1.0},
                                           ReferenceRow{10, 495, 20, 101, 1.6}));

TEST(CalcMOD, FailsOnlyWithoutOxygen) {
    EXPECT_EQ(CalcMOD(0), -1);
    EXPECT_EQ(CalcMOD(-1), -5313);
    EXPECT_EQ(CalcMOD(1), 5247);
    EXPECT_EQ(CalcMOD(32767), -33);
    EXPECT_EQ(CalcMOD(-32768), -34);
}

TEST(CalcATA, OneAtmospherePer33Feet) {
    EXPECT_EQ(CalcATA(0), 1.0);
    EXPECT_EQ(CalcATA(33), 2.0);
    EXPECT_EQ(CalcATA(99), 4.0);
    EXPECT_EQ(CalcATA(-33), 0.0);
}

struct EndCase {
    double n;
    std::int16_t depth;
    std::int16_t end;
};

class CalcENDCases : public ::testing::TestWithParam<EndCase> {};

TEST_P(CalcENDCases, ClampOrFail) {
    EXPECT_EQ(CalcEND(GetParam().n, GetParam().depth), GetParam().end);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, CalcENDCases,
    ::testing::Values(EndCase{79, 0, 0}, EndCase{79, -40, 0}, EndCase{100, 32734, -1},
                      EndCase{100, 32735, -1}, EndCase{79, 32734, 32734}, EndCase{0.79, 100, 100},
                      EndCase{79, -32768, 0}, EndCase{-79, 100, 0},
                      EndCase{std::numeric_limits<double>::quiet_NaN(), 0, -1}));

TEST(CalcEND, NoNitrogenIsZeroAtEveryDepth) {
    for (int depth = 0; depth <= 32734; ++depth) {
        ASSERT_EQ(CalcEND(0, static_cast<std::int16_t>(depth)), 0) << depth;
    }
}

TEST(CalcPO2, FractionsAndPercentagesAgree) {
    EXPECT_EQ(CalcPO2(0.32, 132), CalcPO2(32, 132));
    EXPECT_EQ(CalcPO2(0, 500), 0.0);
    EXPECT_EQ(CalcPO2(100, 0), 1.0);
    EXPECT_EQ(CalcPO2(std::numeric_limits<double>::infinity(), 0), -1.0);
    EXPECT_EQ(formatFixed2(CalcPO2(32, CalcMOD(32)), NumberLocale::classic()), "1.60");
    EXPECT_EQ(formatFixed2(CalcPO2(21, CalcMOD(21)), NumberLocale::classic()), "1.60");
}

// The same formulas with 10 m of sea water to the atmosphere.
class MetricDepthReference : public ::testing::TestWithParam<ReferenceRow> {};

TEST_P(MetricDepthReference, ModThenEndAndPo2AtThatDepth) {
    const ReferenceRow& row = GetParam();
    const std::int16_t mod = CalcMOD(row.o2, kMetresOfSeaWater);
    EXPECT_EQ(mod, row.mod);
    EXPECT_EQ(CalcEND(row.n, mod, kMetresOfSeaWater), row.end);
    EXPECT_DOUBLE_EQ(CalcPO2(row.o2, mod, kMetresOfSeaWater), row.po2);
}

INSTANTIATE_TEST_SUITE_P(Mixes, MetricDepthReference,
                         ::testing::Values(ReferenceRow{21, 66, 79, 66, 7.6 * 0.21},   // 66.19
                                           ReferenceRow{21, 66, 44, 32, 7.6 * 0.21},   // 32.33
                                           ReferenceRow{32, 40, 68, 33, 1.6},          // 33.04
                                           ReferenceRow{36, 34, 64, 26, 4.4 * 0.36},   // 25.65
                                           ReferenceRow{50, 22, 50, 10, 1.6},          // 10.25
                                           ReferenceRow{100, 6, 0, 0, 1.6},            // -10
                                           ReferenceRow{18, 78, 82, 81, 8.8 * 0.18},   // 78.9
                                           ReferenceRow{15, 96, 85, 104, 10.6 * 0.15}, // 96.7
                                           ReferenceRow{10, 150, 20, 31, 1.6}));       // 30.51

TEST(MetricDepth, SameFailuresAndClampAsInFeet) {
    EXPECT_EQ(CalcMOD(0, kMetresOfSeaWater), -1);
    EXPECT_EQ(CalcMOD(-1, kMetresOfSeaWater), -1610);
    EXPECT_EQ(CalcATA(0, kMetresOfSeaWater), 1.0);
    EXPECT_EQ(CalcATA(10, kMetresOfSeaWater), 2.0);
    EXPECT_EQ(CalcATA(30, kMetresOfSeaWater), 4.0);
    EXPECT_EQ(CalcEND(79, -40, kMetresOfSeaWater), 0);
    EXPECT_EQ(CalcEND(0, 152, kMetresOfSeaWater), 0);
    // depth + 10 overflows 16 bits from 32758 on; below that the result does not fit.
    EXPECT_EQ(CalcEND(79, 32757, kMetresOfSeaWater), 32757);
    EXPECT_EQ(CalcEND(100, 32757, kMetresOfSeaWater), -1);
    EXPECT_EQ(CalcEND(79, 32758, kMetresOfSeaWater), -1);
    EXPECT_EQ(CalcPO2(std::numeric_limits<double>::infinity(), 0, kMetresOfSeaWater), -1.0);
}

} // namespace
} // namespace quillan
