// "Prüfung": the inspection window offscreen, its controls found by object name. A rule and its parameters
// chosen there judge the table's readings line by line in either language, are remembered for the gauge,
// and a criterion's line clicked highlights its failing rows in the table without marking any.
#include "MainWindowFixture.h"
#include "window/InspectionWindowModel.h"
#include "window/MainControls.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace vexa;
using namespace vexa::inspctl;

namespace {

// Five readings of which rows 2 and 5 lie below 80 % of an NDFT of 100 µm.
const QList<fixture::Reading> TwoLow{{120}, {71}, {110}, {130}, {78}};

struct InspectionWindow : fixture::MainWindowShowing {
    explicit InspectionWindow(const QList<fixture::Reading>& readings = TwoLow)
        : MainWindowShowing(readings) {}

    QDialog* open() {
        window.findChild<QAction*>(ctl::mnuPruefung)->trigger();
        return window.findChild<QDialog*>(frmPruefung);
    }
    template <typename T> T* control(const QString& name) { return window.findChild<T*>(name); }
    void chooseRule(const QString& title) {
        auto* rules = control<QComboBox>(cmbRegel);
        const int index = rules->findText(title);
        QVERIFY2(index >= 0, qPrintable(title));
        rules->setCurrentIndex(index);
        emit rules->activated(index);
    }
    void type(int row, const QString& text) {
        auto* value = control<QComboBox>(cmbParameter[static_cast<size_t>(row)]);
        value->clearEditText();
        QTest::keyClicks(value, text);
    }
    QStringList lines() {
        auto* list = control<QListWidget>(lstKriterien);
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts.append(list->item(i)->text());
        return texts;
    }
    void click(int line) {
        auto* list = control<QListWidget>(lstKriterien);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(line)).center());
    }
    // The table rows highlighted, in table order.
    QList<int> highlighted() {
        QList<int> rows;
        const MeasurementTableModel& table = model.table();
        for (int row = 0; row < table.rowCount(); ++row)
            if (table.index(row, 0).data(MeasurementTableModel::HighlightRole).toBool())
                rows.append(row);
        return rows;
    }
    QStringList visibleParameterLabels() {
        QStringList labels;
        for (const QString& name : lblParameter)
            if (control<QLabel>(name)->isVisibleTo(control<QDialog>(frmPruefung)))
                labels.append(control<QLabel>(name)->text());
        return labels;
    }
    QByteArray settingsFile() {
        QFile file(folder.filePath(QStringLiteral("Pruefung_1.ini")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
};

} // namespace

class TestFrmPruefung : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::system()); }

    void aRuleShowsItsParameters_data() {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QStringList>("offered"); // the named values of the parameter that has them

        QTest::newRow("ISO 19840")
            << "ISO 19840"
            << QStringList{"NDFT [µm]:", "Maximum [µm]:", "Korrekturwert [µm]:", "Fläche [m²]:"} << "µm"
            << QStringList{"keiner (0 µm)", "fein (10 µm)", "mittel (25 µm)", "grob (40 µm)"};
        QTest::newRow("PSPC") << "IMO PSPC 90/10" << QStringList{"NDFT [µm]:"} << "µm" << QStringList();
        QTest::newRow("SSPC-PA 2") << "SSPC-PA 2"
                                   << QStringList{"Minimum [mils]:", "Maximum [mils]:", "Messwerte je Spot:",
                                                  "Spots je Fläche:", "Einschränkungsstufe:"}
                                   << "mils" << QStringList();
        QTest::newRow("welding") << "Restmagnetismus vor dem Schweißen" << QStringList{"Maximum [mT]:"}
                                 << "mT"
                                 << QStringList{"Lichtbogen (20 G)", "mit Zusatzdraht (10 G)",
                                                "Elektronenstrahl (2,5 G)"};
    }

    void aRuleShowsItsParameters() {
        QFETCH(QString, rule);
        QFETCH(QStringList, labels);
        QFETCH(QString, unit);
        QFETCH(QStringList, offered);

        InspectionWindow shown;
        QDialog* dialog = shown.open();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Prüfung nach Regel"));
        QCOMPARE(shown.control<QComboBox>(cmbRegel)->currentText(), QStringLiteral("(keine)"));
        QCOMPARE(shown.visibleParameterLabels(), QStringList());
        QCOMPARE(shown.lines(), QStringList());

        shown.chooseRule(rule);
        QCOMPARE(shown.visibleParameterLabels(), labels);
        QCOMPARE(shown.control<QComboBox>(cmbEinheit)->currentText(), unit);
        QStringList items;
        for (const QString& name : cmbParameter) {
            auto* value = shown.control<QComboBox>(name);
            for (int i = 0; i < value->count(); ++i)
                items.append(value->itemText(i));
        }
        QCOMPARE(items, offered);
    }

    void criterionLinesInBothLanguages_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("verdict");

        // Numbers as the window writes this gauge's readings: no decimals from 100 µm, a decimal comma.
        QTest::newRow("German")
            << false
            << QStringList{"ISO 19840 – FE: NICHT BESTANDEN (5 Messwerte in µm)",
                           "Parameter: ndft 100 µm, max 300 µm, correction 0,0 µm",
                           "(a) ERFÜLLT: Mittelwert 101,80 µm aus 5 Messwerten, mindestens "
                           "NDFT = 100 µm",
                           "(b) VERFEHLT: 2 von 5 Messwerten unter 80 % NDFT = 80,0 µm (min "
                           "71,0 µm); Zeilen 2, 5",
                           "(c) ERFÜLLT: 0 von 5 Messwerten von 80 % NDFT = 80,0 µm bis unter "
                           "NDFT = 100 µm, höchstens 1 erlaubt",
                           "(d) ERFÜLLT: 0 von 5 Messwerten über max = 300 µm (max 130 µm)"}
            << "Urteil: NICHT BESTANDEN";
        QTest::newRow("English")
            << true
            << QStringList{"ISO 19840 – FE: FAILED (5 readings in µm)",
                           "Parameters: ndft 100 µm, max 300 µm, correction 0,0 µm",
                           "(a) PASS: mean 101,80 µm of 5 readings, at least NDFT = 100 µm",
                           "(b) FAIL: 2 of 5 readings below 80 % NDFT = 80,0 µm (min 71,0 "
                           "µm); rows 2, 5",
                           "(c) PASS: 0 of 5 readings from 80 % NDFT = 80,0 µm to below NDFT "
                           "= 100 µm, at most 1 allowed",
                           "(d) PASS: 0 of 5 readings above max = 300 µm (max 130 µm)"}
            << "Verdict: FAILED";
    }

    // The window is opened in German; the language is switched while it shows, the lines follow.
    void criterionLinesInBothLanguages() {
        QFETCH(bool, english);
        QFETCH(QStringList, lines);
        QFETCH(QString, verdict);

        InspectionWindow shown;
        shown.open();
        shown.chooseRule(QStringLiteral("ISO 19840"));
        shown.type(0, QStringLiteral("100"));
        if (english)
            shown.window.findChild<QAction*>(ctl::English)->trigger();
        QCOMPARE(shown.lines(), lines);
        QCOMPARE(shown.control<QLabel>(lblUrteil)->text(), verdict);
        QCOMPARE(shown.control<QLabel>(lblRegel)->text(),
                 english ? QStringLiteral("Rule:") : QStringLiteral("Regel:"));
    }

    void parameterErrorsAreSaid_data() {
        QTest::addColumn<QString>("ndft");
        QTest::addColumn<QString>("maximum");
        QTest::addColumn<QString>("error");

        QTest::newRow("NDFT left open") << ""
                                        << ""
                                        << "NDFT fehlt";
        QTest::newRow("not a number") << "zehn"
                                      << ""
                                      << "NDFT: \"zehn\" ist kein gültiger Wert";
        QTest::newRow("above the maximum") << "100"
                                           << "90"
                                           << "NDFT liegt über Maximum";
    }

    void parameterErrorsAreSaid() {
        QFETCH(QString, ndft);
        QFETCH(QString, maximum);
        QFETCH(QString, error);

        InspectionWindow shown;
        shown.open();
        shown.chooseRule(QStringLiteral("ISO 19840"));
        shown.type(0, ndft);
        shown.type(1, maximum);
        auto* errors = shown.control<QLabel>(lblFehler);
        QVERIFY(errors->isVisibleTo(shown.control<QDialog>(frmPruefung)));
        QCOMPARE(errors->text(), error);
        QCOMPARE(shown.lines(), QStringList());
        QVERIFY(!shown.model.sheet().inspection);
    }

    void aDecimalCommaIsTaken() {
        InspectionWindow shown;
        shown.open();
        shown.chooseRule(QStringLiteral("ISO 19840"));
        shown.type(0, QStringLiteral("101,8"));
        QVERIFY(shown.lines().value(2).startsWith(QStringLiteral("(a) ERFÜLLT")));
        QCOMPARE(shown.model.sheet().inspection->parameters[QStringLiteral("ndft")], 101.8);
    }

    void aClickHighlightsTheFailingRowsWithoutMarking() {
        // Sixty readings: the two low ones far down, so that the table has to scroll to them.
        QList<fixture::Reading> readings(60, fixture::Reading{110});
        readings[44].value = 71;
        readings[51].value = 78;
        InspectionWindow shown(readings);
        shown.window.resize(900, 600);
        shown.window.show();
        shown.model.MSFlex_Click(3);
        const std::vector<int> marked = shown.model.table().markedRows();

        shown.open();
        shown.chooseRule(QStringLiteral("ISO 19840"));
        shown.type(0, QStringLiteral("100"));
        QCOMPARE(shown.highlighted(), QList<int>());
        shown.click(3);
        QCOMPARE(shown.highlighted(), (QList<int>{44, 51}));
        QCOMPARE(shown.model.table().markedRows(), marked);
        auto* table = shown.window.findChild<QTableView*>(ctl::MSFlex);
        QCOMPARE(table->rowAt(0), 44);

        // The table filled anew is judged at once; the line stays chosen and takes the new low row.
        QList<fixture::Reading> more = readings;
        more.append(fixture::Reading{50});
        shown.model.currentStore().assign(fixture::sheetContent(more).rows);
        shown.model.FillMSFlexOne();
        QCOMPARE(shown.highlighted(), (QList<int>{44, 51, 60}));

        // The verdict line names no rows: the highlight goes. Marks stay through the window's clicks.
        shown.model.MSFlex_Click(3);
        shown.click(0);
        QCOMPARE(shown.highlighted(), QList<int>());
        shown.click(3);
        shown.control<QPushButton>(cmdSchliessen)->click();
        QVERIFY(!shown.control<QDialog>(frmPruefung)->isVisible());
        QCOMPARE(shown.highlighted(), QList<int>());
        QCOMPARE(shown.model.table().markedRows(), marked);
    }

    // Each material is judged on its own, the first with a note after its criteria: a line of the second
    // still highlights the second's rows.
    void eachMaterialsLinesPointAtItsRows() {
        InspectionWindow shown({{35, "µm", "FE"}, {36, "µm", "NF"}, {20, "µm", "FE"}, {21, "µm", "NF"}});
        shown.open();
        shown.chooseRule(QStringLiteral("ISO 19840"));
        shown.type(0, QStringLiteral("30"));
        const QStringList lines = shown.lines();
        QCOMPARE(lines.size(), 15);
        QVERIFY2(lines[6].startsWith(QStringLiteral("Hinweis:")), qPrintable(lines[6]));
        QVERIFY2(lines[11].startsWith(QStringLiteral("(b) VERFEHLT")) &&
                     lines[11].endsWith(QStringLiteral("Zeile 4")),
                 qPrintable(lines[11]));
        shown.click(11);
        QCOMPARE(shown.highlighted(), QList<int>{3});
        shown.click(3);
        QCOMPARE(shown.highlighted(), QList<int>{2});
    }

    void theChoiceIsRememberedForTheGauge() {
        InspectionWindow shown;
        {
            shown.open();
            shown.chooseRule(QStringLiteral("IMO PSPC 90/10"));
            shown.type(0, QStringLiteral("250"));
            shown.chooseRule(QStringLiteral("ISO 19840"));
            shown.type(0, QStringLiteral("100"));
            auto* correction = shown.control<QComboBox>(cmbParameter[2]);
            QCOMPARE(correction->count(), 4);
            QCOMPARE(correction->itemText(2), QStringLiteral("mittel (25 µm)"));
            correction->setCurrentIndex(2);
            // The command given again while the window shows keeps what was entered.
            shown.open();
            QCOMPARE(shown.control<QComboBox>(cmbParameter[0])->currentText(), QStringLiteral("100"));
            shown.control<QPushButton>(cmdSchliessen)->click();
            QCOMPARE(
                shown.settingsFile(),
                QByteArray("iso19840\r\niso19840;ndft=100;correction=medium;\r\npspc9010;ndft=250;\r\n"));
            QCOMPARE(shown.prompt.shown(), QStringList());

            // Closed by its frame, too.
            shown.open();
            shown.chooseRule(QStringLiteral("IMO PSPC 90/10"));
            shown.control<QDialog>(frmPruefung)->close();
            QVERIFY(shown.settingsFile().startsWith("pspc9010\r\n"));
            shown.open();
            shown.chooseRule(QStringLiteral("ISO 19840"));
            shown.control<QDialog>(frmPruefung)->close();
        }
        // The gauge connected again reads its rule back, into the open window too; another gauge has none.
        const auto connect = [&shown](const char* serial) {
            shown.model.applyInitialisation(decideInitialisation(QStringLiteral("QY-1"),
                                                                 DeviceInfo{.S = QString::fromLatin1(serial)},
                                                                 shown.model.state().gauge));
        };
        shown.open();
        connect("2");
        QVERIFY(!shown.model.sheet().inspection);
        QCOMPARE(shown.control<QComboBox>(cmbRegel)->currentText(), QStringLiteral("(keine)"));
        QCOMPARE(shown.lines(), QStringList());
        connect("1");
        QCOMPARE(shown.control<QComboBox>(cmbRegel)->currentText(), QStringLiteral("ISO 19840"));
        QCOMPARE(shown.control<QComboBox>(cmbParameter[2])->currentText(), QStringLiteral("mittel (25 µm)"));
        shown.window.findChild<QAction*>(ctl::English)->trigger();
        QCOMPARE(shown.control<QComboBox>(cmbParameter[2])->currentText(), QStringLiteral("medium (25 µm)"));
        const std::optional<RuleChoice> chosen = shown.model.sheet().inspection;
        QVERIFY(chosen);
        QCOMPARE(chosen->rule->key, QStringLiteral("iso19840"));
        QCOMPARE(chosen->parameters[QStringLiteral("correction")], 25.0);
    }

    void leavingTheProgramStoresTheChoice() {
        InspectionWindow shown;
        shown.window.show();
        shown.open();
        shown.chooseRule(QStringLiteral("SSPC-PA 2"));
        shown.type(0, QStringLiteral("8"));
        QVERIFY(shown.window.close());
        QCOMPARE(shown.settingsFile(), QByteArray("sspc-pa2\r\nsspc-pa2;min=8;\r\n"));
    }

    void onlineReadingsShowWhereTheMeasurementStands() {
        InspectionWindow shown;
        shown.model.optOnline_Click();
        shown.model.currentStore().assign(fixture::sheetContent(TwoLow.mid(0, 3)).rows);
        shown.model.FillMSFlexOne();
        shown.open();
        shown.chooseRule(QStringLiteral("ISO 19840"));
        shown.type(0, QStringLiteral("100"));
        shown.type(3, QStringLiteral("2"));
        auto* progress = shown.control<QLabel>(lblFortschritt);
        QVERIFY(progress->isVisibleTo(shown.control<QDialog>(frmPruefung)));
        QCOMPARE(progress->text(),
                 QStringLiteral("FE: 3 von 10 Messwerten; 1 unter NDFT; ein weiterer niedriger "
                                "Messwert verfehlt (c)"));

        // A reading measured now: judged once the readings pause.
        MeasurementRow fourth = fixture::sheetContent({{72}}).rows.front();
        fourth.number = 4;
        shown.model.currentStore()[4] = fourth;
        shown.model.AppendOnlineRow(4);
        QTRY_COMPARE(
            progress->text(),
            QStringLiteral(
                "FE: 4 von 10 Messwerten; 2 unter NDFT; 2 weitere niedrige Messwerte verfehlen (c)"));

        shown.model.optFE_Click();
        QVERIFY(!progress->isVisibleTo(shown.control<QDialog>(frmPruefung)));
    }
};

QTEST_MAIN(TestFrmPruefung)
#include "tst_frmpruefung.moc"
