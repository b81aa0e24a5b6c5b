// The heading's date stamp: the pattern both the window and the command line write.
#include "report/report_date.h"

#include <gtest/gtest.h>

#include <ctime>
#include <regex>

using namespace quillan::report;

namespace {

TEST(ReportDate, Pattern) {
    struct Case {
        ReportMoment when;
        const char* month;
        const char* stamp;
    };
    const Case cases[] = {
        {{2026, 12, 6, 17, 7}, "Dec", "06-Dec-2026  05:07 PM"},
        {{2026, 12, 6, 5, 18}, "Dec", "06-Dec-2026  05:18 AM"},
        {{2027, 1, 1, 0, 0}, "Jan", "01-Jan-2027  12:00 AM"},    // midnight is 12 AM
        {{2027, 7, 31, 12, 59}, "Jul", "31-Jul-2027  12:59 PM"}, // noon is 12 PM
        {{2027, 2, 9, 23, 59}, "Feb", "09-Feb-2027  11:59 PM"},
        {{2026, 10, 3, 14, 30}, "Okt.", "03-Okt-2026  02:30 PM"}, // the full stop goes
        {{987, 3, 4, 9, 5}, "Mar", "04-Mar-0987  09:05 AM"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatReportDateTime(c.when, c.month), c.stamp);
}

TEST(ReportDate, CurrentStampIsTheLocalTimeInThePattern) {
    const std::string stamp = currentReportDateTime();
    EXPECT_TRUE(
        std::regex_match(stamp, std::regex(R"(\d\d-[^-]+-\d{4}  (0[1-9]|1[0-2]):[0-5]\d (AM|PM))")))
        << stamp;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    EXPECT_EQ(stamp.substr(7, 4), std::to_string(local.tm_year + 1900));
}

} // namespace
