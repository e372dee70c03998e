#pragma once

#include "data/MemoryDump.h"

#include <QString>
#include <QStringList>

namespace vexa {

// The statistics list's labels in the current language.
struct SeriesStatisticsLabels {
    QString count;
    QString minimum;
    QString maximum;
    QString mean;
    QString stdDev;
    QString pulseTime;
};

// The statistics list of a series memory: the selector and the memory label, the samples it holds, then
// minimum, maximum, mean, standard deviation (in `deviceUnit`) and pulse time (in ms). Labels are padded
// to 14 characters and numbers right-aligned in 8, so the columns line up in a fixed-width font.
QStringList seriesStatisticsLines(const QString& selector, const QString& memoryLabel, qsizetype sampleCount,
                                  const SeriesStatistics& statistics, const QString& deviceUnit,
                                  const SeriesStatisticsLabels& labels);

} // namespace vexa
