#include "data/RowColour.h"
#include "texts/Texts.h"
#include "window/LimitsCaption.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vexa;
using namespace vexa::ctl;

Q_DECLARE_METATYPE(std::optional<vexa::Rgb>)

namespace {

MeasurementRow reading(qint16 number, double value, const QString& unit = QStringLiteral("µm"),
                       const QString& material = {}) {
    MeasurementRow row;
    row.number = number;
    row.value = value;
    row.unit = unit;
    row.material = material;
    row.timestamp = QDateTime(QDate(2026, 3, 5), QTime(7, 8, number % 60));
    row.dateText = QStringLiteral("05.03.2026");
    row.timeText = QStringLiteral("07:08:%1").arg(number % 60, 2, 10, QLatin1Char('0'));
    return row;
}

} // namespace

class TestTable : public QObject {
    Q_OBJECT
private slots:
    void init();
    void colour_data();
    void colour();
    void emptyStoreShowsLogo();
    void fillStopsAtFirstAbsentRow();
    void rowMarkedXIsGreyAndNotCounted();
    void clickTwiceUnmarks();
    void deleteRefusals_data();
    void deleteRefusals();
    void deleteDualMeasurement_data();
    void deleteDualMeasurement();
    void deleteKeepsEveryFieldOfTheOtherRows();
    void deleteRemovesTheMarkedRowNotTheSelected();
    void deleteTable();
    void deleteQuestionsDefaultToNo();
    void markedRowsStayUncounted_data();
    void markedRowsStayUncounted();
    void sort_data();
    void sort();
    void viewCaptionCarriesRowCount();
    void acceptedLimitsRecolourTheRowsShown();

private:
    void fill(const std::vector<MeasurementRow>& rows);
    QList<qint16> shownNumbers() const;

    QTemporaryDir folder_;
    std::unique_ptr<ScriptedPrompt> prompt_;
    std::unique_ptr<MainModel> model_;
};

void TestTable::init() {
    prompt_ = std::make_unique<ScriptedPrompt>();
    model_ = std::make_unique<MainModel>(*prompt_);
    model_->programStart({QString(), folder_.path(), folder_.path()});
    model_->applyInitialisation(decideInitialisation(
        QStringLiteral("QY-1"), DeviceInfo{.S = QStringLiteral("1")}, model_->state().gauge));
}

void TestTable::fill(const std::vector<MeasurementRow>& rows) {
    model_->currentStore().assign(rows);
    model_->Reset_Statistic();
    model_->FillMSFlexOne();
}

QList<qint16> TestTable::shownNumbers() const {
    QList<qint16> numbers;
    for (const TableRow& row : model_->table().rows())
        numbers.append(row.number);
    return numbers;
}

void TestTable::colour_data() {
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("target");
    QTest::addColumn<bool>("rule8020");
    QTest::addColumn<double>("value");
    QTest::addColumn<std::optional<Rgb>>("expected");

    const std::optional<Rgb> none;
    const std::optional<Rgb> green = colours::lightgreen;
    const std::optional<Rgb> red = colours::lightred;
    const std::optional<Rgb> orange = colours::lightorange;
    QTest::newRow("0/50: 0") << 0.0 << 50.0 << 0.0 << false << 0.0 << green;
    QTest::newRow("0/50: 50") << 0.0 << 50.0 << 0.0 << false << 50.0 << green;
    QTest::newRow("0/50: 50.1") << 0.0 << 50.0 << 0.0 << false << 50.1 << red;
    QTest::newRow("0/50: -50.1 taken absolute") << 0.0 << 50.0 << 0.0 << false << -50.1 << red;
    QTest::newRow("both 0: nothing") << 0.0 << 0.0 << 0.0 << false << 500.0 << none;
    QTest::newRow("10/20: 5") << 10.0 << 20.0 << 0.0 << false << 5.0 << red;
    QTest::newRow("10/20: 25") << 10.0 << 20.0 << 0.0 << false << 25.0 << red;
    QTest::newRow("10/20: 15") << 10.0 << 20.0 << 0.0 << false << 15.0 << green;
    QTest::newRow("0/20: 0 never above") << 0.0 << 20.0 << 0.0 << false << 0.0 << green;
    QTest::newRow("80/20 target 100: 80") << 80.0 << 200.0 << 100.0 << true << 80.0 << orange;
    QTest::newRow("80/20 target 100: 99.9") << 80.0 << 200.0 << 100.0 << true << 99.9 << orange;
    QTest::newRow("80/20 target 100: 100") << 80.0 << 200.0 << 100.0 << true << 100.0 << green;
    QTest::newRow("80/20 target 100: 79.9") << 80.0 << 200.0 << 100.0 << true << 79.9 << red;
    QTest::newRow("80/20 without limits: 85") << 0.0 << 0.0 << 100.0 << true << 85.0 << orange;
    QTest::newRow("80/20 target 50: 45") << 40.0 << 60.0 << 50.0 << true << 45.0 << orange;
    QTest::newRow("80/20 target 50: 50") << 40.0 << 60.0 << 50.0 << true << 50.0 << green;
}

