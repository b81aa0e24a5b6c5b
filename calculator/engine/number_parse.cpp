#include "engine/number_rules.h"
#include "engine/runtime_error.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

namespace quillan {

namespace {

// Decimal exponents beyond these certainly leave the double range (overflow / underflow).
constexpr std::int64_t kMaxDecimalExponent = 310;
constexpr std::int64_t kMinDecimalExponent = -330;
// Exponent digits beyond this value cannot change the outcome; capping keeps the sum exact.
constexpr std::int64_t kExponentCap = 1'000'000'000;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

[[noreturn]] void notANumber() {
    throw classicError(kErrTypeMismatch);
}

// Walks the text once; every method either consumes what it expects or leaves `pos` alone.
class Scanner {
  public:
    explicit Scanner(std::string_view text) : text_(text) {}

    bool atEnd() const { return pos_ == text_.size(); }

    bool take(std::string_view token) {
        if (token.empty() || text_.substr(pos_, token.size()) != token) {
            return false;
        }
        pos_ += token.size();
        return true;
    }

    bool takeAny(char a, char b) {
        if (atEnd() || (text_[pos_] != a && text_[pos_] != b)) {
            return false;
        }
        ++pos_;
        return true;
    }

    // Appends the run of digits at the cursor to `digits` and returns its length.
    std::size_t takeDigits(std::string& digits) {
        const std::size_t start = pos_;
        while (!atEnd() && isDigit(text_[pos_])) {
            digits.push_back(text_[pos_]);
            ++pos_;
        }
        return pos_ - start;
    }

    // Reads exponent digits, saturating at kExponentCap; false when there are none.
    bool takeExponentDigits(std::int64_t& exponent) {
        const std::size_t start = pos_;
        exponent = 0;
        while (!atEnd() && isDigit(text_[pos_])) {
            exponent = std::min(kExponentCap, exponent * 10 + (text_[pos_] - '0'));
            ++pos_;
        }
        return pos_ > start;
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Integer digits, optionally grouped in threes after a first group of one to three digits.
void scanIntegerDigits(Scanner& scanner, std::string& digits, const std::string& groupSeparator) {
    const std::size_t firstGroup = scanner.takeDigits(digits);
    if (firstGroup == 0 || firstGroup > 3) {
        return;
    }
    while (scanner.take(groupSeparator)) {
        if (scanner.takeDigits(digits) != 3) {
            notANumber();
        }
    }
}

// The value 0.<digits> x 10^decimalExponent, with digits free of leading and trailing zeros.
double toDouble(bool negative, const std::string& digits, std::int64_t decimalExponent) {
    if (decimalExponent > kMaxDecimalExponent) {
        throw classicError(kErrOverflow);
    }
    if (decimalExponent < kMinDecimalExponent) {
        return negative ? -0.0 : 0.0;
    }
    const std::string canonical = "0." + digits + "e" + std::to_string(decimalExponent);
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (decimalExponent > 0) {
            throw classicError(kErrOverflow);
        }
        value = 0.0;
    } else if (error != std::errc{} || end != canonical.data() + canonical.size()) {
        notANumber();
    }
    if (std::isinf(value)) {
        throw classicError(kErrOverflow);
    }
    return negative ? -value : value;
}

enum class Exponent { Allowed, Refused };

double readNumber(std::string_view text, const NumberLocale& locale, Exponent exponentRule) {
    Scanner scanner(trimBlanks(text));
    bool negative = false;
    if (scanner.take("-")) {
        negative = true;
    } else {
        scanner.take("+");
    }

    std::string digits;
    scanIntegerDigits(scanner, digits, locale.groupSeparator);
    const auto integerDigits = static_cast<std::int64_t>(digits.size());
    if (scanner.take(locale.decimalSeparator)) {
        scanner.takeDigits(digits);
    }
    if (digits.empty()) {
        notANumber();
    }

    std::int64_t exponent = 0;
    if (exponentRule == Exponent::Allowed && scanner.takeAny('e', 'E')) {
        bool negativeExponent = false;
        if (scanner.take("-")) {
            negativeExponent = true;
        } else {
            scanner.take("+");
        }
        if (!scanner.takeExponentDigits(exponent)) {
            notANumber();
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }
    if (!scanner.atEnd()) {
        notANumber();
    }

    // Normalise to 0.<significant digits> x 10^decimalExponent.
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    if (firstSignificant == std::string::npos) {
        return negative ? -0.0 : 0.0;
    }
    const std::size_t lastSignificant = digits.find_last_not_of('0');
    const std::int64_t decimalExponent =
        integerDigits - static_cast<std::int64_t>(firstSignificant) + exponent;
    return toDouble(negative,
                    digits.substr(firstSignificant, lastSignificant - firstSignificant + 1),
                    decimalExponent);
}

} // namespace

double parseNumber(std::string_view text, const NumberLocale& locale) {
    return readNumber(text, locale, Exponent::Allowed);
}

std::int16_t parseInt16(std::string_view text, const NumberLocale& locale) {
    return toInt16(parseNumber(text, locale));
}

double parseTypedNumber(std::string_view text, const NumberLocale& locale) {
    return readNumber(text, locale, Exponent::Refused);
}

std::int16_t parseTypedInt16(std::string_view text, const NumberLocale& locale) {
    return toInt16(parseTypedNumber(text, locale));
}

} // namespace quillan
