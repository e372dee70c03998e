#include "report/InspectionReport.h"

#include "data/ChartTable.h"
#include "data/RowColour.h"
#include "data/TextAlign.h"
#include "data/ValueFormat.h"
#include "files/SheetInspection.h"
#include "files/TextReport.h"
#include "report/ReportChart.h"
#include "report/ReportPages.h"
#include "texts/Program.h"
#include "texts/Texts.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace vexa {

namespace {

constexpr double MarginMm = 15;
constexpr double ChartHeightMm = 70;
constexpr int LabelWidth = 16;
constexpr Rgb MarkedX{204, 204, 204};

QString labelled(const QString& label, const QString& text) {
    return padRight(label + u':', LabelWidth) + text;
}

QString memoryShown(const MeasurementSheet& sheet) {
    return sheet.view == View::Online ? Texts::message(Msg::Online, sheet.languageIndex)
                                      : sheet.memoryCaption;
}

// The first and the last reading's date and time as the gauge gave them.
QString period(const MeasurementSheet& sheet) {
    if (sheet.rows.empty())
        return {};
    const auto when = [](const MeasurementRow& row) {
        return (row.dateText + u' ' + row.timeText).trimmed();
    };
    return when(sheet.rows.front()) + QStringLiteral(" – ") + when(sheet.rows.back());
}

void writeIdentity(ReportPages& pages, const MeasurementSheet& sheet) {
    const int lang = sheet.languageIndex;
    pages.line(labelled(Texts::message(Msg::Device, lang), sheet.gauge.deviceName));
    pages.line(labelled(Texts::notice(Notice::SerialNumber, lang), sheet.gauge.deviceNumber()));
    pages.line(labelled(Texts::message(Msg::Memory, lang), memoryShown(sheet)));
    if (!sheet.showsSeries())
        pages.line(labelled(Texts::notice(Notice::Period, lang), period(sheet)));
}

// The rule's verdict and, criterion by criterion, the numbers it comes from.
void writeRule8020(ReportPages& pages, const MeasurementSheet& sheet) {
    if (!sheet.limits.rule8020 || sheet.showsSeries() || sheet.materials.empty())
        return;
    const int lang = sheet.languageIndex;
    const StatisticsState& s = sheet.materials.front().state();
    const QString verdict = Texts::message(s.rule8020Holds() ? Msg::YesText : Msg::NoText, lang).trimmed();
    pages.line(Texts::notice(Notice::Rule8020On, lang).arg(verdict));
    const QString share = fixedText(s.bandShare, 0);
    const Notice band = s.count == 1 ? Notice::Rule8020BandOfOne : Notice::Rule8020Band;
    pages.line(QStringLiteral("  ") + Texts::notice(band, lang).arg(s.bandCount).arg(s.count).arg(share));
    pages.line(QStringLiteral("  ") + Texts::notice(Notice::Rule8020Mean, lang)
                                          .arg(s.meanText.trimmed(), fixedText(sheet.limits.target, 2)));
    int outside = 0;
    for (const MeasurementRow& row : sheet.rows)
        if (!row.isMarkedX() && sheet.showsMaterialOf(row) &&
            (row.value < sheet.limits.minimum || row.value > sheet.limits.maximum))
            ++outside;
    pages.line(QStringLiteral("  ") + (outside == 1
                                           ? Texts::notice(Notice::Rule8020LimitsOne, lang)
                                           : Texts::notice(Notice::Rule8020Limits, lang).arg(outside)));
    pages.gap();
}

// The verdict of the rule the inspector chose, and the numbers of each criterion behind it.
void writeRuleVerdict(ReportPages& pages, const MeasurementSheet& sheet) {
    // A series memory holds samples, not the readings of spots a rule judges.
    if (!sheet.inspection || sheet.showsSeries())
        return;
    pages.heading(Texts::notice(Notice::RuleSection, sheet.languageIndex));
    for (const QString& line : sheetVerdictLines(*sheet.inspection, sheet))
        pages.line(line);
    pages.gap();
}

void writeRows(ReportPages& pages, const MeasurementSheet& sheet, const QStringList& lines) {
    const bool absolute = !sheet.materials.empty() && sheet.materials.front().state().absoluteValues;
    for (size_t i = 0; i < sheet.rows.size() && i < static_cast<size_t>(lines.size()); ++i) {
        const MeasurementRow& row = sheet.rows[i];
        const std::optional<Rgb> mark =
            row.isMarkedX() ? std::optional(MarkedX) : evaluationColour(row.value, sheet.limits, absolute);
        pages.line(lines[static_cast<qsizetype>(i)], mark);
    }
}

} // namespace

std::optional<QString> writeInspectionReport(const MeasurementSheet& sheet, const QString& path,
                                             const QDateTime& made) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const int lang = sheet.languageIndex;
    {
        QPdfWriter pdf(&file);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm), QPageLayout::Millimeter);
        pdf.setTitle(Texts::notice(Notice::InspectionReport, lang) + u' ' + memoryShown(sheet));
        pdf.setCreator(windowTitle());
        QPainter painter;
        if (!painter.begin(&pdf)) {
            file.cancelWriting();
            return QStringLiteral("the PDF could not be started");
        }
        ReportPages pages(pdf, painter);
        pages.heading(Texts::notice(Notice::InspectionReport, lang));
        pages.line(Texts::notice(Notice::Created, lang)
                       .arg(made.toString(QStringLiteral("yyyy-MM-dd HH:mm")), windowTitle()));
        pages.gap();
        writeIdentity(pages, sheet);
        pages.gap();
        writeRule8020(pages, sheet);
        writeRuleVerdict(pages, sheet);
        if (const std::optional<ChartTable> chart = buildChartTable(sheet)) {
            paintReportChart(painter, pages.take(pdf.resolution() * ChartHeightMm / 25.4), *chart, sheet);
            pages.gap();
        }
        const ReportParts parts = reportParts(sheet);
        for (const QString& line : parts.head)
            pages.line(line);
        writeRows(pages, sheet, parts.rows);
        if (!painter.end() || pages.failed()) {
            file.cancelWriting();
            return QStringLiteral("the PDF could not be finished");
        }
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace vexa
