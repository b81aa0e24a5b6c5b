// The texts every report shares: the program title and version, the separator line and the
// date-and-time stamp.
#include "instructions/report_text.h"
#include "program/app_title.h"

#include <QtTest/QtTest>

class ReportTextTest : public QObject {
    Q_OBJECT

  private slots:
    void titleAndVersion_data();
    void titleAndVersion();
    void buildVersion();
    void separatorLine();
    void dateStamp_data();
    void dateStamp();
    void replaceableClock();
};

void ReportTextTest::titleAndVersion_data() {
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("title");
    QTest::newRow("shipped") << 1 << 0 << 3 << "Quillan v1.0.3 **BETA**";
    QTest::newRow("no leading zeros") << 2 << 10 << 15 << "Quillan v2.10.15 **BETA**";
}

void ReportTextTest::titleAndVersion() {
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QFETCH(QString, title);
    QCOMPARE(program::FormatAppTitle(program::FormatVersion(
                 std::int16_t(major), std::int16_t(minor), std::int16_t(revision))),
             title);
}

void ReportTextTest::buildVersion() {
    QCOMPARE(program::GetVersionString(), QStringLiteral("1.0.3"));
    QCOMPARE(program::GetAppTitle(), QStringLiteral("Quillan v1.0.3 **BETA**"));
}

void ReportTextTest::separatorLine() {
    const QString line = instructions::SeparatorLine();
    QCOMPARE(line.size(), 109);
    QCOMPARE(line.count(QLatin1Char('-')), 109);
}

void ReportTextTest::dateStamp_data() {
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("stamp");
    QTest::newRow("afternoon") << QDateTime(QDate(2026, 12, 6), QTime(17, 7)) << "en_US"
                               << "06-Dec-2026  05:07 PM";
    QTest::newRow("morning") << QDateTime(QDate(2026, 12, 6), QTime(5, 18)) << "en_US"
                             << "06-Dec-2026  05:18 AM";
    QTest::newRow("midnight is 12 AM") << QDateTime(QDate(2027, 1, 1), QTime(0, 0)) << "en_GB"
                                       << "01-Jan-2027  12:00 AM";
    QTest::newRow("noon is 12 PM") << QDateTime(QDate(2027, 7, 31), QTime(12, 59)) << "en_US"
                                   << "31-Jul-2027  12:59 PM";
    QTest::newRow("one minute before midnight")
        << QDateTime(QDate(2027, 2, 9), QTime(23, 59, 59)) << "en_US"
        << "09-Feb-2027  11:59 PM";
    QTest::newRow("German month, AM/PM still in capitals")
        << QDateTime(QDate(2026, 10, 3), QTime(14, 30)) << "de_DE"
        << "03-Okt-2026  02:30 PM";
}

void ReportTextTest::dateStamp() {
    QFETCH(QDateTime, when);
    QFETCH(QString, locale);
    QFETCH(QString, stamp);
    QCOMPARE(instructions::FormatReportDateTime(when, QLocale(locale)), stamp);
}

void ReportTextTest::replaceableClock() {
    instructions::SetReportClock([] { return QDateTime(QDate(2026, 12, 6), QTime(17, 7)); });
    QCOMPARE(instructions::CurrentReportDateTime(),
             instructions::FormatReportDateTime(QDateTime(QDate(2026, 12, 6), QTime(17, 7)),
                                                QLocale::system()));
    instructions::SetReportClock({});
    const QDateTime before = QDateTime::currentDateTime();
    const QString now = instructions::CurrentReportDateTime();
    const QDateTime after = QDateTime::currentDateTime();
    QVERIFY(now == instructions::FormatReportDateTime(before, QLocale::system()) ||
            now == instructions::FormatReportDateTime(after, QLocale::system()));
}

QTEST_GUILESS_MAIN(ReportTextTest)
#include "test_report_text.moc"
