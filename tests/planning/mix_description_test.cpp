#include "planning/mixer.h"
#include "quantities/gas_names.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <string>

namespace quillan {
namespace {

struct CylinderNameCase {
    std::array<std::int16_t, 4> cylinder; // PSI, O2 %, He %, N %
    std::string name;
};

class CylinderNames : public ::testing::TestWithParam<CylinderNameCase> {};

// The same cylinder must get the same name as source (0) and as target (1).
TEST_P(CylinderNames, ForSourceAndTarget) {
    const auto& [c, name] = GetParam();
    Mixer asSource;
    asSource.Load(c[0], c[1], c[2], c[3], 3000, 99, 99, 99);
    EXPECT_EQ(asSource.GetMixDescription(0), name);
    Mixer asTarget;
    asTarget.Load(3000, 99, 99, 99, c[0], c[1], c[2], c[3]);
    EXPECT_EQ(asTarget.GetMixDescription(1), name);
}

INSTANTIATE_TEST_SUITE_P(Cylinders, CylinderNames,
                         ::testing::Values(CylinderNameCase{{0, 21, 0, 79}, "[Empty cylinder]"},
                                           CylinderNameCase{{0, 32, 40, 28}, "[Empty cylinder]"},
                                           CylinderNameCase{{3000, 21, 35, 44}, "Trimix 21/35"},
                                           CylinderNameCase{{3000, 32, 0, 68}, "Nitrox 32"},
                                           CylinderNameCase{{3000, 21, 0, 79}, "Air"},
                                           CylinderNameCase{{3000, 21, 0, 50}, "Air"},
                                           CylinderNameCase{{3000, 0, 100, 0}, "Trimix 0/100"},
                                           CylinderNameCase{{3000, 21, -5, 84}, "Air"},
                                           CylinderNameCase{{3000, 40, -5, 65}, "Nitrox 40"},
                                           CylinderNameCase{{-1, -7, 0, 0}, "Nitrox -7"},
                                           CylinderNameCase{{1, 100, 0, 0}, "Nitrox 100"}));

struct TopupNameCase {
    std::int16_t topupO2;
    std::string name;
};

class TopupNames : public ::testing::TestWithParam<TopupNameCase> {};

TEST_P(TopupNames, FromTopupMixFO2) {
    Mixer mixer;
    mixer.Load(3000, 21, 0, 79, 3000, 21, 0, 79);
    mixer.TopupMixFO2(GetParam().topupO2);
    EXPECT_EQ(mixer.GetMixDescription(2), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Values, TopupNames,
                         ::testing::Values(TopupNameCase{21, "Air"}, TopupNameCase{32, "Nitrox 32"},
                                           TopupNameCase{0, "Nitrox 0"},
                                           TopupNameCase{-32768, "Nitrox -32768"}));

TEST(GetMixDescription, OtherCodesGiveEmptyText) {
    Mixer mixer;
    mixer.Load(3000, 21, 0, 79, 3000, 21, 0, 79);
    mixer.TopupMixFO2(21);
    for (const std::int32_t code : {3, -1, std::numeric_limits<std::int32_t>::max(),
                                    std::numeric_limits<std::int32_t>::min()}) {
        EXPECT_EQ(mixer.GetMixDescription(code), "") << code;
    }
}

struct GasNameCase {
    double o2;
    std::string name;
};

class GasNames : public ::testing::TestWithParam<GasNameCase> {};

TEST_P(GasNames, FromPercentageOrFraction) {
    EXPECT_EQ(GetGasName(GetParam().o2), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GasNames,
    ::testing::Values(GasNameCase{21, "Air"}, GasNameCase{32, "Nitrox 32"},
                      GasNameCase{0.32, "Nitrox 32"}, GasNameCase{0, "Nitrox 0"},
                      GasNameCase{100, "Nitrox 100"}, GasNameCase{0.21, "Nitrox 21"},
                      GasNameCase{21.4, "Nitrox 21"}, GasNameCase{1, "Nitrox 1"},
                      GasNameCase{0.325, "Nitrox 32"}, GasNameCase{32.5, "Nitrox 32"},
                      GasNameCase{33.5, "Nitrox 34"}, GasNameCase{-5, "Nitrox -5"},
                      GasNameCase{40000, "Error"}, GasNameCase{-40000, "Error"},
                      GasNameCase{std::numeric_limits<double>::quiet_NaN(), "Error"},
                      GasNameCase{std::numeric_limits<double>::infinity(), "Error"}));

} // namespace
} // namespace quillan
