#include "DemoGauges.h"
#include "LinkWindowData.h"
#include "link/sim/SimulatedTransport.h"
#include "widgets/frmTransfer.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"
#include "window/WindowSession.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <qcoro/qcorotask.h>

using namespace vexa;
using namespace vexa::ctl;

namespace {

QList<sim::GaugeProfile> demoProfiles() {
    return {demoProfile(QStringLiteral("qy-coating.json")),
            demoProfile(QStringLiteral("ze-probe-memory.json"))};
}

// The main window over the two demo gauges, shown; `programFile` is "Program.ini" as an earlier run
// left it.
struct MainWindow {
    QTemporaryDir folder;
    ScriptedPrompt prompt;
    MainModel model{prompt};
    sim::SimulatedTransport transport;
    WindowSession session{transport, model};
    FrmTransfer window{model, &session};

    explicit MainWindow(const QByteArray& programFile = {})
        : transport(demoProfiles(), {.liveIntervalMs = 50}) {
        if (!programFile.isNull())
            QVERIFY(writeProgramFile(folder.path(), programFile));
        model.programStart({QString(), folder.path(), folder.path()});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    // Connect as the main window's button does it; `user` acts in the link window, which is closed if it is
    // still open after a while. Returns when the gauge is set up (or given up), so that no part of the
    // connection outlives the test.
    void inLinkWindow(const std::function<void(QDialog& dialog, QListWidget& devices)>& user) {
        QTimer::singleShot(0, &window, [user] {
            QPointer<QDialog> dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->objectName(), QStringLiteral("BLE"));
            user(*dialog, *dialog->findChild<QListWidget*>(QStringLiteral("lbDevices")));
            if (!QTest::qWaitFor([&dialog] { return !dialog->isVisible(); }))
                dialog->reject();
        });
        QCoro::waitFor(session.cmdConnect_Click());
    }

    void clickIn(QDialog& dialog, const QString& button) { dialog.findChild<QPushButton*>(button)->click(); }
};

QPoint centreOf(QListWidget& devices, int row) {
    return devices.visualItemRect(devices.item(row)).center();
}

} // namespace

// The link window as a user meets it: opened by Connect, scanning, choosing a gauge, connecting.
class TestBleWindow : public QObject {
    Q_OBJECT
private slots:
    void connectThroughTheLinkWindow();
    void lastGaugeIsShownChosen_data();
    void lastGaugeIsShownChosen();
    void focusIsNoChoice();
    void doubleClickConnects_data();
    void doubleClickConnects();
    void adapterChoice_data();
    void adapterChoice();
};

void TestBleWindow::connectThroughTheLinkWindow() {
    MainWindow main;
    const QString shots = qEnvironmentVariable("VEXA_SCREENSHOT_DIR");
    QStringList shown;
    main.inLinkWindow([&](QDialog& dialog, QListWidget& devices) {
        // No click on Scan: the window scans as it opens.
        QTRY_COMPARE(devices.count(), 2);
        for (int row = 0; row < devices.count(); ++row)
            shown.append(devices.item(row)->text());
        if (!shots.isEmpty())
            dialog.grab().save(shots + QStringLiteral("/BLE-two-gauges.png"));
        devices.setCurrentRow(0);
        main.clickIn(dialog, QStringLiteral("cmdConnect"));
    });
    QCOMPARE(shown, (QStringList{listEntry(demoProfiles()[0]), listEntry(demoProfiles()[1])}));
    QTRY_COMPARE(main.model.controls().caption(cmdConnect), QStringLiteral("Trennen"));
    QTRY_VERIFY(main.model.controls().enabled(cmdLesen));
    QTRY_VERIFY(main.model.table().rowCount() >= 3); // live values arrive in online mode
    if (!shots.isEmpty())
        main.window.grab().save(shots + QStringLiteral("/frmTransfer-online.png"));

    main.window.findChild<QPushButton*>(cmdLesen)->click();
    QTRY_COMPARE(main.model.state().view, View::Memory);
    QTRY_COMPARE(main.model.table().rowCount(), 25);
    if (!shots.isEmpty())
        main.window.grab().save(shots + QStringLiteral("/frmTransfer-download.png"));

    // Closing asks about the readings not saved, disconnects the gauge and then closes the window.
    main.prompt.clear();
    main.prompt.setAnswers({true});
    main.window.close();
    QCOMPARE(main.prompt.shown().size(), 1);
    QTRY_VERIFY(!main.window.isVisible());
    QVERIFY(!main.session.gauge().linkConnected());
}

