#include "protocol/RecordLine.h"

#include "data/GaugeDates.h"
#include "data/Units.h"
#include "protocol/ProtocolNumbers.h"

#include <cmath>

namespace vexa {

namespace {

// The 1-based characters `first`..`last` of the line, fewer when the line ends before.
QByteArray columns(const QByteArray& line, qsizetype first, qsizetype last) {
    return line.mid(first - 1, last - first + 1);
}

Parsed<QDateTime> timestampOf(const QByteArray& text) {
    if (text.trimmed().isEmpty())
        return QDateTime();
    return isoTextToTimestamp(QString::fromLatin1(text));
}

} // namespace

RecordFields parseRecordLine(const QByteArray& line, const QString& variantCode) {
    QByteArray text = line;
    text.replace("\r\n", "  ");
    RecordFields fields;
    // Four columns hold no number beyond -999..9999, so the rounded value always fits.
    fields.number = static_cast<qint16>(std::lrint(leadingNumber(columns(text, 1, 4))));
    fields.value = leadingNumber(columns(text, 7, 16));
    fields.unit = normalizeUnit(QString::fromLatin1(columns(text, 18, 21)).trimmed(), variantCode);
    fields.material = QString::fromLatin1(columns(text, 23, 25)).trimmed();
    fields.material.replace(QStringLiteral("NFE"), QStringLiteral("NF"));
    fields.timestamp = timestampOf(columns(text, 27, 45));
    return fields;
}

QList<QByteArray> liveRecordLines(const QByteArray& value) {
    const qsizetype lineFeed = value.indexOf('\n');
    if (!value.contains("DNF") || lineFeed < 0)
        return {value};
    qsizetype half = value.size() / 2;
    if (value.size() % 2 == 1 && half % 2 == 1)
        ++half;
    return {value.left(lineFeed + 1), ' ' + value.right(half)};
}

StorageRecords storageRecords(const QByteArray& value, int recordsLeft) {
    constexpr int LinesPerValue = 5;
    constexpr qsizetype ShortestRecord = 16;
    const QList<QByteArray> lines = value.split('\n');
    StorageRecords records;
    for (qsizetype k = 0; k < LinesPerValue && records.counted < recordsLeft; ++k) {
        const QByteArray line = lines.value(k);
        if (line.size() >= ShortestRecord)
            records.lines.append(line);
        if (!line.isEmpty())
            ++records.counted;
    }
    return records;
}

} // namespace vexa
