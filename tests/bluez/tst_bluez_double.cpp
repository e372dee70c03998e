#include "link/Transport.h"
#include "link/sim/GaugeProfile.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QTemporaryDir>
#include <QTest>

using namespace vexa;

namespace {

using InterfaceMap = QMap<QString, QVariantMap>;
using ManagedObjects = QMap<QDBusObjectPath, InterfaceMap>;
using CallCounts = QMap<QString, uint>;

const QString Bluez = QStringLiteral("org.bluez");
const QString ControlPath = QStringLiteral("/org/vexa/BluezDouble");
const QString ControlInterface = QStringLiteral("org.vexa.BluezDouble1");
const QString AdapterPath = QStringLiteral("/org/bluez/hci0");
const QString DevicePath = AdapterPath + QStringLiteral("/dev_00_80_E1_A1_B2_C3");
const QString Adapter1 = QStringLiteral("org.bluez.Adapter1");
const QString Device1 = QStringLiteral("org.bluez.Device1");
const QString GattService1 = QStringLiteral("org.bluez.GattService1");
const QString GattCharacteristic1 = QStringLiteral("org.bluez.GattCharacteristic1");
const QString GattDescriptor1 = QStringLiteral("org.bluez.GattDescriptor1");
const QString ClientConfigurationUuid = QStringLiteral("00002902-0000-1000-8000-00805f9b34fb");
const QString GaugeFile = QStringLiteral(VEXA_SOURCE_DIR "/examples/gauges/qy-coating.json");
const QString SecondGaugeFile = QStringLiteral(VEXA_SOURCE_DIR "/examples/gauges/ze-probe-memory.json");
constexpr int LiveIntervalMs = 200;

sim::GaugeProfile gaugeProfile() {
    return *sim::loadGaugeProfile(GaugeFile).profile;
}

// The D-Bus signature a demarshalled property value was sent with.
QString signatureOf(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<QDBusArgument>())
        return value.value<QDBusArgument>().currentSignature();
    return QString::fromLatin1(QDBusMetaType::typeToSignature(value.metaType()));
}

// The signals org.bluez sends, in arrival order.
class SignalLog : public QObject {
    Q_OBJECT
public:
    explicit SignalLog(QDBusConnection bus) {
        bus.connect(Bluez, QStringLiteral("/"), QStringLiteral("org.freedesktop.DBus.ObjectManager"),
                    QStringLiteral("InterfacesAdded"), this, SLOT(record(QDBusMessage)));
        bus.connect(Bluez, QStringLiteral("/"), QStringLiteral("org.freedesktop.DBus.ObjectManager"),
                    QStringLiteral("InterfacesRemoved"), this, SLOT(record(QDBusMessage)));
        bus.connect(Bluez, QString(), QStringLiteral("org.freedesktop.DBus.Properties"),
                    QStringLiteral("PropertiesChanged"), this, SLOT(record(QDBusMessage)));
    }

    // One line per event: "added PATH", "removed PATH" or "PATH NAME=VALUE" per changed property.
    QStringList events;
    QList<QByteArray> values; // changed Value properties, in order

    int indexOf(const QString& event) const { return events.indexOf(event); }
    QStringList withPrefix(const QString& prefix) const {
        QStringList found;
        for (const QString& event : events)
            if (event.startsWith(prefix))
                found.append(event);
        return found;
    }

public slots:
    void record(const QDBusMessage& message) {
        const QList<QVariant> arguments = message.arguments();
        if (message.member() == QLatin1String("InterfacesAdded")) {
            events.append(QStringLiteral("added ") + arguments[0].value<QDBusObjectPath>().path());
        } else if (message.member() == QLatin1String("InterfacesRemoved")) {
            events.append(QStringLiteral("removed ") + arguments[0].value<QDBusObjectPath>().path());
        } else {
            const QVariantMap changes = qdbus_cast<QVariantMap>(arguments[1]);
            for (auto it = changes.cbegin(); it != changes.cend(); ++it) {
                if (it.key() == QLatin1String("Value"))
                    values.append(it.value().toByteArray());
                else
                    events.append(
                        QStringLiteral("%1 %2=%3").arg(message.path(), it.key(), it.value().toString()));
            }
        }
    }
};

} // namespace

