// The main window's look: what grows with the window, what must fit its texts, and marks that stay
// visible under the selection.
#include "MainWindowHarness.h"
#include "texts/Texts.h"

#include <QBrush>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTableView>
#include <memory>

using namespace vexa;
using namespace vexa::ctl;

namespace {

const QSize Smallest(900, 600);
const QSize FullHd(1920, 1080);

MeasurementRow reading(int number, double value, const QString& date, const QString& time) {
    MeasurementRow row;
    row.number = static_cast<qint16>(number);
    row.value = value;
    row.unit = QStringLiteral("µm");
    row.material = QStringLiteral("FE");
    row.dateText = date;
    row.timeText = time;
    return row;
}

// Whether a line edit shows its whole text: the room a line edit leaves its text, as it lays it out.
bool showsWholeText(const QLineEdit* field) {
    QStyleOptionFrame option;
    option.initFrom(field);
    option.lineWidth =
        field->hasFrame() ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field) : 0;
    const QRect contents = field->style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, field)
                               .marginsRemoved(field->textMargins());
    const int textMargin = 2;
    const int cursor = 1;
    return field->fontMetrics().horizontalAdvance(field->text()) + cursor <=
           contents.width() - 2 * textMargin;
}

QRect inWindow(const QWidget* widget) {
    return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
}

} // namespace

class TestMainLayout : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void tableAndStatisticsGrowWithWindow_data();
    void tableAndStatisticsGrowWithWindow();
    void noHorizontalScrollBar_data();
    void noHorizontalScrollBar();
    void everyColumnHoldsItsTextInTheTableFont_data();
    void everyColumnHoldsItsTextInTheTableFont();
    void statisticsListShowsEveryLine_data();
    void statisticsListShowsEveryLine();
    void statusFieldsHoldTheirLongestTexts_data();
    void statusFieldsHoldTheirLongestTexts();
    void controlsDoNotOverlap_data();
    void controlsDoNotOverlap();
    void markStaysVisibleUnderSelection_data();
    void markStaysVisibleUnderSelection();
    void markedReadingKeepsReadableText_data();
    void markedReadingKeepsReadableText();

private:
    // A coating gauge with a memory of 25 readings and limits 90 to 130, target 100, 80/20 rule on.
    void showMemory(const QString& date = QStringLiteral("05.03.2026"),
                    const QString& time = QStringLiteral("07:08:09"));
    QTableView* table() const { return harness_->control<QTableView>(MSFlex); }

    std::unique_ptr<MainWindowHarness> harness_;
};

void TestMainLayout::init() {
    harness_ = std::make_unique<MainWindowHarness>();
}

void TestMainLayout::cleanup() {
    harness_.reset();
}

void TestMainLayout::showMemory(const QString& date, const QString& time) {
    harness_->connectGauge(QStringLiteral("QY-FE 2107"));
    harness_->model.settings().limits = {
        90, 130, 100, QStringLiteral("90"), QStringLiteral("130"), QStringLiteral("100"), true};
    std::vector<MeasurementRow> rows;
    for (int i = 1; i <= 25; ++i)
        rows.push_back(reading(i, 70 + (i * 37 % 60), date, time));
    harness_->model.currentStore().assign(rows);
    harness_->model.optFE_Click();
    harness_->settle();
}

void TestMainLayout::tableAndStatisticsGrowWithWindow_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("table") << MSFlex;
    QTest::newRow("statistics panel") << FrameStatistik;
    QTest::newRow("statistics list") << lstStat;
}

void TestMainLayout::tableAndStatisticsGrowWithWindow() {
    QFETCH(QString, name);
    showMemory();
    harness_->resize(Smallest);
    const QSize small = harness_->control(name)->size();
    harness_->resize(FullHd);
    const QSize large = harness_->control(name)->size();
    QVERIFY2(large.width() > small.width() + 300,
             qPrintable(QStringLiteral("%1 -> %2").arg(small.width()).arg(large.width())));
    QVERIFY2(large.height() > small.height() + 300,
             qPrintable(QStringLiteral("%1 -> %2").arg(small.height()).arg(large.height())));
}

void TestMainLayout::noHorizontalScrollBar_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<bool>("rows");
    QTest::addColumn<int>("language");
    QTest::newRow("at start, empty") << Smallest << false << false << 0;
    QTest::newRow("at start, empty, English") << Smallest << false << false << 1;
    QTest::newRow("connected, empty") << Smallest << true << false << 0;
    QTest::newRow("connected, empty, full HD") << FullHd << true << false << 0;
    QTest::newRow("connected, 25 rows") << Smallest << true << true << 0;
    QTest::newRow("connected, 25 rows, English") << Smallest << true << true << 1;
}

