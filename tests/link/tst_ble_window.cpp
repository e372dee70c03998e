#include "link/sim/GaugeProfile.h"
#include "link/sim/SimulatedTransport.h"
#include "widgets/frmTransfer.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"
#include "window/WindowSession.h"

#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace vexa;
using namespace vexa::ctl;

namespace {

QList<sim::GaugeProfile> demoProfiles() {
    QList<sim::GaugeProfile> profiles;
    for (const char* file : {"qy-coating.json", "ze-probe-memory.json"}) {
        const sim::LoadedProfile loaded =
            sim::loadGaugeProfile(QStringLiteral(VEXA_SOURCE_DIR "/examples/gauges/") + QLatin1String(file));
        if (!loaded.profile)
            qFatal("%s", qPrintable(loaded.error));
        profiles.append(*loaded.profile);
    }
    return profiles;
}

} // namespace

// The link window as a user meets it: opened by Connect, scanning, choosing a gauge, connecting.
class TestBleWindow : public QObject {
    Q_OBJECT
private slots:
    void connectThroughTheLinkWindow();
};

void TestBleWindow::connectThroughTheLinkWindow() {
    QTemporaryDir folder;
    ScriptedPrompt prompt;
    MainModel model(prompt);
    sim::SimulationOptions options;
    options.liveIntervalMs = 50;
    sim::SimulatedTransport transport(demoProfiles(), options);
    WindowSession session(transport, model);
    FrmTransfer window(model, &session);
    model.programStart({QString(), folder.path(), folder.path()});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QString shots = qEnvironmentVariable("VEXA_SCREENSHOT_DIR");

    bool listedBoth = false;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->objectName(), QStringLiteral("BLE"));
        dialog->findChild<QPushButton*>(QStringLiteral("cmdScan"))->click();
        auto* devices = dialog->findChild<QListWidget*>(QStringLiteral("lbDevices"));
        QTRY_COMPARE(devices->count(), 2);
        listedBoth = true;
        QCOMPARE(devices->item(0)->text().left(5), QStringLiteral("MAC: "));
        if (!shots.isEmpty())
            dialog->grab().save(shots + QStringLiteral("/BLE-two-gauges.png"));
        devices->setCurrentRow(0);
        dialog->findChild<QPushButton*>(QStringLiteral("cmdConnect"))->click();
    });
    window.findChild<QPushButton*>(cmdConnect)->click();
    QVERIFY(listedBoth);
    QTRY_COMPARE(model.controls().caption(cmdConnect), QStringLiteral("Trennen"));
    QTRY_VERIFY(model.controls().enabled(cmdLesen));
    QTRY_VERIFY(model.table().rowCount() >= 3); // live values arrive in online mode
    if (!shots.isEmpty())
        window.grab().save(shots + QStringLiteral("/frmTransfer-online.png"));

    window.findChild<QPushButton*>(cmdLesen)->click();
    QTRY_COMPARE(model.state().view, View::Memory);
    QTRY_COMPARE(model.table().rowCount(), 25);
    if (!shots.isEmpty())
        window.grab().save(shots + QStringLiteral("/frmTransfer-download.png"));

    // Closing asks about the readings not saved, disconnects the gauge and then closes the window.
    prompt.clear();
    prompt.setAnswers({true});
    window.close();
    QCOMPARE(prompt.shown().size(), 1);
    QTRY_VERIFY(!window.isVisible());
    QVERIFY(!session.gauge().linkConnected());
}

QTEST_MAIN(TestBleWindow)
#include "tst_ble_window.moc"
