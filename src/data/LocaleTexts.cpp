#include "data/LocaleTexts.h"

#include <QRegularExpression>
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

} // namespace vexa
