#include "link/sim/SimulatedTransport.h"

#include <QElapsedTimer>
#include <QTest>

using namespace vexa;
using namespace vexa::sim;

namespace {

const QByteArray LiveLine = "   1        12.5 ym   FE  2026-01-12 08:00:00";

GaugeProfile gaugeProfile(const QString& name, const QString& address) {
    GaugeProfile profile;
    profile.name = name;
    profile.address = address;
    profile.rssi = -67;
    profile.info = "$vexa00T:3,S:123456!";
    profile.battery = "$gcv?3.85!";
    profile.clock = "$glt?05.03.2026 07:08:09!";
    profile.live = {LiveLine};
    return profile;
}

const QString Address = QStringLiteral("001122334455");

QList<GaugeProfile> oneGauge() {
    return {gaugeProfile(QStringLiteral("ZE-1234"), Address)};
}

QString shortName(const QString& uuidText) {
    if (uuidText == uuid::ServiceMI)
        return QStringLiteral("MI");
    if (uuidText == uuid::ServiceZK)
        return QStringLiteral("ZK");
    if (uuidText == uuid::ServiceSondeMI)
        return QStringLiteral("SondeMI");
    if (uuidText == uuid::CharVexa)
        return QStringLiteral("Vexa");
    if (uuidText == uuid::CharMeasure)
        return QStringLiteral("Measure");
    if (uuidText == uuid::CharStorageInfo)
        return QStringLiteral("StorageInfo");
    if (uuidText == uuid::CharStorageData)
        return QStringLiteral("StorageData");
    if (uuidText == uuid::CharTrace)
        return QStringLiteral("Trace");
    return uuidText;
}

// Every signal of the transport as one line, in arrival order, with the time since the log began.
class EventLog : public QObject {
public:
    explicit EventLog(Transport& transport) {
        clock.start();
        connect(&transport, &Transport::scanStarted, this, [this] { add(QStringLiteral("scanStarted")); });
        connect(&transport, &Transport::advertisement, this,
                [this](const QString& id, const QString& name, int rssi) {
                    add(QStringLiteral("advertisement %1 %2 %3").arg(id, name).arg(rssi));
                });
        connect(&transport, &Transport::connected, this, [this](int status, const QString& text) {
            add(QStringLiteral("connected %1 %2").arg(status).arg(text));
        });
        connect(&transport, &Transport::disconnected, this, [this](int status, const QString& text) {
            add(QStringLiteral("disconnected %1 %2").arg(status).arg(text));
        });
        connect(&transport, &Transport::discovered, this,
                [this](GattType type, const QString& service, const QString& characteristic) {
                    add(type == GattType::Service ? QStringLiteral("service ") + shortName(service)
                                                  : QStringLiteral("characteristic %1 %2")
                                                        .arg(shortName(service), shortName(characteristic)));
                });
        connect(&transport, &Transport::discoveryFinished, this,
                [this] { add(QStringLiteral("discoveryFinished")); });
        connect(&transport, &Transport::value, this,
                [this](const QString& service, const QString& characteristic, const QByteArray& bytes) {
                    add(QStringLiteral("value %1 %2 %3")
                            .arg(shortName(service), shortName(characteristic), QString::fromLatin1(bytes)));
                });
        connect(&transport, &Transport::writeResponse, this,
                [this](const QString& service, const QString& c) {
                    add(QStringLiteral("writeResponse %1 %2").arg(shortName(service), shortName(c)));
                });
        connect(&transport, &Transport::subscribed, this, [this](const QString& service, const QString& c) {
            add(QStringLiteral("subscribed %1 %2").arg(shortName(service), shortName(c)));
        });
        connect(&transport, &Transport::unsubscribed, this, [this](const QString& service, const QString& c) {
            add(QStringLiteral("unsubscribed %1 %2").arg(shortName(service), shortName(c)));
        });
        connect(&transport, &Transport::error, this, [this](int code, const QString& text) {
            add(QStringLiteral("error %1 %2").arg(code).arg(text));
        });
    }

