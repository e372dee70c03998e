#include "data/MeasurementSheet.h"

#include "data/SeriesStatisticsLines.h"
#include "texts/Texts.h"

#include <QStringView>

namespace vexa {

namespace {

// A row store holding the sheet's rows, for the statistics' counting.
RowStore storeOf(const std::vector<MeasurementRow>& rows) {
    RowStore store;
    store.assign(rows);
    return store;
}

} // namespace

bool MeasurementSheet::showsSeries() const {
    return view == View::Memory && !openedFromFile && memoryKind == MemoryKind::Series;
}

bool MeasurementSheet::showsMaterialOf(const MeasurementRow& row) const {
    return !(materialButton.visible && gauge.model.measureMode == u"SM" &&
             row.material.left(2).contains(materialButton.caption.left(2)));
}

bool MeasurementSheet::showsMemoryFile() const {
    return view == View::Memory && gauge.traits.hasMemoryFiles() && !openedFromFile;
}

QStringList MeasurementSheet::statisticsList() const {
    if (view == View::Memory && memoryKind == MemoryKind::Series && !openedFromFile) {
        if (memoryEmpty)
            return {};
        const int lang = languageIndex;
        const SeriesStatisticsLabels captions{
            Texts::statistics(Stat::Count, lang),   Texts::statistics(Stat::Minimum, lang),
            Texts::statistics(Stat::Maximum, lang), Texts::statistics(Stat::Average, lang),
            Texts::statistics(Stat::StdDev, lang),  Texts::statistics(Stat::PulseTime, lang)};
        return seriesStatisticsLines(memoryListText.trimmed(), u'(' + memoryHeader.memoryName + u')',
                                     qsizetype(seriesValues.size()), seriesStatistics, gauge.deviceUnit(),
                                     captions);
    }
    if (materials.empty())
        return {};
    return materials.front().lines({view, memoryCaption, languageIndex, decimalSeparator});
}

bool MeasurementSheet::incomplete() const {
    const bool seriesCountDisagrees = memoryKind == MemoryKind::Series && !memoryEmpty &&
                                      quint16(memoryHeader.recordCount) > seriesValues.size();
    return view == View::Memory && !openedFromFile && (rowsCut || seriesCountDisagrees);
}

QString MeasurementSheet::tableUnit() const {
    return rows.empty() ? MeasurementRow().unit : rows.front().unit;
}

QString MeasurementSheet::valueText(const MeasurementRow& row) const {
    return formatMeasurement(row.value, row.unit, gauge.measureContext()).text;
}

MeasurementSheet buildSheet(SheetContent content, std::optional<MaterialButton> shownMaterial) {
    MeasurementSheet sheet;
    static_cast<SheetContent&>(sheet) = std::move(content);
    const RowStore store = storeOf(sheet.rows);
    const StatisticsContext context{sheet.gauge.measureContext(), sheet.memoryListText, sheet.limits};

    MaterialButton button = shownMaterial.value_or(MaterialButton{});
    Statistics shown;
    shown.recount(store, context, button);
    sheet.materials.push_back(shown);
    sheet.materialButton = button;
    if (shownMaterial ? shownMaterial->visible : button.visible) {
        Statistics other;
        other.switchMaterial(store, context, button);
        sheet.materials.push_back(other);
    }
    return sheet;
}

} // namespace vexa