class TestBluezDouble : public QObject {
    Q_OBJECT

private:
    QDBusConnection bus_ = QDBusConnection::systemBus();
    std::unique_ptr<SignalLog> log_;

    QDBusMessage call(const QString& path, const QString& interface, const QString& member,
                      const QVariantList& arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(Bluez, path, interface, member);
        message.setArguments(arguments);
        return bus_.call(message);
    }
    QDBusMessage control(const QString& member, const QVariantList& arguments = {}) {
        return call(ControlPath, ControlInterface, member, arguments);
    }
    static void verifyReply(const QDBusMessage& reply) {
        QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
    }
    ManagedObjects managedObjects() {
        const QDBusMessage reply =
            call(QStringLiteral("/"), QStringLiteral("org.freedesktop.DBus.ObjectManager"),
                 QStringLiteral("GetManagedObjects"));
        return qdbus_cast<ManagedObjects>(reply.arguments().value(0));
    }
    // Paths of the objects with `interface`, sorted.
    QStringList pathsWith(const QString& interface) {
        QStringList paths;
        const ManagedObjects objects = managedObjects();
        for (auto it = objects.cbegin(); it != objects.cend(); ++it)
            if (it.value().contains(interface))
                paths.append(it.key().path());
        return paths;
    }
    QString pathOf(const QString& interface, const QString& uuid) {
        const ManagedObjects objects = managedObjects();
        for (auto it = objects.cbegin(); it != objects.cend(); ++it)
            if (it.value().value(interface).value(QStringLiteral("UUID")).toString() == uuid.toLower())
                return it.key().path();
        return {};
    }
    // The configuration descriptor of a characteristic; empty when it has none.
    QString descriptorOf(const QString& characteristic) {
        for (const QString& path : pathsWith(GattDescriptor1))
            if (path.startsWith(characteristic + QStringLiteral("/desc")))
                return path;
        return {};
    }
    QDBusMessage readValue(const QString& path, const QString& interface = GattCharacteristic1) {
        return call(path, interface, QStringLiteral("ReadValue"), {QVariantMap()});
    }
    QDBusMessage writeValue(const QString& path, const QByteArray& value, const QString& type) {
        return call(path, GattCharacteristic1, QStringLiteral("WriteValue"),
                    {value, QVariantMap{{QStringLiteral("type"), type}}});
    }
    void startDiscovery() { verifyReply(call(AdapterPath, Adapter1, QStringLiteral("StartDiscovery"))); }
    void connectGauge() {
        startDiscovery();
        verifyReply(call(DevicePath, Device1, QStringLiteral("Connect")));
        QTRY_VERIFY(log_->indexOf(DevicePath + QStringLiteral(" ServicesResolved=true")) >= 0);
    }

private slots:
    void initTestCase() {
        qDBusRegisterMetaType<InterfaceMap>();
        qDBusRegisterMetaType<ManagedObjects>();
        qDBusRegisterMetaType<CallCounts>();
        QVERIFY(bus_.isConnected());
    }

    // Every test starts from a powered adapter that is not discovering, two gauges in range and no calls.
    void init() {
        verifyReply(control(QStringLiteral("SetAdapter"), {true, false}));
        verifyReply(control(QStringLiteral("SetAdapter"), {true, true}));
        verifyReply(control(QStringLiteral("LoadProfiles"), {QStringList{GaugeFile, SecondGaugeFile}}));
        verifyReply(control(QStringLiteral("ResetCallCounts")));
        log_ = std::make_unique<SignalLog>(bus_);
    }

