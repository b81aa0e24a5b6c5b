#include "engine/number_rules.h"
#include "engine/runtime_error.h"
#include "error_matchers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace quillan {
namespace {

using test::expectClassicError;

struct RoundCase {
    double value;
    std::int16_t expected;
};

class ToInt16Rounds : public ::testing::TestWithParam<RoundCase> {};

TEST_P(ToInt16Rounds, ToNearestWithHalvesToEven) {
    EXPECT_EQ(toInt16(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ToInt16Rounds,
    ::testing::Values(RoundCase{2.5, 2}, RoundCase{3.5, 4}, RoundCase{-187.5, -188},
                      RoundCase{-187.4999999999999, -187}, RoundCase{0.5, 0}, RoundCase{-0.5, 0},
                      RoundCase{1.5, 2}, RoundCase{417.72, 418}, RoundCase{-2.5, -2},
                      RoundCase{2.5000000000000004, 3}, RoundCase{32767.4, 32767},
                      RoundCase{-32768.5, -32768}, RoundCase{-32768.4, -32768}));

class ToInt16Overflows : public ::testing::TestWithParam<double> {};

TEST_P(ToInt16Overflows, WithError6) {
    expectClassicError([] { toInt16(GetParam()); }, kErrOverflow);
}

INSTANTIATE_TEST_SUITE_P(Values, ToInt16Overflows,
                         ::testing::Values(32767.5, 32768.0, -32768.51, -32769.0, 1e300,
                                           std::numeric_limits<double>::quiet_NaN(),
                                           std::numeric_limits<double>::infinity(),
                                           -std::numeric_limits<double>::infinity()));

struct Int16Case {
    std::int16_t a;
    std::int16_t b;
    std::int32_t exact; // outside 16 bits means overflow
};

class Int16Sum : public ::testing::TestWithParam<Int16Case> {};

TEST_P(Int16Sum, FitsOrOverflows) {
    const auto [a, b, exact] = GetParam();
    if (exact < -32768 || exact > 32767) {
        expectClassicError([a = a, b = b] { addInt16(a, b); }, kErrOverflow);
    } else {
        EXPECT_EQ(addInt16(a, b), exact);
    }
}

INSTANTIATE_TEST_SUITE_P(Boundaries, Int16Sum,
                         ::testing::Values(Int16Case{32766, 1, 32767}, Int16Case{32767, 1, 32768},
                                           Int16Case{-32768, 0, -32768},
                                           Int16Case{-32768, -1, -32769},
                                           Int16Case{-32768, 32767, -1},
                                           Int16Case{32767, 32767, 65534}));

class Int16Difference : public ::testing::TestWithParam<Int16Case> {};

TEST_P(Int16Difference, FitsOrOverflows) {
    const auto [a, b, exact] = GetParam();
    if (exact < -32768 || exact > 32767) {
        expectClassicError([a = a, b = b] { subInt16(a, b); }, kErrOverflow);
    } else {
        EXPECT_EQ(subInt16(a, b), exact);
    }
}

INSTANTIATE_TEST_SUITE_P(Boundaries, Int16Difference,
                         ::testing::Values(Int16Case{-32767, 1, -32768},
                                           Int16Case{-32768, 1, -32769},
                                           Int16Case{32767, -1, 32768}, Int16Case{0, -32767, 32767},
                                           Int16Case{0, -32768, 32768},
                                           Int16Case{-1, 32767, -32768},
                                           Int16Case{32767, 32767, 0}));

TEST(AbsInt16, OverflowsOnlyForTheMostNegativeValue) {
    EXPECT_EQ(absInt16(-32767), 32767);
    EXPECT_EQ(absInt16(32767), 32767);
    EXPECT_EQ(absInt16(0), 0);
    expectClassicError([] { absInt16(-32768); }, kErrOverflow);
}

TEST(CheckedDivide, ZeroDenominatorIsError11) {
    EXPECT_EQ(checkedDivide(960, 3000), 0.32);
    expectClassicError([] { checkedDivide(1.0, 0.0); }, kErrDivisionByZero);
    expectClassicError([] { checkedDivide(0.0, -0.0); }, kErrDivisionByZero);
}

TEST(IntFloor, RoundsTowardsMinusInfinity) {
    EXPECT_EQ(intFloor(21.7), 21.0);
    EXPECT_EQ(intFloor(-0.5), -1.0);
    EXPECT_EQ(intFloor(-3.0), -3.0);
    EXPECT_EQ(intFloor(99.999), 99.0);
}

TEST(ClassicError, CarriesNumberSourceAndUsualDescription) {
    struct Case {
        std::int32_t number;
        const char* description;
    };
    for (const auto& [number, description] :
         {Case{5, "Invalid procedure call or argument"}, Case{6, "Overflow"},
          Case{9, "Subscript out of range"}, Case{11, "Division by zero"},
          Case{13, "Type mismatch"}}) {
        const RuntimeError error = classicError(number);
        EXPECT_EQ(error.number, number);
        EXPECT_EQ(error.source, "Quillan1");
        EXPECT_EQ(error.description, description);
        EXPECT_STREQ(error.what(), description);
    }
}

} // namespace
} // namespace quillan
