#include "fill_log/fill_time.h"

#include <cstdio>
#include <ctime>

namespace quillan::filllog {

namespace {

// Digits where the pattern has '9', the pattern's own character elsewhere.
bool matches(std::string_view text, std::string_view pattern) {
    if (text.size() != pattern.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (pattern[i] == '9' ? !digit : text[i] != pattern[i])
            return false;
    }
    return true;
}

// timegm normalises 31 February into March: a real date survives the round trip unchanged.
bool realMoment(int year, int month, int day, int hour, int minute, int second) {
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    const std::time_t t = timegm(&parts);
    std::tm back{};
    return gmtime_r(&t, &back) != nullptr && back.tm_year == year - 1900 &&
           back.tm_mon == month - 1 && back.tm_mday == day && back.tm_hour == hour &&
           back.tm_min == minute && back.tm_sec == second;
}

int number(std::string_view text, std::size_t at, std::size_t length) {
    int value = 0;
    for (std::size_t i = at; i < at + length; ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

} // namespace

std::string utcNow() {
    const std::time_t t = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&t, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

bool isDate(std::string_view text) {
    return matches(text, "9999-99-99") &&
           realMoment(number(text, 0, 4), number(text, 5, 2), number(text, 8, 2), 0, 0, 0);
}

bool isTimestamp(std::string_view text) {
    return matches(text, "9999-99-99T99:99:99Z") &&
           realMoment(number(text, 0, 4), number(text, 5, 2), number(text, 8, 2),
                      number(text, 11, 2), number(text, 14, 2), number(text, 17, 2));
}

} // namespace quillan::filllog