    void discoveryFindsOneDevicePerGauge() {
        QCOMPARE(pathsWith(Device1), QStringList());
        QCOMPARE(pathsWith(Adapter1), QStringList{AdapterPath});

        startDiscovery();
        QTRY_COMPARE(log_->withPrefix(QStringLiteral("added ")).size(), 2);
        QVERIFY(log_->indexOf(AdapterPath + QStringLiteral(" Discovering=true")) >= 0);
        QCOMPARE(pathsWith(Device1), (QStringList{AdapterPath + QStringLiteral("/dev_00_80_E1_A1_B2_C3"),
                                                  AdapterPath + QStringLiteral("/dev_00_80_E1_C4_D5_E6")}));
        const QVariantMap device = managedObjects().value(QDBusObjectPath(DevicePath)).value(Device1);
        QCOMPARE(device.value(QStringLiteral("Address")).toString(), QStringLiteral("00:80:E1:A1:B2:C3"));
        QCOMPARE(device.value(QStringLiteral("Alias")).toString(), gaugeProfile().name);
        QCOMPARE(device.value(QStringLiteral("RSSI")).toInt(), gaugeProfile().rssi);
        QCOMPARE(device.value(QStringLiteral("Adapter")).value<QDBusObjectPath>().path(), AdapterPath);

        verifyReply(call(AdapterPath, Adapter1, QStringLiteral("StopDiscovery")));
        QTRY_VERIFY(log_->indexOf(AdapterPath + QStringLiteral(" Discovering=false")) >= 0);
        QCOMPARE(pathsWith(Device1).size(), 2);
    }

    // Qt reports a link only after ServicesResolved, and finds the GATT objects by their nesting.
    void connectExportsGattThenResolvesServices() {
        connectGauge();
        const int connected = log_->indexOf(DevicePath + QStringLiteral(" Connected=true"));
        const int resolved = log_->indexOf(DevicePath + QStringLiteral(" ServicesResolved=true"));
        const QStringList gatt = log_->withPrefix(QStringLiteral("added ") + DevicePath + u'/');
        QVERIFY(connected >= 0);
        QVERIFY(!gatt.isEmpty());
        QVERIFY(connected < log_->indexOf(gatt.first()));
        QVERIFY(log_->indexOf(gatt.last()) < resolved);

        const ManagedObjects objects = managedObjects();
        for (const QString& path : pathsWith(GattCharacteristic1)) {
            const QString service = objects.value(QDBusObjectPath(path))
                                        .value(GattCharacteristic1)
                                        .value(QStringLiteral("Service"))
                                        .value<QDBusObjectPath>()
                                        .path();
            QVERIFY2(path.startsWith(service + QStringLiteral("/char")), qPrintable(path));
            QVERIFY2(service.startsWith(DevicePath + QStringLiteral("/service")), qPrintable(service));
        }
        QCOMPARE(pathsWith(GattService1).size(), 2);
        QCOMPARE(pathsWith(GattCharacteristic1).size(), 5);
        QCOMPARE(pathsWith(GattDescriptor1).size(), 2); // one per notifying characteristic
        QVERIFY(!descriptorOf(pathOf(GattCharacteristic1, uuid::CharMeasure)).isEmpty());
        QVERIFY(!descriptorOf(pathOf(GattCharacteristic1, uuid::CharTrace)).isEmpty());
    }

