#pragma once

#include "data/DeviceTraits.h"
#include "data/MeasurementRow.h"

#include <QString>
#include <vector>

namespace vexa {

// The rows of a measurement file's text (a text report), at most RowStore::Capacity. The lines before the
// first one starting with a digit are the project and statistics sections; after it every non-empty line
// holding a ":" is a row. Lines that do not follow the layout give rows with wrong or zero fields; nothing
// stops the reading. Dates and times read back in the locale that wrote them; values in either decimal
// notation.
std::vector<MeasurementRow> readMeasurementFile(QStringView text, const DeviceTraits& traits);

} // namespace vexa
