#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vexa;
using namespace vexa::ctl;

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init();
    void onlyWhatNeedsNoGaugeIsOfferedAtStart();
    void visibility_data();
    void visibility();
    void germanCaptions();
    void languageSwitchRoundTrip();
    void startsInTheLanguageLastInEffect_data();
    void startsInTheLanguageLastInEffect();
    void aLanguageChosenIsKeptForTheNextStart();
    void initialisationDressesWindow_data();
    void initialisationDressesWindow();
    void initialisationClearsEveryStore();
    void batteryShown();

private:
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<ScriptedPrompt> prompt_;
    std::unique_ptr<MainModel> model_;
};

void TestStartup::init() {
    folder_ = std::make_unique<QTemporaryDir>();
    prompt_ = std::make_unique<ScriptedPrompt>();
    model_ = std::make_unique<MainModel>(*prompt_);
    model_->programStart({QStringLiteral("/opt/vexa"), folder_->path(), folder_->path()});
}

void TestStartup::onlyWhatNeedsNoGaugeIsOfferedAtStart() {
    for (const QString& name : commandSet())
        QVERIFY2(model_->controls().enabled(name) == (name == cmdOpen || name == cmdEnde), qPrintable(name));
    QVERIFY(model_->controls().enabled(cmdConnect));
}

void TestStartup::visibility_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("visible");

    for (const QString& hidden :
         {FrameWerte, FrameStatistik, FrameBefehle, cmdProjekt,  cmdWerte,    picUsb,
          lstStat,    MSChart1,       cmdChart,     cmdGross,    cmdMaterial, txtMittelwert,
          cmdLesen,   BattIcon,       lblBatterie,  cmbSpeicher, cmdRefresh,  picZK,
          picBth,     frmPic,         cmdStop,      mnuSetTime})
        QTest::newRow(qPrintable(hidden)) << hidden << false;
    for (const QString& shown : {txtSpeicher, MSFlex, cmdConnect, txtWait})
        QTest::newRow(qPrintable(shown)) << shown << true;
}

void TestStartup::visibility() {
    QFETCH(QString, name);
    QTEST(model_->controls().visible(name), "visible");
}

void TestStartup::germanCaptions() {
    const ControlState& c = model_->controls();
    QCOMPARE(c.caption(frmTransfer), QStringLiteral("Vexa Connect V1.17"));
    QCOMPARE(c.caption(cmdConnect), QStringLiteral("Verbinden"));
    QCOMPARE(c.caption(txtWait), QStringLiteral("Bitte warten...."));
    QCOMPARE(c.caption(txtSpeicher), QStringLiteral("BEREIT"));
    QVERIFY(c.checked(German));
    QVERIFY(!c.checked(English));
}

void TestStartup::languageSwitchRoundTrip() {
    const ControlState& c = model_->controls();
    model_->englishClick();
    QCOMPARE(model_->state().languageIndex, 1);
    QCOMPARE(c.caption(cmdOpen), QStringLiteral("Open Data File"));
    QCOMPARE(c.caption(cmdWerte), QStringLiteral("Limits"));
    QCOMPARE(c.caption(txtSpeicher), QStringLiteral("READY"));
    QVERIFY(c.checked(English));
    QVERIFY(!c.checked(German));

    model_->germanClick();
    QCOMPARE(c.caption(cmdOpen), QStringLiteral("Datei öffnen"));
    QCOMPARE(c.caption(cmdWerte), QStringLiteral("Grenzwerte"));
    QVERIFY(c.checked(German));
}

void TestStartup::startsInTheLanguageLastInEffect_data() {
    QTest::addColumn<QByteArray>("programFile"); // null: none written yet
    QTest::addColumn<QString>("connectCaption");

    QTest::newRow("first start") << QByteArray() << "Verbinden";
    QTest::newRow("English") << QByteArray("1\r\n") << "Connect";
    QTest::newRow("English with the last gauge")
        << QByteArray("1\r\nVexa F 3\r\nAA:BB:CC:DD:EE:FF\r\nF3\r\nV2.07\r\n") << "Connect";
    QTest::newRow("German") << QByteArray("0\r\n") << "Verbinden";
    QTest::newRow("a number that is no language") << QByteArray("2\r\n") << "Verbinden";
    QTest::newRow("cut short") << QByteArray("1\r\nVexa F 3\r\n") << "Verbinden";
}

