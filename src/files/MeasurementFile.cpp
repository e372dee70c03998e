#include "files/MeasurementFile.h"

#include "data/LocaleTexts.h"
#include "data/RowDates.h"
#include "files/TextEncoding.h"

#include <QHash>
#include <QLocale>
#include <cmath>
#include <limits>

namespace vexa {

namespace {

constexpr qsizetype DateTimeColumns = 22;
constexpr qsizetype TimeColumns = 8;
constexpr qsizetype DateLineColumns = 10;
constexpr qsizetype NumberSearchWidth = 15;

bool isDataLine(QStringView line) {
    return !line.isEmpty() && line.front().isDigit();
}

// Dates and times as the locale writes them; most rows of a file share their date, so each date text is
// read once.
class DateTimeReader {
public:
    DateTimeReader()
        : dateFormat_(shortDateFormat())
        , timeFormat_(longTimeFormat()) {}

    void read(QStringView text, MeasurementRow& row) {
        const qsizetype blank = text.indexOf(u' ');
        if (blank < 0)
            return;
        const QDate date = readDate(text.left(blank).toString());
        const QTime time = locale_.toTime(text.mid(blank + 1).trimmed().toString(), timeFormat_);
        if (!date.isValid() || !time.isValid())
            return;
        row.timestamp = dates_.timestamp(date, time);
        row.dateText = dates_.dateText(date);
        row.timeText = dates_.timeText(time);
    }

private:
    QDate readDate(const QString& text) {
        const auto known = datesByText_.constFind(text);
        if (known != datesByText_.cend())
            return *known;
        const QDate date = locale_.toDate(text, dateFormat_);
        datesByText_.insert(text, date);
        return date;
    }

    QLocale locale_;
    QString dateFormat_;
    QString timeFormat_;
    QHash<QString, QDate> datesByText_;
    RowDates dates_;
};

qsizetype skipBlanks(QStringView line, qsizetype from) {
    while (from < line.size() && line[from] == u' ')
        ++from;
    return from;
}

// The row number: the first thing after the first run of three blanks. The whole number is read, however
// many digits it has.
struct NumberField {
    qint16 number = 0;
    qsizetype end = -1; // -1: the line has no number where one belongs
};

NumberField readRowNumber(QStringView line) {
    const qsizetype run = line.indexOf(QStringLiteral("   "));
    if (run < 0)
        return {};
    const qsizetype start = skipBlanks(line, run);
    if (start >= line.size() || start >= run + NumberSearchWidth)
        return {};
    qsizetype end = start;
    int number = 0;
    bool fits = true;
    while (end < line.size() && line[end] >= u'0' && line[end] <= u'9') {
        number = number * 10 + (line[end].unicode() - u'0');
        fits = fits && number <= std::numeric_limits<qint16>::max();
        if (!fits)
            number = 0;
        ++end;
    }
    return {static_cast<qint16>(number), end};
}

// A value in either decimal notation, rounded to the three decimals the table ever shows.
double readValue(QStringView text) {
    bool ok = false;
    const double value = QLocale::c().toDouble(text.toString().replace(u',', u'.'), &ok);
    if (!ok || !std::isfinite(value))
        return 0;
    const double rounded = std::round(value * 1000) / 1000;
    return std::isfinite(rounded) ? rounded : value;
}

MeasurementRow readRow(QStringView line, const DeviceTraits& traits, DateTimeReader& dateTimes) {
    MeasurementRow row;
    if (traits.datesEveryRow())
        dateTimes.read(line.left(DateTimeColumns).trimmed(), row);
    else
        row.timeText = line.left(TimeColumns).toString();

    const NumberField number = readRowNumber(line);
    if (number.end < 0)
        return row;
    row.number = number.number;

    const qsizetype valueStart = skipBlanks(line, number.end);
    qsizetype valueEnd = line.indexOf(u' ', valueStart);
    if (valueEnd < 0)
        valueEnd = line.size();
    row.value = readValue(line.mid(valueStart, valueEnd - valueStart));

    // The unit may hold a blank ("µVs cm"); a material never does, so it is what follows the last blank.
    const QStringView rest = valueEnd < line.size() ? line.mid(valueEnd + 1) : QStringView();
    const qsizetype lastBlank = rest.lastIndexOf(u' ');
    if (traits.keepsMaterial() && lastBlank >= 0) {
        row.unit = rest.left(lastBlank).trimmed().toString();
        row.material = rest.mid(lastBlank + 1).toString();
    } else {
        row.unit = rest.trimmed().toString();
    }
    return row;
}

} // namespace

std::vector<MeasurementRow> readMeasurementFile(QStringView text, const DeviceTraits& traits) {
    const QStringList lines = splitLines(text);
    qsizetype next = 0;
    while (next < lines.size() && !isDataLine(lines[next]))
        ++next;
    if (next == lines.size())
        return {};

    // Files of gauges without a date per row may start their data with a line holding the date alone.
    QString firstDate;
    const QString& first = lines[next];
    if (!traits.datesEveryRow() && first.size() > 2 && first[2] == u'.') {
        firstDate = first.left(DateLineColumns);
        if (!first.contains(u':'))
            ++next;
    }

    std::vector<MeasurementRow> rows;
    DateTimeReader dateTimes;
    for (; next < lines.size() && rows.size() < static_cast<size_t>(RowStore::Capacity); ++next) {
        const QString& line = lines[next];
        if (line.isEmpty() || !line.contains(u':'))
            continue;
        rows.push_back(readRow(line, traits, dateTimes));
    }
    if (!firstDate.isEmpty() && !rows.empty())
        rows.front().dateText = firstDate;
    return rows;
}

} // namespace vexa
