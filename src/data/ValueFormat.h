#pragma once

#include "data/DeviceTraits.h"

#include <QString>
#include <array>
#include <initializer_list>
#include <limits>
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

// The rounding rule of one unit, or of a decimals count given as text (e.g. "2"); for "Stat..." and
// units no rule knows, the gauge's decimals trait (2 while no gauge is known). Choosing the rule once
// saves the unit tests when many readings of one unit are rounded.
class MeasurementRounding {
public:
    static constexpr double Infinity = std::numeric_limits<double>::infinity();

    MeasurementRounding(const QString& unitOrDecimals, const MeasureContext& context);

    // The bands are tried in order on the value as rounded so far, so a value that rounds up into the
    // next band is rounded again by that band (9.996 mT may end as 10.0).
    RoundedMeasurement operator()(double value) const;

private:
    // Decimals of readings from `from` up to the next band's `from`.
    struct Band {
        double from;
        int decimals;
    };
    enum class Test { Signed, Magnitude };

    void setBands(std::initializer_list<Band> bands, Test test = Test::Signed);

    std::array<Band, 3> bands_{};
    int bandCount_ = 0;
    Test test_ = Test::Signed;
};

// A reading rounded by the rule of its unit (see MeasurementRounding).
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
