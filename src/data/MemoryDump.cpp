#include "data/MemoryDump.h"

#include "data/HexFields.h"
#include "data/LocaleTexts.h"
#include "data/RowDates.h"
#include "data/Units.h"

#include <QByteArrayView>
#include <QStringView>
#include <array>
#include <cmath>

namespace vexa {

namespace {

constexpr qsizetype HeaderDigits = 320;
constexpr qsizetype MeasurementRecordDigits = 32;
constexpr qsizetype ValueRecordDigits = 8;

constexpr quint8 RepeatMaterialCode = 0b1011;

// Material texts by flag code; code 1011 repeats the previous record's material instead. The WL probes'
// codes (from 1100) also fix the row's unit and the unit the value arrives in. Shared texts, so that
// rows copy them without allocating.
struct MaterialCode {
    QString material;
    QString rowUnit;
    QString sourceUnit;
};

const std::array<MaterialCode, 16>& materialCodes() {
    static const std::array<MaterialCode, 16> codes{{
        {QStringLiteral("FE"), {}, {}},
        {QStringLiteral("NF"), {}, {}},
        {QStringLiteral("DFE"), {}, {}},
        {QStringLiteral("DNF"), {}, {}},
        {QStringLiteral("DC"), {}, {}},
        {QStringLiteral("AC"), {}, {}},
        {QStringLiteral("PDC"), {}, {}},
        {QStringLiteral("PAC"), {}, {}},
        {QStringLiteral("WP"), {}, {}},
        {QStringLiteral("PWP"), {}, {}},
        {QStringLiteral("FN"), {}, {}},
        {{}, {}, {}},
        {QStringLiteral("WLX"), QStringLiteral("mVs"), QStringLiteral("mVs")},
        {QStringLiteral("WLN"), QStringLiteral("\u00B5Vs/n"), QStringLiteral("mVs/n")},
        {QStringLiteral("WLM"), QStringLiteral("\u00B5Vs cm"), QStringLiteral("mVs\u00B7cm")},
        {QStringLiteral("WLD"), QStringLiteral("A/cm"), QStringLiteral("A/cm")},
    }};
    return codes;
}

qsizetype recordDigits(MemoryKind kind) {
    return kind == MemoryKind::Single || kind == MemoryKind::Series ? ValueRecordDigits
                                                                    : MeasurementRecordDigits;
}

// The material a WL gauge's unit requires; empty when the unit is not checked.
QStringView requiredWlMaterial(const QString& unit) {
    if (unit == u"mVs")
        return u"WLX";
    for (QStringView perTurn : {u"\u00B5Vs/n", u"\u00B5Wb/n", u"mVs/n", u"mWb/n"}) {
        if (unit == perTurn)
            return u"WLN";
    }
    for (QStringView perLength : {u"\u00B5Vs\u00B7cm", u"\u00B5Wb\u00B7cm", u"mVs\u00B7cm", u"mWb\u00B7cm"}) {
        if (unit == perLength)
            return u"WLM";
    }
    if (unit == u"mT" || unit == u"A/cm")
        return u"WLD";
    return {};
}

QString errorText(FieldError error) {
    switch (error) {
    case FieldError::InvalidHexDigit:
        return QStringLiteral("invalid hexadecimal digit");
    case FieldError::InvalidDate:
        return QStringLiteral("invalid date");
    case FieldError::NumberOutOfRange:
        return QStringLiteral("number out of range");
    }
    return QString();
}

DecodeError headerError(FieldError error) {
    return {error, QStringLiteral("Memory header: ") + errorText(error)};
}

DecodeError recordError(FieldError error, qsizetype record) {
    return {error, QStringLiteral("Record %1: ").arg(record) + errorText(error)};
}

// A single-precision field that must hold a reading: NaN and infinities are no readings.
Parsed<double> readingAt(QByteArrayView digits) {
    const Parsed<double> value = hexToNumber(digits, HexKind::SingleBits);
    if (value && !std::isfinite(*value))
        return FieldError::NumberOutOfRange;
    return value;
}

std::optional<DecodeError> decodeHeader(QByteArrayView header, MemoryHeader& fields) {
    const Parsed<qint32> code = hexToLong(header.sliced(8, 2));
    if (!code)
        return headerError(code.error());
    fields.headerCode = *code;
    const Parsed<QString> number = hexToText(header.sliced(12, 4));
    if (!number)
        return headerError(number.error());
    fields.headerNumber = number->trimmed().toInt();
    const Parsed<QString> name = hexToText(header.sliced(16, 228));
    if (!name)
        return headerError(name.error());
    fields.memoryName = *name;
    // Only single-value memories use the date, so a blank one is reported only there.
    const Parsed<QDateTime> date = hexToTimestamp(header.sliced(244, 12));
    if (!date && date.error() == FieldError::InvalidHexDigit)
        return headerError(date.error());
    if (date)
        fields.memoryDate = *date;
    const Parsed<qint32> count = hexToLong(header.sliced(256, 4));
    const Parsed<qint32> interval = hexToLong(header.sliced(260, 4));
    if (!count || !interval)
        return headerError(!count ? count.error() : interval.error());
    fields.recordCount = static_cast<qint16>(*count);
    fields.sampleInterval = static_cast<qint16>(*interval);
    double* const statistics[] = {&fields.statMinimum, &fields.statMaximum, &fields.statThird,
                                  &fields.statMean,    &fields.statStdDev,  &fields.statSixth,
                                  &fields.pulseTime};
    qsizetype offset = 264;
    for (double* statistic : statistics) {
        const Parsed<double> value = hexToNumber(header.sliced(offset, 8), HexKind::SingleBits);
        if (!value)
            return headerError(value.error());
        *statistic = *value;
        offset += 8;
    }
    return std::nullopt;
}

// The decoding run: the state one memory's records share.
class Decoder {
public:
    Decoder(DecodedMemory& result, const QString& deviceUnit, const MeasureContext& context)
        : result_(result)
        , deviceUnit_(deviceUnit)
        , context_(context)
        , wl_(context.deviceModel == u"WL")
        , requiredMaterial_(wl_ ? requiredWlMaterial(deviceUnit) : QStringView())
        , rounding_(deviceUnit, context) {}

