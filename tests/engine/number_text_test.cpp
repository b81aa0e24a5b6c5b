#include "engine/number_rules.h"
#include "engine/runtime_error.h"
#include "error_matchers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>

namespace quillan {
namespace {

using test::expectClassicError;

const NumberLocale kClassic = NumberLocale::classic();
const NumberLocale kEnglish{".", ","};
const NumberLocale kGerman{",", "."};
const NumberLocale kFrench{",", "\u202f"}; // narrow no-break space, two bytes wide in UTF-8

struct ParseCase {
    std::string text;
    NumberLocale locale;
    double expected;
};

class ParseNumberReads : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberReads, TheValue) {
    EXPECT_EQ(parseNumber(GetParam().text, GetParam().locale), GetParam().expected)
        << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseNumberReads,
    ::testing::Values(ParseCase{"42", kClassic, 42}, ParseCase{"  42 ", kClassic, 42},
                      ParseCase{"\t-3.5\t", kClassic, -3.5}, ParseCase{"+7", kClassic, 7},
                      ParseCase{".5", kClassic, 0.5}, ParseCase{"5.", kClassic, 5},
                      ParseCase{"007", kClassic, 7}, ParseCase{"1e3", kClassic, 1000},
                      ParseCase{"1.5E-2", kClassic, 0.015}, ParseCase{"2e+2", kClassic, 200},
                      ParseCase{"0.1", kClassic, 0.1}, ParseCase{"21.7", kClassic, 21.7},
                      ParseCase{"-0", kClassic, 0},
                      ParseCase{"0e999999999999999999999", kClassic, 0},
                      ParseCase{"1e-400", kClassic, 0}, ParseCase{"-1e-400", kClassic, 0},
                      ParseCase{"4.9406564584124654e-324", kClassic, 4.9406564584124654e-324},
                      ParseCase{"1.7976931348623157e308", kClassic, 1.7976931348623157e308},
                      ParseCase{"0.00000000000000000000000000000000000001e38", kClassic, 1},
                      ParseCase{"123456789012345678901234567890", kClassic, 1.2345678901234568e29},
                      ParseCase{"3,000", kEnglish, 3000},
                      ParseCase{"1,234,567.25", kEnglish, 1234567.25},
                      ParseCase{"-12,345e-3", kEnglish, -12.345}, ParseCase{"999", kEnglish, 999},
                      ParseCase{"3,5", kGerman, 3.5}, ParseCase{"1.234,5", kGerman, 1234.5},
                      ParseCase{"12.345", kGerman, 12345}, ParseCase{" -0,25 ", kGerman, -0.25},
                      ParseCase{"1\u202f234,5", kFrench, 1234.5}));

struct BadTextCase {
    std::string text;
    NumberLocale locale;
    std::int32_t error;
};

class ParseNumberRejects : public ::testing::TestWithParam<BadTextCase> {};

TEST_P(ParseNumberRejects, WithTheError) {
    expectClassicError([] { parseNumber(GetParam().text, GetParam().locale); }, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseNumberRejects,
    ::testing::Values(BadTextCase{"", kClassic, 13}, BadTextCase{"   ", kClassic, 13},
                      BadTextCase{"abc", kClassic, 13}, BadTextCase{"1e", kClassic, 13},
                      BadTextCase{"e5", kClassic, 13}, BadTextCase{"-", kClassic, 13},
                      BadTextCase{".", kClassic, 13}, BadTextCase{"+-1", kClassic, 13},
                      BadTextCase{"--1", kClassic, 13}, BadTextCase{"- 5", kClassic, 13},
                      BadTextCase{"1 2", kClassic, 13}, BadTextCase{"1.2.3", kClassic, 13},
                      BadTextCase{"5-", kClassic, 13}, BadTextCase{"1e5.5", kClassic, 13},
                      BadTextCase{"inf", kClassic, 13}, BadTextCase{"nan", kClassic, 13},
                      BadTextCase{"0x10", kClassic, 13}, BadTextCase{"1,5", kClassic, 13},
                      BadTextCase{"3,5", kEnglish, 13}, BadTextCase{"3,00", kEnglish, 13},
                      BadTextCase{"1234,567", kEnglish, 13}, BadTextCase{",123", kEnglish, 13},
                      BadTextCase{"1,", kEnglish, 13}, BadTextCase{"1.5,000", kEnglish, 13},
                      BadTextCase{"3.5", kGerman, 13}, BadTextCase{"1.23", kGerman, 13},
                      BadTextCase{std::string("4\0", 2), kClassic, 13},
                      BadTextCase{"\n4", kClassic, 13}, BadTextCase{"1e400", kClassic, 6},
                      BadTextCase{"-1e400", kClassic, 6},
                      BadTextCase{"1e99999999999999999999999", kClassic, 6},
                      BadTextCase{std::string(400, '9'), kClassic, 6}));

TEST(ParseNumber, VeryLongTextsStayExact) {
    // Far more digits than any double holds; the leading zeros and the exponent cancel out.
    const std::string tinyThenBig = "0." + std::string(100000, '0') + "25e100001";
    EXPECT_EQ(parseNumber(tinyThenBig, kClassic), 2.5);
    const std::string longOne = "1." + std::string(100000, '0') + "1";
    EXPECT_EQ(parseNumber(longOne, kClassic), 1.0);
    expectClassicError([] { parseNumber(std::string(100000, '7'), kClassic); }, kErrOverflow);
}

// Any text at all reads as a number or fails with 13 or 6, never anything else.
TEST(ParseNumber, GarbageNeverEscapesTheErrorRules) {
    std::mt19937 random(20261207);
    const std::string alphabet = "0123456789+-.,eE \t\u202fx";
    for (int i = 0; i < 8000; ++i) {
        std::string text;
        const int length = static_cast<int>(random() % 12);
        for (int j = 0; j < length; ++j) {
            text.push_back(i % 2 == 0 ? alphabet[random() % alphabet.size()]
                                      : static_cast<char>(random() % 256));
        }
        for (const NumberLocale& locale : {kClassic, kEnglish, kGerman, kFrench}) {
            try {
                const double value = parseNumber(text, locale);
                EXPECT_FALSE(std::isnan(value)) << text;
            } catch (const RuntimeError& error) {
                EXPECT_TRUE(error.number == 13 || error.number == 6) << text;
            }
        }
    }
}

TEST(FormatNumber, ReadsBackToTheSameDouble) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 5000; ++i) {
        const auto bits = random();
        double value = 0;
        static_assert(sizeof value == sizeof bits);
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) {
            continue;
        }
        for (const NumberLocale& locale : {kClassic, kGerman}) {
            const std::string text = formatNumber(value, locale);
            EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
            EXPECT_EQ(parseNumber(text, locale), value) << text;
        }
    }
}

