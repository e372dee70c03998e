#include "data/ValueFormat.h"

#include "data/LocaleTexts.h"
#include "data/TextAlign.h"

#include <QStringView>
#include <cmath>
#include <initializer_list>
#include <limits>

namespace vexa {

namespace {

constexpr int FormattedWidth = 11;
constexpr int MaxDecimals = 15;
constexpr double Infinity = std::numeric_limits<double>::infinity();

// Decimals of a reading from `from` upwards, up to the next band's `from`.
struct Band {
    double from;
    int decimals;
};

enum class Test { Magnitude, Signed };

// The bands are tried in order on the value as rounded so far, so a value that rounds up into the next
// band is rounded again by that band (9.996 mT may end as 10.0).
RoundedMeasurement applyBands(double value, std::initializer_list<Band> bands, Test test) {
    RoundedMeasurement result{value, bands.begin()->decimals};
    for (auto band = bands.begin(); band != bands.end(); ++band) {
        const double upTo = band + 1 == bands.end() ? Infinity : (band + 1)->from;
        const double tested = test == Test::Magnitude ? std::fabs(result.value) : result.value;
        if (tested >= band->from && (tested < upTo || upTo == Infinity)) {
            result.value = roundHalfEven(result.value, band->decimals);
            result.decimals = band->decimals;
        }
    }
    return result;
}

RoundedMeasurement fixedDecimals(double value, int decimals) {
    return {roundHalfEven(value, decimals), decimals};
}

int traitDecimals(const DeviceTraits& traits) {
    if (traits.decimals >= '1' && traits.decimals <= '3')
        return traits.decimals - '0';
    return 2;
}

bool startsWithAny(QStringView unit, std::initializer_list<QStringView> prefixes) {
    for (QStringView prefix : prefixes) {
        if (unit.startsWith(prefix))
            return true;
    }
    return false;
}

std::optional<RoundedMeasurement> roundByUnitRule(double value, QStringView unit,
                                                  const MeasureContext& context) {
    const bool generation4 = context.traits.generation == '4';
    const bool wl = context.deviceModel == u"WL";
    const double NoLower = -Infinity;
    if (unit.startsWith(u"mT")) {
        if (generation4)
            return applyBands(value, {{0, 2}, {10, 1}, {1000, 0}}, Test::Magnitude);
        if (wl)
            return applyBands(value, {{0, 3}, {100, 2}, {10000, 0}}, Test::Magnitude);
        return applyBands(value, {{0, 2}, {100, 1}, {10000, 0}}, Test::Magnitude);
    }
    if (!wl && startsWithAny(unit, {u"A/cm", u"Oe", u"G"})) {
        if (generation4)
            return applyBands(value, {{0, 1}, {100, 0}}, Test::Magnitude);
        return applyBands(value, {{0, 1}, {1000, 0}}, Test::Magnitude);
    }
    if (unit.startsWith(u"kA/m"))
        return applyBands(value, {{0, 2}, {generation4 ? 10.0 : 100.0, 1}}, Test::Magnitude);
    if (startsWithAny(unit, {u"\u00B5m", u"ym"}))
        return applyBands(value, {{NoLower, 1}, {100, 0}}, Test::Signed);
    if (unit.startsWith(u"mi"))
        return applyBands(value, {{0, 2}, {generation4 ? 10.0 : 100.0, 1}}, Test::Magnitude);
    if (unit.startsWith(u"\u00B5r"))
        return applyBands(value, {{0, 3}, {10, 2}}, Test::Magnitude);
    if (startsWithAny(unit, {u"FN", u"Fe%"}))
        return applyBands(value, {{0, 2}, {10, 1}}, Test::Magnitude);
    if (wl && startsWithAny(unit, {u"\u00B5Vs", u"mVs", u"A/cm", u"\u00B5Wb", u"mWb"})) {
        if (unit.startsWith(u"A/cm"))
            return applyBands(value, {{0, 3}, {100, 2}, {1000, 1}}, Test::Magnitude);
        return fixedDecimals(value, 3);
    }
    return std::nullopt;
}

} // namespace

double roundHalfEven(double value, int decimals) {
    static constexpr double Powers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    if (!std::isfinite(value) || decimals < 0 || decimals > MaxDecimals)
        return value;
    const double scale = Powers[decimals];
    const double scaled = value * scale;
    if (std::fabs(scaled) >= 0x1p52)
        return value == 0 ? 0.0 : value;
    // value * scale == scaled + error exactly, so the tie test below sees the double's exact value.
    const double error = std::fma(value, scale, -scaled);
    const double lower = std::floor(scaled);
    const double aboveHalf = (scaled - lower - 0.5) + error;
    double rounded = lower;
    if (aboveHalf > 0 || (aboveHalf == 0 && std::fmod(lower, 2.0) != 0))
        rounded = lower + 1;
    const double result = rounded / scale;
    return result == 0 ? 0.0 : result;
}

std::optional<double> roundTo(double value, const QString& decimalsText) {
    bool ok = false;
    const int decimals = decimalsText.trimmed().toInt(&ok);
    if (!ok || decimals < 0)
        return std::nullopt;
    return roundHalfEven(value, decimals);
}

QString fixedText(double value, int decimals) {
    const int places = qBound(0, decimals, MaxDecimals);
    return numberLocale().toString(roundHalfEven(value, places), 'f', places);
}

RoundedMeasurement roundMeasurement(double value, const QString& unitOrDecimals,
                                    const MeasureContext& context) {
    const QString unit = unitOrDecimals.trimmed();
    bool numeric = false;
    const int decimals = unit.toInt(&numeric);
    if (numeric)
        return fixedDecimals(value, qBound(0, decimals, MaxDecimals));
    if (unit.startsWith(u"Stat"))
        return fixedDecimals(value, context.traits.decimals == '3' ? 3 : 2);
    if (const auto byRule = roundByUnitRule(value, unit, context))
        return *byRule;
    // Units without a rule of their own ("T", "A/m", "kG", "%", ...) still get a text, so the shown
    // text, the stored value and a file written from them agree.
    return fixedDecimals(value, traitDecimals(context.traits));
}

FormattedMeasurement formatMeasurement(double value, const QString& unitOrDecimals,
                                       const MeasureContext& context) {
    const RoundedMeasurement rounded = roundMeasurement(value, unitOrDecimals, context);
    return {rounded.value, ausrichten(FormattedWidth, fixedText(rounded.value, rounded.decimals))};
}

} // namespace vexa
