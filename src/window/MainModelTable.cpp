// The measurement table: filling it from the current row store, colouring, marking, deleting, sorting.
#include "data/RowColour.h"
#include "data/TextAlign.h"
#include "texts/Texts.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/Prompt.h"

#include <algorithm>

namespace vexa {

using namespace ctl;

void MainModel::setupTable() {
    const int lang = state_.languageIndex;
    const bool ownDates = state_.gauge.traits.datesEveryRow();
    table_.setHeaders({ownDates ? Texts::message(Msg::DateTime, lang) : state_.projectDate,
                       Texts::message(Msg::NumberHeader, lang), Texts::message(Msg::ValueHeader, lang),
                       Texts::message(Msg::UnitHeader, lang)});
}

TableRow MainModel::tableRow(int storeRow) const {
    const MeasurementRow& row = stores_[state_.view][storeRow];
    TableRow line;
    line.storeRow = storeRow;
    line.number = row.number;
    line.cells[0] =
        state_.gauge.traits.datesEveryRow() ? row.dateText + QLatin1Char(' ') + row.timeText : row.timeText;
    line.cells[1] = ausrichten(7, QString::number(row.number));
    line.cells[2] = formatMeasurement(row.value, row.unit, state_.gauge.measureContext()).text;
    line.cells[3] = row.unit + ausrichten(4, row.material);
    line.evaluation = evaluationColour(row.value, settings_.limits, statistics_.state().absoluteValues);
    line.greyText = row.isMarkedX();
    return line;
}

StatisticsContext MainModel::statisticsContext() const {
    return {state_.gauge.measureContext(), state_.selectedMemory, settings_.limits};
}

QString MainModel::memoryCaption() const {
    return vexa::memoryCaption(state_.gauge.traits, state_.languageIndex, state_.selectedMemoryNumber,
                               state_.selectedMemory, state_.memoryName);
}

StatisticsListHeader MainModel::statisticsHeader() {
    // The memory list shows a memory file's name without the blanks it is listed with.
    if (state_.gauge.traits.hasMemoryFiles())
        chooseMemory(state_.selectedMemory.trimmed());
    return {state_.view, memoryCaption(), state_.languageIndex, state_.decimalSeparator};
}

void MainModel::showStatisticsList() {
    controls_.setItems(lstStat, statistics_.lines(statisticsHeader()));
}

// The list speaks the new language at once rather than at the next reading.
void MainModel::refreshStatisticsList() {
    const bool seriesShown = state_.view == View::Memory && lastMemory_.kind == MemoryKind::Series;
    if (statistics_.state().count > 0 && !seriesShown)
        showStatisticsList();
}

void MainModel::showMaterialButton() {
    controls_.setVisible(cmdMaterial, materialButton_.visible);
    controls_.setCaption(cmdMaterial, materialButton_.caption);
}

void MainModel::addToStatistics(const MeasurementRow& row, bool showList) {
    const AddResult result =
        statistics_.addRow({row.value, row.unit, row.material}, statisticsContext(), materialButton_);
    showMaterialButton();
    if (!result.counted)
        return;
    if (result.several) {
        controls_.hide(picVexa);
        showStatisticsInsteadOfChart();
        controls_.show(cmdChart);
        controls_.show(cmdGross);
    }
    if (showList)
        showStatisticsList();
}

void MainModel::Reset_Statistic() {
    controls_.setItems(lstStat, {});
    statistics_.reset();
    state_.nextRowIndex = 1;
    materialButton_.visible = false;
    showMaterialButton();
}

void MainModel::FillMSFlexOne() {
    const RowStore& store = currentStore();
    const int count = store.presentCount();
    setupTable();

    std::vector<TableRow> rows;
    rows.reserve(static_cast<size_t>(count));
    for (int i = 1; i <= count; ++i) {
        rows.push_back(tableRow(i));
        state_.nextRowIndex = i;
        // The list is rebuilt once below: it shows the state after the last counted row either way.
        if (!store[i].isMarkedX())
            addToStatistics(store[i], false);
    }
    table_.replaceRows(std::move(rows));
    if (statistics_.state().count > 0)
        showStatisticsList();

    showStatisticsPanel(count > 0);
    rowCountShown_ = count;
    emit scrollToLastRow();
    labelViews();
    controls_.show(MSFlex);
}

// The logo stands where the statistics would while there is nothing to count.
void MainModel::showStatisticsPanel(bool statistics) {
    showStatisticsInsteadOfChart();
    controls_.setVisible(picVexa, !statistics);
    controls_.setVisible(lstStat, statistics);
    if (statistics)
        return;
    controls_.hide(cmdGross);
    controls_.hide(cmdChart);
    materialButton_.visible = false;
    showMaterialButton();
}

// A memory view still named after a measurement file it no longer shows takes the memory's caption.
void MainModel::labelViews() {
    if (!state_.openedFromFile && memoryViewText_.contains(u".mes") && state_.view == View::Memory)
        Button_setzen_Init();
    Button_setzen();
}

void MainModel::AppendOnlineRow(int storeRow) {
    controls_.show(MSFlex);
    if (!state_.gauge.traits.datesEveryRow() && storeRow == 1)
        setupTable();
    const TableRow shown = tableRow(storeRow);
    table_.appendRow(shown);
    rowCountShown_ = storeRow;
    labelViews();
    addToStatistics(currentStore()[storeRow], true);
    emit scrollToLastRow();
    showStatisticsPanel(storeRow >= 2);
    if (state_.view == View::Online) {
        const MeasurementRow& row = currentStore()[storeRow];
        keyForwarder_.forward({row.number, row.dateText, shown.cells[2], row.unit, row.material});
    }
}

bool MainModel::FillMessdaten(const RecordRow& record) {
    // An online row goes right after the rows present; its number goes on from the highest one given, so a
    // deleted row's number is never given again.
    if (state_.view == View::Online)
        state_.nextRowIndex = currentStore().presentCount() + 1;
    const int index = state_.nextRowIndex;
    if (index < 1 || index > RowStore::Capacity)
        return false;
    if (record.invalidDate) {
        prompt_.message(QStringLiteral("Fill Messdaten: ") + QStringLiteral("invalid date"));
        return false;
    }
    MeasurementRow row = record.row;
    if (state_.view == View::Online)
        row.number = static_cast<qint16>(state_.onlineCounter);
    if (!row.isPresent())
        return false;
    currentStore()[index] = row;
    unsaved_[state_.view] = true;

    AppendOnlineRow(index);
    ++state_.nextRowIndex;
    if (state_.gauge.traits.numbersOnlineRows() && state_.view == View::Online)
        ++state_.onlineCounter;
    return true;
}

void MainModel::forgetDecodedMemory() {
    lastMemory_ = {};
    memoryCut_ = false;
}

bool MainModel::FillMessdatenDatei(const DecodedMemory& memory) {
    const int lang = state_.languageIndex;
    state_.nextRowIndex = 1;
    state_.view = View::Memory;
    // A series does not reselect the view as a memory of rows does: the buttons follow here.
    controls_.setChecked(optFE, true);
    controls_.setChecked(optOnline, false);
    lastMemory_ = memory;
    memoryCut_ = false;
    state_.memoryName = memory.header.memoryName;
    controls_.show(optFE);
    chooseMemory(memory.selector);
    controls_.setCaption(lblSpeicher, memory.memoryLabel());
    labelMemoryView(memory.selector, std::nullopt);
    currentStore().clear();
    Reset_Statistic();
    unsaved_.memory = !memory.empty;
    if (memory.empty) {
        showHeldStatus(Texts::message(Msg::MemoryEmpty, lang));
        controls_.show(txtSpeicher);
        return false;
    }
    showStatus(QString());

    if (memory.kind == MemoryKind::Series) {
        materialButton_.visible = false;
        showMaterialButton();
        controls_.setItems(lstStat, sheet().statisticsList());
        showStatisticsInsteadOfChart();
        controls_.hide(picVexa);
        state_.nextRowIndex = static_cast<int>(memory.seriesValues.size()) + 1;
        if (memory.seriesCountDisagrees())
            tell(Texts::notice(Notice::SeriesCountDisagrees, lang)
                     .arg(quint16(memory.header.recordCount))
                     .arg(memory.seriesValues.size()));
        return true;
    }
    currentStore().assign(memory.rows);
    state_.nextRowIndex = static_cast<int>(memory.rows.size()) + 1;
    statistics_.setAbsoluteValues(true);
    FillMSFlexOne();
    if (memory.truncated)
        showMemoryCut();
    return true;
}

void MainModel::showMemoryCut() {
    memoryCut_ = true;
    tell(Texts::notice(Notice::MemoryCut, state_.languageIndex).arg(RowStore::Capacity));
}

void MainModel::tell(const QString& text) {
    log_->WriteLog(text);
    prompt_.message(text, PromptIcon::Warning);
}

void MainModel::MSFlex_Click(int row) {
    table_.toggleMark(row);
}

void MainModel::removeStoreRows(int storeRow, int count) {
    RowStore& store = currentStore();
    std::vector<MeasurementRow> kept;
    const int present = store.presentCount();
    for (int i = 1; i <= present; ++i)
        if (i < storeRow || i >= storeRow + count)
            kept.push_back(store[i]);
    // The grid's sort by number, done on the rows themselves so that every field survives; rows with equal
    // numbers (the two readings of a dual measurement) keep their order.
    std::stable_sort(kept.begin(), kept.end(),
                     [](const MeasurementRow& a, const MeasurementRow& b) { return a.number < b.number; });
    store.assign(kept);
}

void MainModel::cmdFlexZeileLoeschen_Click() {
    const int lang = state_.languageIndex;
    const int dataRows = table_.rowCount();
    const std::vector<int> marked = table_.markedRows();
    if (marked.empty()) {
        prompt_.message(Texts::message(Msg::NoEntrySelected, lang));
        return;
    }
    if (marked.size() > 1) {
        prompt_.message(Texts::message(Msg::SelectOneRowOnly, lang));
        Reset_Statistic();
        FillMSFlexOne();
        return;
    }
    const QString yes = Texts::message(Msg::YesText, lang);
    const QString no = Texts::message(Msg::NoText, lang);
    if (!prompt_.question(Texts::message(Msg::ConfirmDeleteRow, lang), yes, no, PromptIcon::Information,
                          PromptDefault::No))
        return;
    const auto refuse = [&] {
        prompt_.question(Texts::message(Msg::PleaseDeleteTable, lang), yes, no, PromptIcon::Information,
                         PromptDefault::Yes);
    };
    if (dataRows == 1) {
        refuse();
        return;
    }

    int first = table_.rows()[static_cast<size_t>(marked.front())].storeRow;
    const QString& material = currentStore()[first].material;
    int removed = 1;
    const bool dualFe = material.contains(u"DFE");
    if (material.contains(u"DNF") || dualFe) {
        if (dataRows == 2) {
            refuse();
            return;
        }
        // The other reading of a dual measurement: below a "DNF" row, above a "DFE" row.
        const int partner = dualFe ? first - 1 : first + 1;
        if (partner >= 1 && partner <= currentStore().presentCount()) {
            first = std::min(first, partner);
            removed = 2;
        }
    }
    removeStoreRows(first, removed);
    if (state_.view == View::Memory)
        state_.nextRowIndex -= removed;

    table_.clear();
    FillMSFlexOne();
    statistics_.recompute(currentStore(), statisticsContext(), materialButton_);
    showMaterialButton();
    showStatisticsList();
    Focus_setzen();
}

void MainModel::cmdFlexTabelleloeschen_Click() {
    const int lang = state_.languageIndex;
    statistics_.clearReferenceUnit();
    if (!prompt_.question(Texts::message(Msg::ConfirmDeleteTable, lang), Texts::message(Msg::YesText, lang),
                          Texts::message(Msg::NoText, lang), PromptIcon::Question, PromptDefault::No))
        return;
    table_.clear();
    Reset_Statistic();
    currentStore().clear();
    if (state_.view == View::Memory)
        forgetDecodedMemory();
    unsaved_[state_.view] = false;
    FillMSFlexOne();
    controls_.hide(cmdChart);
    if (state_.view == View::Online)
        state_.onlineCounter = 1;
}

void MainModel::cmdSort_Click() {
    const std::vector<TableRow>& rows = table_.rows();
    const int first = rows.size() > 0 ? rows[0].number : 0;
    const int second = rows.size() > 1 ? rows[1].number : 0;
    table_.sortByNumber(first > 0 && second > 0 && second < first);
}

void MainModel::cmdMaterial_Click() {
    // The chart showed the other material.
    showStatisticsInsteadOfChart();
    state_.nextRowIndex = statistics_.switchMaterial(currentStore(), statisticsContext(), materialButton_);
    showMaterialButton();
    showStatisticsList();
}

} // namespace vexa
