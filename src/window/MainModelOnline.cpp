// A record line from the gauge becomes a row: live values online, and the records of a probe memory.
#include "data/LocaleTexts.h"
#include "data/Units.h"
#include "data/ValueFormat.h"
#include "protocol/RecordLine.h"
#include "window/MainModel.h"
#include "window/Prompt.h"

#include <QDateTime>

namespace vexa {

bool MainModel::FillMessdaten(const QByteArray& recordLine) {
    const RecordFields fields = parseRecordLine(recordLine, state_.deviceInfo.T);
    const QDateTime now = QDateTime::currentDateTime();
    if (state_.currentMemory == 2)
        state_.nextRowIndex = state_.onlineCounter;
    const int index = state_.nextRowIndex;
    if (index < 1 || index > RowStore::Capacity)
        return false;
    MeasurementRow& row = currentStore()[index];
    row.number = state_.currentMemory == 2 ? static_cast<qint16>(state_.onlineCounter) : fields.number;
    row.value = fields.value;

    const QString& deviceUnit = state_.deviceInfo.U;
    QString sourceUnit;
    if (state_.traits.generation != '5') {
        row.unit = fields.unit;
    } else if (state_.deviceModel != u"WL") {
        row.unit = deviceUnit;
        row.value = convertToDeviceUnit(row.value, deviceUnit, state_.measureMode, sourceUnit);
    } else {
        sourceUnit = fields.unit;
        row.value = convertToDeviceUnit(row.value, deviceUnit, state_.measureMode, sourceUnit);
        row.unit = deviceUnit;
    }
    row.value =
        formatMeasurement(row.value, row.unit, {state_.deviceModel, state_.measureMode, state_.traits}).value;
    if (state_.traits.material == '2')
        row.material = fields.material;
    if (state_.deviceModel == u"WP") {
        row.unit = QStringLiteral("µr");
        row.material = QStringLiteral("WP");
    }
    if (state_.traits.dateHeader == '-') {
        if (!fields.timestamp) {
            const QString text = QStringLiteral("Fill Messdaten: ") + QStringLiteral("invalid date");
            prompt_.message(text);
            log_->WriteLog(text);
            return false;
        }
        row.timestamp = *fields.timestamp;
        row.timeText = longTimeText(row.timestamp.time());
        row.dateText = shortDateText(row.timestamp.date());
    } else {
        if (row.timeText.trimmed().isEmpty())
            row.timeText = now.time().toString(QStringLiteral("HH:mm:ss"));
        if (row.dateText.trimmed().isEmpty())
            row.dateText = now.date().toString(QStringLiteral("dd.MM.yyyy"));
    }
    if (row.value == 0 && row.number == 0)
        return false;

    AppendOnlineRow(index);
    ++state_.nextRowIndex;
    if (state_.traits.keyEvent == 'E' && state_.currentMemory == 2)
        ++state_.onlineCounter;
    return true;
}

} // namespace vexa
