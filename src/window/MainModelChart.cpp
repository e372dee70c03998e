// The compact chart in the statistics panel and the chart window: both draw what the sheet shows, and
// neither changes the statistics.
#include "data/ChartTable.h"
#include "window/ChartWindowModel.h"
#include "window/MainControls.h"
#include "window/MainModel.h"

namespace vexa {

using namespace ctl;

namespace {

constexpr Rgb Black{0, 0, 0};

} // namespace

void MainModel::cmdChart_Click() {
    if (controls_.visible(MSChart1)) {
        showStatisticsInsteadOfChart();
        controls_.hide(cmdGross);
        return;
    }
    showCompactChart();
}

bool MainModel::showCompactChart() {
    const MeasurementSheet shown = sheet();
    std::optional<ChartTable> table = buildChartTable(shown);
    if (!table)
        return false;
    compactChart_ = std::move(*table);
    controls_.hide(picVexa);
    controls_.show(MSChart1);
    controls_.hide(lstStat);
    controls_.setCaption(cmdChart, QStringLiteral("Stat"));
    controls_.show(cmdChart);
    controls_.show(cmdGross);
    controls_.show(txtMittelwert);
    controls_.setForeground(txtMittelwert, Black);
    controls_.setCaption(txtMittelwert, compactChartSummary(shown));
    emit compactChartBuilt();
    return true;
}

void MainModel::showStatisticsInsteadOfChart() {
    controls_.hide(MSChart1);
    controls_.hide(txtMittelwert);
    controls_.setCaption(cmdChart, QStringLiteral("Chart"));
    controls_.show(lstStat);
}

void MainModel::cmdGross_Click() {
    // Nothing to chart, or rows in units that do not go together: no window with an older chart.
    if (!buildChartTable(sheet()))
        return;
    cmdChart_Click();
    emit chartWindowRequested();
}

void MainModel::showSeriesChart() {
    if (!controls_.visible(MSChart1) && !showCompactChart())
        return;
    emit chartWindowRequested();
}

std::unique_ptr<ChartWindowModel> MainModel::chartWindow() {
    const MeasurementSheet shown = sheet();
    std::optional<ChartTable> table = buildChartTable(shown);
    if (!table)
        return nullptr;
    auto window = std::make_unique<ChartWindowModel>(std::move(*table), shown, prompt_, exportStartPath({}));
    connect(window.get(), &ChartWindowModel::chartSaved, this, &MainModel::rememberExportFolder);
    return window;
}

} // namespace vexa