    bool waitFor(qsizetype count) {
        return QTest::qWaitFor([&] { return events.size() >= count; }, 5000);
    }
    bool waitForEvent(const QString& start) {
        return QTest::qWaitFor([&] { return indexOf(start) >= 0; }, 5000);
    }
    qsizetype indexOf(const QString& start) const {
        for (qsizetype i = 0; i < events.size(); ++i)
            if (events[i].startsWith(start))
                return i;
        return -1;
    }

    QStringList events;
    QList<qint64> times;

private:
    void add(const QString& event) {
        events.append(event);
        times.append(clock.elapsed());
    }
    QElapsedTimer clock;
};

const QStringList DiscoveredAll = {
    QStringLiteral("service MI"),
    QStringLiteral("characteristic MI Vexa"),
    QStringLiteral("characteristic MI Trace"),
    QStringLiteral("service ZK"),
    QStringLiteral("characteristic ZK StorageInfo"),
    QStringLiteral("characteristic ZK StorageData"),
    QStringLiteral("characteristic ZK Measure"),
};

} // namespace

class TestSimulatorTransport : public QObject {
    Q_OBJECT
private slots:
    void outcomesArriveInCallOrderAfterTheCall() {
        SimulatedTransport transport(oneGauge(), {.latencyMs = 0, .liveIntervalMs = 10});
        EventLog log(transport);
        transport.connectToGauge(Address);
        transport.discover({});
        transport.write(uuid::ServiceMI, uuid::CharVexa, "$gcv!");
        transport.read(uuid::ServiceMI, uuid::CharVexa);
        transport.subscribe(uuid::ServiceZK, uuid::CharMeasure);
        QVERIFY(log.events.isEmpty());

        QVERIFY(log.waitForEvent(QStringLiteral("value ZK Measure")));
        transport.unsubscribe(uuid::ServiceZK, uuid::CharMeasure);
        transport.disconnectFromGauge();
        QVERIFY(log.waitForEvent(QStringLiteral("disconnected")));

        QStringList expected{QStringLiteral("connected 0 OK")};
        expected += DiscoveredAll;
        expected += QStringList{
            QStringLiteral("discoveryFinished"),
            QStringLiteral("writeResponse MI Vexa"),
            QStringLiteral("value MI Vexa $gcv?3.85!"),
            QStringLiteral("subscribed ZK Measure"),
        };
        QCOMPARE(log.events.mid(0, expected.size()), expected);
        const QStringList rest = log.events.mid(expected.size());
        const QStringList tail{QStringLiteral("unsubscribed ZK Measure"),
                               QStringLiteral("disconnected 0 Disconnected")};
        QCOMPARE(rest.mid(rest.size() - 2), tail);
        for (const QString& event : rest.mid(0, rest.size() - 2))
            QCOMPARE(event, QStringLiteral("value ZK Measure ") + QString::fromLatin1(LiveLine));
    }

    void liveValuesStopWithUnsubscription() {
        SimulatedTransport transport(oneGauge(), {.liveIntervalMs = 10});
        EventLog log(transport);
        transport.connectToGauge(Address);
        transport.subscribe(uuid::ServiceZK, uuid::CharMeasure);
        QVERIFY(log.waitForEvent(QStringLiteral("value")));
        transport.unsubscribe(uuid::ServiceZK, uuid::CharMeasure);
        QVERIFY(log.waitForEvent(QStringLiteral("unsubscribed")));
        const qsizetype count = log.events.size();
        QTest::qWait(60);
        QCOMPARE(log.events.size(), count);
    }

