#pragma once

#include "data/GaugeIdentity.h"
#include "data/MeasurementRow.h"

#include <QByteArray>
#include <QDateTime>

namespace vexa {

// A record line (a live value or a probe-memory record) as the row the table shows.
struct RecordRow {
    MeasurementRow row;
    // The line states a date that is none: it gives no row. The other fields are read all the same.
    bool invalidDate = false;
};

// The row of `line` from the gauge `gauge`: the number the line states, the value converted into the
// gauge's unit on gauges with memory files (rounded as shown), the material where the gauge's rows carry
// one, and the line's own date and time on gauges that date every row, else `now`.
RecordRow recordLineRow(const QByteArray& line, const GaugeIdentity& gauge, const QDateTime& now);

} // namespace vexa
