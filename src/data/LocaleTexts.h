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

} // namespace vexa
