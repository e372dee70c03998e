#include "data/LocaleTexts.h"
#include "data/RowDates.h"

#include <QFile>
#include <QTest>
#include <ctime>

using namespace vexa;

class TestRowDates : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void textsMatchTheLocale_data();
    void textsMatchTheLocale();
    void timestampsFollowDaylightSaving_data();
    void timestampsFollowDaylightSaving();
};

void TestRowDates::initTestCase() {
    // A zone whose clocks change, so the per-day offset cache meets a changing day.
    qputenv("TZ", "Europe/Berlin");
    tzset();
}

void TestRowDates::textsMatchTheLocale_data() {
    QTest::addColumn<QLocale>("locale");

    // Latin digits with 24-hour and 12-hour clocks, then locales the compiled form has to hand back
    // to the locale (native digits, am/pm before the time).
    for (const QLocale& locale :
         {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::English, QLocale::UnitedStates),
          QLocale(QLocale::English, QLocale::UnitedKingdom), QLocale(QLocale::French, QLocale::France),
          QLocale(QLocale::Arabic, QLocale::Egypt), QLocale(QLocale::Persian, QLocale::Iran),
          QLocale(QLocale::Chinese, QLocale::China), QLocale(QLocale::Korean, QLocale::SouthKorea)})
        QTest::newRow(qPrintable(locale.name())) << locale;
}

void TestRowDates::textsMatchTheLocale() {
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    RowDates dates;
    for (int second = 0; second < 24 * 3600; second += 317) {
        const QTime time = QTime(0, 0).addSecs(second);
        QCOMPARE(dates.timeText(time), longTimeText(time));
    }
    for (const QDate& date : {QDate(2025, 1, 2), QDate(2025, 12, 24), QDate(2031, 7, 9), QDate(2025, 1, 2)})
        QCOMPARE(dates.dateText(date), shortDateText(date));
}

void TestRowDates::timestampsFollowDaylightSaving_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<int>("offset");

    QTest::newRow("winter") << QDate(2025, 1, 15) << QTime(12, 0) << 3600;
    QTest::newRow("summer") << QDate(2025, 7, 15) << QTime(12, 0) << 7200;
    QTest::newRow("spring day, before the change") << QDate(2025, 3, 30) << QTime(1, 30) << 3600;
    QTest::newRow("spring day, after the change") << QDate(2025, 3, 30) << QTime(3, 30) << 7200;
    QTest::newRow("autumn day, after the change") << QDate(2025, 10, 26) << QTime(4, 0) << 3600;
}

void TestRowDates::timestampsFollowDaylightSaving() {
    QFETCH(QDate, date);
    QFETCH(QTime, time);
    QFETCH(int, offset);
    if (!QFile::exists(QStringLiteral("/usr/share/zoneinfo/Europe/Berlin")))
        QSKIP("no time-zone database");
    RowDates dates;
    // The same day asked twice, once through the cache.
    for (int pass = 0; pass < 2; ++pass) {
        const QDateTime timestamp = dates.timestamp(date, time);
        QCOMPARE(timestamp.date(), date);
        QCOMPARE(timestamp.time(), time);
        QCOMPARE(timestamp.offsetFromUtc(), offset);
        QCOMPARE(timestamp, QDateTime(date, time));
    }
}

QTEST_APPLESS_MAIN(TestRowDates)
#include "tst_rowdates.moc"
