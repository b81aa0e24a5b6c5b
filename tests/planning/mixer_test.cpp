#include "engine/runtime_error.h"
#include "error_matchers.h"
#include "planning/mixer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace quillan {
namespace {

using test::expectClassicError;

TEST(Mixer, StartsEmpty) {
    const Mixer mixer;
    for (std::int32_t tank = 0; tank <= 1; ++tank) {
        for (std::int32_t property = 0; property <= 3; ++property) {
            EXPECT_EQ(mixer.GetValue(tank, property), 0.0);
        }
    }
    EXPECT_EQ(mixer.SourceO2PSI(), 0);
    EXPECT_EQ(mixer.TargetNPSI(), 0);
    EXPECT_EQ(mixer.DrainAmount(), 0);
    EXPECT_EQ(mixer.AddO2PSI(), 0);
    EXPECT_EQ(mixer.AddHePSI(), 0);
    EXPECT_EQ(mixer.TopupMixPSI(), 0);
    EXPECT_EQ(mixer.TopupMixFO2(), 0);
    EXPECT_EQ(mixer.ErrDesc(), "");
}

TEST(Mixer, LoadFillsTheTableInArgumentOrder) {
    Mixer mixer;
    mixer.TopupMixFO2(32);
    mixer.Load(500, 32, 0, 68, 3000, 36, 0, 64);
    EXPECT_EQ(mixer.SourcePSI(), 500);
    EXPECT_EQ(mixer.SourceO2(), 32);
    EXPECT_EQ(mixer.SourceHe(), 0);
    EXPECT_EQ(mixer.SourceN(), 68);
    EXPECT_EQ(mixer.TargetPSI(), 3000);
    EXPECT_EQ(mixer.TargetO2(), 36);
    EXPECT_EQ(mixer.TargetHe(), 0);
    EXPECT_EQ(mixer.TargetN(), 64);
    EXPECT_EQ(mixer.SourceO2PSI(), 160);
    EXPECT_EQ(mixer.TopupMixFO2(), 32);
    const double expected[2][4] = {{500, 32, 0, 68}, {3000, 36, 0, 64}};
    for (std::int32_t tank = 0; tank <= 1; ++tank) {
        for (std::int32_t property = 0; property <= 3; ++property) {
            EXPECT_EQ(mixer.GetValue(tank, property), expected[tank][property]);
        }
    }
}

TEST(Mixer, WritersStoreAnyValueUnchangedInTheirOwnEntry) {
    Mixer mixer;
    mixer.SourcePSI(-1);
    mixer.SourceO2(150);
    mixer.SourceHe(-32768);
    mixer.SourceN(32767);
    mixer.TargetPSI(2);
    mixer.TargetO2(3);
    mixer.TargetHe(4);
    mixer.TargetN(5);
    mixer.TopupMixFO2(-7);
    const double expected[2][4] = {{-1, 150, -32768, 32767}, {2, 3, 4, 5}};
    for (std::int32_t tank = 0; tank <= 1; ++tank) {
        for (std::int32_t property = 0; property <= 3; ++property) {
            EXPECT_EQ(mixer.GetValue(tank, property), expected[tank][property]);
        }
    }
    EXPECT_EQ(mixer.TopupMixFO2(), -7);
}

struct PartialPressureCase {
    std::int16_t psi;
    std::int16_t percent;
    std::int16_t expected;
};

class DerivedReaders : public ::testing::TestWithParam<PartialPressureCase> {};

// Each of the six readers must pair its own cylinder's pressure with its own gas.
TEST_P(DerivedReaders, ComputeEachGasOfEachCylinder) {
    const auto [psi, percent, expected] = GetParam();
    for (std::int32_t tank = 0; tank <= 1; ++tank) {
        for (std::int32_t gas = kO2Property; gas <= kNProperty; ++gas) {
            Mixer mixer;
            // Decoys in every other entry: 1000 PSI of 99 % gas.
            mixer.Load(1000, 99, 99, 99, 1000, 99, 99, 99);
            mixer.SetValue(tank, kPressureProperty, std::to_string(psi), NumberLocale::classic());
            mixer.SetValue(tank, gas, std::to_string(percent), NumberLocale::classic());
            const std::int16_t readers[2][3] = {
                {mixer.SourceO2PSI(), mixer.SourceHePSI(), mixer.SourceNPSI()},
                {mixer.TargetO2PSI(), mixer.TargetHePSI(), mixer.TargetNPSI()}};
            EXPECT_EQ(readers[tank][gas - 1], expected) << "tank " << tank << " gas " << gas;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, DerivedReaders,
    ::testing::Values(PartialPressureCase{500, 32, 160}, PartialPressureCase{3000, 21, 630},
                      PartialPressureCase{633, 50, 316}, PartialPressureCase{635, 50, 318},
                      PartialPressureCase{1, 50, 0}, PartialPressureCase{0, 150, 0},
                      PartialPressureCase{-1000, 32, -320},
                      PartialPressureCase{30000, 109, 32700}));

TEST(Mixer, DerivedReaderOverflowLeavesTheStoredValues) {
    Mixer mixer;
    mixer.TargetPSI(30000);
    mixer.TargetO2(150);
    expectClassicError([&] { mixer.TargetO2PSI(); }, kErrOverflow);
    EXPECT_EQ(mixer.TargetO2(), 150);
    EXPECT_EQ(mixer.TargetPSI(), 30000);
}

struct CodesCase {
    std::int32_t tank;
    std::int32_t property;
};

class BadCodes : public ::testing::TestWithParam<CodesCase> {};

TEST_P(BadCodes, AreSubscriptErrorsBeforeTheTextIsRead) {
    Mixer mixer;
    mixer.Load(1, 2, 3, 4, 5, 6, 7, 8);
    const std::int32_t tank = GetParam().tank;
    const std::int32_t property = GetParam().property;
    expectClassicError([&] { mixer.GetValue(tank, property); }, kErrSubscriptOutOfRange);
    expectClassicError([&] { mixer.SetValue(tank, property, "abc", NumberLocale::classic()); },
                       kErrSubscriptOutOfRange);
    expectClassicError([&] { mixer.SetValue(tank, property, "12", NumberLocale::classic()); },
                       kErrSubscriptOutOfRange);
    EXPECT_EQ(mixer.GetValue(0, 0), 1.0);
    EXPECT_EQ(mixer.GetValue(1, 3), 8.0);
}

INSTANTIATE_TEST_SUITE_P(Codes, BadCodes,
                         ::testing::Values(CodesCase{2, 0}, CodesCase{0, 4}, CodesCase{-1, 0},
                                           CodesCase{0, -1}, CodesCase{5, 1},
                                           CodesCase{INT32_MIN, INT32_MAX}));

struct SetValueCase {
    std::string text;
    NumberLocale locale;
    std::int16_t stored;
};

class SetValueStores : public ::testing::TestWithParam<SetValueCase> {};

TEST_P(SetValueStores, TheRoundedNumber) {
    Mixer mixer;
    mixer.SetValue(kSourceTank, kO2Property, GetParam().text, GetParam().locale);
    EXPECT_EQ(mixer.SourceO2(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Texts, SetValueStores,
                         ::testing::Values(SetValueCase{"32.5", NumberLocale::classic(), 32},
                                           SetValueCase{"33.5", NumberLocale::classic(), 34},
                                           SetValueCase{" -7 ", NumberLocale::classic(), -7},
                                           SetValueCase{"32,5", NumberLocale{",", "."}, 32},
                                           SetValueCase{"3,000", NumberLocale{".", ","}, 3000}));

TEST(SetValue, BadTextLeavesTheEntryUnchanged) {
    Mixer mixer;
    mixer.SourceO2(21);
    expectClassicError([&] { mixer.SetValue(0, 1, "abc", NumberLocale::classic()); },
                       kErrTypeMismatch);
    expectClassicError([&] { mixer.SetValue(0, 1, "", NumberLocale::classic()); },
                       kErrTypeMismatch);
    expectClassicError([&] { mixer.SetValue(0, 1, "32767.5", NumberLocale::classic()); },
                       kErrOverflow);
    EXPECT_EQ(mixer.SourceO2(), 21);
}

TEST(SetValue, WithoutALocaleReadsPlainNumbers) {
    Mixer mixer;
    mixer.SetValue(1, 3, "44");
    EXPECT_EQ(mixer.TargetN(), 44);
}

} // namespace
} // namespace quillan
