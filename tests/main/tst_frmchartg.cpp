#include "MainWindowFixture.h"
#include "data/ChartTable.h"
#include "widgets/frmChartG.h"
#include "window/ChartWindowModel.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"

#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QValueAxis>

using namespace vexa;
using namespace vexa::chartctl;
using vexa::fixture::Reading;

namespace {

const QChar Nbsp(0x00A0);

// What one plotted series shows: its legend name, pen colour, width and style.
struct Plotted {
    QString name;
    QColor colour;
    double width = 0;
    Qt::PenStyle style = Qt::SolidLine;
    bool operator==(const Plotted&) const = default;
};

QList<Plotted> plotted(const QChart& chart) {
    QList<Plotted> all;
    for (QAbstractSeries* series : chart.series()) {
        if (auto* line = qobject_cast<QLineSeries*>(series)) {
            const QPen pen = line->pen();
            all.append({line->name(), pen.color(), pen.widthF(), pen.style()});
        } else if (auto* bars = qobject_cast<QBarSeries*>(series)) {
            for (QBarSet* set : bars->barSets())
                all.append({set->label(), set->color(), 0, Qt::NoPen});
        }
    }
    return all;
}

QString nbsp(QString text) {
    return text.replace(u' ', Nbsp);
}

const QColor Values(0, 0, 153);
const QColor Target(150, 0, 0);
const QColor Limit(0, 130, 0);

MeasurementSheet coatingSheet(const Limits& limits, int languageIndex) {
    SheetContent content = fixture::sheetContent({{12}, {13}, {14}}, limits);
    content.languageIndex = languageIndex;
    return buildSheet(std::move(content));
}

} // namespace

Q_DECLARE_METATYPE(vexa::Limits)
Q_DECLARE_METATYPE(QList<Reading>)
Q_DECLARE_METATYPE(QList<Plotted>)

class TestFrmChartG : public QObject {
    Q_OBJECT
private slots:
    void legendsAndPens_data();
    void legendsAndPens();
    void valueAxisHoldsEveryLine();
    void barThenLine();
    void seriesSummary();
    void savedChart_data();
    void savedChart();
    void unwritableFolderIsSaid();
    void mainWindowOpensTheChartWindow_data();
    void mainWindowOpensTheChartWindow();

private:
    struct Window {
        ScriptedPrompt prompt;
        std::unique_ptr<ChartWindowModel> model;
        std::unique_ptr<FrmChartG> window;

        explicit Window(const MeasurementSheet& sheet, const QString& saveStart = QStringLiteral("chart")) {
            std::optional<ChartTable> table = buildChartTable(sheet);
            Q_ASSERT(table);
            model = std::make_unique<ChartWindowModel>(std::move(*table), sheet, prompt, saveStart);
            window = std::make_unique<FrmChartG>(*model);
        }
        QChart& chart() const { return *window->findChild<QChartView*>(MSChartG)->chart(); }
        QString label(const QString& name) const { return window->findChild<QLabel*>(name)->text(); }
        bool labelShown(const QString& name) const { return !window->findChild<QLabel*>(name)->isHidden(); }
        void click(const QString& name) const { window->findChild<QPushButton*>(name)->click(); }
    };
};

