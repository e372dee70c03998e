#include "data/GaugeDates.h"

namespace vexa {

namespace {

// The number in the 1-based characters [position, position + length), digits only.
int digitsAt(const QString& text, int position, int length) {
    if (text.size() < position - 1 + length)
        return -1;
    int value = 0;
    for (int i = position - 1; i < position - 1 + length; ++i) {
        const QChar c = text.at(i);
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

} // namespace

Parsed<QDateTime> isoTextToTimestamp(const QString& text) {
    if (text.isEmpty())
        return QDateTime();
    const int year = digitsAt(text, 1, 4);
    const QDate date(year, digitsAt(text, 6, 2), digitsAt(text, 9, 2));
    const QTime time(digitsAt(text, 12, 2), digitsAt(text, 15, 2), digitsAt(text, 18, 2));
    // A year that is no number must not pass as a year before Christ.
    if (year < 1 || !date.isValid() || !time.isValid())
        return FieldError::InvalidDate;
    return QDateTime(date, time);
}

QString deviceTimeText(const QString& text) {
    return text.mid(6, 4) + u'-' + text.mid(3, 2) + u'-' + text.mid(0, 2) + u'/' + text.mid(11, 2) + u':' +
           text.mid(14, 2) + u':' + text.mid(17, 2);
}

} // namespace vexa
