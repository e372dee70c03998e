#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Unit texts of the gauges and the conversion of a reading into the unit the gauge is set to.
namespace vexa {

// The unit text a gauge reported, in the form the program shows. `variantCode` is the gauge's variant
// code; single-mode gauges (code beginning with "1") report "metric" and "imperial" instead of units.
// Texts no rule knows are returned unchanged, blanks included.
QString normalizeUnit(const QString& reported, const QString& variantCode);

// The unit a measuring mode delivers its readings in. Mode "MF" has none of its own: its source is the
// `modeSourceUnit` the record or online line set; unknown modes give an empty text.
QString modeSourceUnit(const QString& measureMode, const QString& modeSourceUnit);

// A reading of the mode's source unit converted into `targetUnit` (the gauge's unit). Without a source
// unit, or when source and target agree (blanks aside), the value is returned unchanged and
// `modeSourceUnit` kept. Otherwise the value is multiplied by the factor of the unit pair (1 for a pair
// without one) and `modeSourceUnit` is emptied: it is set again by the next record that needs it.
double convertToDeviceUnit(double value, const QString& targetUnit, const QString& measureMode,
                           QString& modeSourceUnit);

// The gauge firmware's factor from `source` to `target` (units as the program shows them); nothing for a
// pair the firmware has no factor for, the same unit included.
std::optional<double> unitFactor(QStringView source, QStringView target);

} // namespace vexa
