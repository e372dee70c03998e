#pragma once

#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>
#include <optional>

// Number, date and time texts in the user's locale (QLocale(), the default locale: the system's in the
// program, whatever a test sets with QLocale::setDefault).
namespace vexa {

// The default locale without digit grouping: gauge values and settings never carry thousands separators.
QLocale numberLocale();

// The second character of the locale's text of 1.3.
QChar decimalSeparator();

// The locale's standard text of a number: the shortest that reads back to the same double.
QString numberText(double value);

// A number in the locale's notation; nothing for other text and for infinities and NaN.
std::optional<double> readNumber(const QString& text);

// The locale's short date format with a four-digit year (reports and files must not lose the century).
QString shortDateFormat();

// A date in shortDateFormat().
QString shortDateText(const QDate& date);

// The locale's long time format without its time-zone token.
QString longTimeFormat();

// Time of day with seconds and without a time-zone name.
QString longTimeText(const QTime& time);

// Short date, a blank, long time.
QString dateTimeText(const QDateTime& dateTime);

// A date or time format and the locale whose names and digits it is written and read in.
struct DateTimeForm {
    QLocale locale;
    QString format;

    QString text(const QDate& date) const { return locale.toString(date, format); }
    QString text(const QTime& time) const { return locale.toString(time, format); }
    QDate date(const QString& text) const { return locale.toDate(text, format); }
    QTime time(const QString& text) const { return locale.toTime(text, format); }
};

struct DateTimeForms {
    DateTimeForm date;
    DateTimeForm time;
};

// shortDateFormat() and longTimeFormat() in the user's locale: how the table shows a row's date and time.
DateTimeForms tableDateTimeForms();

// "yyyy-MM-dd" and "HH:mm:ss" in ASCII digits, which any locale reads back.
DateTimeForms numericDateTimeForms();

// Forms for a column of `width` characters that holds a date, a blank and a time and is read back by
// splitting it at its first blank: the table's forms where the user's locale reads them back from there,
// else the numeric ones. The short date falls back when it holds a blank ("d MMM yyyy"), the long time
// when it does not fit beside the date (a long am/pm text) or has no ":" ("00.00.01"), either when it
// does not read back.
DateTimeForms readableDateTimeForms(qsizetype width);

} // namespace vexa
