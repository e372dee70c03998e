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

bool startsWithAny(QStringView unit, std::initializer_list<QStringView> prefixes) {
    for (QStringView prefix : prefixes) {
        if (unit.startsWith(prefix))
            return true;
    }
    return false;
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

MeasurementRounding::MeasurementRounding(const QString& unitOrDecimals, const MeasureContext& context) {
    const QStringView unit = QStringView(unitOrDecimals).trimmed();
    const bool generation4 = context.traits.hasProbeMemories();
    const bool wl = context.deviceModel == u"WL";
    bool numeric = false;
    const int decimals = unit.toInt(&numeric);
    if (numeric)
        setBands({{-Infinity, qBound(0, decimals, MaxDecimals)}});
    else if (unit.startsWith(u"Stat"))
        setBands({{-Infinity, context.traits.statisticsDecimals()}});
    else if (unit.startsWith(u"mT") && generation4)
        setBands({{0, 2}, {10, 1}, {1000, 0}}, Test::Magnitude);
    else if (unit.startsWith(u"mT") && wl)
        setBands({{0, 3}, {100, 2}, {10000, 0}}, Test::Magnitude);
    else if (unit.startsWith(u"mT"))
        setBands({{0, 2}, {100, 1}, {10000, 0}}, Test::Magnitude);
    else if (!wl && startsWithAny(unit, {u"A/cm", u"Oe", u"G"}))
        setBands({{0, 1}, {generation4 ? 100.0 : 1000.0, 0}}, Test::Magnitude);
    else if (unit.startsWith(u"kA/m") || unit.startsWith(u"mi"))
        setBands({{0, 2}, {generation4 ? 10.0 : 100.0, 1}}, Test::Magnitude);
    else if (startsWithAny(unit, {u"\u00B5m", u"ym"}))
        setBands({{-Infinity, 1}, {100, 0}});
    else if (unit.startsWith(u"\u00B5r"))
        setBands({{0, 3}, {10, 2}}, Test::Magnitude);
    else if (startsWithAny(unit, {u"FN", u"Fe%"}))
        setBands({{0, 2}, {10, 1}}, Test::Magnitude);
    else if (wl && unit.startsWith(u"A/cm"))
        setBands({{0, 3}, {100, 2}, {1000, 1}}, Test::Magnitude);
    else if (wl && startsWithAny(unit, {u"\u00B5Vs", u"mVs", u"\u00B5Wb", u"mWb"}))
        setBands({{-Infinity, 3}});
    else
        // Units without a rule of their own ("T", "A/m", "kG", "%", ...) still get a text, so the shown
        // text, the stored value and a file written from them agree.
        setBands({{-Infinity, context.traits.valueDecimals()}});
}

void MeasurementRounding::setBands(std::initializer_list<Band> bands, Test test) {
    bandCount_ = 0;
    for (const Band& band : bands)
        bands_[bandCount_++] = band;
    test_ = test;
}

RoundedMeasurement MeasurementRounding::operator()(double value) const {
    RoundedMeasurement result{value, bands_[0].decimals};
    for (int i = 0; i < bandCount_; ++i) {
        const double tested = test_ == Test::Magnitude ? std::fabs(result.value) : result.value;
        const bool last = i + 1 == bandCount_;
        if (tested >= bands_[i].from && (last || tested < bands_[i + 1].from)) {
            result.value = roundHalfEven(result.value, bands_[i].decimals);
            result.decimals = bands_[i].decimals;
        }
    }
    return result;
}

RoundedMeasurement roundMeasurement(double value, const QString& unitOrDecimals,
                                    const MeasureContext& context) {
    return MeasurementRounding(unitOrDecimals, context)(value);
}

FormattedMeasurement formatMeasurement(double value, const QString& unitOrDecimals,
                                       const MeasureContext& context) {
    const RoundedMeasurement rounded = roundMeasurement(value, unitOrDecimals, context);
    return {rounded.value, ausrichten(FormattedWidth, fixedText(rounded.value, rounded.decimals))};
}

} // namespace vexa
