#include "files/RowsCsv.h"

#include "data/LocaleTexts.h"

#include <QStringList>

namespace vexa {

QChar csvSeparator(QChar decimalSeparator) {
    return decimalSeparator == u',' ? QChar(u';') : QChar(u',');
}

QString csvField(const QString& text, QChar separator) {
    if (!text.contains(separator) && !text.contains(u'"') && !text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString csvLine(const ExportedRow& exported, QChar separator) {
    const MeasurementRow& row = exported.row;
    QStringList fields{QString::number(row.number), row.dateText.trimmed(),
                       row.timeText.trimmed(),      exported.valueText.trimmed(),
                       row.unit.trimmed(),          row.material.trimmed(),
                       row.mark.trimmed()};
    for (QString& field : fields)
        field = csvField(field, separator);
    return fields.join(separator) + QStringLiteral("\r\n");
}

QString seriesCsv(const MeasurementSheet& sheet, QChar separator) {
    QString text;
    const QString unit = csvField(sheet.gauge.deviceUnit().trimmed(), separator);
    const MeasureContext context = sheet.gauge.measureContext();
    for (size_t i = 0; i < sheet.seriesValues.size(); ++i) {
        const qint64 number = qint64(i) + 1;
        const QStringList fields{
            QString::number(number),
            csvField(numberText(double(number) * quint16(sheet.memoryHeader.sampleInterval) / 1000),
                     separator),
            csvField(formatMeasurement(sheet.seriesValues[i], QStringLiteral("2"), context).text.trimmed(),
                     separator),
            unit};
        text += fields.join(separator) + QStringLiteral("\r\n");
    }
    return text;
}

QString rowsCsv(const std::vector<ExportedRow>& rows, QChar separator) {
    QString text;
    for (const ExportedRow& row : rows)
        text += csvLine(row, separator);
    return text;
}

} // namespace vexa
