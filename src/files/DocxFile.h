#pragma once

#include "data/MeasurementSheet.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace vexa {

struct DocxDocument {
    QByteArray bytes;
    std::optional<QString> error; // why the document could not be put together
};

// The text report of `sheet` (every line of ReportMode::All) as a Word document: one paragraph per line,
// in 10-point "Lucida Console", not bold, without spacing between paragraphs, blanks kept as they are, on
// A4 with 2 cm margins. The document's defaults are the same font and size, so that text typed into it
// later matches. Its title is the heading of the statistics list ("Speicher m001", "Online").
DocxDocument docxDocument(const MeasurementSheet& sheet);

// docxDocument() written to `path`, whole or not at all: a failure gives its description and leaves the
// file that was there as it was, or none.
std::optional<QString> writeDocx(const MeasurementSheet& sheet, const QString& path);

} // namespace vexa