    void discoveryFilter_data() {
        QTest::addColumn<bool>("sondeService");
        QTest::addColumn<QStringList>("filter");
        QTest::addColumn<QStringList>("services");
        const QStringList both{QStringLiteral("service MI"), QStringLiteral("service ZK")};
        QTest::newRow("no filter") << false << QStringList() << both;
        QTest::newRow("two services") << false << QStringList{uuid::ServiceMI, uuid::ServiceZK} << both;
        QTest::newRow("one comma-separated text")
            << false << QStringList{uuid::ServiceMI + u',' + uuid::ServiceZK} << both;
        QTest::newRow("lower-case uuid")
            << false << QStringList{uuid::ServiceZK.toLower()} << QStringList{QStringLiteral("service ZK")};
        QTest::newRow("probe command service reported last")
            << true << QStringList() << (both + QStringList{QStringLiteral("service SondeMI")});
        QTest::newRow("probe command service filtered out")
            << true << QStringList{uuid::ServiceMI, uuid::ServiceZK} << both;
    }
    void discoveryFilter() {
        QFETCH(bool, sondeService);
        QFETCH(QStringList, filter);
        QFETCH(QStringList, services);
        QList<GaugeProfile> profiles = oneGauge();
        profiles[0].sondeService = sondeService;
        SimulatedTransport transport(profiles);
        EventLog log(transport);
        transport.connectToGauge(Address);
        transport.discover(filter);
        QVERIFY(log.waitForEvent(QStringLiteral("discoveryFinished")));
        QCOMPARE(log.events.filter(QRegularExpression(QStringLiteral("^service "))), services);
    }

