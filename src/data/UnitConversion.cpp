#include "data/UnitConversion.h"

#include "data/Units.h"

namespace vexa {

namespace {

struct ExtraFactor {
    QStringView source;
    QStringView target;
    double factor;
};

// Millimetres are no gauge unit, so the firmware's table lacks them; limits are often written in them.
constexpr ExtraFactor MillimetreFactors[] = {
    {u"\u00B5m", u"mm", 1.0 / 1000},
    {u"mm", u"\u00B5m", 1000},
    {u"mils", u"mm", 0.0254},
    {u"mm", u"mils", 1 / 0.0254},
};

std::optional<double> millimetreFactor(QStringView source, QStringView target) {
    for (const ExtraFactor& pair : MillimetreFactors) {
        if (pair.source == source && pair.target == target)
            return pair.factor;
    }
    return std::nullopt;
}

} // namespace

std::optional<double> convertUnit(double value, QStringView from, QStringView to) {
    const QStringView source = from.trimmed();
    const QStringView target = to.trimmed();
    if (source == target)
        return value;
    std::optional<double> factor = unitFactor(source, target);
    if (!factor)
        factor = millimetreFactor(source, target);
    if (!factor)
        return std::nullopt;
    return *factor * value;
}

} // namespace vexa
