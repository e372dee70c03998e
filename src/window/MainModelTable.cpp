// The measurement table: filling it from the current row store, colouring, marking, deleting, sorting.
#include "data/RowColour.h"
#include "data/SeriesStatisticsLines.h"
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
    const bool ownDates = state_.traits.dateHeader == '-';
    table_.setSmallDateColumn(ownDates);
    table_.setHeaders({ownDates ? Texts::message(Msg::DateTime, lang) : state_.projectDate,
                       Texts::message(Msg::NumberHeader, lang), Texts::message(Msg::ValueHeader, lang),
                       Texts::message(Msg::UnitHeader, lang)});
}

TableRow MainModel::tableRow(int storeRow) const {
    const MeasurementRow& row = stores_[static_cast<size_t>(state_.currentMemory)][storeRow];
    TableRow line;
    line.storeRow = storeRow;
    line.number = row.number;
    line.cells[0] =
        state_.traits.dateHeader == '-' ? row.dateText + QLatin1Char(' ') + row.timeText : row.timeText;
    line.cells[1] = ausrichten(7, QString::number(row.number));
    line.cells[2] =
        formatMeasurement(row.value, row.unit, {state_.deviceModel, state_.measureMode, state_.traits}).text;
    line.cells[3] = row.unit + ausrichten(4, row.material);
    line.evaluation = evaluationColour(row.value, settings_.limits, statistics_.state().absoluteValues);
    line.greyText = row.mark == u"X";
    return line;
}

StatisticsContext MainModel::statisticsContext() const {
    return {{state_.deviceModel, state_.measureMode, state_.traits},
            controls_.caption(cmbSpeicher),
            settings_.limits};
}

StatisticsListHeader MainModel::statisticsHeader() {
    if (state_.traits.generation == '5')
        controls_.setCaption(cmbSpeicher, controls_.caption(cmbSpeicher).trimmed());
    return {state_.currentMemory,
            memoryCaption(state_.traits.generation, state_.languageIndex, state_.selectedMemoryNumber,
                          controls_.caption(cmbSpeicher), state_.memoryName),
            state_.languageIndex, state_.decimalSeparator};
}

void MainModel::showStatisticsList() {
    controls_.setItems(lstStat, statistics_.lines(statisticsHeader()));
}

// The list speaks the new language at once rather than at the next reading.
void MainModel::refreshStatisticsList() {
    const bool seriesShown = state_.currentMemory == 0 && lastMemory_.kind == MemoryKind::Series;
    if (statistics_.state().count > 0 && !seriesShown)
        showStatisticsList();
}

void MainModel::addToStatistics(const MeasurementRow& row, bool showList) {
    MaterialButton button{controls_.visible(cmdMaterial), controls_.caption(cmdMaterial)};
    const AddResult result =
        statistics_.addRow({row.value, row.unit, row.material}, statisticsContext(), button);
    controls_.setVisible(cmdMaterial, button.visible);
    controls_.setCaption(cmdMaterial, button.caption);
    if (!result.counted)
        return;
    if (result.several) {
        controls_.hide(picVexa);
        controls_.show(lstStat);
        controls_.hide(MSChart1);
        controls_.show(cmdChart);
        controls_.show(cmdGross);
        controls_.setCaption(cmdChart, QStringLiteral("Chart"));
        controls_.hide(txtMittelwert);
    }
    if (showList)
        showStatisticsList();
}

void MainModel::Reset_Statistic() {
    controls_.setItems(lstStat, {});
    statistics_.reset();
    state_.nextRowIndex = 1;
    controls_.hide(cmdMaterial);
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
        if (store[i].mark != u"X")
            addToStatistics(store[i], false);
    }
    table_.replaceRows(std::move(rows));
    if (statistics_.state().count > 0)
        showStatisticsList();

    if (count == 0) {
        controls_.show(picVexa);
        for (const QString& name : {lstStat, cmdGross, cmdMaterial, cmdChart})
            controls_.hide(name);
    } else {
        controls_.hide(picVexa);
        controls_.show(lstStat);
    }
    memoryCaptionSuffix_ = QStringLiteral(" (%1)").arg(count);
    emit scrollToLastRow();
    if (!state_.openedFromFile && controls_.caption(optFE).contains(u".mes") && state_.currentMemory == 0)
        Button_setzen_Init();
    Button_setzen();
    controls_.show(MSFlex);
}

void MainModel::AppendOnlineRow(int storeRow) {
    controls_.show(MSFlex);
    if (state_.traits.dateHeader != '-' && storeRow == 1)
        setupTable();
    table_.appendRow(tableRow(storeRow));
    memoryCaptionSuffix_ = QStringLiteral(" (%1)").arg(storeRow);
    if (!state_.openedFromFile && controls_.caption(optFE).contains(u".mes") && state_.currentMemory == 0)
        Button_setzen_Init();
    Button_setzen();
    addToStatistics(currentStore()[storeRow], true);
    emit scrollToLastRow();
    if (storeRow < 2) {
        controls_.show(picVexa);
        for (const QString& name : {lstStat, cmdGross, cmdMaterial, cmdChart})
            controls_.hide(name);
    } else {
        controls_.hide(picVexa);
        controls_.show(lstStat);
    }
}

