#include "data/Units.h"

#include <QStringView>

namespace vexa {

namespace {

struct UnitAlias {
    QStringView reported;
    QStringView shown;
};

// "Î¼" and "Â·" are the UTF-8 bytes of the Greek mu and of the middle dot read one byte per character,
// as some firmware versions send them.
constexpr UnitAlias UnitAliases[] = {
    {u"ur", u"\u00B5r"},
    {u"ym", u"\u00B5m"},
    {u"mu", u"\u00B5m"},
    {u"uVs", u"\u00B5Vs"},
    {u"uVsm", u"\u00B5Vs\u00B7cm"},
    {u"uVsn", u"\u00B5Vs/n"},
    {u"\u00CE\u00BCVs", u"\u00B5Vs"},
    {u"\u00CE\u00BCVs\u00C2\u00B7cm", u"\u00B5Vs\u00B7cm"},
    {u"\u00CE\u00BCVs/n", u"\u00B5Vs/n"},
    {u"\u00CE\u00BCWb/n", u"\u00B5Wb/n"},
    {u"\u00CE\u00BCWb/cm", u"\u00B5Wb\u00B7cm"},
    {u"\u00CE\u00BCWb\u00C2\u00B7cm", u"\u00B5Wb\u00B7cm"},
    {u"mVs\u00C2\u00B7cm", u"mVs\u00B7cm"},
    {u"mVs cm", u"mVs\u00B7cm"},
    {u"mWb cm", u"mWb\u00B7cm"},
    {u"mWb\u00C2\u00B7cm", u"mWb\u00B7cm"},
    {u"uWb cm", u"\u00B5Wb\u00B7cm"},
};

struct UnitFactor {
    QStringView source;
    QStringView target;
    double factor;
};

// The gauge firmware's own constants; they are deliberately not derived from one exact value.
constexpr UnitFactor UnitFactors[] = {
    {u"G", u"A/cm", 0.795775},
    {u"G", u"kA/m", 0.0795775},
    {u"G", u"A/m", 79.5775},
    {u"G", u"mT", 0.1},
    {u"G", u"T", 0.0001},
    {u"G", u"kG", 0.001},
    {u"kG", u"A/cm", 795.775},
    {u"kG", u"kA/m", 79.5775},
    {u"kG", u"A/m", 79577.5},
    {u"kG", u"mT", 100},
    {u"kG", u"T", 0.1},
    {u"kG", u"Oe", 1000},
    {u"kG", u"G", 1000},
    {u"A/cm", u"Oe", 1.25664},
    {u"A/cm", u"G", 1.25664},
    {u"A/cm", u"kA/m", 0.1},
    {u"A/cm", u"A/m", 100},
    {u"A/cm", u"mT", 0.1256634},
    {u"A/cm", u"T", 0.00012566374},
    {u"A/cm", u"kG", 0.00125664},
    {u"A/m", u"Oe", 0.0125664},
    {u"A/m", u"G", 0.0125664},
    {u"A/m", u"kA/m", 0.001},
    {u"A/m", u"A/cm", 0.01},
    {u"A/m", u"mT", 0.001256634},
    {u"A/m", u"T", 0.00000125664},
    {u"A/m", u"kG", 0.0000125664},
    {u"kA/m", u"Oe", 12.5664},
    {u"kA/m", u"G", 12.5664},
    {u"kA/m", u"A/cm", 10},
    {u"kA/m", u"A/m", 1000},
    {u"kA/m", u"mT", 1.256634},
    {u"kA/m", u"T", 0.00125664},
    {u"kA/m", u"kG", 0.0125664},
    {u"mT", u"Oe", 10},
    {u"mT", u"G", 10},
    {u"mT", u"A/m", 795.775},
    {u"mT", u"kA/m", 0.795775},
    {u"mT", u"A/cm", 7.95775},
    {u"mT", u"T", 0.001},
    {u"mT", u"kG", 0.01},
    {u"mils", u"\u00B5m", 25.4},
    {u"\u00B5m", u"mils", 1 / 25.4},
    {u"FN", u"%", 1 / 1.4},
    {u"%", u"FN", 1.4},
    {u"\u00B5Vs", u"mVs", 1.0 / 1000},
    {u"\u00B5Vs", u"mWb", 1.0 / 1000},
    {u"\u00B5Vs/n", u"mVs/n", 1.0 / 1000},
    {u"\u00B5Vs/n", u"mWb/n", 1.0 / 1000},
    {u"\u00B5Vs\u00B7cm", u"mVs\u00B7cm", 1.0 / 1000},
    {u"\u00B5Vs\u00B7cm", u"mWb\u00B7cm", 1.0 / 1000},
    {u"mVs", u"\u00B5Vs", 1000},
    {u"mVs", u"\u00B5Wb", 1000},
    {u"mVs/n", u"\u00B5Vs/n", 1000},
    {u"mVs/n", u"\u00B5Wb/n", 1000},
    {u"mVs\u00B7cm", u"\u00B5Vs\u00B7cm", 1000},
    {u"mVs\u00B7cm", u"\u00B5Wb\u00B7cm", 1000},
};

} // namespace

QString normalizeUnit(const QString& reported, const QString& variantCode) {
    const QString trimmed = reported.trimmed();
    const bool singleMode = variantCode.startsWith(u'1');
    if (singleMode && trimmed == u"metric")
        return QStringLiteral("\u00B5m");
    if (singleMode && trimmed == u"imperial")
        return QStringLiteral("mils");
    for (const UnitAlias& alias : UnitAliases) {
        if (trimmed == alias.reported)
            return alias.shown.toString();
    }
    return reported;
}

QString modeSourceUnit(const QString& measureMode, const QString& modeSourceUnit) {
    if (measureMode == u"SM")
        return QStringLiteral("\u00B5m");
    if (measureMode == u"FM")
        return QStringLiteral("A/cm");
    if (measureMode == u"PM")
        return QStringLiteral("\u00B5r");
    if (measureMode == u"VD")
        return QStringLiteral("FN");
    if (measureMode == u"MF")
        return modeSourceUnit;
    return QString();
}

double convertToDeviceUnit(double value, const QString& targetUnit, const QString& measureMode,
                           QString& modeSourceUnitState) {
    const QString source = modeSourceUnit(measureMode, modeSourceUnitState);
    if (source.isEmpty() || QStringView(source).trimmed() == QStringView(targetUnit).trimmed())
        return value;
    const double factor = unitFactor(source, targetUnit).value_or(1.0);
    modeSourceUnitState.clear();
    return factor * value;
}

std::optional<double> unitFactor(QStringView source, QStringView target) {
    for (const UnitFactor& pair : UnitFactors) {
        if (pair.source == source && pair.target == target)
            return pair.factor;
    }
    return std::nullopt;
}

} // namespace vexa
