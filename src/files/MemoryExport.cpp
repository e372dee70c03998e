#include "files/MemoryExport.h"

#include "files/OrderedJson.h"

#include <QJsonArray>

namespace vexa {

namespace {

OrderedJson rowObject(const ExportedRow& exported) {
    const MeasurementRow& row = exported.row;
    OrderedJson object;
    object.add(u"number", row.number)
        .add(u"value", row.value)
        .add(u"text", exported.valueText)
        .add(u"unit", row.unit.trimmed())
        .add(u"material", row.material.trimmed())
        .add(u"mark", row.mark.trimmed())
        .add(u"timestamp", row.timestamp.isValid()
                               ? QJsonValue(row.timestamp.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")))
                               : QJsonValue(QJsonValue::Null));
    return object;
}

OrderedJson deviceObject(const ExportedDevice& device) {
    OrderedJson object;
    object.add(u"name", device.name)
        .add(u"address", device.address)
        .add(u"number", device.number)
        .add(u"model", device.model)
        .add(u"mode", device.mode)
        .add(u"brand", device.brand)
        .add(u"traits", device.traits)
        .add(u"unit", device.unit);
    return object;
}

OrderedJson headerObject(const MemoryHeader& header) {
    OrderedJson object;
    object.add(u"recordCount", header.recordCount)
        .add(u"sampleInterval", header.sampleInterval)
        .add(u"statMinimum", header.statMinimum)
        .add(u"statMaximum", header.statMaximum)
        .add(u"statMean", header.statMean)
        .add(u"statStdDev", header.statStdDev)
        .add(u"pulseTime", header.pulseTime);
    return object;
}

} // namespace

std::vector<ExportedRow> exportedRows(const MeasurementSheet& sheet) {
    std::vector<ExportedRow> rows;
    rows.reserve(sheet.rows.size());
    for (const MeasurementRow& row : sheet.rows)
        rows.push_back({row, sheet.valueText(row)});
    return rows;
}

ExportedMemory exportedMemory(const MeasurementSheet& sheet) {
    const GaugeIdentity& gauge = sheet.gauge;
    ExportedMemory memory;
    memory.device = {gauge.deviceName,        sheet.address,   gauge.deviceNumber(), gauge.model.deviceModel,
                     gauge.model.measureMode, gauge.brandCode, gauge.traits.text(),  gauge.deviceUnit()};
    memory.selector = sheet.memoryListText.trimmed();
    if (sheet.view != View::Memory)
        return memory;
    memory.truncated = sheet.incomplete();
    if (sheet.showsMemoryFile()) {
        memory.memoryName = sheet.memoryHeader.memoryName;
        memory.header = sheet.memoryHeader;
        if (sheet.memoryKind == MemoryKind::Series)
            memory.series = sheet.seriesValues;
    }
    memory.rows = exportedRows(sheet);
    memory.statisticsLines = sheet.statisticsList();
    return memory;
}

QByteArray rowJson(const ExportedRow& row) {
    return rowObject(row).text();
}

QByteArray memoryJson(const ExportedMemory& memory) {
    return memoryObject(memory).text();
}

OrderedJson memoryObject(const ExportedMemory& memory) {
    OrderedJson object;
    object.add(u"device", deviceObject(memory.device));
    object.add(u"memory", OrderedJson().add(u"selector", memory.selector).add(u"name", memory.memoryName));
    if (memory.truncated)
        object.add(u"truncated", true);
    if (memory.header)
        object.add(u"header", headerObject(*memory.header));
    QList<OrderedJson> rows;
    rows.reserve(static_cast<qsizetype>(memory.rows.size()));
    for (const ExportedRow& row : memory.rows)
        rows.append(rowObject(row));
    object.add(u"rows", rows);
    if (memory.series) {
        QJsonArray series;
        for (const double value : *memory.series)
            series.append(value);
        object.add(u"series", series);
    }
    object.add(u"statistics",
               OrderedJson().add(u"lines", QJsonArray::fromStringList(memory.statisticsLines)));
    return object;
}

} // namespace vexa
