// The Excel export: the sheet shown as an .xlsx workbook, saved where the user names it and handed to the
// desktop's spreadsheet program.
#include "files/WorkbookFile.h"
#include "texts/Texts.h"
#include "window/MainModel.h"
#include "window/Prompt.h"

namespace vexa {

void MainModel::cmdExcel_Click() {
    blockButtons();
    const MeasurementSheet sheet = reportSheet();
    const int lang = state_.languageIndex;
    // Readings of different units give no statistics and no chart: nothing to ask.
    const bool mixedUnits = !sheet.materials.empty() && sheet.materials.front().state().mixedUnits;
    const bool chart =
        !mixedUnits && prompt_.question(Texts::message(Msg::ExcelWithChartQuestion, lang),
                                        Texts::message(Msg::YesText, lang), Texts::message(Msg::NoText, lang),
                                        PromptIcon::Question, PromptDefault::Yes);
    const WorkbookCharts charts = chart ? WorkbookCharts::ChartSheet : WorkbookCharts::None;
    saveExport({QStringLiteral(".xlsx"), QStringLiteral("Excel (*.xlsx)"), QStringLiteral("Open Excel:")},
               [&](const QString& path) { return writeWorkbook(sheet, path, charts); });
}

} // namespace vexa
