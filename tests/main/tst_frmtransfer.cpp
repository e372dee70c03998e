#include "texts/Texts.h"
#include "widgets/ManualOpener.h"
#include "widgets/frmTransfer.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"

#include <QAction>
#include <QBrush>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace vexa;
using namespace vexa::ctl;

class TestFrmTransfer : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyControlExists();
    void startsBlockedAndHidden();
    void leavingAsksOnlyForUnsavedReadings_data();
    void leavingAsksOnlyForUnsavedReadings();
    void languageMenuSwitchesCaptions_data();
    void languageMenuSwitchesCaptions();
    void clickOnTableMarksRow();
    void saveAndOpenButtonsRoundTrip();
    void exportButtonsWriteAndOpenTheirFile_data();
    void exportButtonsWriteAndOpenTheirFile();
    void manualIsRenderedWhenMissing_data();
    void manualIsRenderedWhenMissing();
    void manualMenuSaysWhatBecameOfTheManual_data();
    void manualMenuSaysWhatBecameOfTheManual();
    // Grabs of the window for a person to look at, written only when asked for.
    void screenshots();

private:
    QString text(const QString& name) const;
    void trigger(const QString& action);

    QTemporaryDir folder_;
    std::unique_ptr<ScriptedPrompt> prompt_;
    std::unique_ptr<MainModel> model_;
    std::unique_ptr<FrmTransfer> window_;
};

void TestFrmTransfer::init() {
    prompt_ = std::make_unique<ScriptedPrompt>();
    model_ = std::make_unique<MainModel>(*prompt_);
    window_ = std::make_unique<FrmTransfer>(*model_);
    model_->programStart({QString(), folder_.path(), folder_.path()});
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void TestFrmTransfer::cleanup() {
    window_.reset();
    model_.reset();
}

QString TestFrmTransfer::text(const QString& name) const {
    QObject* target = window_->findChild<QObject*>(name);
    if (auto* button = qobject_cast<QAbstractButton*>(target))
        return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(target))
        return edit->text();
    if (auto* group = qobject_cast<QGroupBox*>(target))
        return group->title();
    if (auto* menu = qobject_cast<QMenu*>(target))
        return menu->title();
    if (auto* action = qobject_cast<QAction*>(target))
        return action->text();
    return QStringLiteral("<no such control>");
}

void TestFrmTransfer::trigger(const QString& action) {
    window_->findChild<QAction*>(action)->trigger();
}

void TestFrmTransfer::everyControlExists() {
    const QStringList names{mnuDatei,
                            mnuEnd,
                            Language,
                            English,
                            German,
                            mnuTastaturevent,
                            mnuSetTime,
                            mnuHelp,
                            mnuInfo,
                            mnuHelp1,
                            cmdConnect,
                            txtWait,
                            picBth,
                            picBthBlitz,
                            picUsb,
                            BattIcon,
                            lblBatterie,
                            frmPic,
                            picZK,
                            picRahmen,
                            txtSpeicher,
                            FrameWerte,
                            optFE,
                            optOnline,
                            cmbSpeicher,
                            cmdRefresh,
                            cmdLesen,
                            cmdStop,
                            lblSpeicher,
                            MSFlex,
                            FrameStatistik,
                            lstStat,
                            picVexa,
                            MSChart1,
                            txtMittelwert,
                            cmdMaterial,
                            cmdChart,
                            cmdGross,
                            FrameBefehle,
                            cmdOpen,
                            cmdSave,
                            cmdEnde,
                            cmdWerte,
                            cmdProjekt,
                            cmdFlexTabelleloeschen,
                            cmdFlexZeileLoeschen,
                            cmdSort,
                            Frame4,
                            cmdprint,
                            cmdWord,
                            cmdClipboard,
                            cmdExcel,
                            cmdPdfReport};
    for (const QString& name : names)
        QVERIFY2(window_->findChild<QObject*>(name), qPrintable(name));
    QCOMPARE(window_->objectName(), frmTransfer);
    QCOMPARE(window_->windowTitle(), QStringLiteral("Vexa Connect V1.17"));
}

void TestFrmTransfer::startsBlockedAndHidden() {
    // Only a measurement file can be looked at before a gauge is connected.
    for (const QString& name : commandSet()) {
        auto* widget = window_->findChild<QWidget*>(name);
        QVERIFY2(widget && widget->isEnabled() == (name == cmdOpen || name == cmdEnde), qPrintable(name));
    }
    for (const QString& name :
         {FrameWerte, FrameStatistik, FrameBefehle, lstStat, cmbSpeicher, cmdLesen, frmPic})
        QVERIFY2(window_->findChild<QWidget*>(name)->isHidden(), qPrintable(name));
    QVERIFY(!window_->findChild<QAction*>(mnuSetTime)->isVisible());
    QVERIFY(window_->findChild<QWidget*>(cmdConnect)->isVisible());
    QVERIFY(window_->findChild<QAction*>(German)->isChecked());
}