    void propertyTypes_data() {
        QTest::addColumn<QString>("interface");
        QTest::addColumn<QString>("uuid"); // of the GATT object; empty for the adapter and the device
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("signature");
        const QString measure = uuid::CharMeasure;
        const QString none;
        QTest::newRow("adapter Address") << Adapter1 << none << "Address"
                                         << "s";
        QTest::newRow("adapter Powered") << Adapter1 << none << "Powered"
                                         << "b";
        QTest::newRow("adapter Discovering") << Adapter1 << none << "Discovering"
                                             << "b";
        QTest::newRow("device Address") << Device1 << none << "Address"
                                        << "s";
        QTest::newRow("device Alias") << Device1 << none << "Alias"
                                      << "s";
        QTest::newRow("device RSSI") << Device1 << none << "RSSI"
                                     << "n";
        QTest::newRow("device UUIDs") << Device1 << none << "UUIDs"
                                      << "as";
        QTest::newRow("device Adapter") << Device1 << none << "Adapter"
                                        << "o";
        QTest::newRow("device Connected") << Device1 << none << "Connected"
                                          << "b";
        QTest::newRow("device ServicesResolved") << Device1 << none << "ServicesResolved"
                                                 << "b";
        QTest::newRow("service UUID") << GattService1 << uuid::ServiceZK << "UUID"
                                      << "s";
        QTest::newRow("service Primary") << GattService1 << uuid::ServiceZK << "Primary"
                                         << "b";
        QTest::newRow("service Device") << GattService1 << uuid::ServiceZK << "Device"
                                        << "o";
        QTest::newRow("service Includes") << GattService1 << uuid::ServiceZK << "Includes"
                                          << "ao";
        QTest::newRow("characteristic Flags") << GattCharacteristic1 << measure << "Flags"
                                              << "as";
        QTest::newRow("characteristic Service") << GattCharacteristic1 << measure << "Service"
                                                << "o";
        QTest::newRow("characteristic Value") << GattCharacteristic1 << measure << "Value"
                                              << "ay";
        QTest::newRow("characteristic Notifying") << GattCharacteristic1 << measure << "Notifying"
                                                  << "b";
        QTest::newRow("characteristic MTU") << GattCharacteristic1 << measure << "MTU"
                                            << "q";
        QTest::newRow("descriptor UUID") << GattDescriptor1 << ClientConfigurationUuid << "UUID"
                                         << "s";
        QTest::newRow("descriptor Characteristic")
            << GattDescriptor1 << ClientConfigurationUuid << "Characteristic"
            << "o";
        QTest::newRow("descriptor Value") << GattDescriptor1 << ClientConfigurationUuid << "Value"
                                          << "ay";
    }

    void propertyTypes() {
        QFETCH(QString, interface);
        QFETCH(QString, uuid);
        QFETCH(QString, property);
        QFETCH(QString, signature);
        connectGauge();
        QString path =
            uuid.isEmpty() ? (interface == Adapter1 ? AdapterPath : DevicePath) : pathOf(interface, uuid);
        const QVariantMap properties = managedObjects().value(QDBusObjectPath(path)).value(interface);
        QVERIFY2(properties.contains(property), qPrintable(path));
        QCOMPARE(signatureOf(properties.value(property)), signature);

        const QDBusMessage got = call(path, QStringLiteral("org.freedesktop.DBus.Properties"),
                                      QStringLiteral("Get"), {interface, property});
        verifyReply(got);
        QCOMPARE(signatureOf(got.arguments().value(0).value<QDBusVariant>().variant()), signature);
    }

