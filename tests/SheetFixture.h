#pragma once

// Sheets made of a few readings, as the outputs' tests need them.
#include "data/MeasurementSheet.h"

#include <QList>

namespace vexa::fixture {

struct Reading {
    double value;
    const char* unit = "µm";
    const char* material = "FE";
    const char* mark = "";
};

// Readings of a coating gauge with memory files (decimals as given), numbered from 1 and dated, in
// memory "m001".
inline SheetContent sheetContent(const QList<Reading>& readings, const Limits& limits = {},
                                 char decimals = '2', const QString& measureMode = QStringLiteral("FM")) {
    SheetContent c;
    c.gauge.model.deviceModel = QStringLiteral("QY");
    c.gauge.model.measureMode = measureMode;
    c.gauge.traits = {'5', 'L', 'E', '2', '+', '-', decimals};
    c.memoryListText = QStringLiteral("m001");
    c.memoryCaption = QStringLiteral("Speicher m001");
    c.limits = limits;
    qint16 number = 0;
    for (const Reading& reading : readings) {
        MeasurementRow row;
        row.number = ++number;
        row.value = reading.value;
        row.unit = QString::fromUtf8(reading.unit);
        row.material = QString::fromUtf8(reading.material);
        row.mark = QString::fromUtf8(reading.mark);
        row.dateText = QStringLiteral("17.02.2026");
        row.timeText = QStringLiteral("09:30:0%1").arg(number % 10);
        c.rows.push_back(row);
    }
    return c;
}

inline Limits limits(double minimum, double maximum, double target, bool rule8020 = false) {
    Limits l;
    l.minimum = minimum;
    l.maximum = maximum;
    l.target = target;
    l.rule8020 = rule8020;
    return l;
}

// The samples of series memory "t003", whose header claims 48 of them, taken every `intervalMs`.
inline SheetContent seriesContent(const std::vector<double>& samples, qint16 intervalMs = 500) {
    SheetContent c = sheetContent({});
    c.gauge.device.U = QStringLiteral("µVs cm");
    c.memoryListText = QStringLiteral("t003");
    c.memoryKind = MemoryKind::Series;
    c.memoryHeader.recordCount = 48;
    c.memoryHeader.sampleInterval = intervalMs;
    c.seriesValues = samples;
    return c;
}

} // namespace vexa::fixture
