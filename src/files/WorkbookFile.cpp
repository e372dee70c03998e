#include "files/WorkbookFile.h"

#include "data/XmlText.h"
#include "files/WorkbookLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <xlsxwriter.h>

namespace vexa {

namespace {

struct Formats {
    lxw_format* text = nullptr;
    lxw_format* count = nullptr;
    lxw_format* values = nullptr;

    lxw_format* of(CellFormat format) const {
        switch (format) {
        case CellFormat::Count:
            return count;
        case CellFormat::Values:
            return values;
        case CellFormat::General:
            break;
        }
        return text;
    }
};

// Every cell in the font the gauge makers' sheets use, bold, 10 points.
lxw_format* cellFormat(lxw_workbook* workbook, const char* numberFormat) {
    lxw_format* format = workbook_add_format(workbook);
    format_set_font_name(format, "Lucida Console");
    format_set_bold(format);
    format_set_font_size(format, 10);
    if (numberFormat)
        format_set_num_format(format, numberFormat);
    return format;
}

std::optional<QString> failure(lxw_error error) {
    if (error == LXW_NO_ERROR)
        return std::nullopt;
    return QString::fromUtf8(lxw_strerror(error));
}

std::optional<QString> writeCells(lxw_worksheet* worksheet, const WorkbookLayout& layout,
                                  const Formats& formats) {
    for (const auto& [first, last, width] : {std::tuple{0, 0, 50.0}, {2, 2, 17.0}, {3, 3, 15.0}})
        if (auto error = failure(
                worksheet_set_column(worksheet, lxw_col_t(first), lxw_col_t(last), width, formats.text)))
            return error;
    for (const WorkbookCell& cell : layout.cells) {
        lxw_error error = LXW_NO_ERROR;
        if (const auto* text = std::get_if<QString>(&cell.content))
            error =
                worksheet_write_string(worksheet, lxw_row_t(cell.row), lxw_col_t(cell.column),
                                       xmlCharacters(*text).toUtf8().constData(), formats.of(cell.format));
        else
            error = worksheet_write_number(worksheet, lxw_row_t(cell.row), lxw_col_t(cell.column),
                                           std::get<double>(cell.content), formats.of(cell.format));
        if (auto message = failure(error))
            return message;
    }
    return std::nullopt;
}

constexpr lxw_color_t Black = LXW_COLOR_BLACK; // 0 would mean "no colour"

struct LineLook {
    lxw_color_t colour;
    uint8_t dash;
    float width;
};

// Viewers drop series given as literal numbers: a line's two points are cells of a hidden sheet.
std::optional<QString> addLine(lxw_chart* chart, lxw_worksheet* points, const char* pointsName, int& row,
                               const WorkbookChart& content, const WorkbookLine& line, const LineLook& look) {
    for (const auto& [r, x] : {std::pair{row, content.firstX}, {row + 1, content.lastX}}) {
        if (auto error = failure(worksheet_write_number(points, lxw_row_t(r), 0, x, nullptr)))
            return error;
        if (auto error = failure(worksheet_write_number(points, lxw_row_t(r), 1, line.value, nullptr)))
            return error;
    }
    lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
    if (!series)
        return QStringLiteral("a chart line could not be added");
    chart_series_set_categories(series, pointsName, lxw_row_t(row), 0, lxw_row_t(row + 1), 0);
    chart_series_set_values(series, pointsName, lxw_row_t(row), 1, lxw_row_t(row + 1), 1);
    chart_series_set_name(series, xmlCharacters(line.name).toUtf8().constData());
    lxw_chart_line pen{};
    pen.color = look.colour;
    pen.dash_type = look.dash;
    pen.width = look.width;
    chart_series_set_line(series, &pen);
    chart_series_set_marker_type(series, LXW_CHART_MARKER_NONE);
    row += 2;
    return std::nullopt;
}

struct ChartSheets {
    lxw_chartsheet* chart = nullptr;
    lxw_worksheet* points = nullptr; // hidden: the lines' points
};

const char* const PointsSheet = "Linien";

std::optional<QString> writeChart(lxw_workbook* workbook, const ChartSheets& sheets,
                                  const WorkbookLayout& layout) {
    const WorkbookChart& content = *layout.chart;
    lxw_chart* chart = workbook_add_chart(workbook, LXW_CHART_SCATTER_STRAIGHT);
    if (!chart)
        return QStringLiteral("the chart could not be added");
    const QByteArray dataSheet = xmlCharacters(layout.sheetName).toUtf8();

    lxw_chart_series* values = chart_add_series(chart, nullptr, nullptr);
    if (!values)
        return QStringLiteral("the chart's values could not be added");
    const auto first = lxw_row_t(layout.headingRow + 2);
    const auto last = lxw_row_t(layout.headingRow + 1 + layout.tableRows);
    chart_series_set_categories(values, dataSheet.constData(), first, 1, last, 1);
    chart_series_set_values(values, dataSheet.constData(), first, 2, last, 2);
    chart_series_set_name(values, xmlCharacters(content.valuesName).toUtf8().constData());
    lxw_chart_line black{};
    black.color = Black;
    chart_series_set_line(values, &black);
    chart_series_set_marker_type(values, LXW_CHART_MARKER_NONE);

    int row = 0;
    const LineLook meanLook{0x0000CD, LXW_CHART_LINE_DASH_ROUND_DOT, 1.5F};
    const LineLook limitLook{0x00B050, LXW_CHART_LINE_DASH_DASH, 1.5F};
    // No double line in the library: the target stands out by its width.
    const LineLook targetLook{0xEE2C2C, LXW_CHART_LINE_DASH_SOLID, 2.0F};
    for (const auto& [line, look] : {std::pair{&content.mean, meanLook},
                                     {&content.maximum, limitLook},
                                     {&content.minimum, limitLook},
                                     {&content.target, targetLook}}) {
        if (!*line)
            continue;
        if (auto error = addLine(chart, sheets.points, PointsSheet, row, content, **line, look))
            return error;
    }

    // There is no font for the whole chart: each text gets it.
    lxw_chart_font font{};
    font.size = 15;
    font.color = Black;
    chart_title_set_name(chart, xmlCharacters(content.title).toUtf8().constData());
    chart_title_set_name_font(chart, &font);
    chart_axis_set_name(chart->y_axis, xmlCharacters(content.valuesName).toUtf8().constData());
    chart_axis_set_name(chart->x_axis, xmlCharacters(content.categoryTitle).toUtf8().constData());
    for (lxw_chart_axis* axis : {chart->x_axis, chart->y_axis}) {
        chart_axis_set_name_font(axis, &font);
        chart_axis_set_num_font(axis, &font);
    }
    chart_legend_set_position(chart, LXW_CHART_LEGEND_BOTTOM);
    chart_legend_set_font(chart, &font);
    lxw_chart_fill grey{};
    grey.color = 0xF0F0F0;
    chart_plotarea_set_fill(chart, &grey);
    lxw_chart_fill noFill{};
    noFill.none = LXW_TRUE;
    chart_chartarea_set_fill(chart, &noFill);

    if (auto error = failure(chartsheet_set_chart(sheets.chart, chart)))
        return error;
    chartsheet_activate(sheets.chart);
    chartsheet_set_landscape(sheets.chart);
    chartsheet_set_paper(sheets.chart, 9); // A4
    worksheet_hide(sheets.points);
    return std::nullopt;
}

} // namespace

std::optional<QString> writeWorkbook(const MeasurementSheet& sheet, const QString& path,
                                     WorkbookCharts charts) {
    const WorkbookLayout layout = workbookLayout(sheet);
    // Written beside the target under a name of its own; only a whole workbook takes the target's place.
    const QString partial = QFileInfo(path).dir().filePath(QStringLiteral(".") + QFileInfo(path).fileName() +
                                                           QStringLiteral(".part"));
    // The library reports a file it cannot create on standard error; the program says it in its own words.
    if (QFile probe(partial); !probe.open(QIODevice::WriteOnly))
        return probe.errorString();
    lxw_workbook* workbook = workbook_new(QFile::encodeName(partial).constData());
    if (!workbook)
        return QStringLiteral("the workbook could not be started");
    Formats formats;
    formats.text = cellFormat(workbook, nullptr);
    formats.count = cellFormat(workbook, "###0_______)");
    formats.values = cellFormat(workbook, layout.valuesFormat.toUtf8().constData());
    // The chart sheet comes first, so that it is the sheet that opens.
    ChartSheets chartSheets;
    const bool withChart = charts == WorkbookCharts::ChartSheet && layout.chart;
    if (withChart)
        chartSheets.chart = workbook_add_chartsheet(workbook, "Chart");
    lxw_worksheet* worksheet =
        workbook_add_worksheet(workbook, xmlCharacters(layout.sheetName).toUtf8().constData());
    if (withChart)
        chartSheets.points = workbook_add_worksheet(workbook, PointsSheet);
    std::optional<QString> error;
    if (!worksheet || (withChart && (!chartSheets.chart || !chartSheets.points)))
        error = QStringLiteral("the sheets could not be added");
    if (!error)
        error = writeCells(worksheet, layout, formats);
    if (!error && withChart)
        error = writeChart(workbook, chartSheets, layout);
    // Closing writes the file; it is closed (and freed) in every case.
    if (const std::optional<QString> closing = failure(workbook_close(workbook)); !error)
        error = closing;
    if (!error &&
        std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(path).constData()) != 0)
        error = QString::fromLocal8Bit(std::strerror(errno));
    if (error)
        QFile::remove(partial);
    return error;
}

} // namespace vexa