void TestFrmTransfer::languageMenuSwitchesCaptions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("german");
    QTest::addColumn<QString>("english");

    QTest::newRow("mnuDatei") << mnuDatei << "Datei"
                              << "File";
    QTest::newRow("cmdOpen") << cmdOpen << "Datei öffnen"
                             << "Open Data File";
    QTest::newRow("cmdSave") << cmdSave << "In Datei speichern"
                             << "Save to File";
    QTest::newRow("cmdprint") << cmdprint << "Drucken"
                              << "Print";
    QTest::newRow("mnuEnd") << mnuEnd << "Programm beenden"
                            << "Exit Program";
    QTest::newRow("cmdEnde") << cmdEnde << "Programmende"
                             << "Exit program";
    QTest::newRow("Language") << Language << "Sprache"
                              << "Language";
    QTest::newRow("English") << English << "Englisch"
                             << "English";
    QTest::newRow("German") << German << "Deutsch"
                            << "German";
    QTest::newRow("mnuTastaturevent") << mnuTastaturevent << "Tastaturevents"
                                      << "KeyEvents";
    QTest::newRow("mnuHelp") << mnuHelp << "Hilfe"
                             << "Help";
    QTest::newRow("mnuInfo") << mnuInfo << "Info"
                             << "Info";
    QTest::newRow("mnuHelp1") << mnuHelp1 << "Bedienungsanleitung"
                              << "Manual";
    QTest::newRow("cmdProjekt") << cmdProjekt << "Projektdaten"
                                << "Project data";
    QTest::newRow("cmdWerte") << cmdWerte << "Grenzwerte"
                              << "Limits";
    QTest::newRow("cmdLesen") << cmdLesen << "Speicher einlesen"
                              << "Read Memory";
    QTest::newRow("cmdFlexZeileLoeschen") << cmdFlexZeileLoeschen << "Zeile löschen"
                                          << "Delete row";
    QTest::newRow("cmdFlexTabelleloeschen") << cmdFlexTabelleloeschen << "Tabelle löschen"
                                            << "Delete Tab";
    QTest::newRow("txtWait") << txtWait << "Bitte warten...."
                             << "Please wait....";
    QTest::newRow("txtSpeicher") << txtSpeicher << "BEREIT"
                                 << "READY";
    QTest::newRow("cmdStop") << cmdStop << "Stopp"
                             << "Stop";
    QTest::newRow("FrameWerte") << FrameWerte << "Messwerte"
                                << "Data";
    QTest::newRow("FrameBefehle") << FrameBefehle << "Befehle"
                                  << "Commands";
    QTest::newRow("Frame4") << Frame4 << "Daten kopieren nach"
                            << "Copy data to";
    QTest::newRow("cmdConnect") << cmdConnect << "Verbinden"
                                << "Connect";
}

void TestFrmTransfer::languageMenuSwitchesCaptions() {
    QFETCH(QString, name);
    QTEST(text(name), "german");
    trigger(English);
    QTEST(text(name), "english");
    QVERIFY(window_->findChild<QAction*>(English)->isChecked());
    QVERIFY(!window_->findChild<QAction*>(German)->isChecked());
    trigger(German);
    QTEST(text(name), "german");
}

void TestFrmTransfer::clickOnTableMarksRow() {
    std::vector<MeasurementRow> rows(3);
    for (int i = 0; i < 3; ++i) {
        rows[static_cast<size_t>(i)].number = static_cast<qint16>(i + 1);
        rows[static_cast<size_t>(i)].value = 10 + i;
    }
    model_->currentStore().assign(rows);
    model_->FillMSFlexOne();
    auto* table = window_->findChild<QTableView*>(MSFlex);
    const QRect cell = table->visualRect(table->model()->index(1, 2));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(model_->table().markedRows(), std::vector<int>{1});
    QCOMPARE(table->model()->index(1, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
             QColor(204, 204, 204));
}

// The buttons reach the file dialogs and the files: what "Save to File" wrote, "Open Data File" shows again.
void TestFrmTransfer::saveAndOpenButtonsRoundTrip() {
    std::vector<MeasurementRow> rows(3);
    for (int i = 0; i < 3; ++i) {
        rows[static_cast<size_t>(i)].number = static_cast<qint16>(i + 1);
        rows[static_cast<size_t>(i)].value = 10 + i;
        rows[static_cast<size_t>(i)].unit = QStringLiteral("µm");
        rows[static_cast<size_t>(i)].timeText = QStringLiteral("07:08:0%1").arg(i);
    }
    model_->currentStore().assign(rows);
    model_->FillMSFlexOne();
    model_->unblockButtons();
    prompt_->setFileNames({QStringLiteral("site"), QStringLiteral("site.mes")});
    QTest::mouseClick(window_->findChild<QAbstractButton*>(cmdSave), Qt::LeftButton);
    QVERIFY(QFileInfo::exists(prompt_->dialogFolder() + QStringLiteral("/site.mes")));

    model_->currentStore().clear();
    model_->FillMSFlexOne();
    QCOMPARE(model_->table().rowCount(), 0);
    QTest::mouseClick(window_->findChild<QAbstractButton*>(cmdOpen), Qt::LeftButton);
    QCOMPARE(model_->table().rowCount(), 3);
    QCOMPARE(text(optFE), QStringLiteral("site.mes (3)"));
}

void TestFrmTransfer::exportButtonsWriteAndOpenTheirFile_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("written");
    QTest::newRow("MS Excel") << QString(cmdExcel) << "site.xlsx";
    QTest::newRow("MS Word") << QString(cmdWord) << "site.docx";
}

