#pragma once

#include "data/Parsed.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QtGlobal>

// The gauge's fixed-column record lines: live values and the records of a probe memory.
namespace vexa {

// The fields of one record line, as the line states them; traits and unit conversion are the caller's.
struct RecordFields {
    qint16 number = 0; // characters 1-4
    double value = 0;  // characters 7-16, "." as decimal point
    QString unit;      // characters 18-21, normalised
    QString material;  // characters 23-25, "NFE" read as "NF"
    // Characters 27-45 as "yyyy-mm-dd hh:mm:ss": an invalid QDateTime when the line has no date there,
    // InvalidDate when it has one that is no date.
    Parsed<QDateTime> timestamp = QDateTime();
};

// Reads a record line after every CR LF in it became two blanks. A field the line is too short for
// reads as empty; numbers are the leading number of their columns (0 without one). `variantCode` is the
// gauge's type code, which decides how its unit texts read.
RecordFields parseRecordLine(const QByteArray& line, const QString& variantCode);

// The record lines a live value carries. A value holding "DNF" carries two: its text up to and
// including the first LF, then a blank followed by its last half (half its length, ties to even).
// Without an LF it cannot be split and is one record.
QList<QByteArray> liveRecordLines(const QByteArray& value);

// What one read of the storage-data characteristic yields.
struct StorageRecords {
    QList<QByteArray> lines; // the lines to read as records, in order
    int counted = 0;         // the records the read used up
};

// The records of one storage-data value: its first five LF-separated lines while records are left.
// Every non-empty line counts as a record; only lines longer than 15 characters are read. Lines missing
// from a short value count as empty.
StorageRecords storageRecords(const QByteArray& value, int recordsLeft);

} // namespace vexa