void TestMainLayout::noHorizontalScrollBar() {
    QFETCH(QSize, size);
    QFETCH(bool, connected);
    QFETCH(bool, rows);
    QFETCH(int, language);
    if (rows)
        showMemory(QStringLiteral("17 Feb 2026"), QStringLiteral("10:01:10"));
    else if (connected)
        harness_->connectGauge(QStringLiteral("QY-FE 2107"));
    if (language == 1)
        harness_->model.englishClick();
    harness_->resize(size);
    QVERIFY(!table()->horizontalScrollBar()->isVisible());
    // The columns fill the table: no blank strip beside the last one.
    int columns = 0;
    for (int column = 0; column < table()->model()->columnCount(); ++column)
        columns += table()->columnWidth(column);
    QCOMPARE(columns, table()->viewport()->width());
}

void TestMainLayout::everyColumnHoldsItsTextInTheTableFont_data() {
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<int>("language");
    QTest::newRow("German dates") << "05.03.2026"
                                  << "07:08:09" << 0;
    QTest::newRow("month names") << "17 Feb 2026"
                                 << "10:01:10" << 0;
    QTest::newRow("time with its zone, English") << "2/17/26"
                                                 << "10:01:10 AM CET" << 1;
}

void TestMainLayout::everyColumnHoldsItsTextInTheTableFont() {
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(int, language);
    showMemory(date, time);
    if (language == 1)
        harness_->model.englishClick();
    harness_->resize(Smallest);
    QTableView* view = table();
    // What the cells' own texts need, in the font they are painted with.
    const auto needed = [view](int column) {
        return static_cast<QAbstractItemView*>(view)->sizeHintForColumn(column);
    };
    QCOMPARE(view->model()->index(0, 0).data().toString(), date + u' ' + time);
    for (int column = 0; column < view->model()->columnCount(); ++column) {
        const QVariant font = view->model()->index(0, column).data(Qt::FontRole);
        QVERIFY2(!font.isValid() || font.value<QFont>().pointSize() == view->font().pointSize(),
                 qPrintable(QStringLiteral("column %1 in another size").arg(column)));
        QVERIFY2(view->columnWidth(column) >= needed(column), qPrintable(QStringLiteral("column %1: %2 < %3")
                                                                             .arg(column)
                                                                             .arg(view->columnWidth(column))
                                                                             .arg(needed(column))));
        QVERIFY2(view->columnWidth(column) >= view->horizontalHeader()->sectionSizeHint(column),
                 qPrintable(QStringLiteral("header %1").arg(column)));
    }
}

void TestMainLayout::statisticsListShowsEveryLine_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("language");
    QTest::newRow("German") << Smallest << 0;
    QTest::newRow("English") << Smallest << 1;
    QTest::newRow("German, full HD") << FullHd << 0;
}

void TestMainLayout::statisticsListShowsEveryLine() {
    QFETCH(QSize, size);
    QFETCH(int, language);
    showMemory();
    if (language == 1)
        harness_->model.englishClick();
    harness_->resize(size);
    auto* list = harness_->control<QListWidget>(lstStat);
    QVERIFY(list->isVisible());
    QCOMPARE(list->count(), 10);
    QVERIFY(list->item(9)->text().contains(Texts::statistics(Stat::Rule8020Ok, language)));
    QVERIFY(!list->verticalScrollBar()->isVisible());
    QVERIFY(list->viewport()->rect().contains(list->visualItemRect(list->item(9))));
    QCOMPARE(harness_->window.size(), size);
}

void TestMainLayout::statusFieldsHoldTheirLongestTexts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("gauge");
    QTest::addColumn<QString>("text");
    const QString outOfRangeDe = Texts::message(Msg::DeviceOutOfRange, 0);
    const QString outOfRangeEn = Texts::message(Msg::DeviceOutOfRange, 1);
    // The status field takes a larger font and another look once a gauge is known.
    QTest::newRow("status before a gauge") << txtSpeicher << QString() << outOfRangeDe;
    QTest::newRow("status, gauge with a picture") << txtSpeicher << "QY-FE 2107" << outOfRangeDe;
    QTest::newRow("status, gauge with a picture, English") << txtSpeicher << "QY-FE 2107" << outOfRangeEn;
    QTest::newRow("status, probe-memory gauge") << txtSpeicher << "ZEL 4711" << outOfRangeDe;
    QTest::newRow("status, memory empty")
        << txtSpeicher << "QY-FE 2107" << Texts::message(Msg::MemoryEmpty, 0);
    QTest::newRow("status, live value") << txtSpeicher << "QY-FE 2107"
                                        << "      1234.5 µm";
    QTest::newRow("link before a gauge") << txtWait << QString() << outOfRangeDe;
    QTest::newRow("link, gauge known") << txtWait << "QY-FE 2107" << outOfRangeDe;
    QTest::newRow("link, gauge known, English") << txtWait << "QY-FE 2107" << outOfRangeEn;
}

void TestMainLayout::statusFieldsHoldTheirLongestTexts() {
    QFETCH(QString, name);
    QFETCH(QString, gauge);
    QFETCH(QString, text);
    if (!gauge.isEmpty())
        harness_->connectGauge(gauge);
    harness_->resize(Smallest);
    harness_->model.controls().setCaption(name, text);
    harness_->settle();
    auto* field = harness_->control<QLineEdit>(name);
    QCOMPARE(field->text(), text);
    QVERIFY2(showsWholeText(field), qPrintable(QStringLiteral("%1 px wide").arg(field->width())));
    // The room was there: the window did not have to grow for it.
    QCOMPARE(harness_->window.size(), Smallest);
    QVERIFY(harness_->window.rect().contains(inWindow(field)));
}