    void seriesStatistics() {
        const MemoryHeader& header = result_.header;
        SeriesStatistics& statistics = result_.seriesStatistics;
        statistics.minimum = roundHalfEven(convert(header.statMinimum), 2);
        statistics.maximum = roundHalfEven(convert(header.statMaximum), 2);
        statistics.mean = roundHalfEven(convert(header.statMean), 2);
        statistics.stdDev = roundHalfEven(convert(header.statStdDev), 2);
        statistics.pulseTime = roundHalfEven(header.pulseTime, 2);
    }

    // False when decoding has to stop at this record.
    bool record(QByteArrayView digits, qsizetype recordNumber) {
        switch (result_.kind) {
        case MemoryKind::Single:
            return single(digits, recordNumber);
        case MemoryKind::Series:
            return sample(digits, recordNumber);
        case MemoryKind::Measurement:
            return measurement(digits, recordNumber);
        case MemoryKind::None:
            break;
        }
        return false;
    }

private:
    double convert(double value) {
        return convertToDeviceUnit(value, deviceUnit_, context_.measureMode, sourceUnit_);
    }

    double rounded(double value) const { return rounding_(value).value; }

    bool fail(FieldError error, qsizetype recordNumber) {
        result_.error = recordError(error, recordNumber);
        return false;
    }

    bool single(QByteArrayView digits, qsizetype recordNumber) {
        const Parsed<double> value = readingAt(digits);
        if (!value)
            return fail(value.error(), recordNumber);
        if (!result_.header.memoryDate.isValid())
            return fail(FieldError::InvalidDate, recordNumber);
        if (memoryDateText_.isNull())
            memoryDateText_ = dateTimeText(result_.header.memoryDate);
        // The memory's date stands for every value; the time column and the timestamp stay cleared.
        MeasurementRow row;
        row.number = static_cast<qint16>(result_.rows.size() + 1);
        row.value = rounded(convert(*value));
        row.unit = deviceUnit_;
        row.dateText = memoryDateText_;
        result_.rows.push_back(std::move(row));
        return true;
    }

    bool sample(QByteArrayView digits, qsizetype recordNumber) {
        const Parsed<double> value = readingAt(digits);
        if (!value)
            return fail(value.error(), recordNumber);
        result_.seriesValues.push_back(convert(*value));
        return true;
    }