// The gauge connected last, listed second, is the list's chosen row until the user clicks another.
void TestBleWindow::lastGaugeIsShownChosen_data() {
    QTest::addColumn<int>("clickedRow"); // -1: none
    QTest::addColumn<int>("connectedRow");
    QTest::newRow("as chosen") << -1 << 1;
    QTest::newRow("another clicked") << 0 << 0;
}

void TestBleWindow::lastGaugeIsShownChosen() {
    QFETCH(int, clickedRow);
    QFETCH(int, connectedRow);
    const sim::GaugeProfile last = demoProfiles()[1];
    MainWindow main(programFileNaming(last));
    int currentRow = -1;
    bool selected = false;
    main.inLinkWindow([&](QDialog& dialog, QListWidget& devices) {
        QTRY_COMPARE(devices.count(), 2);
        currentRow = devices.currentRow();
        selected = devices.item(1)->isSelected();
        if (clickedRow >= 0)
            QTest::mouseClick(devices.viewport(), Qt::LeftButton, {}, centreOf(devices, clickedRow));
        main.clickIn(dialog, QStringLiteral("cmdConnect"));
    });
    QCOMPARE(currentRow, 1);
    QVERIFY(selected);
    QTRY_COMPARE(main.model.controls().caption(cmdConnect), QStringLiteral("Trennen"));
    QCOMPARE(main.session.gauge().address(), demoProfiles()[connectedRow].address);
}

// The list's current row also moves when the list takes the focus; that is no choice of the user's, and
// the gauge connected last, heard afterwards, is chosen.
void TestBleWindow::focusIsNoChoice() {
    sim::GaugeProfile late = demoProfiles()[1];
    late.address = QStringLiteral("0080E1FFFFFF");
    MainWindow main(programFileNaming(late));
    int currentRow = -1;
    bool selected = false;
    main.inLinkWindow([&](QDialog& dialog, QListWidget& devices) {
        QTRY_COMPARE(devices.count(), 2);
        dialog.findChild<QPushButton*>(QStringLiteral("cmdScan"))->setFocus(Qt::OtherFocusReason);
        devices.setFocus(Qt::TabFocusReason);
        emit main.transport.advertisement(late.address, late.name, late.rssi);
        QTRY_COMPARE(devices.count(), 3);
        currentRow = devices.currentRow();
        selected = devices.item(2)->isSelected();
        dialog.reject();
    });
    QCOMPARE(currentRow, 2);
    QVERIFY(selected);
}

void TestBleWindow::doubleClickConnects_data() {
    QTest::addColumn<int>("row");
    QTest::newRow("first entry") << 0;
    QTest::newRow("second entry") << 1;
}

void TestBleWindow::doubleClickConnects() {
    QFETCH(int, row);
    MainWindow main;
    bool closed = false;
    main.inLinkWindow([&](QDialog& dialog, QListWidget& devices) {
        QTRY_COMPARE(devices.count(), 2);
        // As the system delivers a double-click: a click, then the double-click and its release.
        const QPoint entry = centreOf(devices, row);
        QTest::mouseClick(devices.viewport(), Qt::LeftButton, {}, entry);
        QTest::mouseDClick(devices.viewport(), Qt::LeftButton, {}, entry);
        QTest::mouseRelease(devices.viewport(), Qt::LeftButton, {}, entry);
        closed = QTest::qWaitFor([&dialog] { return !dialog.isVisible(); });
    });
    QVERIFY(closed);
    QTRY_COMPARE(main.model.controls().caption(cmdConnect), QStringLiteral("Trennen"));
    QCOMPARE(main.session.gauge().address(), demoProfiles()[row].address);
}

