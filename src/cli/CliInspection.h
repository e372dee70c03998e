#pragma once

#include "cli/CliRequest.h"
#include "data/MeasurementSheet.h"

#include <QString>
#include <optional>

// The verdict of an inspection rule on a sheet, as `evaluate` and `download --rule` write it.
namespace vexa::cli {

// The verdict of each material the sheet counts (see judgedRows) as lines of text in the sheet's language
// (a blank line between materials) or as one JSON array, on standard output; the line that says why not
// (a reading the rule cannot state in its unit).
std::optional<QString> writeInspection(const RuleChoice& choice, const MeasurementSheet& sheet,
                                       Format format);

// download's JSON of the sheet with the verdict's array after its other members, as "inspection".
std::optional<QString> writeSheetWithInspection(const RuleChoice& choice, const MeasurementSheet& sheet,
                                                const QString& outputFile);

// Where the online readings of the material of the sheet's last row stand, as a line; none while a reading
// cannot be judged (the verdict says why).
QString progressOfLastRow(const RuleChoice& choice, const MeasurementSheet& sheet);

} // namespace vexa::cli
