#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <bit>
#include <cstring>

// Writes memory dumps the way the gauges send them, so a test reads as header fields and records.
namespace dumpbuilder {

inline QByteArray le(quint32 value, int bytes) {
    QByteArray digits;
    for (int i = 0; i < bytes; ++i)
        digits += QByteArray::number((value >> (8 * i)) & 0xFF, 16).rightJustified(2, '0');
    return digits;
}

inline QByteArray single(float value) {
    return le(std::bit_cast<quint32>(value), 4);
}

inline QByteArray packedDate(const QDateTime& at) {
    const QDate d = at.date();
    const QTime t = at.time();
    return le(quint32(t.second()), 1) + le(quint32(t.minute()), 1) + le(quint32(t.hour()), 1) +
           le(quint32(d.day()), 1) + le(quint32(d.month()), 1) + le(quint32(d.year() - 2000), 1);
}

struct Header {
    QString name = QStringLiteral("M01");
    QDateTime date = QDateTime(QDate(2025, 12, 24), QTime(10, 15, 30));
    qint16 recordCount = 0;
    qint16 sampleInterval = 0;
    float minimum = 0, maximum = 0, mean = 0, stdDev = 0, pulseTime = 0;

    QByteArray digits() const {
        QByteArray nameDigits = name.toLatin1().toHex();
        nameDigits = nameDigits.leftJustified(228, '0', true);
        QByteArray text = "0000"
                          "0000" +
                          le(7, 1) + "00" + QByteArray("12").toHex() + nameDigits + packedDate(date) +
                          le(quint16(recordCount), 2) + le(quint16(sampleInterval), 2) + single(minimum) +
                          single(maximum) + single(0) + single(mean) + single(stdDev) + single(0) +
                          single(pulseTime);
        Q_ASSERT(text.size() == 320);
        return text;
    }
};

// A measurement record: flag byte (bit 7 passes the record over, bits 3..0 the material code), date,
// value and the gauge's measurement number.
inline QByteArray record(quint8 flags, float value, quint32 number,
                         const QDateTime& at = QDateTime(QDate(2025, 12, 24), QTime(10, 15, 30))) {
    return "00" + le(flags, 1) + packedDate(at) + single(value) + le(number, 4);
}

} // namespace dumpbuilder
