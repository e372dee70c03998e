#pragma once

#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>

// Number, date and time texts in the user's locale (QLocale(), the default locale: the system's in the
// program, whatever a test sets with QLocale::setDefault).
namespace vexa {

// The default locale without digit grouping: gauge values and settings never carry thousands separators.
QLocale numberLocale();

// The second character of the locale's text of 1.3.
QChar decimalSeparator();

// Short date with a four-digit year (reports and files must not lose the century).
QString shortDateText(const QDate& date);

// The locale's long time format without its time-zone token.
QString longTimeFormat();

// Time of day with seconds and without a time-zone name.
QString longTimeText(const QTime& time);

// Short date, a blank, long time.
QString dateTimeText(const QDateTime& dateTime);

} // namespace vexa
