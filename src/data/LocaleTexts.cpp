#include "data/LocaleTexts.h"

#include <QRegularExpression>

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

QString shortDateText(const QDate& date) {
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QRegularExpression(QStringLiteral("y+")), QStringLiteral("yyyy"));
    return QLocale().toString(date, format);
}

QString longTimeFormat() {
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    // Drop the time-zone token and the blank before it; a row's time is local wall-clock time.
    format.remove(QRegularExpression(QStringLiteral("\\s*t+\\b")));
    return format.trimmed();
}

QString longTimeText(const QTime& time) {
    return QLocale().toString(time, longTimeFormat());
}

QString dateTimeText(const QDateTime& dateTime) {
    return shortDateText(dateTime.date()) + QLatin1Char(' ') + longTimeText(dateTime.time());
}

} // namespace vexa
