// The heading's date and time, "DD-mmm-YYYY  HH:MM AM/PM", shared by the window and the
// command line so both write the same stamp.
#pragma once

#include <string>
#include <string_view>

namespace quillan::report {

struct ReportMoment {
    int year = 0;
    int month = 1; // 1 to 12
    int day = 1;
    int hour = 0; // 0 to 23
    int minute = 0;
};

// The month's abbreviation is the caller's, from the user's locale; a trailing full stop
// some locales end it with is dropped ("Okt", not "Okt."). The hour is on the 12-hour clock
// (01 to 12) and AM or PM are in capitals whatever the locale calls them.
std::string formatReportDateTime(const ReportMoment& when, std::string_view monthAbbreviation);

// The current local date and time formatted as above, with the month's standalone
// abbreviation from the environment's locale (LC_TIME); English when it names none.
std::string currentReportDateTime();

} // namespace quillan::report
