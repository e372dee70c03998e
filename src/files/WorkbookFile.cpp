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

} // namespace

std::optional<QString> writeWorkbook(const MeasurementSheet& sheet, const QString& path) {
    const WorkbookLayout layout = workbookLayout(sheet);
    // Written beside the target under a name of its own; only a whole workbook takes the target's place.
    const QString partial = QFileInfo(path).dir().filePath(QStringLiteral(".") + QFileInfo(path).fileName() +
                                                           QStringLiteral(".part"));
    lxw_workbook* workbook = workbook_new(QFile::encodeName(partial).constData());
    if (!workbook)
        return QStringLiteral("the workbook could not be started");
    Formats formats;
    formats.text = cellFormat(workbook, nullptr);
    formats.count = cellFormat(workbook, "###0_______)");
    formats.values = cellFormat(workbook, layout.valuesFormat.toUtf8().constData());
    lxw_worksheet* worksheet =
        workbook_add_worksheet(workbook, xmlCharacters(layout.sheetName).toUtf8().constData());
    std::optional<QString> error =
        worksheet ? writeCells(worksheet, layout, formats) : QStringLiteral("the sheet could not be added");
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