void TestTable::colour() {
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, target);
    QFETCH(bool, rule8020);
    QFETCH(double, value);
    Limits limits;
    limits.minimum = minimum;
    limits.maximum = maximum;
    limits.target = target;
    limits.rule8020 = rule8020;
    QTEST(evaluationColour(value, limits, true), "expected");
}

void TestTable::emptyStoreShowsLogo() {
    fill({});
    QCOMPARE(model_->table().rowCount(), 0);
    QVERIFY(model_->controls().visible(picVexa));
    QVERIFY(!model_->controls().visible(lstStat));
}

void TestTable::fillStopsAtFirstAbsentRow() {
    MeasurementRow gap;
    gap.number = 0;
    gap.value = 0;
    fill({reading(1, 10), reading(2, 11), gap, reading(4, 12)});
    QCOMPARE(shownNumbers(), (QList<qint16>{1, 2}));
    QCOMPARE(model_->statistics().state().count, 2);
    QVERIFY(model_->controls().visible(lstStat));
}

void TestTable::rowMarkedXIsGreyAndNotCounted() {
    MeasurementRow marked = reading(2, 0);
    marked.mark = QStringLiteral("X");
    fill({reading(1, 10), marked, reading(3, 12)});
    QVERIFY(model_->table().rows()[1].greyText);
    QVERIFY(!model_->table().rows()[0].greyText);
    QCOMPARE(model_->statistics().state().count, 2);
}

void TestTable::clickTwiceUnmarks() {
    fill({reading(1, 10), reading(2, 11)});
    model_->MSFlex_Click(1);
    QCOMPARE(model_->table().markedRows(), std::vector<int>{1});
    model_->MSFlex_Click(1);
    QVERIFY(model_->table().markedRows().empty());
}

void TestTable::deleteRefusals_data() {
    QTest::addColumn<QStringList>("materials");
    QTest::addColumn<QList<int>>("marks");
    QTest::addColumn<QString>("lastShown");
    QTest::addColumn<int>("rowsAfter");

    const QString noEntry = Texts::message(Msg::NoEntrySelected, 0);
    const QString oneRow = Texts::message(Msg::SelectOneRowOnly, 0);
    const QString deleteTable = Texts::message(Msg::PleaseDeleteTable, 0);
    QTest::newRow("nothing marked") << QStringList{"FE", "FE"} << QList<int>{} << noEntry << 2;
    QTest::newRow("two marked") << QStringList{"FE", "FE", "FE"} << QList<int>{0, 2} << oneRow << 3;
    QTest::newRow("only row") << QStringList{"FE"} << QList<int>{0} << deleteTable << 1;
    QTest::newRow("DFE in a two-row table") << QStringList{"DNF", "DFE"} << QList<int>{1} << deleteTable << 2;
    QTest::newRow("DNF in a two-row table") << QStringList{"DNF", "DFE"} << QList<int>{0} << deleteTable << 2;
}

void TestTable::deleteRefusals() {
    QFETCH(QStringList, materials);
    QFETCH(QList<int>, marks);
    std::vector<MeasurementRow> rows;
    for (int i = 0; i < materials.size(); ++i)
        rows.push_back(reading(static_cast<qint16>(i + 1), 10 + i, QStringLiteral("µm"), materials[i]));
    fill(rows);
    for (int row : marks)
        model_->MSFlex_Click(row);
    prompt_->setDefaultAnswer(true);
    model_->cmdFlexZeileLoeschen_Click();
    QTEST(prompt_->shown().last(), "lastShown");
    QTEST(model_->table().rowCount(), "rowsAfter");
}