void TestFrmChartG::legendsAndPens_data() {
    QTest::addColumn<Limits>("limits");
    QTest::addColumn<int>("languageIndex");
    QTest::addColumn<QList<Plotted>>("expected");

    const Plotted daten{QStringLiteral("Daten"), Values, 3.5, Qt::SolidLine};
    const Plotted data{QStringLiteral("Data"), Values, 3.5, Qt::SolidLine};
    const auto minimum = [](const char* number) {
        return Plotted{nbsp(QStringLiteral("Minimum ") + QLatin1String(number)), Limit, 3, Qt::DotLine};
    };
    const auto maximum = [](const char* number) {
        return Plotted{nbsp(QStringLiteral("Maximum ") + QLatin1String(number)), Limit, 3, Qt::DotLine};
    };
    const Plotted sollwert{nbsp(QStringLiteral("Sollwert     13")), Target, 2, Qt::DotLine};
    QTest::newRow("no limits") << Limits{} << 0 << QList<Plotted>{daten};
    QTest::newRow("target only, German legend keeps its blanks")
        << fixture::limits(0, 0, 13) << 0 << QList<Plotted>{daten, sollwert};
    QTest::newRow("limits only") << fixture::limits(10, 20, 0) << 1
                                 << QList<Plotted>{data, minimum("10"), maximum("20")};
    QTest::newRow("both, target first")
        << fixture::limits(10, 20, 13) << 0 << QList<Plotted>{daten, sollwert, minimum("10"), maximum("20")};
    QTest::newRow("English target") << fixture::limits(0, 0, 12.5) << 1
                                    << QList<Plotted>{data,
                                                      {nbsp(QStringLiteral("Target value 12.5")), Target, 2,
                                                       Qt::DotLine}};
    QTest::newRow("a maximum of 0 beside a minimum is no line")
        << fixture::limits(10, 0, 0) << 0 << QList<Plotted>{daten, minimum("10")};
    QTest::newRow("with the 80/20 rule 0 is a limit")
        << fixture::limits(10, 0, 13, true) << 0
        << QList<Plotted>{daten, sollwert, minimum("10"), maximum("0")};
}

void TestFrmChartG::legendsAndPens() {
    QFETCH(Limits, limits);
    QFETCH(int, languageIndex);
    QFETCH(QList<Plotted>, expected);
    const Window shown(coatingSheet(limits, languageIndex));
    QCOMPARE(plotted(shown.chart()), expected);
    QVERIFY(shown.chart().legend()->isVisible());
    auto* values = qobject_cast<QLineSeries*>(shown.chart().series().first());
    QCOMPARE(values->points(), (QList<QPointF>{{1, 12}, {2, 13}, {3, 14}}));
}

// Values 12 to 14 with limits 10 and 20: both limit lines lie inside the value axis.
void TestFrmChartG::valueAxisHoldsEveryLine() {
    const Window shown(coatingSheet(fixture::limits(10, 20, 0), 0));
    const QList<QAbstractAxis*> vertical = shown.chart().axes(Qt::Vertical);
    QCOMPARE(vertical.size(), 1);
    auto* axis = qobject_cast<QValueAxis*>(vertical.first());
    QVERIFY(axis->min() < 10 && axis->min() >= 0);
    QVERIFY(axis->max() > 20);
    QCOMPARE(axis->titleText(), QStringLiteral("µm"));
    auto* numbers = qobject_cast<QValueAxis*>(shown.chart().axes(Qt::Horizontal).first());
    QCOMPARE(numbers->min(), 0.0);
    QCOMPARE(numbers->max(), 3.0);
}

void TestFrmChartG::barThenLine() {
    const Window shown(coatingSheet(fixture::limits(10, 20, 13), 0));
    const QList<Plotted> line = plotted(shown.chart());
    shown.click(cmdChartType);
    QCOMPARE(plotted(shown.chart()), (QList<Plotted>{{QStringLiteral("Data"), Values, 0, Qt::NoPen}}));
    auto* bars = qobject_cast<QBarSeries*>(shown.chart().series().first());
    QCOMPARE(bars->barSets().first()->count(), 3);
    auto* numbers = qobject_cast<QCategoryAxis*>(shown.chart().axes(Qt::Horizontal).first());
    QCOMPARE(numbers->categoriesLabels(), (QStringList{"1", "2", "3"}));
    // The summary stays as the line chart wrote it.
    QVERIFY(shown.labelShown(lblMean));
    shown.click(cmdChartType);
    QCOMPARE(plotted(shown.chart()), line);
    QCOMPARE(shown.window->findChild<QPushButton*>(cmdChartType)->text(), QStringLiteral("Linie / Balken"));
}

