#include "files/MeasurementFile.h"

#include "data/DeviceTables.h"
#include "data/LocaleTexts.h"
#include "data/RowDates.h"
#include "files/TextEncoding.h"

#include <QHash>
#include <QLocale>
#include <cmath>
#include <limits>

namespace vexa {

namespace {

constexpr qsizetype TimeColumns = 8;
constexpr qsizetype DateLineColumns = 10;
constexpr qsizetype NumberSearchWidth = 15;

bool isDataLine(QStringView line) {
    return !line.isEmpty() && line.front().isDigit();
}

// A line the reader takes as a row.
bool isRowLine(QStringView line) {
    return !line.isEmpty() && line.contains(u':');
}

qsizetype firstDataLine(const QStringList& lines) {
    qsizetype next = 0;
    while (next < lines.size() && !isDataLine(lines[next]))
        ++next;
    return next;
}

// The position of the blank after the first `blanks` + 1 words: where a date holding `blanks` blanks
// ends; -1 when the text has fewer.
qsizetype blankAfterWords(QStringView text, qsizetype blanks) {
    qsizetype at = -1;
    for (qsizetype k = 0; k <= blanks; ++k) {
        at = text.indexOf(u' ', at + 1);
        if (at < 0)
            return -1;
    }
    return at;
}

// Dates and times as files write them, numeric ones from a system with another locale, and the locale's
// own short date with its blanks ("17 Feb 2026"), which files held before such dates were written in
// numbers. Most rows of a file share their date, so each date text is read once per form.
class DateTimeReader {
public:
    DateTimeReader() {
        const DateTimeForms file = measurementFileDateTimeForms();
        const DateTimeForms numeric = numericDateTimeForms();
        const DateTimeForm table = tableDateTimeForms().date;
        dateForms_.push_back({file.date, 0, {}});
        dateForms_.push_back({numeric.date, 0, {}});
        if (const qsizetype blanks = table.format.count(u' '); blanks > 0)
            dateForms_.push_back({table, blanks, {}});
        timeForms_ = {file.time, numeric.time};
    }

    void read(QStringView text, MeasurementRow& row) {
        for (DateForm& form : dateForms_) {
            const qsizetype end = blankAfterWords(text, form.blanks);
            if (end < 0)
                continue;
            const QDate date = form.read(text.left(end).toString());
            if (!date.isValid())
                continue;
            const QTime time = readTime(text.mid(end + 1).trimmed().toString());
            if (!time.isValid())
                return;
            row.timestamp = dates_.timestamp(date, time);
            row.dateText = dates_.dateText(date);
            row.timeText = dates_.timeText(time);
            return;
        }
    }

private:
    struct DateForm {
        DateTimeForm form;
        qsizetype blanks = 0; // inside a date
        QHash<QString, QDate> known;

        QDate read(const QString& text) {
            const auto found = known.constFind(text);
            if (found != known.cend())
                return *found;
            return *known.insert(text, form.date(text));
        }
    };

    QTime readTime(const QString& text) const {
        for (const DateTimeForm& form : timeForms_)
            if (const QTime time = form.time(text); time.isValid())
                return time;
        return {};
    }

    std::vector<DateForm> dateForms_;
    std::vector<DateTimeForm> timeForms_;
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

// What follows the date and time of a data line.
struct RowFields {
    bool found = false; // false: the line has no number where one belongs
    qint16 number = 0;
    QStringView value;
    QStringView rest; // unit and material
};

RowFields splitRowFields(QStringView line) {
    const NumberField number = readRowNumber(line);
    if (number.end < 0)
        return {};
    const qsizetype valueStart = skipBlanks(line, number.end);
    qsizetype valueEnd = line.indexOf(u' ', valueStart);
    if (valueEnd < 0)
        valueEnd = line.size();
    return {true, number.number, line.mid(valueStart, valueEnd - valueStart),
            valueEnd < line.size() ? line.mid(valueEnd + 1) : QStringView()};
}

MeasurementRow readRow(QStringView line, const DeviceTraits& traits, DateTimeReader& dateTimes) {
    MeasurementRow row;
    if (traits.datesEveryRow())
        dateTimes.read(line.left(MeasurementFileDateTimeWidth).trimmed(), row);
    else
        row.timeText = line.left(TimeColumns).toString();

    const RowFields fields = splitRowFields(line);
    if (!fields.found)
        return row;
    row.number = fields.number;
    row.value = readValue(fields.value);

    // The unit may hold a blank ("µVs cm"); a material never does, so it is what follows the last blank.
    const qsizetype lastBlank = fields.rest.lastIndexOf(u' ');
    if (traits.keepsMaterial() && lastBlank >= 0) {
        row.unit = fields.rest.left(lastBlank).trimmed().toString();
        row.material = fields.rest.mid(lastBlank + 1).toString();
    } else {
        row.unit = fields.rest.trimmed().toString();
    }
    return row;
}

// A dated line starts with its date (no ":" in it, unlike a time) and its time; a time-only line with
// its time, and the date line that may head a time-only file holds no time.
bool startsWithDateAndTime(QStringView line) {
    const QStringView window = line.left(MeasurementFileDateTimeWidth);
    const qsizetype blank = window.indexOf(u' ');
    return blank > 0 && !window.left(blank).contains(u':') && window.mid(blank).contains(u':');
}

// Rows are written as the unit padded to its column, a blank and the material, so a row without a
// material ends with a blank. Where an editor dropped the trailing blanks the unit stands alone; only a
// unit with a blank in it ("µVs cm") would then pass for a unit and a material.
bool endsWithMaterial(QStringView line) {
    const RowFields fields = splitRowFields(line);
    return fields.found && !fields.rest.isEmpty() && !fields.rest.endsWith(u' ') &&
           fields.rest.trimmed().contains(u' ');
}

} // namespace

DateTimeForms measurementFileDateTimeForms() {
    return readableDateTimeForms(MeasurementFileDateTimeWidth);
}

std::vector<MeasurementRow> readMeasurementFile(QStringView text, const DeviceTraits& traits) {
    const QStringList lines = splitLines(text);
    qsizetype next = firstDataLine(lines);
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
        if (isRowLine(line))
            rows.push_back(readRow(line, traits, dateTimes));
    }
    if (!firstDate.isEmpty() && !rows.empty())
        rows.front().dateText = firstDate;
    return rows;
}

DeviceTraits traitsFromMeasurementFile(QStringView text) {
    DeviceTraits traits;
    traits.material = '0';
    traits.dateHeader = ' ';
    const QStringList lines = splitLines(text);
    qsizetype next = firstDataLine(lines);
    if (next == lines.size())
        return traits;
    if (startsWithDateAndTime(lines[next]))
        traits.dateHeader = '-';
    for (; next < lines.size(); ++next) {
        if (isRowLine(lines[next]) && endsWithMaterial(lines[next])) {
            traits.material = '2';
            break;
        }
    }
    return traits;
}

GaugeIdentity identityForMeasurementFile(const QString& deviceModel, QStringView text) {
    GaugeIdentity gauge;
    const std::optional<DeviceTraits> traits = traitsForModel(deviceModel);
    if (!traits) {
        gauge.traits = traitsFromMeasurementFile(text);
        return gauge;
    }
    gauge.model.deviceModel = deviceModel;
    gauge.model.measureMode = measureModeOfModel(deviceModel);
    gauge.traits = *traits;
    return gauge;
}

} // namespace vexa
