#pragma once

#include "data/MeasurementRow.h"
#include "data/MeasurementSheet.h"
#include "data/MemoryDump.h"
#include "files/OrderedJson.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// A downloaded memory and online rows as JSON, for scripts.
namespace vexa {

struct ExportedDevice {
    QString name;
    QString address;
    QString number;
    QString model;
    QString mode;
    QString brand;
    QString traits; // the seven trait characters in order
    QString unit;
};

// A row and the text of the table's value column for it.
struct ExportedRow {
    MeasurementRow row;
    QString valueText; // 11 characters
};

// What the memory view shows after a download.
struct ExportedMemory {
    ExportedDevice device;
    QString selector;                   // the memory list entry, trimmed
    QString memoryName;                 // from the dump header; empty for probe memories
    bool truncated = false;             // rows were cut, or the header names more samples than there are
    std::optional<MemoryHeader> header; // file memories only
    std::vector<ExportedRow> rows;
    std::optional<std::vector<double>> series; // series memories only, in the gauge's unit, not rounded
    QStringList statisticsLines;               // exactly as the statistics list shows them
};

// The sheet's rows, each with its value text.
std::vector<ExportedRow> exportedRows(const MeasurementSheet& sheet);

// What a sheet exports: in the online view no rows and no statistics lines.
ExportedMemory exportedMemory(const MeasurementSheet& sheet);

// One row as a compact JSON object on one line: number, value, text, unit, material, mark, timestamp
// ("YYYY-MM-DDThh:mm:ss", or null for a row without one).
QByteArray rowJson(const ExportedRow& row);

// The whole memory as one compact JSON object: device, memory, truncated (only when it is), header, rows,
// series, statistics.
QByteArray memoryJson(const ExportedMemory& memory);
// The same object, for members to follow.
OrderedJson memoryObject(const ExportedMemory& memory);

} // namespace vexa
