#pragma once

// The number rules shared by the whole calculator: checked 16-bit arithmetic, conversion of
// doubles to 16-bit integers, and reading and writing numbers as text. Every failure is a
// RuntimeError with a classic number (6 overflow, 11 division by zero, 13 type mismatch); the
// arithmetic can also report that number without throwing.

#include "engine/runtime_error.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillan {

// The arithmetic rules are inline: the solver runs them a few hundred times per blend. Each comes
// in two forms: tryX reports a failure as a classic error number, X throws it.

// The outcome of a checked operation: its value, or the classic error number it failed with
// (the value is then T{}).
template <typename T> struct Checked {
    T value{};
    std::int32_t error = 0;

    bool failed() const { return error != 0; }
};

// The value of a checked operation; throws its classic error when it failed.
template <typename T> T valueOrRaise(const Checked<T>& result) {
    if (result.failed()) {
        raiseClassicError(result.error);
    }
    return result.value;
}

// A 32-bit intermediate result as a 16-bit value; outside -32768..32767 fails with 6.
inline Checked<std::int16_t> tryNarrowToInt16(std::int32_t value) {
    if (value < -32768 || value > 32767) {
        return {0, kErrOverflow};
    }
    return {static_cast<std::int16_t>(value)};
}

// 16-bit sum, difference and absolute value; a result outside -32768..32767 fails with 6.
inline Checked<std::int16_t> tryAddInt16(std::int16_t a, std::int16_t b) {
    return tryNarrowToInt16(std::int32_t{a} + std::int32_t{b});
}
inline Checked<std::int16_t> trySubInt16(std::int16_t a, std::int16_t b) {
    return tryNarrowToInt16(std::int32_t{a} - std::int32_t{b});
}
inline Checked<std::int16_t> tryAbsInt16(std::int16_t value) {
    return tryNarrowToInt16(value < 0 ? -std::int32_t{value} : std::int32_t{value});
}

// numerator / denominator in double precision; a zero denominator fails with 11.
inline Checked<double> tryDivide(double numerator, double denominator) {
    if (denominator == 0.0) {
        return {0.0, kErrDivisionByZero};
    }
    return {numerator / denominator};
}

// Nearest integer, exact halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -187.5 -> -188).
// NaN, infinities and results outside -32768..32767 fail with 6.
inline Checked<std::int16_t> tryToInt16(double value) {
    // nearbyint rounds halves to even in the default rounding mode, which nothing here changes.
    const double rounded = std::nearbyint(value);
    // Written so that NaN fails the test too; the range is checked before narrowing.
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) {
        return {0, kErrOverflow};
    }
    return {static_cast<std::int16_t>(rounded)};
}

inline std::int16_t narrowToInt16(std::int32_t value) {
    return valueOrRaise(tryNarrowToInt16(value));
}
inline std::int16_t addInt16(std::int16_t a, std::int16_t b) {
    return valueOrRaise(tryAddInt16(a, b));
}
inline std::int16_t subInt16(std::int16_t a, std::int16_t b) {
    return valueOrRaise(trySubInt16(a, b));
}
inline std::int16_t absInt16(std::int16_t value) {
    return valueOrRaise(tryAbsInt16(value));
}
inline double checkedDivide(double numerator, double denominator) {
    return valueOrRaise(tryDivide(numerator, denominator));
}
inline std::int16_t toInt16(double value) {
    return valueOrRaise(tryToInt16(value));
}

// Rounding down towards minus infinity.
inline double intFloor(double value) {
    return std::floor(value);
}

// How the user writes numbers. Texts are UTF-8; an empty group separator means no grouping.
struct NumberLocale {
    std::string decimalSeparator = ".";
    std::string groupSeparator;

    // "." and no grouping, whatever the user's settings.
    static NumberLocale classic();
    // The separators of the user's environment locale (LANG / LC_NUMERIC / LC_ALL), read
    // through the C++ library; the classic locale when the environment names none or an
    // unknown one.
    static NumberLocale user();

    bool operator==(const NumberLocale&) const = default;
};

// Reads a decimal number: optional blanks (space, tab) around it, an optional sign, digits with
// an optional decimal separator, and an optional exponent (e or E, optional sign, digits).
// The integer digits may be grouped by the locale's group separator in groups of three
// ("3,000" but not "3,00" or "30,00"). Empty text, blanks only, or anything else throws 13;
// a value too large for a double throws 6; one too small for a double reads as 0.
double parseNumber(std::string_view text, const NumberLocale& locale);

// parseNumber followed by toInt16 (13 for text that is not a number, 6 when out of range).
std::int16_t parseInt16(std::string_view text, const NumberLocale& locale);

// A figure as a person types it into a field or an argument: parseNumber without the
// exponent, which no one writes for a pressure or a percentage ("1e3" throws 13).
double parseTypedNumber(std::string_view text, const NumberLocale& locale);
std::int16_t parseTypedInt16(std::string_view text, const NumberLocale& locale);

// Plain decimal: a leading minus sign when negative, no padding or group separators.
std::string formatNumber(std::int64_t value);

// A whole double without a decimal point ("7", not "7.0"); any other finite value in plain
// decimal (no exponent) with the fewest digits that read back to the same double, using the
// locale's decimal separator. Non-finite values are written "NaN", "Infinity", "-Infinity".
std::string formatNumber(double value, const NumberLocale& locale);

// The pattern "0.00": at least one integer digit, exactly two decimals (nearest, an exact tie
// to the even neighbour), the locale's decimal separator; no minus sign on a value that
// rounds to zero.
std::string formatFixed2(double value, const NumberLocale& locale);
// The same with one decimal: "0.0".
std::string formatFixed1(double value, const NumberLocale& locale);

} // namespace quillan