void TestTable::deleteDualMeasurement_data() {
    QTest::addColumn<int>("markedRow");
    QTest::addColumn<QList<qint16>>("remaining");

    // Rows 2 and 3 are the two readings of measurement 2: "DNF" above its "DFE" partner.
    QTest::newRow("DNF takes the row below") << 1 << QList<qint16>{1, 3};
    QTest::newRow("DFE takes the row above") << 2 << QList<qint16>{1, 3};
    QTest::newRow("plain row alone") << 0 << QList<qint16>{2, 2, 3};
}

void TestTable::deleteDualMeasurement() {
    QFETCH(int, markedRow);
    fill({reading(1, 10, QStringLiteral("µm"), QStringLiteral("FE")),
          reading(2, 20, QStringLiteral("µm"), QStringLiteral("DNF")),
          reading(2, 21, QStringLiteral("µm"), QStringLiteral("DFE")),
          reading(3, 30, QStringLiteral("µm"), QStringLiteral("FE"))});
    model_->MSFlex_Click(markedRow);
    prompt_->setAnswers({true});
    const int nextBefore = model_->state().nextRowIndex;
    model_->cmdFlexZeileLoeschen_Click();
    QTEST(shownNumbers(), "remaining");
    QCOMPARE(model_->currentStore().presentCount(), static_cast<int>(shownNumbers().size()));
    Q_UNUSED(nextBefore);
}

void TestTable::deleteKeepsEveryFieldOfTheOtherRows() {
    MeasurementRow marked = reading(5, 0, QStringLiteral("µVs cm"), QStringLiteral("WLM"));
    marked.mark = QStringLiteral("X");
    const MeasurementRow last = reading(4, 12.345, QStringLiteral("µVs cm"), QStringLiteral("WLM"));
    fill({reading(1, 10), marked, reading(3, 11), last});
    model_->MSFlex_Click(2);
    prompt_->setAnswers({true});
    model_->cmdFlexZeileLoeschen_Click();

    // Sorted by number; the rows themselves untouched (timestamps, units with a blank, marks, exact values).
    const RowStore& store = model_->currentStore();
    QCOMPARE(store.presentCount(), 3);
    QCOMPARE(store[1], reading(1, 10));
    QCOMPARE(store[2], last);
    QCOMPARE(store[3], marked);
    QVERIFY(model_->table().rows()[2].greyText);
}

void TestTable::deleteRemovesTheMarkedRowNotTheSelected() {
    fill({reading(1, 10), reading(2, 11), reading(3, 12), reading(4, 13)});
    model_->MSFlex_Click(3); // marks row 4
    model_->MSFlex_Click(1); // a click on row 2 marks and
    model_->MSFlex_Click(1); // unmarks it again, leaving it the selected row
    prompt_->setAnswers({true});
    model_->cmdFlexZeileLoeschen_Click();
    QCOMPARE(shownNumbers(), (QList<qint16>{1, 2, 3}));
}

void TestTable::deleteTable() {
    fill({reading(1, 10), reading(2, 11)});
    prompt_->setAnswers({false});
    model_->cmdFlexTabelleloeschen_Click();
    QCOMPARE(model_->table().rowCount(), 2);
    QCOMPARE(prompt_->shown().last(), Texts::message(Msg::ConfirmDeleteTable, 0));

    prompt_->setAnswers({true});
    model_->cmdFlexTabelleloeschen_Click();
    QCOMPARE(model_->table().rowCount(), 0);
    QCOMPARE(model_->currentStore().presentCount(), 0);
    QVERIFY(!model_->controls().visible(cmdChart));
}

// Enter on a question that deletes rows keeps them.
void TestTable::deleteQuestionsDefaultToNo() {
    fill({reading(1, 10), reading(2, 11), reading(3, 12)});
    model_->MSFlex_Click(1);
    model_->cmdFlexZeileLoeschen_Click();
    model_->cmdFlexTabelleloeschen_Click();
    QCOMPARE(prompt_->shown(), (QStringList{Texts::message(Msg::ConfirmDeleteRow, 0),
                                            Texts::message(Msg::ConfirmDeleteTable, 0)}));
    QCOMPARE(prompt_->defaultButtons(), (QList<PromptDefault>{PromptDefault::No, PromptDefault::No}));
}

