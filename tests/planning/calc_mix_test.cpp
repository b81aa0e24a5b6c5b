#include "engine/runtime_error.h"
#include "error_matchers.h"
#include "planning/exact_blend.h"
#include "planning/mixer.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <ostream>

namespace quillan {
namespace {

using test::expectClassicError;
using test::expectRuntimeError;

// A cylinder as PSI, O2 %, He %, N %.
using CylinderFigures = std::array<std::int16_t, 4>;

Mixer makeMixer(const CylinderFigures& source, const CylinderFigures& target,
                std::int16_t topupO2) {
    Mixer mixer;
    mixer.Load(source[0], source[1], source[2], source[3], target[0], target[1], target[2],
               target[3]);
    mixer.TopupMixFO2(topupO2);
    return mixer;
}

void expectNoQuantities(const Mixer& mixer) {
    EXPECT_EQ(mixer.DrainAmount(), 0);
    EXPECT_EQ(mixer.AddHePSI(), 0);
    EXPECT_EQ(mixer.AddO2PSI(), 0);
    EXPECT_EQ(mixer.TopupMixPSI(), 0);
}

struct BlendCase {
    const char* name;
    CylinderFigures source;
    CylinderFigures target;
    std::int16_t topupO2;
    std::int16_t drain;
    std::int16_t helium;
    std::int16_t oxygen;
    std::int16_t topup;
};

void PrintTo(const BlendCase& blend, std::ostream* out) {
    *out << blend.name;
}

class SolvedBlends : public ::testing::TestWithParam<BlendCase> {};

TEST_P(SolvedBlends, GiveAllFourQuantities) {
    const BlendCase& blend = GetParam();
    Mixer mixer = makeMixer(blend.source, blend.target, blend.topupO2);
    ASSERT_TRUE(mixer.CalcMix()) << mixer.ErrDesc();
    EXPECT_EQ(mixer.DrainAmount(), blend.drain);
    EXPECT_EQ(mixer.AddHePSI(), blend.helium);
    EXPECT_EQ(mixer.AddO2PSI(), blend.oxygen);
    EXPECT_EQ(mixer.TopupMixPSI(), blend.topup);
    EXPECT_EQ(mixer.ErrDesc(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Worked, SolvedBlends,
    ::testing::Values(
        BlendCase{"Nitrox32FromEmpty", {0, 0, 0, 0}, {3000, 32, 0, 68}, 21, 0, 0, 418, 2582},
        BlendCase{"TrimixFromEmpty", {0, 0, 0, 0}, {3000, 21, 35, 44}, 21, 0, 1050, 279, 1671},
        BlendCase{"Nitrox32OnNitrox32", {500, 32, 0, 68}, {3000, 32, 0, 68}, 21, 0, 0, 348, 2152},
        BlendCase{"HeliumSourceFullyReleased",
                  {500, 21, 35, 44},
                  {3000, 32, 0, 68},
                  21,
                  500,
                  0,
                  418,
                  2582},
        BlendCase{
            "SixPassesFromNitrox80", {1000, 80, 0, 20}, {3000, 32, 0, 68}, 21, 441, 0, 0, 2441},
        BlendCase{"TopOffNitrox32", {2500, 32, 0, 68}, {3000, 32, 0, 68}, 21, 0, 0, 70, 430},
        // Helium-rich source: ten passes drain it down to 1001 PSI.
        BlendCase{"HeliumRichSource", {2000, 21, 50, 29}, {2500, 21, 20, 59}, 21, 999, 0, 0, 1499},
        // The target wants no helium: the whole source goes, even one the table cannot weigh.
        BlendCase{"OverfullHeliumSourceReleased",
                  {30000, 150, 10, 0},
                  {3000, 32, 0, 68},
                  21,
                  30000,
                  0,
                  418,
                  2582},
        BlendCase{"Nitrox36TopupGas", {0, 0, 0, 0}, {3000, 40, 0, 60}, 36, 0, 0, 188, 2812}));

// Blends the pass loop cannot settle (false, its pass limit, or 6 / 11 from its arithmetic) and
// the exact solve plans with the least drain.
INSTANTIATE_TEST_SUITE_P(
    Rescued, SolvedBlends,
    ::testing::Values(
        // The loop never drains for a top-up below 1 PSI: least drain 785.8 PSI.
        BlendCase{
            "AirToNitrox50OnePSIOfAir", {3000, 21, 0, 79}, {3500, 50, 0, 50}, 21, 786, 0, 1285, 1},
        // The loop stops at its pass limit with oxygen -1001: 50 PSI of the source may stay.
        BlendCase{"PassLimitNitrox80ToTrimix10_60",
                  {1500, 80, 20, 0},
                  {2000, 10, 60, 30},
                  21,
                  1450,
                  1190,
                  1,
                  759},
        // The loop rounds its oxygen to -1 after the release and then has nothing left to drain.
        BlendCase{"HeliumRichSourceReleasedWhole",
                  {1509, 14, 85, 1},
                  {4395, 31, 0, 69},
                  31,
                  1509,
                  0,
                  0,
                  4395},
        // Any Nitrox 78 kept makes the target richer than its top-up gas: everything goes.
        BlendCase{"Nitrox78DrainedCompletely",
                  {1255, 78, 0, 22},
                  {2012, 28, 0, 72},
                  28,
                  1255,
                  0,
                  0,
                  2012},
        BlendCase{"LoopDividesByZero", {1603, 99, 1, 0}, {1624, 49, 26, 25}, 42, 1097, 417, 1, 700},
        BlendCase{"LoopOverflows", {1413, 61, 18, 21}, {1463, 32, 44, 24}, 44, 981, 566, 0, 465}));

struct ImpossibleCase {
    const char* name;
    CylinderFigures source;
    CylinderFigures target;
    std::int16_t topupO2;
};

void PrintTo(const ImpossibleCase& blend, std::ostream* out) {
    *out << blend.name;
}

class ImpossibleBlends : public ::testing::TestWithParam<ImpossibleCase> {};

TEST_P(ImpossibleBlends, ReturnFalseAndClearAnEarlierAnswer) {
    const ImpossibleCase& blend = GetParam();
    // Solve something first so that stale quantities would show.
    Mixer mixer = makeMixer({0, 0, 0, 0}, {3000, 32, 0, 68}, 21);
    ASSERT_TRUE(mixer.CalcMix());
    mixer.Load(blend.source[0], blend.source[1], blend.source[2], blend.source[3], blend.target[0],
               blend.target[1], blend.target[2], blend.target[3]);
    mixer.TopupMixFO2(blend.topupO2);
    EXPECT_FALSE(mixer.CalcMix());
    EXPECT_EQ(mixer.ErrDesc(), "Mix can't be created using current parameters");
    expectNoQuantities(mixer);
}

INSTANTIATE_TEST_SUITE_P(
    Worked, ImpossibleBlends,
    ::testing::Values(
        // ((0.32 - 0.36) / 0.64) * 3000 is -187.4999999999999: oxygen -187, drain 187 > 0 PSI.
        ImpossibleCase{"Nitrox36TopupForNitrox32", {0, 0, 0, 0}, {3000, 32, 0, 68}, 36},
        ImpossibleCase{"PureOxygenLeavesNoTopup", {0, 0, 0, 0}, {3000, 100, 0, 0}, 21},
        ImpossibleCase{"Nitrox50TopupForNitrox32", {0, 0, 0, 0}, {3000, 32, 0, 68}, 50},
        ImpossibleCase{"TooLittleOxygenWanted", {1500, 21, 0, 79}, {2000, 10, 0, 90}, 21},
        // Helium and source gas leave no room for oxygen, and draining only swaps source gas for
        // top-up gas of the same oxygen share.
        ImpossibleCase{"NoRoomForOxygen", {1000, 21, 0, 79}, {2000, 10, 50, 40}, 21},
        // The top-up gas brings nitrogen that a heliox target has no room for.
        ImpossibleCase{"HelioxLeavesNoTopup", {0, 0, 0, 0}, {3000, 21, 79, 0}, 21},
        // Keeping any of this helium source would put helium in a target that wants none; once
        // released, the top-up gas is too rich for the target.
        ImpossibleCase{
            "HeliumSourceReleasedThenTopupTooRich", {1000, 21, 35, 44}, {3000, 32, 0, 68}, 36},
        // Releasing a source of negative pressure would be a drain of -500 PSI.
        ImpossibleCase{"NegativeSourceReleased", {-500, 21, 35, 44}, {3000, 32, 0, 68}, 21},
        // The pass limit stops this one with drain -19, helium -16 and oxygen -1028.
        ImpossibleCase{"PassLimitWithNegativeDrain", {843, 57, 36, 7}, {846, 5, 77, 18}, 37}));

TEST(CalcMix, SuccessClearsAnEarlierErrDesc) {
    Mixer mixer = makeMixer({0, 0, 0, 0}, {3000, 100, 0, 0}, 21);
    ASSERT_FALSE(mixer.CalcMix());
    mixer.TargetO2(32);
    mixer.TargetN(68);
    ASSERT_TRUE(mixer.CalcMix());
    EXPECT_EQ(mixer.ErrDesc(), "");
}

class InvalidTopupO2 : public ::testing::TestWithParam<std::int16_t> {};

TEST_P(InvalidTopupO2, IsError999999FromDrainAmount) {
    Mixer mixer = makeMixer({0, 0, 0, 0}, {3000, 100, 0, 0}, 21);
    ASSERT_FALSE(mixer.CalcMix());
    mixer.Load(0, 0, 0, 0, 3000, 32, 0, 68);
    ASSERT_TRUE(mixer.CalcMix());
    mixer.TopupMixFO2(GetParam());
    expectRuntimeError([&] { mixer.CalcMix(); }, 999999, "DrainAmount", "Invalid top mix O2 %");
    EXPECT_EQ(mixer.ErrDesc(), "");
    expectNoQuantities(mixer);
}

INSTANTIATE_TEST_SUITE_P(Values, InvalidTopupO2, ::testing::Values(0, 20, 101, -21, 32767, -32768));

struct ArithmeticErrorCase {
    const char* name;
    CylinderFigures source;
    CylinderFigures target;
    std::int16_t topupO2;
    std::int32_t error;
};

void PrintTo(const ArithmeticErrorCase& blend, std::ostream* out) {
    *out << blend.name;
}

class ArithmeticErrors : public ::testing::TestWithParam<ArithmeticErrorCase> {};

TEST_P(ArithmeticErrors, ReachTheCallerWithNoAnswer) {
    const ArithmeticErrorCase& blend = GetParam();
    // Only problems the exact solve cannot take keep the loop's error.
    ASSERT_FALSE(exactBlendApplies(makeMixer(blend.source, blend.target, blend.topupO2)));
    Mixer mixer = makeMixer({0, 0, 0, 0}, {3000, 100, 0, 0}, 21);
    ASSERT_FALSE(mixer.CalcMix());
    mixer.Load(blend.source[0], blend.source[1], blend.source[2], blend.source[3], blend.target[0],
               blend.target[1], blend.target[2], blend.target[3]);
    mixer.TopupMixFO2(blend.topupO2);
    expectClassicError([&] { mixer.CalcMix(); }, blend.error);
    EXPECT_EQ(mixer.ErrDesc(), "");
    expectNoQuantities(mixer);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArithmeticErrors,
    ::testing::Values(
        ArithmeticErrorCase{"PureOxygenTopup", {0, 0, 0, 0}, {3000, 32, 0, 68}, 100, 11},
        ArithmeticErrorCase{"EmptyTarget", {0, 0, 0, 0}, {0, 32, 0, 68}, 21, 11},
        ArithmeticErrorCase{"TargetO2PSIOverflows", {0, 0, 0, 0}, {30000, 150, 0, 0}, 21, 6},
        ArithmeticErrorCase{"HeliumOverflows", {0, 0, 0, 0}, {32000, 10, 110, 0}, 21, 6},
        ArithmeticErrorCase{"RestOverflows", {-32000, 21, 0, 79}, {2000, 21, 0, 79}, 21, 6}));

// The loop stops at its first failing operation wherever that is: in the first pass, in a later
// one, in a drain step or in the top-up after the last pass. Each raises the error it raised
// when its arithmetic threw on the spot.
INSTANTIATE_TEST_SUITE_P(
    WhereTheLoopFails, ArithmeticErrors,
    ::testing::Values(
        ArithmeticErrorCase{"EmptyTargetOverASource", {1987, 40, 24, 36}, {0, 99, 0, 1}, 47, 11},
        ArithmeticErrorCase{
            "OverfullSourceDividesInSecondPass", {2372, 114, 0, -14}, {2310, 73, 3, 24}, 46, 11},
        ArithmeticErrorCase{
            "NegativeTargetGasDividesLater", {8716, 43, 40, 17}, {1841, -28, -83, 211}, 88, 11},
        // Overflow comes before the division by zero that a pure oxygen top-up would bring.
        ArithmeticErrorCase{
            "OverflowBeforePureOxygenTopup", {-16548, -89, 189, 0}, {756, -60, 235, -75}, 100, 6},
        ArithmeticErrorCase{
            "FirstDrainStepOverflows", {5702, -10, -149, 259}, {177, 35, 22, 43}, 65, 6},
        ArithmeticErrorCase{
            "SecondDrainStepOverflows", {3127, 35, 53, 12}, {-21192, 82, 6, 12}, 39, 6},
        ArithmeticErrorCase{"SecondPassOverflows", {8111, 46, 48, 6}, {-27508, 53, 8, 39}, 46, 6},
        ArithmeticErrorCase{"TopupOverflows", {-28631, 41, 58, 1}, {8151, 53, 17, 30}, 47, 6},
        ArithmeticErrorCase{
            "OverflowAfterSeveralPasses", {18827, -7, 89, 18}, {-3422, 81, 15, 4}, 84, 6}));

} // namespace
} // namespace quillan
