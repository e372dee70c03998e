// Feeds arbitrary bytes to the record-line reader, the row a record line gives on each kind of gauge, the
// live-value split, the storage-data line handling and the memory list entries.
#include "data/DeviceTables.h"
#include "protocol/MemoryList.h"
#include "protocol/RecordLine.h"
#include "protocol/RecordRows.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString variantCode = size % 2 == 0 ? QStringLiteral("1") : QStringLiteral("3");

    (void)vexa::parseRecordLine(bytes, variantCode);
    const QList<QByteArray> live = vexa::liveRecordLines(bytes);
    if (live.isEmpty() || live.size() > 2)
        __builtin_trap();
    for (const QByteArray& line : live)
        (void)vexa::parseRecordLine(line, variantCode);

    // A probe-memory gauge, a coating gauge converting into its unit, and a WL gauge converting per record.
    static const QDateTime now(QDate(2026, 3, 5), QTime(7, 8, 9));
    for (const char* model : {"ZKB", "QY", "WL", "WP"}) {
        vexa::GaugeIdentity gauge;
        gauge.model.deviceModel = QString::fromLatin1(model);
        gauge.model.measureMode =
            gauge.model.deviceModel == u"WL" ? QStringLiteral("MF") : QStringLiteral("SM");
        gauge.traits = vexa::traitsForModel(gauge.model.deviceModel).value_or(vexa::DeviceTraits{});
        gauge.device.T = variantCode;
        gauge.device.U = size % 3 == 0 ? QStringLiteral("mils") : QStringLiteral("\u00B5m");
        const vexa::RecordRow record = vexa::recordLineRow(bytes, gauge, now);
        if (record.invalidDate && record.row.timestamp.isValid())
            __builtin_trap();
    }

    const int recordsLeft = int(size % 8) - 1;
    const vexa::StorageRecords records = vexa::storageRecords(bytes, recordsLeft);
    if (records.counted > 5 || records.counted > qMax(recordsLeft, 0) ||
        records.lines.size() > records.counted)
        __builtin_trap();
    for (const QByteArray& line : records.lines)
        (void)vexa::parseRecordLine(line, variantCode);

    const QString text = QString::fromLatin1(bytes);
    if (const auto choice = vexa::parseProbeMemoryEntry(text)) {
        // A name the entry layout can hold reads back unchanged.
        const QString entry = vexa::probeMemoryEntry(QChar(u'S'), choice->name, choice->valueCount);
        const bool plainName = !choice->name.contains(QRegularExpression(QStringLiteral("[SM()]")));
        if (plainName && vexa::parseProbeMemoryEntry(entry) != choice)
            __builtin_trap();
    }
    (void)vexa::fileMemoryEntries(bytes);
    return 0;
}
