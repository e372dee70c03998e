#pragma once

#include "data/LocaleTexts.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QTime>
#include <vector>

namespace vexa {

// Timestamps, and dates and times in given forms (by default the table's: shortDateText() and
// longTimeText()), for many rows at once. Each costs microseconds per row done directly, too much for a
// 5000-row memory: a local timestamp asks the C library for the time zone (a file system lookup each
// time), and formatting through the locale parses its format string. So the UTC offset is looked up once
// per day (per hour on days the clocks change), dates are formatted once each, and the time format is
// compiled once into fixed pieces. A time format the compiled form does not reproduce exactly (native
// digits, unusual tokens) falls back to the locale for every time.
// Built for the default locale and time zone at construction; keep it no longer than one decoding run.
class RowDates {
public:
    explicit RowDates(const DateTimeForms& forms = tableDateTimeForms());

    // The local date and time, with the UTC offset in effect then.
    QDateTime timestamp(const QDate& date, const QTime& time);
    QString dateText(const QDate& date);
    QString timeText(const QTime& time) const;

private:
    struct Piece {
        enum Kind { Literal, Hour24, Hour12, Minute, Second, AmPm };
        Kind kind = Literal;
        int width = 1; // 1: no leading zero, 2: two digits
        QString literal;
    };

    struct Day {
        QString text;
        int utcOffset = 0;
        bool clocksChange = false; // the offset differs between the day's start and end
    };

    const Day& day(const QDate& date);
    bool compile(const QString& format);
    QString compiledTimeText(const QTime& time) const;

    DateTimeForms forms_;
    QHash<qint64, Day> days_; // by Julian day
    qint64 lastDay_ = -1;     // rows come in time order, so most share the previous row's day
    const Day* last_ = nullptr;
    QHash<qint64, int> hourOffsets_; // by Julian day * 24 + hour, on days the clocks change
    std::vector<Piece> pieces_;
    QString amText_;
    QString pmText_;
    bool compiled_ = false;
};

} // namespace vexa
