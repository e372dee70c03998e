#include "window/TextReport.h"

#include "files/ReportLines.h"
#include "window/MainControls.h"
#include "window/MainModel.h"

namespace vexa {

namespace {

using namespace ctl;

// The statistics list from its third entry on: the memory caption and the blank line after it stay out.
QStringList shownStatistics(const MainModel& main) {
    return main.controls().items(lstStat).mid(2);
}

QStringList statisticsSection(MainModel& main) {
    QStringList lines = shownStatistics(main);
    lines.append(QString());
    lines +=
        reportLimitLines(main.settings().limits, main.currentStore()[1].unit, main.state().languageIndex);
    return lines;
}

bool showsSeries(const MainModel& main) {
    return main.state().currentMemory == 0 && !main.state().openedFromFile &&
           main.controls().caption(cmbSpeicher).trimmed().left(2).contains(u't') &&
           main.shownMemory().kind == MemoryKind::Series;
}

QStringList seriesLines(const MainModel& main) {
    const DecodedMemory& memory = main.shownMemory();
    return reportSeriesLines({main.controls().caption(cmbSpeicher), memory.header.memoryName,
                              shownStatistics(main), memory.header.pulseTime, memory.header.recordCount,
                              memory.seriesValues},
                             main.state().languageIndex);
}

QStringList dataLines(MainModel& main) {
    QStringList lines{QString()};
    const RowStore& store = main.currentStore();
    const MeasureContext context{main.state().deviceModel, main.state().measureMode, main.state().traits};
    const int count = store.presentCount();
    RowDates dates;
    for (int i = 1; i <= count; ++i)
        lines.append(reportDataLine(store[i], context, dates));
    return lines;
}

} // namespace

QStringList reportLines(MainModel& main, ReportMode mode) {
    if (mode == ReportMode::All && showsSeries(main))
        return seriesLines(main);

    main.reloadProjectData();
    QStringList lines =
        reportProjectLines(main.settings().project, main.settings().labels, main.state().languageIndex);
    if (mode == ReportMode::Project)
        return lines;

    lines += statisticsSection(main);
    if (main.controls().visible(cmdMaterial)) {
        main.cmdMaterial_Click();
        lines += statisticsSection(main);
    }
    lines += dataLines(main);
    return lines;
}

QString buildReport(MainModel& main, ReportMode mode) {
    QString text;
    for (const QString& line : reportLines(main, mode))
        text += line + QStringLiteral("\r\n");
    return text;
}

QString measurementFileText(MainModel& main) {
    return buildReport(main, ReportMode::All) + QStringLiteral("\r\n");
}

} // namespace vexa
