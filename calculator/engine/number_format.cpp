#include "engine/number_rules.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace quillan {

namespace {

// Room for the longest fixed-notation double (about 330 digits around the point).
using FormatBuffer = std::array<char, 512>;

std::optional<std::string> nonFiniteText(double value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-Infinity" : "Infinity";
    }
    return std::nullopt;
}

std::string withDecimalSeparator(std::string text, const NumberLocale& locale) {
    const std::size_t point = text.find('.');
    if (point != std::string::npos) {
        text.replace(point, 1, locale.decimalSeparator);
    }
    return text;
}

} // namespace

std::string formatNumber(std::int64_t value) {
    return std::to_string(value);
}

std::string formatNumber(double value, const NumberLocale& locale) {
    if (auto text = nonFiniteText(value)) {
        return *text;
    }
    if (value == 0.0) {
        return "0"; // also for -0.0
    }
    FormatBuffer buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed);
    return withDecimalSeparator(std::string(buffer.data(), result.ptr), locale);
}

namespace {

std::string formatFixed(double value, int decimals, const NumberLocale& locale) {
    if (auto text = nonFiniteText(value)) {
        return *text;
    }
    FormatBuffer buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    std::string text(buffer.data(), result.ptr);
    // A value that rounds to zero carries no sign.
    if (text.find_first_not_of("-0.") == std::string::npos && text.front() == '-') {
        text.erase(0, 1);
    }
    return withDecimalSeparator(std::move(text), locale);
}

} // namespace

std::string formatFixed2(double value, const NumberLocale& locale) {
    return formatFixed(value, 2, locale);
}

std::string formatFixed1(double value, const NumberLocale& locale) {
    return formatFixed(value, 1, locale);
}

} // namespace quillan
