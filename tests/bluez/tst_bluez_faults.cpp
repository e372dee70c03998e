// The "simulation" object of a gauge profile as the BlueZ double plays it, seen over plain D-Bus: the live
// interval, the latency of GATT replies, a gauge that falls silent and one that drops the link.
#include "link/Transport.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <limits>

using namespace vexa;

namespace {

using InterfaceMap = QMap<QString, QVariantMap>;
using ManagedObjects = QMap<QDBusObjectPath, InterfaceMap>;

const QString Bluez = QStringLiteral("org.bluez");
const QString AdapterPath = QStringLiteral("/org/bluez/hci0");
const QString DevicePath = AdapterPath + QStringLiteral("/dev_00_11_22_33_44_55");
const QString Adapter1 = QStringLiteral("org.bluez.Adapter1");
const QString Device1 = QStringLiteral("org.bluez.Device1");
const QString GattCharacteristic1 = QStringLiteral("org.bluez.GattCharacteristic1");
const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString NoReply = QStringLiteral("org.freedesktop.DBus.Error.NoReply");
// Far longer than the double takes to answer anything it answers at all.
constexpr int NoReplyWaitMs = 1500;
constexpr int ReplyWaitMs = 10000;
constexpr int DoubleLiveIntervalMs = 200; // the double's default

// A gauge with live values whose profile carries `simulation`, a JSON object or nothing.
QByteArray profileJson(const QByteArray& simulation) {
    QByteArray json = R"({"name": "ZE-1234", "address": "001122334455", "info": "$vexa00T:3!",
                          "battery": "$gcv?3.85!", "clock": "$glt?05.03.2026 07:08:09!",
                          "live": ["   1        88.0 ym   FE  2026-03-05 09:00:00",
                                   "   2        91.5 ym   FE  2026-03-05 09:00:10"])";
    if (!simulation.isEmpty())
        json += R"(, "simulation": )" + simulation;
    return json + '}';
}

// What the gauge's device and characteristics announce: its link, in order, and how many live values.
class Announcements : public QObject {
    Q_OBJECT
public:
    explicit Announcements(QDBusConnection bus) {
        bus.connect(Bluez, QString(), Properties, QStringLiteral("PropertiesChanged"), this,
                    SLOT(record(QDBusMessage)));
    }

    QStringList link; // "Connected=true", "ServicesResolved=true", ...
    int liveValues = 0;

public slots:
    void record(const QDBusMessage& message) {
        const QVariantMap changes = qdbus_cast<QVariantMap>(message.arguments().value(1));
        for (auto it = changes.cbegin(); it != changes.cend(); ++it) {
            if (it.key() == QLatin1String("Value"))
                ++liveValues;
            else if (message.path() == DevicePath)
                link.append(it.key() + u'=' + it.value().toString());
        }
    }
};

} // namespace

class TestBluezFaults : public QObject {
    Q_OBJECT

private:
    QDBusConnection bus_ = QDBusConnection::systemBus();
    QTemporaryDir dir_;
    std::unique_ptr<Announcements> announced_;

