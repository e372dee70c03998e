#include "protocol/RecordRows.h"

#include "data/LocaleTexts.h"
#include "data/Units.h"
#include "data/ValueFormat.h"
#include "protocol/RecordLine.h"

namespace vexa {

RecordRow recordLineRow(const QByteArray& line, const GaugeIdentity& gauge, const QDateTime& now) {
    const RecordFields fields = parseRecordLine(line, gauge.device.T);
    const MeasureContext context = gauge.measureContext();
    const QString& deviceUnit = gauge.deviceUnit();
    RecordRow record;
    MeasurementRow& row = record.row;
    row.number = fields.number;
    row.value = fields.value;

    // Only gauges with memory files convert their records; a WL gauge's record says its own unit.
    QString sourceUnit;
    if (!gauge.traits.hasMemoryFiles()) {
        row.unit = fields.unit;
    } else {
        if (context.deviceModel == u"WL")
            sourceUnit = fields.unit;
        row.value = convertToDeviceUnit(row.value, deviceUnit, context.measureMode, sourceUnit);
        row.unit = deviceUnit;
    }
    row.value = formatMeasurement(row.value, row.unit, context).value;
    if (gauge.traits.rowsCarryMaterial())
        row.material = fields.material;
    if (context.deviceModel == u"WP") {
        row.unit = QStringLiteral("µr");
        row.material = QStringLiteral("WP");
    }
    if (gauge.traits.datesEveryRow()) {
        if (!fields.timestamp) {
            record.invalidDate = true;
            return record;
        }
        row.timestamp = *fields.timestamp;
        row.timeText = longTimeText(row.timestamp.time());
        row.dateText = shortDateText(row.timestamp.date());
    } else {
        row.timeText = now.time().toString(QStringLiteral("HH:mm:ss"));
        row.dateText = now.date().toString(QStringLiteral("dd.MM.yyyy"));
    }
    return record;
}

} // namespace vexa