// "MS Excel" and "MS Word" reach their export: the file is written where the dialog says and handed to
// the same desktop program the manual goes to.
void TestFrmTransfer::exportButtonsWriteAndOpenTheirFile() {
    QFETCH(QString, button);
    QFETCH(QString, written);
    model_->applyInitialisation(decideInitialisation(
        QStringLiteral("QY-FE-1"), DeviceInfo{.S = QStringLiteral("1")}, model_->state().gauge));
    std::vector<MeasurementRow> rows(3);
    for (int i = 0; i < 3; ++i) {
        rows[static_cast<size_t>(i)].number = static_cast<qint16>(i + 1);
        rows[static_cast<size_t>(i)].value = 10 + i;
        rows[static_cast<size_t>(i)].unit = QStringLiteral("µm");
    }
    model_->currentStore().assign(rows);
    model_->FillMSFlexOne();
    model_->unblockButtons();
    auto* exportButton = window_->findChild<QAbstractButton*>(button);
    QVERIFY(exportButton->isEnabled());
    QList<QUrl> viewed;
    window_->setDocumentViewer([&](const QUrl& url) {
        viewed.append(url);
        return true;
    });
    QTemporaryDir saveTo;
    prompt_->setAnswers({false});
    prompt_->setFileNames({saveTo.filePath(QStringLiteral("site"))});
    exportButton->click();
    const QString path = saveTo.filePath(written);
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(viewed, QList<QUrl>{QUrl::fromLocalFile(path)});
    QVERIFY(exportButton->isEnabled());
}

void TestFrmTransfer::manualIsRenderedWhenMissing_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("German") << 0;
    QTest::newRow("English") << 1;
}

void TestFrmTransfer::manualIsRenderedWhenMissing() {
    QFETCH(int, language);
    model_->state().languageIndex = language;
    const QString pdf = model_->manualPath();
    QVERIFY(pdf.startsWith(folder_.path()));
    QVERIFY(pdf.endsWith(language ? QStringLiteral("/EN_Manual_Vexa_Connect.pdf")
                                  : QStringLiteral("/DE_Manual_Vexa_Connect.pdf")));
    QVERIFY(ensureManualPdf(pdf, language));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
}

void TestFrmTransfer::manualMenuSaysWhatBecameOfTheManual_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("viewerFound");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("opened") << 0 << true << true << QString() << QString();
    QTest::newRow("no viewer, German") << 0 << true << false
                                       << "Es ist kein Programm zum Öffnen von PDF-Dateien eingerichtet. Die "
                                          "Bedienungsanleitung liegt hier: "
                                       << QString();
    QTest::newRow("no viewer, English")
        << 1 << true << false << "No program to open PDF files is set up. The manual is here: " << QString();
    QTest::newRow("not written, German") << 0 << false << true << "Datei "
                                         << " wurde nicht gefunden";
    QTest::newRow("not written, English") << 1 << false << true << "File "
                                          << " not found ";
}

