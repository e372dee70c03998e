#pragma once

#include "data/Parsed.h"

#include <QDateTime>
#include <QString>

// Date and time texts exchanged with the gauges.
namespace vexa {

// "yyyy-mm-dd hh:mm:ss" (any separators) as local date and time. An empty text is no timestamp (an
// invalid QDateTime); fields that are no numbers or form no date or time fail with InvalidDate.
Parsed<QDateTime> isoTextToTimestamp(const QString& text);

// A text laid out as "dd.mm.yyyy hh:mm:ss" in the gauge clock's order "yyyy-mm-dd/hh:mm:ss", every
// part copied unchanged (parts missing from a short text stay empty).
QString deviceTimeText(const QString& text);

} // namespace vexa
