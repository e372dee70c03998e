#include "data/LocaleTexts.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace vexa {

QLocale numberLocale() {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

QChar decimalSeparator() {
    const QString text = numberLocale().toString(1.3);
    return text.size() > 1 ? text.at(1) : QChar('.');
}

QString numberText(double value) {
    return numberLocale().toString(value, 'g', QLocale::FloatingPointShortest);
}

std::optional<double> readNumber(const QString& text) {
    bool ok = false;
    const double value = numberLocale().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString shortDateFormat() {
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy"))) {
        static const QRegularExpression year(QStringLiteral("y+"));
        format.replace(year, QStringLiteral("yyyy"));
    }
    return format;
}

QString shortDateText(const QDate& date) {
    return QLocale().toString(date, shortDateFormat());
}

QString longTimeFormat() {
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    // Drop the time-zone token and the blank before it; a row's time is local wall-clock time.
    static const QRegularExpression zoneToken(QStringLiteral("\\s*t+\\b"));
    format.remove(zoneToken);
    return format.trimmed();
}

QString longTimeText(const QTime& time) {
    return QLocale().toString(time, longTimeFormat());
}

QString dateTimeText(const QDateTime& dateTime) {
    return shortDateText(dateTime.date()) + QLatin1Char(' ') + longTimeText(dateTime.time());
}

DateTimeForms tableDateTimeForms() {
    return {{QLocale(), shortDateFormat()}, {QLocale(), longTimeFormat()}};
}

DateTimeForms numericDateTimeForms() {
    return {{QLocale::c(), QStringLiteral("yyyy-MM-dd")}, {QLocale::c(), QStringLiteral("HH:mm:ss")}};
}

namespace {

// Every month, as month names differ in width, with one- and two-digit days.
const QDate DateProbes[] = {QDate(2026, 1, 1),  QDate(2026, 1, 28),  QDate(2026, 2, 1),  QDate(2026, 2, 28),
                            QDate(2026, 3, 1),  QDate(2026, 3, 28),  QDate(2026, 4, 1),  QDate(2026, 4, 28),
                            QDate(2026, 5, 1),  QDate(2026, 5, 28),  QDate(2026, 6, 1),  QDate(2026, 6, 28),
                            QDate(2026, 7, 1),  QDate(2026, 7, 28),  QDate(2026, 8, 1),  QDate(2026, 8, 28),
                            QDate(2026, 9, 1),  QDate(2026, 9, 28),  QDate(2026, 10, 1), QDate(2026, 10, 28),
                            QDate(2026, 11, 1), QDate(2026, 11, 28), QDate(2026, 12, 1), QDate(2026, 12, 28)};

// Both halves of the day, one- and two-digit hours, midnight and noon.
const QTime TimeProbes[] = {QTime(0, 0, 0),  QTime(1, 2, 3),    QTime(9, 59, 59), QTime(11, 11, 11),
                            QTime(12, 0, 0), QTime(12, 34, 56), QTime(13, 5, 9),  QTime(23, 59, 59)};

constexpr qsizetype NumericDateWidth = 10;
constexpr qsizetype NumericTimeWidth = 8;

// The widest date text of `form`; nothing when a date holds a blank or does not read back as itself.
std::optional<qsizetype> widestDateText(const DateTimeForm& form) {
    qsizetype widest = 0;
    for (const QDate& probe : DateProbes) {
        const QString text = form.text(probe);
        if (text.isEmpty() || text.contains(QLatin1Char(' ')) || form.date(text) != probe)
            return std::nullopt;
        widest = std::max(widest, text.size());
    }
    return widest;
}

// The widest time text of `form`; nothing when a time does not read back as itself, holds no ":" (a
// reader takes only lines with one for rows: "00.00.01" would lose the row), or holds three blanks in a
// row, which a reader takes for the gap before the row number.
std::optional<qsizetype> widestTimeText(const DateTimeForm& form) {
    qsizetype widest = 0;
    for (const QTime& probe : TimeProbes) {
        const QString text = form.text(probe);
        if (!text.contains(QLatin1Char(':')) || text.contains(QLatin1String("   ")) ||
            form.time(text.trimmed()) != probe)
            return std::nullopt;
        widest = std::max(widest, text.size());
    }
    return widest;
}

} // namespace

DateTimeForms readableDateTimeForms(qsizetype width) {
    const DateTimeForms table = tableDateTimeForms();
    const DateTimeForms numeric = numericDateTimeForms();
    DateTimeForms forms = table;

    std::optional<qsizetype> dateWidth = widestDateText(table.date);
    if (!dateWidth || *dateWidth + 1 + NumericTimeWidth > width) {
        forms.date = numeric.date;
        dateWidth = NumericDateWidth;
    }
    const std::optional<qsizetype> timeWidth = widestTimeText(table.time);
    if (!timeWidth || *dateWidth + 1 + *timeWidth > width)
        forms.time = numeric.time;
    return forms;
}

} // namespace vexa
