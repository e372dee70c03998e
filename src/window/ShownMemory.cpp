#include "window/ShownMemory.h"

#include "window/MainControls.h"
#include "window/MainModel.h"

#include <QHash>

namespace vexa {

std::vector<ExportedRow> shownRows(MainModel& main) {
    QHash<int, QString> valueTexts;
    for (const TableRow& line : main.table().rows())
        valueTexts.insert(line.storeRow, line.cells[2]);
    const RowStore& store = main.currentStore();
    std::vector<ExportedRow> rows;
    const int count = store.presentCount();
    rows.reserve(static_cast<size_t>(count));
    for (int i = 1; i <= count; ++i)
        rows.push_back({store[i], valueTexts.value(i)});
    return rows;
}

ExportedMemory shownMemoryExport(MainModel& main, const QString& address) {
    const AppState& state = main.state();
    ExportedMemory memory;
    memory.device = {state.deviceName,  address,         state.deviceNumber,  state.deviceModel,
                     state.measureMode, state.brandCode, state.traits.text(), state.deviceInfo.U};
    memory.selector = main.controls().caption(ctl::cmbSpeicher).trimmed();
    if (state.currentMemory != 0)
        return memory;

    const DecodedMemory& decoded = main.shownMemory();
    const bool fileMemory = state.traits.generation == '5' && !state.openedFromFile;
    if (fileMemory) {
        memory.memoryName = decoded.header.memoryName;
        memory.header = decoded.header;
        if (decoded.kind == MemoryKind::Series)
            memory.series = decoded.seriesValues;
    }
    memory.rows = shownRows(main);
    memory.statisticsLines = main.controls().items(ctl::lstStat);
    return memory;
}

} // namespace vexa
