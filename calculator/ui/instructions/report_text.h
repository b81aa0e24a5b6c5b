// Texts shared by the help text and both calculation reports: the separator line and the
// date-and-time stamp, whose clock tests can replace to compare lines exactly.
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <functional>

namespace instructions {

// Exactly 109 hyphen-minus characters.
QString SeparatorLine();

// "DD-mmm-YYYY  HH:MM AM/PM": the month's abbreviation from the locale, the hour on the
// 12-hour clock, AM or PM in capitals whatever the locale calls them.
QString FormatReportDateTime(const QDateTime& when, const QLocale& locale);

// The current local date and time, formatted as above in the user's locale.
QString CurrentReportDateTime();

// The clock CurrentReportDateTime reads; the system clock unless replaced.
using ReportClock = std::function<QDateTime()>;
void SetReportClock(ReportClock clock); // an empty clock restores the system clock

} // namespace instructions