void TestMainLayout::controlsDoNotOverlap_data() {
    QTest::addColumn<QString>("gauge");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("status and table") << "QY-FE 2107" << txtSpeicher << MSFlex;
    QTest::newRow("status and picture") << "QY-FE 2107" << txtSpeicher << picZK;
    QTest::newRow("status and connect button") << "QY-FE 2107" << txtSpeicher << cmdConnect;
    QTest::newRow("status and table, probe-memory gauge") << "ZEL 4711" << txtSpeicher << MSFlex;
    QTest::newRow("link status and battery") << "QY-FE 2107" << txtWait << BattIcon;
    QTest::newRow("table and statistics") << "QY-FE 2107" << MSFlex << FrameStatistik;
}

void TestMainLayout::controlsDoNotOverlap() {
    QFETCH(QString, gauge);
    QFETCH(QString, first);
    QFETCH(QString, second);
    harness_->connectGauge(gauge);
    harness_->model.showBattery(3.9);
    harness_->resize(Smallest);
    QWidget* one = harness_->control(first);
    QWidget* other = harness_->control(second);
    QVERIFY(one->isVisible() && other->isVisible());
    QVERIFY2(!inWindow(one).intersects(inWindow(other)),
             qPrintable(QStringLiteral("%1 and %2 overlap").arg(first, second)));
}

void TestMainLayout::markStaysVisibleUnderSelection_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("row");
    QTest::addColumn<QColor>("background");
    const QColor markGrey(204, 204, 204);
    const QColor lightgreen(158, 232, 155);
    QTest::newRow("marked and selected") << QList<int>{1} << 1 << markGrey;
    QTest::newRow("unmarked again, still selected") << QList<int>{1, 1} << 1 << lightgreen;
    QTest::newRow("marked, another row selected") << QList<int>{1, 2, 2} << 1 << markGrey;
    QTest::newRow("the other row, selected and unmarked") << QList<int>{1, 2, 2} << 2 << lightgreen;
}

// A click selects the row and toggles its mark; the selection must not paint over either colour.
void TestMainLayout::markStaysVisibleUnderSelection() {
    QFETCH(QList<int>, clicks);
    QFETCH(int, row);
    QFETCH(QColor, background);
    harness_->model.settings().limits = {0,         50,   0, QStringLiteral("0"), QStringLiteral("50"),
                                         QString(), false};
    harness_->model.currentStore().assign({reading(1, 10, QString(), QString()),
                                           reading(2, 11, QString(), QString()),
                                           reading(3, 12, QString(), QString())});
    harness_->model.FillMSFlexOne();
    harness_->resize(Smallest);
    QTableView* view = table();
    for (const int clicked : clicks)
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(clicked, 2)).center());
    QVERIFY(view->selectionModel()->isRowSelected(clicks.last(), {}));

    // The value column's text is right-aligned: its left part shows the cell's background.
    const QRect cell = view->visualRect(view->model()->index(row, 2));
    const QImage painted = view->viewport()->grab().toImage();
    const QPoint inside(cell.left() + 6, cell.center().y());
    QCOMPARE(QColor(painted.pixel(inside * painted.devicePixelRatio())), background);
}

void TestMainLayout::markedReadingKeepsReadableText_data() {
    QTest::addColumn<bool>("markedX");
    QTest::addColumn<bool>("clicked");
    QTest::newRow("reading marked X, row marked") << true << true;
    QTest::newRow("reading marked X") << true << false;
    QTest::newRow("row marked") << false << true;
}

// A reading marked "X" is written in grey, a marked row is grey: together the text must still show.
void TestMainLayout::markedReadingKeepsReadableText() {
    QFETCH(bool, markedX);
    QFETCH(bool, clicked);
    MeasurementRow row = reading(1, 10, QString(), QString());
    if (markedX)
        row.mark = QStringLiteral("X");
    harness_->model.currentStore().assign({row, reading(2, 11, QString(), QString())});
    harness_->model.FillMSFlexOne();
    if (clicked)
        harness_->model.MSFlex_Click(0);
    const QModelIndex cell = table()->model()->index(0, 2);
    const QColor text = cell.data(Qt::ForegroundRole).isValid()
                            ? cell.data(Qt::ForegroundRole).value<QBrush>().color()
                            : table()->palette().color(QPalette::Text);
    const QColor background = cell.data(Qt::BackgroundRole).isValid()
                                  ? cell.data(Qt::BackgroundRole).value<QBrush>().color()
                                  : table()->palette().color(QPalette::Base);
    QVERIFY2(std::abs(text.lightness() - background.lightness()) >= 40,
             qPrintable(QStringLiteral("text %1 on %2").arg(text.name(), background.name())));
}

QTEST_MAIN(TestMainLayout)
#include "tst_mainlayout.moc"
