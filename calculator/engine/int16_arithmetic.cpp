#include "engine/number_rules.h"
#include "engine/runtime_error.h"

#include <cmath>
#include <limits>

namespace quillan {

namespace {

std::int16_t narrowChecked(std::int32_t value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        throw classicError(kErrOverflow);
    }
    return static_cast<std::int16_t>(value);
}

} // namespace

std::int16_t addInt16(std::int16_t a, std::int16_t b) {
    return narrowChecked(std::int32_t{a} + std::int32_t{b});
}

std::int16_t subInt16(std::int16_t a, std::int16_t b) {
    return narrowChecked(std::int32_t{a} - std::int32_t{b});
}

std::int16_t absInt16(std::int16_t value) {
    return narrowChecked(value < 0 ? -std::int32_t{value} : std::int32_t{value});
}

double checkedDivide(double numerator, double denominator) {
    if (denominator == 0.0) {
        throw classicError(kErrDivisionByZero);
    }
    return numerator / denominator;
}

std::int16_t toInt16(double value) {
    if (!std::isfinite(value)) {
        throw classicError(kErrOverflow);
    }
    // The default rounding mode makes nearbyint round exact halves to even.
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max()) {
        throw classicError(kErrOverflow);
    }
    return static_cast<std::int16_t>(rounded);
}

double intFloor(double value) { return std::floor(value); }

} // namespace quillan