    void writeThenReadGivesTheGaugeAnswer_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("info with response") << QByteArray("$vexa00!") << "request" << gaugeProfile().info;
        QTest::newRow("battery without response")
            << QByteArray("$gcv!") << "command" << gaugeProfile().battery;
    }

    void writeThenReadGivesTheGaugeAnswer() {
        QFETCH(QByteArray, command);
        QFETCH(QString, type);
        QFETCH(QByteArray, answer);
        connectGauge();
        const QString vexa = pathOf(GattCharacteristic1, uuid::CharVexa);
        verifyReply(writeValue(vexa, command, type));
        const QDBusMessage read = readValue(vexa);
        verifyReply(read);
        QCOMPARE(read.arguments().value(0).toByteArray(), answer);
    }

    void gattErrorsAsBluez_data() {
        QTest::addColumn<QString>("uuid");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("error");
        QTest::newRow("write to the measure characteristic") << uuid::CharMeasure << "WriteValue"
                                                             << "org.bluez.Error.NotPermitted";
        QTest::newRow("notify on the command characteristic") << uuid::CharVexa << "StartNotify"
                                                              << "org.bluez.Error.NotSupported";
        QTest::newRow("stop notifications never started") << uuid::CharMeasure << "StopNotify"
                                                          << "org.bluez.Error.Failed";
    }

    void gattErrorsAsBluez() {
        QFETCH(QString, uuid);
        QFETCH(QString, member);
        QFETCH(QString, error);
        connectGauge();
        const QString path = pathOf(GattCharacteristic1, uuid);
        const QDBusMessage reply = member == QLatin1String("WriteValue")
                                       ? writeValue(path, "x", QStringLiteral("request"))
                                       : call(path, GattCharacteristic1, member);
        QCOMPARE(reply.errorName(), error);
    }

    void liveValuesWhileNotifying() {
        connectGauge();
        const QString measure = pathOf(GattCharacteristic1, uuid::CharMeasure);
        const QString descriptor = descriptorOf(measure);
        QCOMPARE(readValue(descriptor, GattDescriptor1).arguments().value(0).toByteArray(),
                 QByteArray(2, '\0'));

        verifyReply(call(measure, GattCharacteristic1, QStringLiteral("StartNotify")));
        QTRY_VERIFY(log_->indexOf(measure + QStringLiteral(" Notifying=true")) >= 0);
        QCOMPARE(readValue(descriptor, GattDescriptor1).arguments().value(0).toByteArray(),
                 QByteArray("\x01\x00", 2));
        QTRY_COMPARE_WITH_TIMEOUT(log_->values.size(), 2, 10 * LiveIntervalMs);
        QCOMPARE(log_->values, gaugeProfile().live.mid(0, 2));

        verifyReply(call(measure, GattCharacteristic1, QStringLiteral("StopNotify")));
        QTRY_VERIFY(log_->indexOf(measure + QStringLiteral(" Notifying=false")) >= 0);
        const qsizetype received = log_->values.size();
        QTest::qWait(3 * LiveIntervalMs);
        QCOMPARE(log_->values.size(), received);
    }

    void disconnectRemovesGattObjects() {
        connectGauge();
        const QStringList gatt =
            pathsWith(GattService1) + pathsWith(GattCharacteristic1) + pathsWith(GattDescriptor1);
        verifyReply(call(DevicePath, Device1, QStringLiteral("Disconnect")));
        QTRY_VERIFY(log_->indexOf(DevicePath + QStringLiteral(" ServicesResolved=false")) >= 0);
        QVERIFY(log_->indexOf(DevicePath + QStringLiteral(" Connected=false")) >= 0);
        for (const QString& path : gatt)
            QVERIFY2(log_->indexOf(QStringLiteral("removed ") + path) >= 0, qPrintable(path));
        QCOMPARE(pathsWith(GattService1), QStringList());
        QCOMPARE(call(DevicePath, Device1, QStringLiteral("Disconnect")).errorName(),
                 QStringLiteral("org.bluez.Error.NotConnected"));
    }

    void failedReads() {
        connectGauge();
        const QString vexa = pathOf(GattCharacteristic1, uuid::CharVexa);
        verifyReply(control(QStringLiteral("FailReads"), {QStringLiteral("00:80:E1:A1:B2:C3"), true}));
        QCOMPARE(readValue(vexa).errorName(), QStringLiteral("org.bluez.Error.Failed"));
        verifyReply(control(QStringLiteral("FailReads"), {QStringLiteral("0080E1A1B2C3"), false}));
        verifyReply(readValue(vexa));
    }

    void stoppedNotifications() {
        connectGauge();
        const QString measure = pathOf(GattCharacteristic1, uuid::CharMeasure);
        verifyReply(control(QStringLiteral("StopNotifications"), {QStringLiteral("0080E1A1B2C3"), true}));
        verifyReply(call(measure, GattCharacteristic1, QStringLiteral("StartNotify")));
        QTest::qWait(3 * LiveIntervalMs);
        QCOMPARE(log_->values.size(), 0);
        verifyReply(control(QStringLiteral("StopNotifications"), {QStringLiteral("0080E1A1B2C3"), false}));
        QTRY_COMPARE_WITH_TIMEOUT(log_->values.size(), 1, 10 * LiveIntervalMs);
    }

    void adapterStates_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<bool>("powered");
        QTest::addColumn<QString>("discoveryError");
        QTest::newRow("absent") << false << true << "org.freedesktop.DBus.Error.UnknownObject";
        QTest::newRow("powered off") << true << false << "org.bluez.Error.NotReady";
        QTest::newRow("powered on") << true << true << "";
    }

    void adapterStates() {
        QFETCH(bool, present);
        QFETCH(bool, powered);
        QFETCH(QString, discoveryError);
        connectGauge();
        verifyReply(control(QStringLiteral("SetAdapter"), {present, powered}));
        if (!present || !powered)
            QTRY_VERIFY(log_->indexOf(DevicePath + QStringLiteral(" Connected=false")) >= 0);
        QCOMPARE(pathsWith(Adapter1).size(), present ? 1 : 0);
        QCOMPARE(call(AdapterPath, Adapter1, QStringLiteral("StartDiscovery")).errorName(), discoveryError);
    }

    void removedGaugeDisappears() {
        connectGauge();
        const QStringList gatt = pathsWith(GattCharacteristic1);
        verifyReply(control(QStringLiteral("RemoveDevice"), {QStringLiteral("0080e1a1b2c3")}));
        QTRY_VERIFY(log_->indexOf(QStringLiteral("removed ") + DevicePath) >= 0);
        QVERIFY(log_->indexOf(DevicePath + QStringLiteral(" Connected=false")) >= 0);
        QVERIFY(log_->indexOf(QStringLiteral("removed ") + gatt.first()) <
                log_->indexOf(QStringLiteral("removed ") + DevicePath));
        QCOMPARE(pathsWith(Device1).size(), 1);
        QCOMPARE(control(QStringLiteral("RemoveDevice"), {QStringLiteral("0080E1A1B2C3")}).errorName(),
                 QStringLiteral("org.vexa.BluezDouble1.Error.UnknownDevice"));
    }

    // A client forgets a found device; the next discovery finds it again.
    void forgottenDeviceIsFoundAgain() {
        startDiscovery();
        verifyReply(call(AdapterPath, Adapter1, QStringLiteral("RemoveDevice"),
                         {QVariant::fromValue(QDBusObjectPath(DevicePath))}));
        QCOMPARE(pathsWith(Device1).size(), 1);
        startDiscovery();
        QCOMPARE(pathsWith(Device1).size(), 2);
    }

    void loadedProfilesReplaceTheGauges() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("gauge.json"));
        QFile json(file);
        QVERIFY(json.open(QIODevice::WriteOnly));
        json.write(R"({"name": "ZE-1234", "address": "001122334455", "info": "$vexa00T:3!",
                       "battery": "$gcv?3.85!", "clock": "$glt?05.03.2026 07:08:09!"})");
        json.close();
        connectGauge();

        QCOMPARE(control(QStringLiteral("LoadProfiles"),
                         {QStringList{dir.filePath(QStringLiteral("missing.json"))}})
                     .errorName(),
                 QStringLiteral("org.vexa.BluezDouble1.Error.InvalidProfile"));
        QCOMPARE(pathsWith(Device1).size(), 2);

        verifyReply(control(QStringLiteral("LoadProfiles"), {QStringList{file}}));
        QTRY_VERIFY(log_->indexOf(QStringLiteral("removed ") + DevicePath) >= 0);
        QVERIFY(log_->indexOf(DevicePath + QStringLiteral(" Connected=false")) >= 0);
        QCOMPARE(pathsWith(Device1), QStringList{AdapterPath + QStringLiteral("/dev_00_11_22_33_44_55")});
    }

    void callCountsByMember() {
        connectGauge();
        const QString vexa = pathOf(GattCharacteristic1, uuid::CharVexa);
        verifyReply(control(QStringLiteral("ResetCallCounts")));
        verifyReply(writeValue(vexa, "$vexa00!", QStringLiteral("request")));
        verifyReply(readValue(vexa));
        verifyReply(readValue(vexa));
        verifyReply(call(vexa, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                         {GattCharacteristic1, QStringLiteral("UUID")}));
        const QDBusMessage counts = control(QStringLiteral("CallCounts"));
        QCOMPARE(counts.signature(), QStringLiteral("a{su}"));
        QCOMPARE(qdbus_cast<CallCounts>(counts.arguments().value(0)),
                 (CallCounts{{QStringLiteral("WriteValue"), 1},
                             {QStringLiteral("ReadValue"), 2},
                             {QStringLiteral("Get"), 1}}));
    }
};

QTEST_GUILESS_MAIN(TestBluezDouble)
#include "tst_bluez_double.moc"
