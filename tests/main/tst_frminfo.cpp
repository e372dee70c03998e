// Hilfe → Info: the information window of the gauge known, or the program's version without one.
#include "MainWindowFixture.h"
#include "files/GaugeInformation.h"
#include "window/InformationControls.h"
#include "window/MainControls.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

using namespace vexa;

class TestFrmInfo : public QObject {
    Q_OBJECT
private slots:
    void infoMenu_data();
    void infoMenu();
};

void TestFrmInfo::infoMenu_data() {
    QTest::addColumn<bool>("connected");
    QTest::newRow("no gauge connected: the version") << false;
    QTest::newRow("a gauge connected: its information") << true;
}

void TestFrmInfo::infoMenu() {
    QFETCH(bool, connected);
    fixture::MainWindowShowing shown(QList<fixture::Reading>{{12}});
    shown.model.setConnected(connected);
    auto* menu = shown.window.findChild<QAction*>(ctl::mnuInfo);
    QVERIFY(menu->isEnabled());
    menu->trigger();
    auto* information = shown.window.findChild<QWidget*>(infoctl::frmInfo);
    QCOMPARE(information && information->isVisible(), connected);
    QCOMPARE(shown.prompt.shown(),
             connected ? QStringList{} : QStringList{QStringLiteral("Vexa Connect V1.17")});
    if (!connected)
        return;
    QCOMPARE(information->findChild<QLineEdit*>(infoctl::txtGeraet)->text(),
             shown.model.information().device);
    QCOMPARE(information->findChild<QLineEdit*>(infoctl::txtPCSoft)->text(), QStringLiteral("V1.17"));
    // A second click shows the same window anew, not a second one.
    menu->trigger();
    QCOMPARE(shown.window.findChildren<QWidget*>(infoctl::frmInfo).size(), 1);
}

QTEST_MAIN(TestFrmInfo)
#include "tst_frminfo.moc"