bool MainModel::FillMessdatenDatei(const DecodedMemory& memory) {
    const int lang = state_.languageIndex;
    state_.nextRowIndex = 1;
    state_.currentMemory = 0;
    lastMemory_ = memory;
    state_.memoryName = memory.header.memoryName;
    controls_.show(optFE);
    controls_.setCaption(cmbSpeicher, memory.selector);
    controls_.setCaption(lblSpeicher, memory.memoryLabel());
    controls_.setCaption(optFE, memory.selector);
    currentStore().clear();
    Reset_Statistic();
    if (memory.empty) {
        controls_.setCaption(txtSpeicher, Texts::message(Msg::MemoryEmpty, lang));
        controls_.show(txtSpeicher);
        return false;
    }
    controls_.setCaption(txtSpeicher, QString());

    if (memory.kind == MemoryKind::Series) {
        controls_.hide(cmdMaterial);
        const SeriesStatisticsLabels labels{
            Texts::statistics(Stat::Count, lang),   Texts::statistics(Stat::Minimum, lang),
            Texts::statistics(Stat::Maximum, lang), Texts::statistics(Stat::Average, lang),
            Texts::statistics(Stat::StdDev, lang),  Texts::statistics(Stat::PulseTime, lang)};
        controls_.setItems(lstStat, seriesStatisticsLines(memory.selector, memory.memoryLabel(),
                                                          memory.header.recordCount, memory.seriesStatistics,
                                                          state_.deviceInfo.U, labels));
        controls_.show(lstStat);
        controls_.hide(picVexa);
        state_.nextRowIndex = static_cast<int>(memory.seriesValues.size()) + 1;
        return true;
    }
    currentStore().assign(memory.rows);
    state_.nextRowIndex = static_cast<int>(memory.rows.size()) + 1;
    statistics_.setAbsoluteValues(true);
    FillMSFlexOne();
    return true;
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
    if (!prompt_.question(Texts::message(Msg::ConfirmDeleteRow, lang), yes, no, PromptIcon::Information))
        return;
    const auto refuse = [&] {
        prompt_.question(Texts::message(Msg::PleaseDeleteTable, lang), yes, no, PromptIcon::Information);
    };
    if (dataRows == 1) {
        refuse();
        return;
    }

    const TableRow& row = table_.rows()[static_cast<size_t>(marked.front())];
    int first = row.storeRow;
    int removed = 1;
    const bool dualFe = row.cells[3].contains(u"DFE");
    if (row.cells[3].contains(u"DNF") || dualFe) {
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
    if (state_.currentMemory == 2)
        state_.onlineCounter -= removed;
    else
        state_.nextRowIndex -= removed;

    table_.clear();
    FillMSFlexOne();
    MaterialButton button{controls_.visible(cmdMaterial), controls_.caption(cmdMaterial)};
    statistics_.recompute(currentStore(), statisticsContext(), button);
    controls_.setVisible(cmdMaterial, button.visible);
    controls_.setCaption(cmdMaterial, button.caption);
    showStatisticsList();
    Focus_setzen();
}

void MainModel::cmdFlexTabelleloeschen_Click() {
    const int lang = state_.languageIndex;
    statistics_.clearReferenceUnit();
    if (!prompt_.question(Texts::message(Msg::ConfirmDeleteTable, lang), Texts::message(Msg::YesText, lang),
                          Texts::message(Msg::NoText, lang), PromptIcon::Question))
        return;
    table_.clear();
    Reset_Statistic();
    currentStore().clear();
    FillMSFlexOne();
    controls_.hide(cmdChart);
    if (state_.currentMemory == 2)
        state_.onlineCounter = 1;
}

void MainModel::cmdSort_Click() {
    const std::vector<TableRow>& rows = table_.rows();
    const int first = rows.size() > 0 ? rows[0].number : 0;
    const int second = rows.size() > 1 ? rows[1].number : 0;
    table_.sortByNumber(first > 0 && second > 0 && second < first);
}

void MainModel::cmdMaterial_Click() {
    MaterialButton button{controls_.visible(cmdMaterial), controls_.caption(cmdMaterial)};
    state_.nextRowIndex = statistics_.switchMaterial(currentStore(), statisticsContext(), button);
    controls_.setVisible(cmdMaterial, button.visible);
    controls_.setCaption(cmdMaterial, button.caption);
    showStatisticsList();
}

} // namespace vexa
