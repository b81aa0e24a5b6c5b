#include "engine/number_rules.h"

#include <locale>
#include <stdexcept>

namespace quillan {

namespace {

// A separator byte outside ASCII would not be valid UTF-8 on its own (single-byte locales).
bool isAsciiSeparator(char c) {
    return c > 0 && static_cast<unsigned char>(c) < 0x80;
}

} // namespace

NumberLocale NumberLocale::classic() {
    return NumberLocale{};
}

NumberLocale NumberLocale::user() {
    std::locale environment;
    try {
        environment = std::locale("");
    } catch (const std::runtime_error&) {
        // The environment names a locale this system does not have.
        return classic();
    }
    const auto& punct = std::use_facet<std::numpunct<char>>(environment);
    NumberLocale result;
    if (isAsciiSeparator(punct.decimal_point())) {
        result.decimalSeparator = std::string(1, punct.decimal_point());
    }
    const char group = punct.thousands_sep();
    if (!punct.grouping().empty() && isAsciiSeparator(group) &&
        std::string(1, group) != result.decimalSeparator) {
        result.groupSeparator = std::string(1, group);
    }
    return result;
}

} // namespace quillan
