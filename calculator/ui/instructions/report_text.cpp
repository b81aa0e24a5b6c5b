#include "instructions/report_text.h"

#include "report/report_date.h"
#include "report/report_lines.h"

#include <QByteArray>

#include <utility>

namespace instructions {

namespace {

ReportClock& clock() {
    static ReportClock current;
    return current;
}

} // namespace

QString SeparatorLine() {
    return QString::fromStdString(quillan::report::separatorLine());
}

QString FormatReportDateTime(const QDateTime& when, const QLocale& locale) {
    // The pattern is the report module's; only the month's name comes from Qt's locale.
    const QDate date = when.date();
    const QTime time = when.time();
    const QByteArray month =
        locale.standaloneMonthName(date.month(), QLocale::ShortFormat).toUtf8();
    return QString::fromStdString(quillan::report::formatReportDateTime(
        {date.year(), date.month(), date.day(), time.hour(), time.minute()},
        std::string_view(month.constData(), std::size_t(month.size()))));
}

QString CurrentReportDateTime() {
    const QDateTime now = clock() ? clock()() : QDateTime::currentDateTime();
    return FormatReportDateTime(now, QLocale::system());
}

void SetReportClock(ReportClock replacement) {
    clock() = std::move(replacement);
}

} // namespace instructions