bluez::AdapterFacts adapter(const QString& name, const QString& address) {
    bluez::AdapterFacts facts;
    facts.name = name;
    facts.address = address;
    return facts;
}

QCoro::Task<QList<bluez::AdapterFacts>> twoAdapters() {
    co_return QList<bluez::AdapterFacts>{
        adapter(QStringLiteral("hci0"), QStringLiteral("00:1B:DC:0F:8A:31")),
        adapter(QStringLiteral("hci1"), QStringLiteral("00:1B:DC:0F:8A:32"))};
}

QCoro::Task<QList<bluez::AdapterFacts>> oneAdapter() {
    co_return QList<bluez::AdapterFacts>{
        adapter(QStringLiteral("hci0"), QStringLiteral("00:1B:DC:0F:8A:31"))};
}

void TestBleWindow::adapterChoice_data() {
    QTest::addColumn<bool>("two");
    QTest::addColumn<QString>("started");    // the adapter the program was started with; empty: the default
    QTest::addColumn<QStringList>("listed"); // none: no choice offered
    QTest::addColumn<int>("shown");          // the entry shown chosen
    QTest::addColumn<QStringList>("used");   // what the link was told after the user's Down key
    const QStringList both{"hci0  00:1B:DC:0F:8A:31", "hci1  00:1B:DC:0F:8A:32"};
    QTest::newRow("one adapter") << false << QString() << QStringList() << -1 << QStringList();
    QTest::newRow("two, the default") << true << QString() << both << 0 << QStringList{"00:1B:DC:0F:8A:32"};
    // Started with --adapter hci1: shown chosen, and Down is the end of the list.
    QTest::newRow("two, started on hci1")
        << true << QStringLiteral("00:1B:DC:0F:8A:32") << both << 1 << QStringList();
}

// The choice shows where there is one; the user's pick goes to the link and the scan starts again.
void TestBleWindow::adapterChoice() {
    QFETCH(bool, two);
    QFETCH(QString, started);
    QFETCH(QStringList, listed);
    QFETCH(int, shown);
    QFETCH(QStringList, used);
    MainWindow main;
    QStringList told;
    main.session.linkWindow().offerAdapters({two ? &twoAdapters : &oneAdapter,
                                             [&told](const QString& address) { told.append(address); },
                                             started});
    QStringList items;
    int current = -1;
    bool visible = false;
    main.inLinkWindow([&](QDialog& dialog, QListWidget& devices) {
        QTRY_COMPARE(devices.count(), 2);
        auto* adapters = dialog.findChild<QComboBox*>(QStringLiteral("cmbAdapter"));
        QVERIFY(adapters);
        visible = adapters->isVisible();
        for (int i = 0; i < adapters->count(); ++i)
            items.append(adapters->itemText(i));
        current = visible ? adapters->currentIndex() : -1;
        const QString shots = qEnvironmentVariable("VEXA_SCREENSHOT_DIR");
        if (visible && !shots.isEmpty())
            dialog.grab().save(shots + QStringLiteral("/BLE-two-adapters-%1.png").arg(current));
        if (visible)
            QTest::keyClick(adapters, Qt::Key_Down);
        dialog.reject();
    });
    QCOMPARE(visible, !listed.isEmpty());
    if (visible)
        QCOMPARE(items, listed);
    QCOMPARE(current, shown);
    QCOMPARE(told, used);
}

QTEST_MAIN(TestBleWindow)
#include "tst_ble_window.moc"
