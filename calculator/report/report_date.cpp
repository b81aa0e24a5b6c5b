#include "report/report_date.h"

#include <ctime>
#include <iterator>
#include <locale>
#include <sstream>
#include <stdexcept>

namespace quillan::report {

namespace {

std::string padded(int value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

std::locale environmentLocale() {
    try {
        return std::locale("");
    } catch (const std::runtime_error&) {
        // The environment names a locale this system does not have.
        return std::locale::classic();
    }
}

// The standalone form (%Ob), as a calendar heading would name the month.
std::string monthAbbreviation(const std::tm& when) {
    std::ostringstream out;
    out.imbue(environmentLocale());
    const auto& put = std::use_facet<std::time_put<char>>(out.getloc());
    put.put(std::ostreambuf_iterator<char>(out), out, ' ', &when, 'b', 'O');
    return out.str();
}

} // namespace

std::string formatReportDateTime(const ReportMoment& when, std::string_view monthAbbreviation) {
    if (monthAbbreviation.ends_with('.'))
        monthAbbreviation.remove_suffix(1);
    const int hour12 = when.hour % 12 == 0 ? 12 : when.hour % 12;
    return padded(when.day, 2) + "-" + std::string(monthAbbreviation) + "-" + padded(when.year, 4) +
           "  " + padded(hour12, 2) + ":" + padded(when.minute, 2) +
           (when.hour < 12 ? " AM" : " PM");
}

std::string currentReportDateTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const ReportMoment moment{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                              local.tm_min};
    return formatReportDateTime(moment, monthAbbreviation(local));
}

} // namespace quillan::report
