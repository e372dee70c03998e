#include "data/ChartTable.h"

#include "texts/Texts.h"

#include <algorithm>
#include <cmath>

namespace vexa {

namespace {

struct UnitFactor {
    const char16_t* from;
    const char16_t* to;
    double factor;
};

// The pairs a chart converts when a row's unit is not the first row's; other pairs are charted as read.
constexpr UnitFactor chartConversions[] = {
    {u"µm", u"mm", 0.001}, {u"mm", u"µm", 1000},   {u"Oe", u"kOe", 0.001},
    {u"kOe", u"Oe", 1000}, {u"kA/m", u"A/cm", 10}, {u"A/cm", u"kA/m", 0.1},
};

double inUnit(double value, QStringView from, QStringView to) {
    for (const UnitFactor& pair : chartConversions)
        if (from == pair.from && to == pair.to)
            return value * pair.factor;
    return value;
}

std::vector<ChartReference> referencesOf(const Limits& limits) {
    std::vector<ChartReference> references;
    if (limits.target != 0)
        references.push_back({ChartLine::Target, limits.target, true});
    if (limits.minimum != 0 || limits.maximum != 0) {
        references.push_back(
            {ChartLine::MinimumLimit, limits.minimum, limits.minimum != 0 || limits.rule8020});
        references.push_back(
            {ChartLine::MaximumLimit, limits.maximum, limits.maximum != 0 || limits.rule8020});
    }
    return references;
}

void spanAxis(ChartTable& table) {
    double low = *std::min_element(table.values.begin(), table.values.end());
    double high = *std::max_element(table.values.begin(), table.values.end());
    for (const ChartReference& reference : table.references) {
        if (!reference.drawn)
            continue;
        low = std::min(low, reference.value);
        high = std::max(high, reference.value);
    }
    // Equal values still get a range; a positive chart does not reach below 0 for its room.
    const double room = high > low ? (high - low) * 0.05 : std::max(std::fabs(high) * 0.05, 1.0);
    table.axisMinimum = low >= 0 ? std::max(0.0, low - room) : low - room;
    table.axisMaximum = high + room;
}

} // namespace

QString chartLegend(const ChartReference& reference, const MeasurementSheet& sheet) {
    QString number = QString::number(reference.value, 'g', 15);
    number.replace(u'.', sheet.decimalSeparator);
    switch (reference.line) {
    case ChartLine::Target:
        return Texts::statistics(Stat::TargetValue, sheet.languageIndex) + u' ' + number;
    case ChartLine::MinimumLimit:
        return QStringLiteral("Minimum ") + number;
    case ChartLine::MaximumLimit:
        return QStringLiteral("Maximum ") + number;
    }
    return number;
}

std::optional<ChartTable> buildChartTable(const MeasurementSheet& sheet) {
    ChartTable table;
    if (sheet.showsSeries()) {
        table.series = true;
        table.unit = sheet.gauge.deviceUnit();
        table.values = sheet.seriesValues;
    } else {
        if (!sheet.materials.empty() && sheet.materials.front().state().mixedUnits)
            return std::nullopt;
        for (const MeasurementRow& row : sheet.rows) {
            if (!sheet.showsMaterialOf(row))
                continue;
            const QString unit = row.unit.trimmed();
            if (table.unit.isEmpty())
                table.unit = unit;
            table.values.push_back(inUnit(row.value, unit, table.unit));
        }
    }
    if (table.values.empty())
        return std::nullopt;

    const int n = table.pointCount();
    table.labels.assign(static_cast<size_t>(n), QStringLiteral(" "));
    table.labels.back() = QStringLiteral(" ") + QString::number(n);
    table.references = referencesOf(sheet.limits);
    spanAxis(table);
    return table;
}

} // namespace vexa