struct ParseIntCase {
    std::string text;
    std::int16_t expected;
};

class ParseInt16Reads : public ::testing::TestWithParam<ParseIntCase> {};

TEST_P(ParseInt16Reads, RoundedHalvesToEven) {
    EXPECT_EQ(parseInt16(GetParam().text, kClassic), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseInt16Reads,
                         ::testing::Values(ParseIntCase{"32.5", 32}, ParseIntCase{"33.5", 34},
                                           ParseIntCase{" 8 ", 8}, ParseIntCase{"-187.5", -188},
                                           ParseIntCase{"32767.4", 32767},
                                           ParseIntCase{"-32768.5", -32768},
                                           ParseIntCase{"1e2", 100}));

TEST(ParseInt16, OutOfRangeIsOverflowAndTextIsTypeMismatch) {
    expectClassicError([] { parseInt16("32767.5", kClassic); }, kErrOverflow);
    expectClassicError([] { parseInt16("-40000", kClassic); }, kErrOverflow);
    expectClassicError([] { parseInt16("abc", kClassic); }, kErrTypeMismatch);
    expectClassicError([] { parseInt16("", kClassic); }, kErrTypeMismatch);
}

// What a person types: parseNumber's reading less the exponent, refused with 13.
TEST(ParseTypedNumber, ReadsFiguresWithoutExponent) {
    EXPECT_EQ(parseTypedNumber(" 32.5 ", kClassic), 32.5);
    EXPECT_EQ(parseTypedInt16("-0,5", kGerman), 0);
    for (const char* text : {"1e3", "1E3", "2e+2", "-12,345e-3", "e"}) {
        expectClassicError([&] { parseTypedNumber(text, kEnglish); }, kErrTypeMismatch);
        expectClassicError([&] { parseTypedInt16(text, kEnglish); }, kErrTypeMismatch);
    }
}

TEST(FormatNumber, IntegersArePlainDecimal) {
    EXPECT_EQ(formatNumber(std::int64_t{0}), "0");
    EXPECT_EQ(formatNumber(std::int16_t{-5}), "-5");
    EXPECT_EQ(formatNumber(std::int16_t{32767}), "32767");
    EXPECT_EQ(formatNumber(std::int16_t{-32768}), "-32768");
    EXPECT_EQ(formatNumber(std::int32_t{999999}), "999999");
}

struct FormatCase {
    double value;
    NumberLocale locale;
    std::string whole;
    std::string fixed2;
};

class FormatDouble : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatDouble, PlainAndTwoDecimals) {
    EXPECT_EQ(formatNumber(GetParam().value, GetParam().locale), GetParam().whole);
    EXPECT_EQ(formatFixed2(GetParam().value, GetParam().locale), GetParam().fixed2);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatDouble,
    ::testing::Values(
        FormatCase{7.0, kClassic, "7", "7.00"}, FormatCase{-0.0, kClassic, "0", "0.00"},
        FormatCase{21.7, kClassic, "21.7", "21.70"}, FormatCase{-2.5, kGerman, "-2,5", "-2,50"},
        FormatCase{1.6, kGerman, "1,6", "1,60"},
        FormatCase{1e20, kClassic, "100000000000000000000", "100000000000000000000.00"},
        FormatCase{1e-5, kClassic, "0.00001", "0.00"},
        FormatCase{-0.001, kClassic, "-0.001", "0.00"},
        FormatCase{1.5972727272727274, kClassic, "1.5972727272727274", "1.60"},
        FormatCase{1.606060606060606, kClassic, "1.606060606060606", "1.61"},
        FormatCase{12.345, kClassic, "12.345", "12.35"}, // binary 12.3450000000000006
        FormatCase{0.125, kClassic, "0.125", "0.12"},    // an exact tie goes to even
        FormatCase{0.375, kClassic, "0.375", "0.38"}, FormatCase{-1.0, kClassic, "-1", "-1.00"},
        FormatCase{std::numeric_limits<double>::quiet_NaN(), kClassic, "NaN", "NaN"},
        FormatCase{-std::numeric_limits<double>::infinity(), kClassic, "-Infinity", "-Infinity"}));

class ScopedLocaleVariable {
  public:
    explicit ScopedLocaleVariable(const char* value) {
        if (const char* old = std::getenv("LC_ALL")) {
            old_ = old;
        }
        setenv("LC_ALL", value, 1);
    }
    ~ScopedLocaleVariable() {
        if (old_) {
            setenv("LC_ALL", old_->c_str(), 1);
        } else {
            unsetenv("LC_ALL");
        }
    }

  private:
    std::optional<std::string> old_;
};

TEST(NumberLocaleUser, FallsBackToClassicForPlainOrUnknownLocales) {
    for (const char* name : {"C", "C.UTF-8", "xx_NOWHERE.UTF-8"}) {
        ScopedLocaleVariable scope(name);
        EXPECT_EQ(NumberLocale::user(), NumberLocale::classic()) << name;
    }
}

} // namespace
} // namespace quillan
