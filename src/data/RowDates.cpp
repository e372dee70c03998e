#include "data/RowDates.h"

#include <QLocale>
#include <algorithm>
#include <iterator>

namespace vexa {

namespace {

// Times whose texts must agree with the locale's before the compiled form is trusted: single- and
// two-digit fields, midnight, noon, both halves of the day.
const QTime ProbeTimes[] = {QTime(0, 0, 0),  QTime(1, 2, 3),    QTime(9, 59, 59), QTime(11, 11, 11),
                            QTime(12, 0, 0), QTime(12, 34, 56), QTime(13, 5, 9),  QTime(23, 59, 59)};

// Appends the digits of a value below 100.
char16_t* appendNumber(char16_t* out, int value, int width) {
    if (width >= 2 || value >= 10)
        *out++ = char16_t(u'0' + value / 10);
    *out++ = char16_t(u'0' + value % 10);
    return out;
}

} // namespace

RowDates::RowDates(const DateTimeForms& forms)
    : forms_(forms) {
    amText_ = forms_.time.locale.amText();
    pmText_ = forms_.time.locale.pmText();
    compiled_ = compile(forms_.time.format);
    if (compiled_) {
        for (const QTime& probe : ProbeTimes) {
            if (compiledTimeText(probe) != forms_.time.text(probe)) {
                compiled_ = false;
                break;
            }
        }
    }
}

const RowDates::Day& RowDates::day(const QDate& date) {
    const qint64 julianDay = date.toJulianDay();
    if (julianDay == lastDay_)
        return *last_;
    auto found = days_.constFind(julianDay);
    if (found == days_.constEnd()) {
        const int startOffset = QDateTime(date, QTime(0, 0)).offsetFromUtc();
        const int endOffset = QDateTime(date, QTime(23, 59, 59)).offsetFromUtc();
        found = days_.insert(julianDay, Day{forms_.date.text(date), startOffset, startOffset != endOffset});
    }
    lastDay_ = julianDay;
    last_ = &*found;
    return *found;
}

QDateTime RowDates::timestamp(const QDate& date, const QTime& time) {
    const Day& entry = day(date);
    if (!entry.clocksChange)
        return QDateTime(date, time, Qt::OffsetFromUTC, entry.utcOffset);
    const qint64 hour = date.toJulianDay() * 24 + time.hour();
    auto found = hourOffsets_.constFind(hour);
    if (found == hourOffsets_.constEnd())
        found = hourOffsets_.insert(hour, QDateTime(date, QTime(time.hour(), 0)).offsetFromUtc());
    return QDateTime(date, time, Qt::OffsetFromUTC, *found);
}

QString RowDates::dateText(const QDate& date) {
    return day(date).text;
}

QString RowDates::timeText(const QTime& time) const {
    return compiled_ ? compiledTimeText(time) : forms_.time.text(time);
}

bool RowDates::compile(const QString& format) {
    const bool twelveHour = format.contains(u'a', Qt::CaseInsensitive);
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format.at(i);
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run) == c)
            ++run;
        if (c == u'h' || c == u'H' || c == u'm' || c == u's') {
            if (run > 2)
                return false;
            Piece piece;
            piece.width = int(run);
            if (c == u'm')
                piece.kind = Piece::Minute;
            else if (c == u's')
                piece.kind = Piece::Second;
            else
                piece.kind = c == u'h' && twelveHour ? Piece::Hour12 : Piece::Hour24;
            pieces_.push_back(piece);
            i += run;
        } else if (c == u'A' || c == u'a') {
            if (i + 1 >= format.size() || format.at(i + 1).toLower() != u'p')
                return false;
            const bool upper = c == u'A';
            amText_ = upper ? amText_.toUpper() : amText_.toLower();
            pmText_ = upper ? pmText_.toUpper() : pmText_.toLower();
            pieces_.push_back({Piece::AmPm, 1, {}});
            i += 2;
        } else if (c.isLetter() || c == u'\'') {
            return false;
        } else {
            pieces_.push_back({Piece::Literal, 1, format.mid(i, run)});
            i += run;
        }
    }
    return true;
}

QString RowDates::compiledTimeText(const QTime& time) const {
    // Built in place: the literals and the am/pm texts are short, and one allocation per row is enough.
    char16_t buffer[64];
    char16_t* out = buffer;
    char16_t* const end = buffer + std::size(buffer);
    const auto appendText = [&](const QString& text) {
        const qsizetype count = qMin<qsizetype>(text.size(), end - out);
        std::copy_n(text.utf16(), count, out);
        out += count;
    };
    for (const Piece& piece : pieces_) {
        if (end - out < 2)
            break;
        switch (piece.kind) {
        case Piece::Literal:
            appendText(piece.literal);
            break;
        case Piece::Hour24:
            out = appendNumber(out, time.hour(), piece.width);
            break;
        case Piece::Hour12:
            out = appendNumber(out, time.hour() % 12 == 0 ? 12 : time.hour() % 12, piece.width);
            break;
        case Piece::Minute:
            out = appendNumber(out, time.minute(), piece.width);
            break;
        case Piece::Second:
            out = appendNumber(out, time.second(), piece.width);
            break;
        case Piece::AmPm:
            appendText(time.hour() < 12 ? amText_ : pmText_);
            break;
        }
    }
    return QString(reinterpret_cast<const QChar*>(buffer), out - buffer);
}

} // namespace vexa
