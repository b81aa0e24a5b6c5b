#include "text_number.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace qor::common {
namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}
bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::size_t skipDigits(std::u16string_view text, std::size_t pos) {
    while (pos < text.size() && isDigit(text[pos]))
        ++pos;
    return pos;
}

} // namespace

std::optional<double> parseDecimal(std::u16string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first]))
        ++first;
    while (last > first && isBlank(text[last - 1]))
        --last;
    text = text.substr(first, last - first);

    // Check the whole grammar first, so the conversion only ever sees plain ASCII.
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-'))
        negative = text[pos++] == u'-';
    const std::size_t mantissaStart = pos;
    std::size_t end = skipDigits(text, pos);
    std::size_t digits = end - pos;
    if (end < text.size() && text[end] == u'.') {
        const std::size_t fractionEnd = skipDigits(text, end + 1);
        digits += fractionEnd - end - 1;
        end = fractionEnd;
    }
    if (digits == 0)
        return std::nullopt;
    std::string ascii;
    ascii.reserve(text.size());
    for (std::size_t i = mantissaStart; i < end; ++i)
        ascii.push_back(static_cast<char>(text[i]));
    if (end < text.size() &&
        (text[end] == u'e' || text[end] == u'E' || text[end] == u'd' || text[end] == u'D')) {
        std::size_t expPos = end + 1;
        ascii.push_back('e');
        if (expPos < text.size() && (text[expPos] == u'+' || text[expPos] == u'-'))
            ascii.push_back(static_cast<char>(text[expPos++]));
        const std::size_t expEnd = skipDigits(text, expPos);
        if (expEnd == expPos)
            return std::nullopt;
        for (std::size_t i = expPos; i < expEnd; ++i)
            ascii.push_back(static_cast<char>(text[i]));
        end = expEnd;
    }
    if (end != text.size())
        return std::nullopt;

    // The grammar is checked, so the C locale's reading is exactly the one wanted.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const double value = strtod_l(ascii.c_str(), nullptr, cLocale);
    if (std::isinf(value))
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<std::int16_t> roundToInteger16(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

} // namespace qor::common
