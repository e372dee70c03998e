#pragma once

#include "main/DeviceTraits.h"

#include <QString>
#include <optional>

// Rounding and display texts of readings.
namespace vexa {

// What the rounding rules need to know about the connected gauge.
struct MeasureContext {
    QString deviceModel; // e.g. "WL", "QY"
    QString measureMode; // e.g. "SM", "FM", "MF"
    DeviceTraits traits;
};

// `value` rounded to `decimals` places, halves to the even neighbour (2.5 gives 2, 0.125 gives 0.12),
// decided on the exact value of the double. Never returns negative zero.
double roundHalfEven(double value, int decimals);

// roundHalfEven() with the decimals given as text; no value when the text is not a whole number >= 0.
std::optional<double> roundTo(double value, const QString& decimalsText);

// The value rounded by roundHalfEven() and written with exactly `decimals` places in the user's locale,
// without digit grouping; zero never carries a minus sign.
QString fixedText(double value, int decimals);

// A reading rounded for display and the number of decimals it is shown with.
struct RoundedMeasurement {
    double value = 0;
    int decimals = 0;
};

// A reading rounded by the rules of its unit, or by a decimals count given as text (e.g. "2"), or, for
// "Stat..." and units no rule knows, by the gauge's decimals trait (2 while no gauge is known).
RoundedMeasurement roundMeasurement(double value, const QString& unitOrDecimals,
                                    const MeasureContext& context);

// A rounded reading and its display text.
struct FormattedMeasurement {
    double value = 0;
    QString text; // 11 characters, right-aligned with blanks (longer for huge values)
};

FormattedMeasurement formatMeasurement(double value, const QString& unitOrDecimals,
                                       const MeasureContext& context);

} // namespace vexa
