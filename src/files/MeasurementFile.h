#pragma once

#include "data/DeviceTraits.h"
#include "data/GaugeIdentity.h"
#include "data/LocaleTexts.h"
#include "data/MeasurementRow.h"

#include <QString>
#include <vector>

namespace vexa {

// A dated data line starts with its date, a blank and its time within this many characters.
constexpr qsizetype MeasurementFileDateTimeWidth = 22;

// How a measurement file writes the dates and times of dated rows: as the table shows them where the
// locale reads them back from the file, else in numbers ("yyyy-MM-dd", "HH:mm:ss").
DateTimeForms measurementFileDateTimeForms();

// The rows of a measurement file's text (a text report), at most RowStore::Capacity. The lines before the
// first one starting with a digit are the project and statistics sections; after it every non-empty line
// holding a ":" is a row. Lines that do not follow the layout give rows with wrong or zero fields; nothing
// stops the reading. Dates and times read back in the locale that wrote them, numeric ones in every
// locale; values in either decimal notation.
std::vector<MeasurementRow> readMeasurementFile(QStringView text, const DeviceTraits& traits);

// The traits a measurement file's layout shows, to read it without a gauge: a first data line that starts
// with a date and a time gives the date-header trait "-" (else a blank), data lines that end with a
// material the material trait "2" (else "0"). The file tells nothing of the other traits; they stay
// unknown.
DeviceTraits traitsFromMeasurementFile(QStringView text);

// What the program knows of a gauge it never met, to read its file: a model with traits (see
// traitsForModel) gives its traits and measuring mode, any other name only the traits of the file's layout.
GaugeIdentity identityForMeasurementFile(const QString& deviceModel, QStringView text);

} // namespace vexa
