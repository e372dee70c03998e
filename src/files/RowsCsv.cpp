#include "files/RowsCsv.h"

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

QString rowsCsv(const std::vector<ExportedRow>& rows, QChar separator) {
    QString text;
    for (const ExportedRow& row : rows)
        text += csvLine(row, separator);
    return text;
}

} // namespace vexa
