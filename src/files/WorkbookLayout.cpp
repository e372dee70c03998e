#include "files/WorkbookLayout.h"

#include "data/ValueFormat.h"
#include "files/TextReport.h"
#include "texts/Texts.h"

#include <algorithm>

namespace vexa {

namespace {

// The formats Excel users know from the gauge makers' sheets, by the gauge's decimals.
QString valuesFormatOf(const DeviceTraits& traits) {
    switch (traits.valueDecimals()) {
    case 1:
        return QStringLiteral("###,##0.0_)");
    case 3:
        return QStringLiteral("###,##0.000_)");
    default:
        return QStringLiteral("###,##0.00_)");
    }
}

class SheetWriter {
public:
    explicit SheetWriter(WorkbookLayout& layout)
        : layout_(layout) {}

    void text(int column, const QString& content) { layout_.cells.push_back({row, column, content}); }
    void number(int column, double content, CellFormat format) {
        layout_.cells.push_back({row, column, content, format});
    }

    int row = 0;

private:
    WorkbookLayout& layout_;
};

// The material a block counts: "NF" on gauges with memory files, "NFE" on the others, as the button says.
QString materialName(const Statistics& statistics, const DeviceTraits& traits) {
    const QString& label = statistics.state().materialLabel;
    return label == u"NFE" && traits.hasMemoryFiles() ? QStringLiteral("NF") : label;
}

// Writes one statistics block; the lines of `chart` take its numbers, so the block written last gives them.
void writeStatistics(SheetWriter& out, const MeasurementSheet& sheet, const Statistics& statistics,
                     const QString& heading, const QString& material, WorkbookChart& chart) {
    const int lang = sheet.languageIndex;
    const auto label = [lang](Stat slot) { return Texts::statistics(slot, lang); };
    const StatisticsState& s = statistics.state();
    const bool series = sheet.showsSeries();
    const int decimals = sheet.gauge.traits.valueDecimals();
    // The numbers get the values' decimals only where the gauge gives two or three, as the list shows them.
    const CellFormat statisticsFormat =
        decimals == 2 || decimals == 3 ? CellFormat::Values : CellFormat::General;

    out.text(0, heading);
    ++out.row;
    if (s.mixedUnits) {
        for (Stat line : {Stat::NotPossible, Stat::CauseOfDifferent, Stat::MeasurementUnits}) {
            out.text(0, label(line));
            ++out.row;
        }
        return;
    }
    const QString unit = series ? sheet.gauge.deviceUnit() : s.referenceUnit;
    const auto valueRow = [&](const QString& name, double value, const QString& rowUnit) {
        out.text(0, name);
        out.number(1, roundHalfEven(value, decimals), statisticsFormat);
        if (!rowUnit.isEmpty())
            out.text(2, rowUnit);
        ++out.row;
        return roundHalfEven(value, decimals);
    };

    out.text(0, label(Stat::Count));
    out.number(1, series ? static_cast<double>(sheet.seriesValues.size()) : s.count, CellFormat::Count);
    ++out.row;
    if (series) {
        valueRow(label(Stat::Minimum), sheet.seriesStatistics.minimum, unit);
        valueRow(label(Stat::Maximum), sheet.seriesStatistics.maximum, unit);
        valueRow(label(Stat::PulseTime), sheet.seriesStatistics.pulseTime, QStringLiteral("ms"));
    } else if (s.count == 0) {
        // A block of a material the memory does not hold counted nothing: its extremes would be the
        // counting's start values and its mean a 0 that no reading gave.
        for (Stat line : {Stat::Minimum, Stat::Maximum, Stat::Average}) {
            out.text(0, label(line));
            ++out.row;
        }
    } else {
        const bool absolute = s.absoluteValues;
        valueRow(label(Stat::Minimum), absolute ? s.absoluteMinimum : s.minimum, unit);
        valueRow(label(Stat::Maximum), absolute ? s.absoluteMaximum : s.maximum, unit);
        const double mean = valueRow(label(Stat::Average), absolute ? s.absoluteMean : s.mean, unit);
        chart.mean = WorkbookLine{
            material.isEmpty() ? label(Stat::Average) : material + u' ' + label(Stat::Average), mean};
        if (s.count >= 2)
            valueRow(label(Stat::StdDev), s.standardDeviation, unit);
        if (sheet.limits.rule8020) {
            out.text(0, label(Stat::Rule8020Ok));
            out.text(1, statistics.rule8020Verdict(lang));
            ++out.row;
        }
    }
    const Limits& limits = sheet.limits;
    const auto limitRow = [&](const QString& name, double value) {
        out.text(0, name);
        out.number(1, roundHalfEven(value, 2), statisticsFormat);
        out.text(2, unit);
        ++out.row;
        return roundHalfEven(value, 2);
    };
    if (limits.minimum != 0 || limits.maximum != 0) {
        chart.minimum =
            WorkbookLine{label(Stat::Minimum), limitRow(QStringLiteral("Min Limit"), limits.minimum)};
        chart.maximum =
            WorkbookLine{label(Stat::Maximum), limitRow(QStringLiteral("Max Limit"), limits.maximum)};
    }
    if (limits.target != 0)
        chart.target =
            WorkbookLine{label(Stat::TargetValue), limitRow(label(Stat::TargetValue), limits.target)};
}

void writeTable(SheetWriter& out, WorkbookLayout& layout, const MeasurementSheet& sheet,
                WorkbookChart& chart) {
    const int lang = sheet.languageIndex;
    const MeasureContext measure = sheet.gauge.measureContext();
    const bool withMaterial = sheet.gauge.traits.material != '0';
    layout.headingRow = out.row;
    const std::array<QString, 4> headings{
        sheet.gauge.traits.datesEveryRow() ? Texts::message(Msg::DateTime, lang)
                                           : sheet.project.date.toString(QStringLiteral("dd.MM.yyyy")),
        Texts::message(Msg::NumberHeader, lang), Texts::message(Msg::ValueHeader, lang),
        Texts::message(Msg::UnitHeader, lang)};
    for (int column = 0; column < 4; ++column)
        out.text(column, headings[static_cast<size_t>(column)]);
    if (withMaterial)
        out.text(4, QStringLiteral("Material"));
    out.row += 2;

    if (sheet.showsSeries()) {
        const QString unit = sheet.gauge.deviceUnit().left(10);
        const double interval = sheet.memoryHeader.sampleInterval;
        int i = 0;
        for (double sample : sheet.seriesValues) {
            ++i;
            // Times as numbers, so that a chart plots against them.
            out.number(1, i * interval / 1000.0, CellFormat::General);
            out.number(2, roundMeasurement(sample, QStringLiteral("2"), measure).value, CellFormat::Values);
            out.text(3, unit);
            ++out.row;
        }
        layout.tableRows = i;
        chart.firstX = interval / 1000.0;
        chart.lastX = i * interval / 1000.0;
        return;
    }
    for (const MeasurementRow& row : sheet.rows) {
        out.text(0, QLatin1Char(' ') + row.dateText + QLatin1Char(' ') + row.timeText);
        out.number(1, row.number, CellFormat::General);
        out.number(2, roundMeasurement(row.value, row.unit, measure).value, CellFormat::Values);
        out.text(3, row.unit.left(10));
        out.text(4, row.material.trimmed().left(10));
        ++out.row;
    }
    layout.tableRows = static_cast<int>(sheet.rows.size());
    if (!sheet.rows.empty()) {
        chart.firstX = sheet.rows.front().number;
        chart.lastX = sheet.rows.back().number;
    }
}

} // namespace

const WorkbookCell* WorkbookLayout::cellAt(int row, int column) const {
    const auto found = std::find_if(cells.begin(), cells.end(), [row, column](const WorkbookCell& cell) {
        return cell.row == row && cell.column == column;
    });
    return found == cells.end() ? nullptr : &*found;
}

WorkbookLayout workbookLayout(const MeasurementSheet& sheet) {
    WorkbookLayout layout;
    const int lang = sheet.languageIndex;
    layout.sheetName = Texts::message(Msg::MeasurementsFrame, lang);
    layout.valuesFormat = valuesFormatOf(sheet.gauge.traits);
    SheetWriter out(layout);

    for (const QString& line : reportLines(sheet, ReportMode::Project)) {
        out.text(0, line.trimmed());
        ++out.row;
    }

    const QString selector =
        sheet.view == View::Online ? Texts::message(Msg::Online, lang) : sheet.memoryListText;
    const QString heading = Texts::statistics(Stat::Heading, lang) + u' ' + selector + u' ' +
                            Texts::statistics(Stat::Absolute, lang);
    const bool filtered = sheet.materialButton.visible && sheet.materials.size() > 1;
    const DeviceTraits& traits = sheet.gauge.traits;
    if (sheet.materials.empty())
        return layout;
    WorkbookChart chart;
    const QString firstMaterial = filtered ? materialName(sheet.materials.front(), traits) : QString();
    writeStatistics(out, sheet, sheet.materials.front(), filtered ? firstMaterial + u' ' + heading : heading,
                    firstMaterial, chart);
    if (filtered) {
        const Statistics& other = sheet.materials[1];
        const QString otherMaterial = materialName(other, traits);
        writeStatistics(out, sheet, other,
                        otherMaterial + u' ' + Texts::statistics(Stat::Heading, lang) +
                            Texts::statistics(Stat::Absolute, lang),
                        otherMaterial, chart);
    }
    const bool mixedUnits = sheet.materials.front().state().mixedUnits;
    out.row += mixedUnits ? 4 : 2;
    writeTable(out, layout, sheet, chart);

    if (mixedUnits || layout.tableRows == 0)
        return layout;
    const bool series = sheet.showsSeries();
    chart.valuesName = layout.sheetName;
    if (series) {
        chart.title = QStringLiteral("Chart Trigger ") + sheet.memoryListText.trimmed() +
                      QStringLiteral(" (") + sheet.memoryHeader.memoryName.trimmed() + u')';
        chart.categoryTitle = Texts::statistics(Stat::DurationMs, lang);
        chart.mean.reset();
    } else {
        chart.title = sheet.statisticsList().value(0);
        chart.categoryTitle = Texts::statistics(Stat::Count, lang);
    }
    layout.chart = chart;
    return layout;
}

} // namespace vexa
