#include "report_text.h"

#include <utility>

namespace Module1 {

namespace {

ReportClock& clock() {
    static ReportClock current;
    return current;
}

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// The locale's standalone abbreviation, without the full stop some locales end it with
// ("Okt", not "Okt.").
QString monthAbbreviation(const QLocale& locale, int month) {
    QString name = locale.standaloneMonthName(month, QLocale::ShortFormat);
    if (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    return name;
}

} // namespace

QString SeparatorLine() {
    return QString(109, QLatin1Char('-'));
}

QString FormatReportDateTime(const QDateTime& when, const QLocale& locale) {
    const QDate date = when.date();
    const QTime time = when.time();
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return twoDigits(date.day()) + QLatin1Char('-') + monthAbbreviation(locale, date.month()) +
           QLatin1Char('-') + QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0')) +
           QStringLiteral("  ") + twoDigits(hour12) + QLatin1Char(':') + twoDigits(time.minute()) +
           (time.hour() < 12 ? QStringLiteral(" AM") : QStringLiteral(" PM"));
}

QString CurrentReportDateTime() {
    const QDateTime now = clock() ? clock()() : QDateTime::currentDateTime();
    return FormatReportDateTime(now, QLocale::system());
}

void SetReportClock(ReportClock replacement) {
    clock() = std::move(replacement);
}

} // namespace Module1
