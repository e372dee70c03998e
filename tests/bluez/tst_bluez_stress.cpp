// Through Qt Bluetooth and the BlueZ double: a gauge that keeps sending readings at a full table while a
// message box is open, and a gauge that falls silent in the middle of a download.
#include "BluezDoubleControl.h"
#include "SessionHarness.h"
#include "link/ble/QtBluetoothTransport.h"
#include "widgets/DialogPrompt.h"

#include <QApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace vexa;
using namespace vexa::ctl;

namespace {

const QString FileGaugeProfile = QStringLiteral(VEXA_BLUEZ_PROFILES "/bz-file-gauge.json");

// The file gauge's profile with a simulation object, written to `folder`.
QString fileGaugeWith(const QTemporaryDir& folder, const QJsonObject& simulation) {
    QFile original(FileGaugeProfile);
    if (!original.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(FileGaugeProfile));
    QJsonObject profile = QJsonDocument::fromJson(original.readAll()).object();
    profile[QStringLiteral("simulation")] = simulation;
    const QString path = folder.filePath(QStringLiteral("gauge.json"));
    QFile changed(path);
    if (!changed.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    changed.write(QJsonDocument(profile).toJson());
    return path;
}

template <typename PromptType> struct Bluetooth { ble::QtBluetoothTransport bluetooth; };

// Ends as the program ends: a connected gauge is disconnected first.
template <typename PromptType> struct BluezSession : Bluetooth<PromptType>, BasicSessionHarness<PromptType> {
    BluezSession()
        : BasicSessionHarness<PromptType>(this->bluetooth) {}
    ~BluezSession() { QCoro::waitFor(this->session.endProgram()); }
};

QList<QMessageBox*> openBoxes() {
    QList<QMessageBox*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            boxes.append(box);
    return boxes;
}

} // namespace

class TestBluezStress : public QObject {
    Q_OBJECT
private slots:
    void init();
    void fullTableOpensOneBoxAtATime();
    void silentGaugeIsLeftAtOnce();

private:
    BluezDoubleControl double_;
    QTemporaryDir folder_;
};

void TestBluezStress::init() {
    QCOMPARE(double_.call("SetAdapter", true, true), QString());
}

// Readings every 10 ms at a full table, each notification an event of its own inside the open box's
// event loop: one box, shown once; every refused reading is logged.
void TestBluezStress::fullTableOpensOneBoxAtATime() {
    QCOMPARE(double_.call("LoadProfiles", QStringList{fileGaugeWith(folder_, {{"liveIntervalMs", 10}})}),
             QString());
    BluezSession<DialogPrompt> s;
    s.connectGauge();
    QTRY_VERIFY(s.main.stores().online.presentCount() >= 1);
    // The table as if it held 5000 readings.
    std::vector<MeasurementRow> held(RowStore::Capacity);
    for (int i = 0; i < RowStore::Capacity; ++i) {
        held[static_cast<size_t>(i)].number = static_cast<qint16>(i + 1);
        held[static_cast<size_t>(i)].value = 90;
    }
    s.main.stores().online.assign(held);
    s.main.state().onlineCounter = RowStore::Capacity + 1;

    QStringList read;
    int mostOpen = 0;
    QElapsedTimer boxOpen;
    QTimer user;
    connect(&user, &QTimer::timeout, this, [&] {
        const QList<QMessageBox*> boxes = openBoxes();
        mostOpen = std::max(mostOpen, int(boxes.size()));
        if (boxes.isEmpty()) {
            boxOpen.invalidate();
        } else if (!boxOpen.isValid()) {
            boxOpen.start();
        } else if (boxOpen.elapsed() >= 300) {
            read.append(boxes.first()->text());
            boxes.first()->accept();
        }
    });
    user.start(5);
    QTest::qWait(1500);
    QTRY_VERIFY(openBoxes().isEmpty());
    user.stop();

    QCOMPARE(mostOpen, 1);
    QCOMPARE(read, QStringList{QStringLiteral("Maximale Werteanzahl überschritten 5000")});
    QFile log(s.main.log().filePath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(
        QString::fromUtf8(log.readAll()).count(QStringLiteral("Maximale Werteanzahl überschritten 5000: ")) >=
        20);
}

// The gauge falls silent amid the blocks of a memory: the window says so after one deadline, offers
// ReConnect, and asks the gauge nothing more.
void TestBluezStress::silentGaugeIsLeftAtOnce() {
    QCOMPARE(double_.call("LoadProfiles", QStringList{fileGaugeWith(folder_, {{"stopAnsweringAfter", 60}})}),
             QString());
    BluezSession<ScriptedPrompt> s;
    s.connectGauge();
    QSignalSpy notAnswering(&s.session, &WindowSession::gaugeNotAnswering);
    s.choose(s.controls().items(cmbSpeicher).value(0));
    s.read();
    QCOMPARE(notAnswering.size(), 1);
    QCOMPARE(s.main.currentStore().presentCount(), 0);
    QVERIFY(!s.gauge().linkConnected());
    QCOMPARE(s.main.state().connectAction, ConnectAction::Reconnect);

    const int operations = s.transport.operations;
    s.read();
    QCOMPARE(s.transport.operations, operations);
    QCOMPARE(notAnswering.size(), 2);
}

QTEST_MAIN(TestBluezStress)
#include "tst_bluez_stress.moc"