void TestStartup::startsInTheLanguageLastInEffect() {
    QFETCH(QByteArray, programFile);
    QTemporaryDir folder;
    if (!programFile.isNull()) {
        QFile file(folder.filePath(QStringLiteral("Program.ini")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(programFile);
    }
    MainModel model(*prompt_);
    model.programStart({QString(), folder.path(), folder.path()});
    QTEST(model.controls().caption(cmdConnect), "connectCaption");
    QCOMPARE(model.controls().checked(English), model.state().languageIndex == 1);
    QVERIFY(prompt_->shown().isEmpty());
}

void TestStartup::aLanguageChosenIsKeptForTheNextStart() {
    model_->englishClick();
    {
        MainModel next(*prompt_);
        next.programStart({QString(), folder_->path(), folder_->path()});
        QCOMPARE(next.state().languageIndex, 1);
        next.germanClick();
    }
    MainModel after(*prompt_);
    after.programStart({QString(), folder_->path(), folder_->path()});
    QCOMPARE(after.state().languageIndex, 0);
    QVERIFY(prompt_->shown().isEmpty());
}

void TestStartup::initialisationDressesWindow_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<bool>("frameVisible");
    QTest::addColumn<bool>("clockMenu");
    QTest::addColumn<QString>("company");

    QTest::newRow("QY") << "QY-FE-1"
                        << "/opt/vexa/QY.png" << true << true << "Orvanto GmbH";
    QTest::newRow("VD1 hides its frame") << "DX350"
                                         << "/opt/vexa/VD.gif" << false << true << "Orvanto GmbH";
    QTest::newRow("Tivo") << "Tivo"
                          << "/opt/vexa/KR.gif" << false << true << "Tivona";
    QTest::newRow("unknown gauge") << "Phone"
                                   << "" << false << false << "Orvanto GmbH";
}

void TestStartup::initialisationDressesWindow() {
    QFETCH(QString, name);
    model_->applyInitialisation(
        decideInitialisation(name, DeviceInfo{.S = QStringLiteral("123456")}, model_->state().gauge));
    const ControlState& c = model_->controls();
    QTEST(c[picZK].pictureFile, "picture");
    QTEST(c.visible(frmPic), "frameVisible");
    QTEST(c.visible(mnuSetTime), "clockMenu");
    QTEST(c.caption(FrameStatistik), "company");
    for (const QString& frame : {FrameWerte, FrameStatistik, FrameBefehle, cmdProjekt, cmdWerte})
        QVERIFY2(c.visible(frame), qPrintable(frame));
    QVERIFY(!c.visible(cmdStop));
}

void TestStartup::initialisationClearsEveryStore() {
    for (RowStore* store : {&model_->stores().memory, &model_->stores().online})
        (*store)[1].number = 7;
    model_->state().nextRowIndex = 42;
    model_->applyInitialisation(decideInitialisation(
        QStringLiteral("QY"), DeviceInfo{.S = QStringLiteral("1")}, model_->state().gauge));
    for (const RowStore* store : {&model_->stores().memory, &model_->stores().online})
        QCOMPARE(store->presentCount(), 0);
    QCOMPARE(model_->state().nextRowIndex, 1);
    QCOMPARE(model_->state().projectDate, QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
}

void TestStartup::batteryShown() {
    model_->applyInitialisation(decideInitialisation(
        QStringLiteral("QY"), DeviceInfo{.S = QStringLiteral("1")}, model_->state().gauge));
    model_->showBattery(3.85);
    QCOMPARE(model_->controls().caption(BattIcon), QStringLiteral("K"));
    QVERIFY(model_->controls().visible(BattIcon));
    QVERIFY(model_->controls().visible(lblBatterie));
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