void TestFrmTransfer::manualMenuSaysWhatBecameOfTheManual() {
    QFETCH(int, language);
    QFETCH(bool, writable);
    QFETCH(bool, viewerFound);
    QFETCH(QString, before);
    QFETCH(QString, after);
    if (language != 0)
        model_->englishClick();
    else
        model_->germanClick();
    // A settings folder of its own, so the manual is rendered anew; when it is a plain file, nothing can
    // be written below it, not even as root.
    QTemporaryDir settings;
    if (writable) {
        model_->state().appDataPath = settings.path();
    } else {
        const QString blocked = settings.filePath(QStringLiteral("blocked"));
        QFile plain(blocked);
        QVERIFY(plain.open(QIODevice::WriteOnly));
        model_->state().appDataPath = blocked;
    }
    QList<QUrl> viewed;
    window_->setDocumentViewer([&](const QUrl& url) {
        viewed.append(url);
        return viewerFound;
    });
    const QString pdf = model_->manualPath();
    trigger(mnuHelp1);
    const QStringList expected = before.isEmpty() ? QStringList() : QStringList{before + pdf + after};
    QCOMPARE(prompt_->shown(), expected);
    QCOMPARE(viewed, writable ? QList<QUrl>{QUrl::fromLocalFile(pdf)} : QList<QUrl>());
    QCOMPARE(QFileInfo::exists(pdf), writable);
}

void TestFrmTransfer::screenshots() {
    const QString folder = qEnvironmentVariable("VEXA_SCREENSHOT_DIR");
    if (folder.isEmpty())
        QSKIP("VEXA_SCREENSHOT_DIR not set");
    QVERIFY(window_->grab().save(folder + QStringLiteral("/frmTransfer-start-de.png")));

    // A coating gauge with a 25-reading memory, limits 80..120, target 100 and the 80/20 rule on.
    model_->applyInitialisation(decideInitialisation(
        QStringLiteral("QY-FE-1"), DeviceInfo{.S = QStringLiteral("1")}, model_->state().gauge));
    model_->state().gauge.device.U = QStringLiteral("µm");
    model_->unblockButtons();
    Limits& limits = model_->settings().limits;
    limits = {80, 120, 100, QStringLiteral("80"), QStringLiteral("120"), QStringLiteral("100"), true};
    std::vector<MeasurementRow> rows;
    for (int i = 1; i <= 25; ++i) {
        MeasurementRow row;
        row.number = static_cast<qint16>(i);
        row.value = 70 + (i * 37 % 60);
        row.unit = QStringLiteral("µm");
        row.material = QStringLiteral("FE");
        row.dateText = QStringLiteral("05.03.2026");
        row.timeText = QStringLiteral("07:%1:09").arg(i, 2, 10, QLatin1Char('0'));
        rows.push_back(row);
    }
    model_->currentStore().assign(rows);
    model_->controls().setCaption(cmbSpeicher, QStringLiteral("m001"));
    model_->state().memoryName = QStringLiteral("Bridge A");
    model_->controls().setCaption(optFE, QStringLiteral("m001 (0)"));
    model_->optFE_Click();
    model_->refreshLimitsCaption();
    QVERIFY(window_->grab().save(folder + QStringLiteral("/frmTransfer-memory-de.png")));
    trigger(English);
    QVERIFY(window_->grab().save(folder + QStringLiteral("/frmTransfer-memory-en.png")));

    window_->findChild<QPushButton*>(cmdWerte)->click();
    auto* limitsDialog = window_->findChild<QWidget*>(QStringLiteral("frmWerte"));
    QVERIFY(limitsDialog);
    QVERIFY(QTest::qWaitForWindowExposed(limitsDialog));
    QVERIFY(limitsDialog->grab().save(folder + QStringLiteral("/frmWerte-en.png")));
}

void TestFrmTransfer::leavingAsksOnlyForUnsavedReadings_data() {
    QTest::addColumn<bool>("liveReading");
    QTest::addColumn<QString>("how"); // the control that ends the program
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("closed");

    QTest::newRow("nothing unsaved") << false << cmdEnde << false << true;
    QTest::newRow("unsaved, stays") << true << cmdEnde << false << false;
    QTest::newRow("unsaved, leaves") << true << cmdEnde << true << true;
    QTest::newRow("unsaved, menu, stays") << true << mnuEnd << false << false;
}

void TestFrmTransfer::leavingAsksOnlyForUnsavedReadings() {
    QFETCH(bool, liveReading);
    QFETCH(QString, how);
    QFETCH(bool, answer);
    QFETCH(bool, closed);
    if (liveReading) {
        model_->optOnline_Click();
        RecordRow record;
        record.row.number = 1;
        record.row.value = 42;
        record.row.unit = QStringLiteral("µm");
        QVERIFY(model_->FillMessdaten(record));
    }
    prompt_->clear();
    prompt_->setAnswers({answer});
    if (how == mnuEnd)
        trigger(mnuEnd);
    else
        QTest::mouseClick(window_->findChild<QPushButton*>(cmdEnde), Qt::LeftButton);
    QTRY_COMPARE(window_->isVisible(), !closed);
    QCOMPARE(prompt_->shown(),
             liveReading ? QStringList{Texts::notice(Notice::LeaveWithUnsavedReadings, 0)} : QStringList{});
}

QTEST_MAIN(TestFrmTransfer)
#include "tst_frmtransfer.moc"