void TestTable::sort_data() {
    QTest::addColumn<QList<qint16>>("numbers");
    QTest::addColumn<QList<qint16>>("sorted");

    QTest::newRow("5,4 is descending: sort ascending") << QList<qint16>{5, 4, 7} << QList<qint16>{4, 5, 7};
    QTest::newRow("1,2: sort descending") << QList<qint16>{1, 2, 3} << QList<qint16>{3, 2, 1};
    QTest::newRow("a number 0: sort descending") << QList<qint16>{0, 4, 2} << QList<qint16>{4, 2, 0};
}

void TestTable::sort() {
    QFETCH(QList<qint16>, numbers);
    std::vector<MeasurementRow> rows;
    for (qint16 number : numbers)
        rows.push_back(reading(number, 10 + number));
    fill(rows);
    model_->cmdSort_Click();
    QTEST(shownNumbers(), "sorted");
}

void TestTable::viewCaptionCarriesRowCount() {
    model_->labelMemoryView(QStringLiteral("Speicher 1"), 0);
    std::vector<MeasurementRow> rows;
    for (qint16 i = 1; i <= 25; ++i)
        rows.push_back(reading(i, 10 + i));
    fill(rows);
    QCOMPARE(model_->controls().caption(optFE), QStringLiteral("Speicher 1 (25)"));

    prompt_->setAnswers({true});
    model_->cmdFlexTabelleloeschen_Click();
    QCOMPARE(model_->controls().caption(optFE), QStringLiteral("Speicher 1 (0)"));

    model_->optOnline_Click();
    QCOMPARE(model_->controls().caption(optOnline), QStringLiteral("Online (0)"));
}

// A WL memory whose records did not fit the gauge's unit: deleting a row and pressing the material button
// count the rows the download counted, never a marked one as a reading of 0.
void TestTable::markedRowsStayUncounted_data() {
    QTest::addColumn<bool>("deleteOne");
    QTest::newRow("material button after the download") << false;
    QTest::newRow("material button after a delete") << true;
}

void TestTable::markedRowsStayUncounted() {
    QFETCH(bool, deleteOne);
    model_->applyInitialisation(decideInitialisation(
        QStringLiteral("VIMS-1"), DeviceInfo{.S = QStringLiteral("2")}, model_->state().gauge));
    const auto marked = [](qint16 number) {
        MeasurementRow row = reading(number, 0, QStringLiteral("mVs"), QStringLiteral("WLN"));
        row.mark = QStringLiteral("X");
        return row;
    };
    fill({reading(1, 1.5, QStringLiteral("mVs"), QStringLiteral("WLX")), marked(2),
          reading(3, 1.7, QStringLiteral("mVs"), QStringLiteral("WLX")), marked(4),
          reading(5, 1.9, QStringLiteral("mVs"), QStringLiteral("WLX"))});
    QCOMPARE(model_->statistics().state().count, 3);
    int expected = 3;
    if (deleteOne) {
        model_->MSFlex_Click(0);
        prompt_->setAnswers({true});
        model_->cmdFlexZeileLoeschen_Click();
        expected = 2;
    }
    QCOMPARE(model_->statistics().state().count, expected);
    model_->cmdMaterial_Click();
    QCOMPARE(model_->statistics().state().count, expected);
    QCOMPARE(model_->controls().items(lstStat).filter(QStringLiteral("Anzahl")),
             QStringList{QStringLiteral("Anzahl              %1").arg(expected)});
}

// A limit taken in the dialog shows on the rows at once; the user's marks and order stay.
void TestTable::acceptedLimitsRecolourTheRowsShown() {
    fill({reading(1, 10), reading(2, 30), reading(3, 20)});
    model_->cmdSort_Click();
    model_->MSFlex_Click(0);
    const QList<qint16> order = shownNumbers();
    QVERIFY(!model_->table().rows()[0].evaluation);

    model_->settings().limits.minimum = 15;
    model_->settings().limits.maximum = 25;
    model_->limitsAccepted();
    const std::vector<TableRow>& rows = model_->table().rows();
    QCOMPARE(shownNumbers(), order);
    for (const TableRow& row : rows) {
        const double value = model_->currentStore()[row.storeRow].value;
        QCOMPARE(row.evaluation, value == 20 ? colours::lightgreen : colours::lightred);
    }
    QCOMPARE(model_->table().markedRows(), std::vector<int>{0});
    QCOMPARE(model_->controls().caption(cmdWerte),
             limitsCaption(model_->settings().limits, model_->state().gauge.model.deviceModel, 0));
}

QTEST_GUILESS_MAIN(TestTable)
#include "tst_table.moc"
