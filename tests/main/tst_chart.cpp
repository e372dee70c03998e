#include "data/Initialisation.h"
#include "window/ChartWindowModel.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace vexa;
using namespace vexa::ctl;

namespace {

struct Reading {
    double value;
    QString unit = QStringLiteral("µm");
    QString material = QStringLiteral("FE");
};

std::vector<MeasurementRow> rowsOf(const QList<Reading>& readings) {
    std::vector<MeasurementRow> rows;
    qint16 number = 0;
    for (const Reading& reading : readings) {
        MeasurementRow row;
        row.number = ++number;
        row.value = reading.value;
        row.unit = reading.unit;
        row.material = reading.material;
        row.dateText = QStringLiteral("05.03.2026");
        row.timeText = QStringLiteral("07:08:00");
        rows.push_back(row);
    }
    return rows;
}

const QList<Reading> SevenReadings{{12}, {13}, {14}, {-15}, {16}, {17}, {18}};

} // namespace

Q_DECLARE_METATYPE(QList<Reading>)

class TestChart : public QObject {
    Q_OBJECT
private slots:
    void init();
    void commands_data();
    void commands();
    void chartLeavesTheStatisticsAlone();
    void summaryOfTheCompactChart();
    void windowChartsWhatTheTableShowsNow();
    void savedChartLeadsTheNextExport();

private:
    void fill(const QList<Reading>& readings);
    void click(const QString& command);

    QTemporaryDir folder_;
    std::unique_ptr<ScriptedPrompt> prompt_;
    std::unique_ptr<MainModel> model_;
};

void TestChart::init() {
    prompt_ = std::make_unique<ScriptedPrompt>();
    model_ = std::make_unique<MainModel>(*prompt_);
    model_->programStart({QString(), folder_.path(), folder_.path()});
    model_->applyInitialisation(decideInitialisation(
        QStringLiteral("QY-1"), DeviceInfo{.S = QStringLiteral("1")}, model_->state().gauge));
}

void TestChart::fill(const QList<Reading>& readings) {
    model_->currentStore().assign(rowsOf(readings));
    model_->Reset_Statistic();
    model_->FillMSFlexOne();
}

void TestChart::click(const QString& command) {
    if (command == cmdChart)
        model_->cmdChart_Click();
    else if (command == cmdGross)
        model_->cmdGross_Click();
    else if (command == cmdMaterial)
        model_->cmdMaterial_Click();
}

void TestChart::commands_data() {
    QTest::addColumn<QList<Reading>>("readings");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<bool>("chartShown");
    QTest::addColumn<int>("windows");

    QTest::newRow("chart") << SevenReadings << QStringList{cmdChart} << true << 0;
    QTest::newRow("chart twice: the list again")
        << SevenReadings << QStringList{cmdChart, cmdChart} << false << 0;
    QTest::newRow("window from the list: chart and window")
        << SevenReadings << QStringList{cmdGross} << true << 1;
    QTest::newRow("window from the chart: list and window")
        << SevenReadings << QStringList{cmdChart, cmdGross} << false << 1;
    const QList<Reading> mixed{{12}, {1.3, QStringLiteral("mils")}};
    QTest::newRow("mixed units: no chart") << mixed << QStringList{cmdChart} << false << 0;
    QTest::newRow("mixed units: no window") << mixed << QStringList{cmdGross} << false << 0;
    QTest::newRow("nothing to chart: no window") << QList<Reading>{} << QStringList{cmdGross} << false << 0;
    const QList<Reading> twoMaterials{{12}, {30, QStringLiteral("µm"), QStringLiteral("NFE")}, {13}};
    QTest::newRow("the material button hides the chart")
        << twoMaterials << QStringList{cmdChart, cmdMaterial} << false << 0;
}

void TestChart::commands() {
    QFETCH(QList<Reading>, readings);
    QFETCH(QStringList, clicks);
    QFETCH(bool, chartShown);
    QFETCH(int, windows);
    fill(readings);
    QSignalSpy requested(model_.get(), &MainModel::chartWindowRequested);
    for (const QString& command : clicks)
        click(command);
    const ControlState& controls = model_->controls();
    QCOMPARE(controls.visible(MSChart1), chartShown);
    QCOMPARE(controls.visible(txtMittelwert), chartShown);
    QCOMPARE(controls.visible(lstStat), !chartShown && !readings.isEmpty());
    QCOMPARE(controls.caption(cmdChart), chartShown ? QStringLiteral("Stat") : QStringLiteral("Chart"));
    QCOMPARE(requested.size(), windows);
}

// The statistics count magnitudes; the chart plots signed values without changing what the list says.
void TestChart::chartLeavesTheStatisticsAlone() {
    fill(SevenReadings);
    const StatisticsState before = model_->statistics().state();
    const QStringList list = model_->controls().items(lstStat);
    const MeasurementSheet sheet = model_->sheet();
    model_->cmdChart_Click();
    model_->cmdChart_Click();
    QCOMPARE(model_->statistics().state(), before);
    QCOMPARE(model_->controls().items(lstStat), list);
    QCOMPARE(model_->sheet().materials.front().state(), sheet.materials.front().state());
    model_->cmdChart_Click();
    QCOMPARE(model_->compactChart().values.at(3), -15.0);
    QCOMPARE(model_->compactChart().pointCount(), 7);
}

void TestChart::summaryOfTheCompactChart() {
    fill({{12}, {14}});
    model_->cmdChart_Click();
    QCOMPARE(model_->controls().caption(txtMittelwert),
             QStringLiteral("_ _ _Mittel ") + model_->statistics().state().meanText);
    QVERIFY(model_->statistics().state().meanText.contains(QStringLiteral("13")));
    QCOMPARE(model_->controls()[txtMittelwert].foreground, (Rgb{0, 0, 0}));
}

// Rows added after the compact chart was drawn are in the window's chart.
void TestChart::windowChartsWhatTheTableShowsNow() {
    fill({{12}, {14}});
    model_->cmdChart_Click();
    fill({{12}, {14}, {16}});
    const std::unique_ptr<ChartWindowModel> window = model_->chartWindow();
    QVERIFY(window);
    QCOMPARE(window->table().pointCount(), 3);
    fill({});
    QVERIFY(!model_->chartWindow());
}

// A chart saved somewhere: the chart's next save and the next workbook start in that folder.
void TestChart::savedChartLeadsTheNextExport() {
    fill({{12}, {14}});
    const std::unique_ptr<ChartWindowModel> window = model_->chartWindow();
    const QString documents = QFileInfo(model_->exportStartPath(QStringLiteral(".xlsx"))).path();
    prompt_->setFileNames({folder_.filePath(QStringLiteral("pier4.svg"))});
    const std::optional<ChartFile> chosen = window->chooseChartFile();
    QVERIFY(chosen);
    QCOMPARE(QFileInfo(prompt_->dialogFolder()).path(), documents);
    QVERIFY(prompt_->dialogFolder().endsWith(u".png"));
    QCOMPARE(chosen->format, ChartFileFormat::Svg);
    window->chartWritten(chosen->path);
    prompt_->setFileNames({QStringLiteral("x")});
    window->chooseChartFile();
    QCOMPARE(prompt_->dialogFolder(), folder_.filePath(QStringLiteral("pier4.png")));
    QCOMPARE(QFileInfo(model_->exportStartPath(QStringLiteral(".xlsx"))).path(), folder_.path());
}

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