// A series reports its pulse time and its extremes in the gauge's unit as its statistics list does.
void TestFrmChartG::seriesSummary() {
    SheetContent content = fixture::seriesContent({1.5, -2.25, 3.125});
    content.seriesStatistics = {-2.25, 3.125, 0.79, 2.7, 500};
    const Window shown(buildSheet(std::move(content)));
    QVERIFY(shown.labelShown(lblImpulszeit));
    QVERIFY(!shown.labelShown(lblMean));
    QVERIFY(!shown.labelShown(lblStrich));
    QCOMPARE(shown.label(lblImpulszeit), QStringLiteral("Impulszeit 500.00 ms"));
    QCOMPARE(shown.label(lblMinMax), QStringLiteral("Maximum   3.12 µVs cm   Minimum   -2.25 µVs cm"));
    auto* values = qobject_cast<QLineSeries*>(shown.chart().series().first());
    QCOMPARE(values->count(), 3);
    auto* axis = qobject_cast<QValueAxis*>(shown.chart().axes(Qt::Vertical).first());
    QVERIFY(axis->min() < -2.25 && axis->max() > 3.125);
    QCOMPARE(axis->titleText(), QStringLiteral("µVs cm"));
}

void TestFrmChartG::savedChart_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("png") << "chart.png"
                         << "chart.png" << QByteArray("\x89PNG");
    QTest::newRow("svg") << "chart.SVG"
                         << "chart.SVG" << QByteArray("<?xml");
    QTest::newRow("pdf") << "chart.pdf"
                         << "chart.pdf" << QByteArray("%PDF");
    QTest::newRow("no extension: a picture") << "chart"
                                             << "chart.png" << QByteArray("\x89PNG");
}

void TestFrmChartG::savedChart() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(QByteArray, start);
    QTemporaryDir folder;
    Window shown(coatingSheet(fixture::limits(10, 20, 13), 0), folder.filePath(QStringLiteral("QY_m001")));
    shown.window->resize(800, 500);
    shown.prompt.setFileNames({folder.filePath(chosen)});
    shown.click(cmdSaveChart);
    QCOMPARE(shown.prompt.dialogFolder(), folder.filePath(QStringLiteral("QY_m001.png")));
    QFile file(folder.filePath(written));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY2(file.readAll().startsWith(start), qPrintable(written));
    QVERIFY(shown.prompt.shown().isEmpty());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{written});
    if (written.endsWith(u".png"))
        QCOMPARE(QImage(file.fileName()).size(), shown.window->findChild<QChartView*>(MSChartG)->size());
}

void TestFrmChartG::unwritableFolderIsSaid() {
    QTemporaryDir folder;
    Window shown(coatingSheet({}, 1));
    const QString target = folder.filePath(QStringLiteral("missing/chart.pdf"));
    shown.prompt.setFileNames({target});
    shown.click(cmdSaveChart);
    QCOMPARE(shown.prompt.shown().size(), 1);
    QVERIFY(
        shown.prompt.shown().first().startsWith(QStringLiteral("The chart could not be saved: ") + target));
    QVERIFY(!QFile::exists(target));
}

void TestFrmChartG::mainWindowOpensTheChartWindow_data() {
    QTest::addColumn<QList<Reading>>("readings");
    QTest::addColumn<bool>("opens");
    QTest::newRow("readings") << QList<Reading>{{12}, {14}} << true;
    QTest::newRow("mixed units") << QList<Reading>{{12}, {1.3, "mils"}} << false;
    QTest::newRow("no readings") << QList<Reading>{} << false;
}

// "<=>" in the main window: the chart window of the rows shown, or nothing at all.
void TestFrmChartG::mainWindowOpensTheChartWindow() {
    QFETCH(QList<Reading>, readings);
    QFETCH(bool, opens);
    fixture::MainWindowShowing shown(readings);
    MainModel& model = shown.model;

    QString opened;
    qsizetype points = 0;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        poll.stop();
        opened = modal->objectName();
        const QChart& chart = *modal->findChild<QChartView*>(MSChartG)->chart();
        points = qobject_cast<QLineSeries*>(chart.series().first())->count();
        modal->close();
    });
    poll.start(5);
    model.cmdGross_Click();
    // The window comes once the click is over; nothing comes where there is nothing to chart.
    if (opens)
        QVERIFY(QTest::qWaitFor([&] { return !opened.isEmpty(); }));
    else
        QTest::qWait(100);
    QCOMPARE(opened, opens ? frmChartG : QString());
    QCOMPARE(points, opens ? readings.size() : 0);
}

QTEST_MAIN(TestFrmChartG)
#include "tst_frmchartg.moc"