    QDBusMessage call(const QString& path, const QString& interface, const QString& member,
                      const QVariantList& arguments = {}, int timeoutMs = ReplyWaitMs) {
        QDBusMessage message = QDBusMessage::createMethodCall(Bluez, path, interface, member);
        message.setArguments(arguments);
        return bus_.call(message, QDBus::Block, timeoutMs);
    }
    QDBusMessage control(const QString& member, const QVariantList& arguments) {
        return call(QStringLiteral("/org/vexa/BluezDouble"), QStringLiteral("org.vexa.BluezDouble1"), member,
                    arguments);
    }
    static void verifyReply(const QDBusMessage& reply) {
        QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
    }
    // The gauge in range and found, with `simulation` in its profile; operations count from here.
    void loadGauge(const QByteArray& simulation) {
        const QString file = dir_.filePath(QStringLiteral("gauge.json"));
        QFile json(file);
        QVERIFY(json.open(QIODevice::WriteOnly | QIODevice::Truncate));
        json.write(profileJson(simulation));
        json.close();
        verifyReply(control(QStringLiteral("LoadProfiles"), {QStringList{file}}));
        announced_ = std::make_unique<Announcements>(bus_); // not what the gauges before it announced
        verifyReply(call(AdapterPath, Adapter1, QStringLiteral("StartDiscovery")));
    }
    QString characteristicPath(const QString& uuid) {
        const ManagedObjects objects = qdbus_cast<ManagedObjects>(
            call(QStringLiteral("/"), QStringLiteral("org.freedesktop.DBus.ObjectManager"),
                 QStringLiteral("GetManagedObjects"))
                .arguments()
                .value(0));
        for (auto it = objects.cbegin(); it != objects.cend(); ++it)
            if (it.value().value(GattCharacteristic1).value(QStringLiteral("UUID")).toString() ==
                uuid.toLower())
                return it.key().path();
        return {};
    }
    // One operation on the gauge by its member name: the device's Connect and Disconnect, reads and writes
    // of the command characteristic, notifications of the measure characteristic.
    QDBusMessage operation(const QString& member, int timeoutMs = ReplyWaitMs) {
        if (member == QLatin1String("Connect") || member == QLatin1String("Disconnect"))
            return call(DevicePath, Device1, member, {}, timeoutMs);
        const bool notify = member.endsWith(QLatin1String("Notify"));
        const QString path = characteristicPath(notify ? uuid::CharMeasure : uuid::CharVexa);
        if (path.isEmpty())
            qFatal("no GATT objects for %s", qPrintable(member));
        QVariantList arguments;
        if (member == QLatin1String("ReadValue"))
            arguments = {QVariantMap()};
        else if (member == QLatin1String("WriteValue"))
            arguments = {QByteArray("$gcv!"),
                         QVariantMap{{QStringLiteral("type"), QStringLiteral("request")}}};
        return call(path, GattCharacteristic1, member, arguments, timeoutMs);
    }
    // The device's Connected property; none when it went unanswered.
    QVariant connectedNow() {
        const QDBusMessage got =
            call(DevicePath, Properties, QStringLiteral("Get"), {Device1, QStringLiteral("Connected")});
        return got.arguments().value(0).value<QDBusVariant>().variant();
    }

private slots:
    void initTestCase() {
        qDBusRegisterMetaType<InterfaceMap>();
        qDBusRegisterMetaType<ManagedObjects>();
        QVERIFY(bus_.isConnected());
        QVERIFY(dir_.isValid());
    }

    void init() { verifyReply(control(QStringLiteral("SetAdapter"), {true, true})); }

    // In a second at the double's own interval of 200 ms the gauge sends about five values: not ten, and
    // not none.
    void liveIntervalFromTheProfile_data() {
        QTest::addColumn<QByteArray>("simulation");
        QTest::addColumn<int>("atLeast");
        QTest::addColumn<int>("atMost");
        QTest::newRow("shorter than the double's")
            << QByteArray(R"({"liveIntervalMs": 10})") << 10 << std::numeric_limits<int>::max();
        QTest::newRow("longer than the double's") << QByteArray(R"({"liveIntervalMs": 60000})") << 0 << 0;
    }

    void liveIntervalFromTheProfile() {
        QFETCH(QByteArray, simulation);
        QFETCH(int, atLeast);
        QFETCH(int, atMost);
        loadGauge(simulation);
        verifyReply(operation(QStringLiteral("Connect")));
        verifyReply(operation(QStringLiteral("StartNotify")));
        QTest::qWait(5 * DoubleLiveIntervalMs);
        QVERIFY2(announced_->liveValues >= atLeast && announced_->liveValues <= atMost,
                 qPrintable(QString::number(announced_->liveValues)));
    }

    // `operations` are made in order; the first `answered` get a reply, the rest none at all. Held calls
    // change nothing, and BlueZ's cached properties stay readable.
    void silentGaugeHoldsFurtherCalls_data() {
        QTest::addColumn<QByteArray>("simulation");
        QTest::addColumn<QStringList>("operations");
        QTest::addColumn<int>("answered");
        QTest::addColumn<bool>("connectedAtEnd");
        QTest::newRow("silent from the start")
            << QByteArray(R"({"stopAnsweringAfter": 0})") << QStringList{"Connect"} << 0 << false;
        QTest::newRow("the discovery counts as one of its own")
            << QByteArray(R"({"stopAnsweringAfter": 2})") << QStringList{"Connect", "Disconnect"} << 1
            << true;
        QTest::newRow("GATT calls count one each, failed ones too")
            << QByteArray(R"({"stopAnsweringAfter": 6})")
            << QStringList{"Connect", "WriteValue", "ReadValue", "StopNotify", "StartNotify", "ReadValue"}
            << 5 << true;
    }