    bool measurement(QByteArrayView digits, qsizetype recordNumber) {
        const Parsed<FlagBits> flags = splitFlagBits(digits.sliced(2, 2));
        if (!flags)
            return fail(flags.error(), recordNumber);
        if (flags->passOver)
            return true;
        const Parsed<double> number = hexToNumber(digits.sliced(24, 8), HexKind::Int16);
        if (!number)
            return fail(number.error(), recordNumber);
        const Parsed<double> value = readingAt(digits.sliced(16, 8));
        if (!value)
            return fail(value.error(), recordNumber);
        const Parsed<DateAndTime> timestamp = hexToDateAndTime(digits.sliced(4, 12));
        if (!timestamp)
            return fail(timestamp.error(), recordNumber);

        const MaterialCode& code = materialCodes()[flags->materialCode];
        if (flags->materialCode != RepeatMaterialCode)
            previousMaterial_ = code.material;
        if (!code.sourceUnit.isEmpty())
            sourceUnit_ = code.sourceUnit;
        // A WL gauge always shows its own unit; the others show the WL probes' units.
        const QString& unit = wl_ || code.rowUnit.isEmpty() ? deviceUnit_ : code.rowUnit;
        const bool marked = !requiredMaterial_.isEmpty() && previousMaterial_ != requiredMaterial_;
        const double converted = rounded(convert(*value));
        result_.rows.push_back({.number = static_cast<qint16>(*number),
                                .value = marked ? 0.0 : converted,
                                .unit = unit,
                                .material = context_.traits.keepsMaterial() ? previousMaterial_ : QString(),
                                .mark = marked ? QStringLiteral("X") : QString(),
                                .timestamp = dates_.timestamp(timestamp->date, timestamp->time),
                                .dateText = dates_.dateText(timestamp->date),
                                .timeText = dates_.timeText(timestamp->time)});
        return true;
    }

    DecodedMemory& result_;
    const QString& deviceUnit_;
    const MeasureContext& context_;
    const bool wl_;
    const QStringView requiredMaterial_;
    const MeasurementRounding rounding_;
    QString sourceUnit_;
    QString previousMaterial_; // of the previous taken-over record; empty before the first
    QString memoryDateText_;
    RowDates dates_;
};

// Whether a row store full of rows leaves records that would still have given rows.
bool rowsLeftOver(QByteArrayView body, qsizetype from, MemoryKind kind) {
    const qsizetype width = recordDigits(kind);
    for (qsizetype offset = from; offset + width <= body.size(); offset += width) {
        if (kind != MemoryKind::Measurement)
            return true;
        const Parsed<FlagBits> flags = splitFlagBits(body.sliced(offset + 2, 2));
        if (!flags || !flags->passOver)
            return true;
    }
    return false;
}

} // namespace

QString DecodedMemory::memoryLabel() const {
    return u'(' + header.memoryName + u')';
}

bool DecodedMemory::seriesCountDisagrees() const {
    return kind == MemoryKind::Series && !empty && quint16(header.recordCount) > seriesValues.size();
}

MemoryKind memoryKindOf(const QString& selector) {
    const QStringView firstTwo = QStringView(selector).trimmed().left(2);
    if (firstTwo.contains(u's'))
        return MemoryKind::Single;
    if (firstTwo.contains(u't'))
        return MemoryKind::Series;
    if (firstTwo.contains(u'm'))
        return MemoryKind::Measurement;
    return MemoryKind::None;
}

DecodedMemory decodeMemoryDump(const QByteArray& dumpText, const QString& selector, const QString& deviceUnit,
                               const MeasureContext& context) {
    DecodedMemory result;
    result.selector = selector.trimmed();
    result.kind = memoryKindOf(selector);
    const QByteArrayView dump(dumpText);
    if (dump.size() < HeaderDigits)
        return result;
    const QByteArrayView body = dump.sliced(HeaderDigits);
    const qsizetype width = recordDigits(result.kind);
    result.empty = body.size() < width;
    if (const auto error = decodeHeader(dump.first(HeaderDigits), result.header)) {
        result.error = error;
        return result;
    }
    if (result.empty || result.kind == MemoryKind::None)
        return result;

    if (result.kind != MemoryKind::Series)
        result.rows.reserve(static_cast<size_t>(qMin<qsizetype>(body.size() / width, RowStore::Capacity)));
    Decoder decoder(result, deviceUnit, context);
    if (result.kind == MemoryKind::Series)
        decoder.seriesStatistics();
    qsizetype recordNumber = 1;
    for (qsizetype offset = 0; offset + width <= body.size(); offset += width, ++recordNumber) {
        if (result.rows.size() == static_cast<size_t>(RowStore::Capacity)) {
            result.truncated = rowsLeftOver(body, offset, result.kind);
            break;
        }
        if (!decoder.record(body.sliced(offset, width), recordNumber))
            break;
    }
    return result;
}

} // namespace vexa