    void errors_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("event");
        QTest::newRow("read while not connected")
            << QStringLiteral("read") << QStringLiteral("error 2 Not connected");
        QTest::newRow("write while not connected")
            << QStringLiteral("write") << QStringLiteral("error 2 Not connected");
        QTest::newRow("subscribe while not connected")
            << QStringLiteral("subscribe") << QStringLiteral("error 2 Not connected");
        QTest::newRow("discover while not connected")
            << QStringLiteral("discover") << QStringLiteral("error 2 Not connected");
        QTest::newRow("unknown gauge")
            << QStringLiteral("connect unknown") << QStringLiteral("error 1 Unknown gauge");
        QTest::newRow("characteristic of another service")
            << QStringLiteral("connect, read measure in MI") << QStringLiteral("error 3 No characteristic");
        QTest::newRow("second gauge while connected")
            << QStringLiteral("connect both") << QStringLiteral("error 4 Already connected");
        QTest::newRow("disconnect while not connected")
            << QStringLiteral("disconnect") << QStringLiteral("disconnected 0 Disconnected");
    }
    void errors() {
        QFETCH(QString, operation);
        QFETCH(QString, event);
        const QString other = QStringLiteral("AABBCCDDEEFF");
        SimulatedTransport transport(oneGauge() + QList{gaugeProfile(QStringLiteral("VIMS-1"), other)});
        EventLog log(transport);
        if (operation == QLatin1String("read"))
            transport.read(uuid::ServiceMI, uuid::CharVexa);
        else if (operation == QLatin1String("write"))
            transport.write(uuid::ServiceMI, uuid::CharVexa, "$gcv!");
        else if (operation == QLatin1String("subscribe"))
            transport.subscribe(uuid::ServiceZK, uuid::CharMeasure);
        else if (operation == QLatin1String("discover"))
            transport.discover({});
        else if (operation == QLatin1String("connect unknown"))
            transport.connectToGauge(QStringLiteral("FFFFFFFFFFFF"));
        else if (operation == QLatin1String("disconnect"))
            transport.disconnectFromGauge();
        else {
            transport.connectToGauge(Address);
            if (operation.endsWith(QLatin1String("both")))
                transport.connectToGauge(other);
            else
                transport.read(uuid::ServiceMI, uuid::CharMeasure);
        }
        QVERIFY(log.waitForEvent(event));
    }

    void scanRepeatsAdvertisementsUntilStopped() {
        SimulatedTransport transport(
            oneGauge() + QList{gaugeProfile(QStringLiteral("Phone"), QStringLiteral("AABBCCDDEEFF"))},
            {.advertisementIntervalMs = 10});
        EventLog log(transport);
        transport.startScan();
        QVERIFY(log.waitFor(7));
        QCOMPARE(log.events.first(), QStringLiteral("scanStarted"));
        QCOMPARE(log.events[1], QStringLiteral("advertisement 001122334455 ZE-1234 -67"));
        QCOMPARE(log.events[2], QStringLiteral("advertisement AABBCCDDEEFF Phone -67"));
        QCOMPARE(log.events[3], log.events[1]);
        transport.stopScan();
        QTest::qWait(30);
        const qsizetype count = log.events.size();
        QTest::qWait(60);
        QCOMPARE(log.events.size(), count);
    }

    void latencyDelaysEveryOutcome() {
        constexpr int Latency = 80;
        SimulatedTransport transport(oneGauge(), {.latencyMs = Latency});
        EventLog log(transport);
        transport.connectToGauge(Address);
        transport.write(uuid::ServiceMI, uuid::CharVexa, "$gcv!");
        transport.read(uuid::ServiceMI, uuid::CharVexa);
        QVERIFY(log.waitFor(3));
        QCOMPARE(log.events.last(), QStringLiteral("value MI Vexa $gcv?3.85!"));
        for (qint64 at : log.times)
            QVERIFY2(at >= Latency, qPrintable(QString::number(at)));
    }

    void stopsAnsweringAfterOperations() {
        SimulatedTransport transport(oneGauge(), {.liveIntervalMs = 10, .stopAnsweringAfter = 2});
        EventLog log(transport);
        transport.connectToGauge(Address);
        transport.subscribe(uuid::ServiceZK, uuid::CharMeasure);
        transport.write(uuid::ServiceMI, uuid::CharVexa, "$gcv!");
        transport.read(uuid::ServiceMI, uuid::CharVexa);
        transport.disconnectFromGauge();
        QVERIFY(log.waitFor(2));
        QTest::qWait(80);
        QCOMPARE(log.events,
                 (QStringList{QStringLiteral("connected 0 OK"), QStringLiteral("subscribed ZK Measure")}));
    }

    void dropsConnectionAfterOperations() {
        SimulatedTransport transport(oneGauge(), {.dropConnectionAfter = 2});
        EventLog log(transport);
        transport.connectToGauge(Address);
        transport.write(uuid::ServiceMI, uuid::CharVexa, "$gcv!");
        transport.read(uuid::ServiceMI, uuid::CharVexa);
        QVERIFY(log.waitFor(4));
        QCOMPARE(
            log.events,
            (QStringList{QStringLiteral("connected 0 OK"), QStringLiteral("writeResponse MI Vexa"),
                         QStringLiteral("disconnected 0 Offline"), QStringLiteral("error 2 Not connected")}));

        transport.connectToGauge(Address);
        transport.read(uuid::ServiceMI, uuid::CharVexa);
        QVERIFY(log.waitFor(6));
        QCOMPARE(log.events.mid(4),
                 (QStringList{QStringLiteral("connected 0 OK"), QStringLiteral("value MI Vexa $gcv?3.85!")}));
    }

    void nestedEventLoopKeepsTheOrder() {
        SimulatedTransport transport(oneGauge());
        EventLog log(transport);
        connect(&transport, &Transport::writeResponse, this, [&] {
            transport.read(uuid::ServiceMI, uuid::CharVexa);
            QVERIFY(QTest::qWaitFor([&] { return log.events.size() >= 4; }, 2000));
        });
        transport.connectToGauge(Address);
        transport.write(uuid::ServiceMI, uuid::CharVexa, "$gcv!");
        transport.disconnectFromGauge();
        QVERIFY(log.waitFor(4));
        QCOMPARE(log.events,
                 (QStringList{QStringLiteral("connected 0 OK"), QStringLiteral("writeResponse MI Vexa"),
                              QStringLiteral("disconnected 0 Disconnected"),
                              QStringLiteral("error 2 Not connected")}));
    }
};

QTEST_GUILESS_MAIN(TestSimulatorTransport)
#include "tst_simulator_transport.moc"
