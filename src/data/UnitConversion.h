#pragma once

#include <QStringView>
#include <optional>

// A value from one unit into another, for judging readings against limits stated in another unit.
namespace vexa {

// `value` in `from` expressed in `to`: the same unit (blanks aside) as it is, the firmware's factors
// (µm and mils, the field units, ...), and millimetres beside µm and mils. Nothing for a pair without a
// known factor: a factor of 1 would judge the reading in the wrong unit.
std::optional<double> convertUnit(double value, QStringView from, QStringView to);

} // namespace vexa
