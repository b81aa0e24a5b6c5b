// Text to number with "." as the decimal point whatever the locale, as the geographic
// operations read their input.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qor::common {

// A decimal number, blanks around it allowed: optional sign, digits with an optional
// point (".5" and "5." included), optional exponent. Nothing else is a number; a value
// beyond the double range is none either.
std::optional<double> parseDecimal(std::u16string_view text);

// Rounds to the nearest 16-bit integer, an exact half to the even neighbour; none when
// the result does not fit.
std::optional<std::int16_t> roundToInteger16(double value);

} // namespace qor::common
