#include "window/ChartWindowModel.h"

#include "data/ValueFormat.h"
#include "texts/Program.h"
#include "texts/Texts.h"
#include "window/Prompt.h"

#include <QDir>
#include <QFileInfo>

namespace vexa {

using namespace chartctl;

namespace {

const QString ThreeBlanks = QStringLiteral("   ");

struct ChartFileType {
    QString suffix;
    ChartFileFormat format;
};

const ChartFileType ChartFileTypes[] = {
    {QStringLiteral("png"), ChartFileFormat::Png},
    {QStringLiteral("svg"), ChartFileFormat::Svg},
    {QStringLiteral("pdf"), ChartFileFormat::Pdf},
};

const QString ChartFileFilter = QStringLiteral("PNG (*.png);;SVG (*.svg);;PDF (*.pdf)");

// A series' numbers as its statistics list shows them: in the gauge's unit, two decimals.
QString seriesNumber(double value) {
    return fixedText(value, 2);
}

} // namespace

QString compactChartSummary(const MeasurementSheet& sheet) {
    if (sheet.showsSeries()) {
        const MeasureContext context = sheet.gauge.measureContext();
        const QString two = QStringLiteral("2");
        return QStringLiteral("Maximum ") +
               formatMeasurement(sheet.seriesStatistics.maximum, two, context).text + ThreeBlanks +
               QStringLiteral("Minimum ") +
               formatMeasurement(sheet.seriesStatistics.minimum, two, context).text;
    }
    const QString mean = sheet.materials.empty() ? QString() : sheet.materials.front().state().meanText;
    return QStringLiteral("_ _ _") + Texts::statistics(Stat::Average, sheet.languageIndex) + u' ' + mean;
}

ChartWindowModel::ChartWindowModel(ChartTable table, const MeasurementSheet& sheet, Prompt& prompt,
                                   QString saveStart, QObject* parent)
    : QObject(parent)
    , table_(std::move(table))
    , sheet_(sheet)
    , prompt_(prompt)
    , saveStart_(std::move(saveStart)) {
    const int lang = sheet.languageIndex;
    controls_.setCaption(frmChartG, windowTitle());
    controls_.setCaption(cmdChartType, Texts::statistics(Stat::LineOrBar, lang));
    controls_.setCaption(cmdSaveChart, Texts::notice(Notice::SaveChart, lang));
    writeSummary(sheet);
}

void ChartWindowModel::writeSummary(const MeasurementSheet& sheet) {
    const int lang = sheet.languageIndex;
    const bool series = sheet.showsSeries();
    controls_.setVisible(lblImpulszeit, series);
    controls_.setVisible(lblStrich, !series);
    controls_.setVisible(lblMean, !series);
    if (series) {
        const SeriesStatistics& statistics = sheet.seriesStatistics;
        const QString unit = u' ' + table_.unit;
        controls_.setCaption(lblImpulszeit, Texts::statistics(Stat::PulseTime, lang) + u' ' +
                                                fixedText(statistics.pulseTime, 2) + QStringLiteral(" ms"));
        controls_.setCaption(lblMinMax, QStringLiteral("Maximum") + ThreeBlanks +
                                            seriesNumber(statistics.maximum) + unit + ThreeBlanks +
                                            QStringLiteral("Minimum") + ThreeBlanks +
                                            seriesNumber(statistics.minimum) + unit);
        return;
    }
    const StatisticsState shown =
        sheet.materials.empty() ? StatisticsState{} : sheet.materials.front().state();
    controls_.setCaption(lblStrich, QStringLiteral("__ __ __"));
    controls_.setCaption(lblMean, Texts::statistics(Stat::Average, lang) + u' ' + shown.meanText);
    controls_.setCaption(lblMinMax, QStringLiteral("Maximum ") + shown.maximumText + ThreeBlanks +
                                        QStringLiteral("Minimum ") + shown.minimumText);
}

ChartDrawing ChartWindowModel::drawing() const {
    return windowChartDrawing(table_, sheet_, kind_);
}

void ChartWindowModel::cmdChartType_Click() {
    kind_ = kind_ == ChartKind::Line ? ChartKind::Bar : ChartKind::Line;
    emit redraw();
}

std::optional<ChartFile> ChartWindowModel::chooseChartFile() {
    QString path = prompt_.saveFileName(saveStart_ + QStringLiteral(".png"), ChartFileFilter);
    if (path.isEmpty())
        return std::nullopt;
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const ChartFileType& type : ChartFileTypes)
        if (suffix == type.suffix)
            return ChartFile{path, type.format};
    return ChartFile{path + QStringLiteral(".png"), ChartFileFormat::Png};
}

void ChartWindowModel::chartWritten(const QString& path) {
    const QFileInfo written(path);
    saveStart_ = written.dir().filePath(written.completeBaseName());
    emit chartSaved(path);
}

void ChartWindowModel::chartNotSaved(const QString& path, const QString& reason) {
    prompt_.message(Texts::notice(Notice::ChartNotSaved, sheet_.languageIndex) + path +
                        QStringLiteral("\r\n") + reason,
                    PromptIcon::Critical);
}

} // namespace vexa
