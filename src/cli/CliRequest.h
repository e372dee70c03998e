#pragma once

#include "cli/CliRuleOptions.h"
#include "data/LimitsForm.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace vexa::cli {

enum class Command { Scan, Memories, Download, Online, Open, Clock, SetClock, Info, Diagnostics, Evaluate };
// Where `evaluate` takes its readings from.
enum class Readings { Memory, Online, File };
enum class Format { Json, Mes, Report, Csv, Xlsx, Docx, Pdf, Text };

// Formats written from the whole sheet once every row is there, never line by line.
inline bool wholeSheetFormat(Format format) {
    return format == Format::Mes || format == Format::Report || format == Format::Xlsx ||
           format == Format::Docx || format == Format::Pdf;
}

// One run of the tool as the command line asks for it.
struct CliRequest {
    QStringList profileFiles;      // simulated gauges; none: the Bluetooth adapter
    std::optional<QString> device; // text the device-list entry must contain
    QString adapter;               // the Bluetooth adapter's name or address; empty: the system's default
    std::optional<int> languageIndex;
    std::optional<LimitsDisplay> limits; // as typed into the limits dialog
    Command command = Command::Scan;
    QString memory; // download: the memory-list entry or probe memory name
    Format format = Format::Json;
    QString outputFile;      // download, online and open: empty writes to standard output
    bool chart = true;       // xlsx: with the chart sheet
    int count = 0;           // online: rows to write
    QString measurementFile; // open: the file to read
    QString model;           // open: a model of the traits table; empty: the traits the file shows
    Readings readings = Readings::Memory; // evaluate: memory, count or measurementFile name them
    std::optional<RuleChoice> inspection; // evaluate, and download as JSON: the rule to judge by
};

// The request, or the one line that says what is wrong with the arguments.
struct ParsedRequest {
    std::optional<CliRequest> request;
    QString error;
    QString answer; // --help, --version: printed, and the run ends successfully
};

// `arguments` with the program name first, as QCoreApplication::arguments() gives them.
ParsedRequest parseRequest(const QStringList& arguments);

} // namespace vexa::cli