    void silentGaugeHoldsFurtherCalls() {
        QFETCH(QByteArray, simulation);
        QFETCH(QStringList, operations);
        QFETCH(int, answered);
        QFETCH(bool, connectedAtEnd);
        loadGauge(simulation);
        for (qsizetype i = 0; i < operations.size(); ++i) {
            const QDBusMessage reply = operation(operations[i], NoReplyWaitMs);
            if (i < answered)
                QVERIFY2(reply.errorName() != NoReply, qPrintable(operations[i]));
            else
                QVERIFY2(reply.errorName() == NoReply, qPrintable(operations[i] + u' ' + reply.errorName()));
        }
        QCOMPARE(connectedNow(), QVariant(connectedAtEnd));
    }

    // Connect and its discovery, StartNotify, then the read after which the gauge falls silent.
    void silentGaugeStopsLiveValues() {
        constexpr int LiveIntervalMs = 10;
        loadGauge(QByteArray(R"({"stopAnsweringAfter": 4, "liveIntervalMs": )") +
                  QByteArray::number(LiveIntervalMs) + '}');
        verifyReply(operation(QStringLiteral("Connect")));
        verifyReply(operation(QStringLiteral("StartNotify")));
        QTRY_VERIFY(announced_->liveValues >= 2);
        verifyReply(operation(QStringLiteral("ReadValue")));
        // Once this is answered, the values sent before the read's reply are here.
        QCOMPARE(connectedNow(), QVariant(true));
        QCoreApplication::processEvents();
        const int beforeSilence = announced_->liveValues;
        QTest::qWait(20 * LiveIntervalMs);
        QCOMPARE(announced_->liveValues, beforeSilence);
    }

    void latencyHoldsGattReplies_data() {
        QTest::addColumn<QString>("member");
        QTest::newRow("read") << "ReadValue";
        QTest::newRow("write") << "WriteValue";
        QTest::newRow("notifications on") << "StartNotify";
    }

    void latencyHoldsGattReplies() {
        QFETCH(QString, member);
        constexpr int LatencyMs = 400;
        loadGauge(QByteArray(R"({"latencyMs": )") + QByteArray::number(LatencyMs) + '}');
        verifyReply(operation(QStringLiteral("Connect")));
        QElapsedTimer answeredIn;
        answeredIn.start();
        verifyReply(operation(member));
        QVERIFY2(answeredIn.elapsed() >= LatencyMs, qPrintable(QString::number(answeredIn.elapsed())));
    }

    // `reads` answered reads come before the drop; the link is lost as when the gauge leaves range, once:
    // a new link stays.
    void linkDropsOnceAfterOperations_data() {
        QTest::addColumn<int>("dropLinkAfter");
        QTest::addColumn<int>("reads");
        QTest::addColumn<QStringList>("link");
        const QStringList resolvedThenLost{"Connected=true", "ServicesResolved=true", "Connected=false",
                                           "ServicesResolved=false"};
        QTest::newRow("after the connect")
            << 1 << 0 << QStringList{"Connected=true", "Connected=false", "ServicesResolved=false"};
        QTest::newRow("after the discovery") << 2 << 0 << resolvedThenLost;
        QTest::newRow("after a read") << 4 << 2 << resolvedThenLost;
    }

    void linkDropsOnceAfterOperations() {
        QFETCH(int, dropLinkAfter);
        QFETCH(int, reads);
        QFETCH(QStringList, link);
        loadGauge(QByteArray(R"({"dropLinkAfter": )") + QByteArray::number(dropLinkAfter) + '}');
        verifyReply(operation(QStringLiteral("Connect")));
        for (int i = 0; i < reads; ++i)
            verifyReply(operation(QStringLiteral("ReadValue")));
        QTRY_COMPARE(announced_->link, link);
        QVERIFY(characteristicPath(uuid::CharVexa).isEmpty());

        verifyReply(operation(QStringLiteral("Connect")));
        verifyReply(operation(QStringLiteral("ReadValue")));
        QCOMPARE(connectedNow(), QVariant(true));
    }
};

QTEST_GUILESS_MAIN(TestBluezFaults)
#include "tst_bluez_faults.moc"
