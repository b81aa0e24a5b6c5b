#include "engine/runtime_error.h"
#include "planning/checked_run.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <ostream>

namespace quillan {
namespace {

struct RunCase {
    const char* name;
    std::function<void(CheckedRun&)> steps;
    std::int32_t error;
};

void PrintTo(const RunCase& run, std::ostream* out) {
    *out << run.name;
}

class CheckedRunFailures : public ::testing::TestWithParam<RunCase> {};

// Later failures of another kind must not replace the first one's number.
TEST_P(CheckedRunFailures, KeepTheFirstErrorNumber) {
    CheckedRun checked;
    GetParam().steps(checked);
    EXPECT_TRUE(checked.failed());
    EXPECT_EQ(checked.error(), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, CheckedRunFailures,
    ::testing::Values(
        RunCase{"DivideThenOverflow", [](CheckedRun& c) { c.toInt16(c.divide(1.0, 0.0) * 1e300); },
                kErrDivisionByZero},
        RunCase{"OverflowThenDivide", [](CheckedRun& c) { c.divide(1.0, c.sub(-32768, 1)); },
                kErrOverflow},
        RunCase{"AbsThenDivide", [](CheckedRun& c) { c.divide(c.abs(-32768), 0.0); }, kErrOverflow},
        RunCase{"NaNPartialPressure",
                [](CheckedRun& c) {
                    c.partialPressureOfFraction(5, std::numeric_limits<double>::quiet_NaN());
                    c.divide(1.0, 0.0);
                },
                kErrOverflow}));

TEST(CheckedRun, SkippedStepsGiveZeroAndSuccessfulOnesTheirValue) {
    CheckedRun checked;
    EXPECT_EQ(checked.add(32000, 767), 32767);
    EXPECT_EQ(checked.partialPressureOfFraction(3000, 0.32), 960);
    EXPECT_EQ(checked.divide(960, 3000), 0.32);
    EXPECT_FALSE(checked.failed());
    EXPECT_EQ(checked.error(), 0);
    EXPECT_EQ(checked.add(32767, 1), 0);
    EXPECT_EQ(checked.sub(10, 3), 0);
    EXPECT_EQ(checked.divide(1.0, 2.0), 0.0);
    EXPECT_EQ(checked.error(), kErrOverflow);
}

TEST(TryForms, ReportTheNumberTheThrowingFormsRaise) {
    EXPECT_EQ(tryNarrowToInt16(32768).error, kErrOverflow);
    EXPECT_EQ(tryToInt16(std::numeric_limits<double>::infinity()).error, kErrOverflow);
    EXPECT_EQ(tryDivide(0.0, -0.0).error, kErrDivisionByZero);
    EXPECT_EQ(tryPartialPressureOfFraction(32767, 2.0).error, kErrOverflow);
    const Checked<std::int16_t> fits = trySubInt16(-32767, 1);
    EXPECT_FALSE(fits.failed());
    EXPECT_EQ(fits.value, -32768);
}

} // namespace
} // namespace quillan
