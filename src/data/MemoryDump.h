#pragma once

#include "data/MeasurementRow.h"
#include "data/Parsed.h"
#include "data/ValueFormat.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

// Decoding of a memory read from a file-memory gauge: a text of hex digits holding a 320-digit header
// and fixed-size records.
namespace vexa {

// The header's fields. Numbers stay 0 and texts empty when the dump is shorter than the header.
struct MemoryHeader {
    qint32 headerCode = 0;
    qint32 headerNumber = 0;
    QString memoryName;
    QDateTime memoryDate; // invalid when the header's date bytes form no date
    qint16 recordCount = 0;
    qint16 sampleInterval = 0;
    double statMinimum = 0;
    double statMaximum = 0;
    double statThird = 0;
    double statMean = 0;
    double statStdDev = 0;
    double statSixth = 0;
    double pulseTime = 0; // milliseconds
};

enum class MemoryKind {
    None,        // the selector names no kind: nothing is decoded
    Measurement, // "m": 32-digit records with flags, date, value and number
    Single,      // "s": 8-digit values, dated by the header
    Series,      // "t": 8-digit samples shown as a chart
};

// The statistics of a series memory converted into the gauge's unit and rounded to 2 decimals
// (the pulse time in milliseconds, only rounded).
struct SeriesStatistics {
    double minimum = 0;
    double maximum = 0;
    double mean = 0;
    double stdDev = 0;
    double pulseTime = 0;
};

struct DecodeError {
    FieldError kind;
    QString text; // what went wrong and where, for the message and the log
};

struct DecodedMemory {
    QString selector; // the memory list entry, trimmed
    MemoryKind kind = MemoryKind::None;
    MemoryHeader header;
    // Less than one record of the memory's kind after the header (also a dump shorter than the header).
    bool empty = true;
    std::vector<MeasurementRow> rows;  // "m" and "s": at most RowStore::Capacity
    std::vector<double> seriesValues;  // "t": one per sample present, in the gauge's unit
    SeriesStatistics seriesStatistics; // "t" only
    bool truncated = false;            // records beyond a row store's capacity were left out
    std::optional<DecodeError> error;  // decoding stopped here; the rows before it are kept

    // "(" + memory name + ")", as the memory label shows it.
    QString memoryLabel() const;
    // A series whose header names more samples than the memory holds (the header's count is unsigned).
    bool seriesCountDisagrees() const;
};

// The memory kind named by the first two characters of the trimmed selector ("s" before "t" before
// "m" when several appear).
MemoryKind memoryKindOf(const QString& selector);

// Decodes `dumpText` read for the memory list entry `selector` of a gauge set to `deviceUnit`.
// Values are converted into `deviceUnit` and rounded as the table shows them. Never throws; a
// trailing piece shorter than a record is ignored.
DecodedMemory decodeMemoryDump(const QByteArray& dumpText, const QString& selector, const QString& deviceUnit,
                               const MeasureContext& context);

} // namespace vexa
